#pragma once
// The batch command's answers to the questions of a run: from its flags, on the terminal.
#include <map>
#include <optional>
#include <ostream>

#include "import/Interlocutor.h"
#include "lote/Opciones.h"

namespace pasaplan::lote {

class InterlocutorLote : public Interlocutor {
public:
    InterlocutorLote(const OpcionesLote& opciones, std::ostream& salida)
        : opciones_(opciones), salida_(salida) {}

    std::optional<std::filesystem::path> ElegirArchivoXml() override { return opciones_.archivo; }
    // A message is held until the next one arrives or the run ends: the last one of a run that
    // failed belongs on stderr.
    void Mensaje(const Utf8& texto) override;
    void RelojArena(bool) override {}
    ResultadoCursos MostrarDialogoCursos(const ContextoCursos& contexto) override;
    bool PreguntarRecuperacion() override { return opciones_.recuperar; }
    ResultadoMarcos MostrarDialogoMarcos(const ContextoMarcos& contexto) override;
    void ComprobarAntesDePasos(const Documento& documento) override;
    void TablaEscrita(const std::string& nombre, size_t filas) override;

    // The message still held, to print where the outcome says; empty when none.
    std::optional<Utf8> TomarPendiente();

private:
    const OpcionesLote& opciones_;
    std::ostream& salida_;
    std::optional<Utf8> pendiente_;
    std::map<std::string, size_t> escritas_;
};

}  // namespace pasaplan::lote
