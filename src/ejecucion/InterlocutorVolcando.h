#pragma once
// Before every question to the person, every table open in the process writes the rows posted
// so far: the person may look at the tables while the question waits, or end the program.
#include <vector>

#include "ejecucion/Interlocutor.h"
#include "exchange/Tabla.h"

namespace pasaplan {

class InterlocutorVolcando : public Interlocutor {
  public:
    explicit InterlocutorVolcando(Interlocutor& persona) : persona_(persona) {}

    std::optional<std::filesystem::path> ElegirArchivoXml() override {
        Tabla::VolcarTodas();
        return persona_.ElegirArchivoXml();
    }
    void Mensaje(const Utf8& texto) override {
        Tabla::VolcarTodas();
        persona_.Mensaje(texto);
    }
    void RelojArena(bool activo) override { persona_.RelojArena(activo); }
    ResultadoCursos MostrarDialogoCursos(const ContextoCursos& contexto) override {
        Tabla::VolcarTodas();
        return persona_.MostrarDialogoCursos(contexto);
    }
    bool PreguntarRecuperacion() override {
        Tabla::VolcarTodas();
        return persona_.PreguntarRecuperacion();
    }
    ResultadoMarcos MostrarDialogoMarcos(const ContextoMarcos& contexto) override {
        Tabla::VolcarTodas();
        return persona_.MostrarDialogoMarcos(contexto);
    }
    void ComprobarAntesDePasos(const ExportacionSeneca& documento) override {
        persona_.ComprobarAntesDePasos(documento);
    }
    void TablaEscrita(const Utf8& nombre, size_t filas) override {
        persona_.TablaEscrita(nombre, filas);
    }
    void MostrarInforme(const std::vector<Hallazgo>& hallazgos) override {
        Tabla::VolcarTodas();
        persona_.MostrarInforme(hallazgos);
    }

    void ErrorEnDialogo(const Utf8& que, const Utf8& error) override {
        Tabla::VolcarTodas();
        persona_.ErrorEnDialogo(que, error);
    }
    std::vector<ErrorDeDialogo> TomarErroresDeDialogo() override {
        return persona_.TomarErroresDeDialogo();
    }

  private:
    Interlocutor& persona_;
};

}  // namespace pasaplan
