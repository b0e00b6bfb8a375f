#pragma once
// The batch command's answers to the questions of a run: from its flags, on the terminal.
#include <map>
#include <optional>
#include <ostream>

#include "ejecucion/Interlocutor.h"
#include "lote/Opciones.h"

namespace pasaplan::lote {

class InterlocutorLote : public Interlocutor {
  public:
    InterlocutorLote(const OpcionesLote& opciones, std::ostream& salida, std::ostream& errores)
        : opciones_(opciones), salida_(salida), errores_(errores) {}

    std::optional<std::filesystem::path> ElegirArchivoXml() override { return opciones_.archivo; }
    // A message is held until the next one arrives or the run ends: the last one of a run that
    // failed belongs on stderr.
    void Mensaje(const Utf8& texto) override;
    void RelojArena(bool) override {}
    ResultadoCursos MostrarDialogoCursos(const ContextoCursos& contexto) override;
    bool PreguntarRecuperacion() override { return opciones_.recuperar; }
    ResultadoMarcos MostrarDialogoMarcos(const ContextoMarcos& contexto) override;
    void ComprobarAntesDePasos(const ExportacionSeneca& documento) override;
    void TablaEscrita(const Utf8& nombre, size_t filas) override;

    // The message still held, to print where the outcome says; empty when none.
    std::optional<Utf8> TomarPendiente();

    // An error inside one of the course levels dialog's events: as the dialog shows it and goes
    // on, it is printed on stderr, the run goes on, and the import report lists it.
    void ErrorEnDialogo(const Utf8& que, const Utf8& error) override;
    std::vector<ErrorDeDialogo> TomarErroresDeDialogo() override { return erroresDialogo_.Tomar(); }

  private:
    const OpcionesLote& opciones_;
    std::ostream& salida_;
    std::ostream& errores_;
    std::optional<Utf8> pendiente_;
    ErroresDeDialogo erroresDialogo_;
    std::map<Utf8, size_t> escritas_;
};

}  // namespace pasaplan::lote
