#pragma once
// The questions a run asks the person in front of the tool. The desktop program answers them
// with windows, pasaplan-lote from its flags, tests with scripted answers.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/Texto.h"

namespace pasaplan {

class ExportacionSeneca;
struct Hallazgo;

// How one showing of the course levels dialog was left: Fuera after the forced exit, which
// ends the import run.
enum class MarcaSalida { Ninguna, Fuera };

// What one showing of the course levels dialog leaves behind.
struct ResultadoCursos {
    int FaltaDato = 0;  // 1: OK was pressed while some course lacked NIVEL or CURSO
    pasaplan::MarcaSalida MarcaSalida = MarcaSalida::Ninguna;
};

// What one showing of the time-frame selection dialog leaves behind.
struct ResultadoMarcos {
    bool EleccionValida = false;
    Texto MarcosElegidos;  // each chosen code padded and cut to 10 characters, in list order
};

struct ContextoCursos {
    std::filesystem::path directorio;  // exchange directory holding CURSOST (and CURSOST2)
    bool DialogoRepetido = false;
};

// An error inside one of the course levels dialog's events, which the dialog goes on after: what
// could not be done and the engine's message.
struct ErrorDeDialogo {
    Utf8 que;
    Utf8 error;
};

// The course levels dialog's errors as a front end keeps them until the run's report takes them.
class ErroresDeDialogo {
  public:
    void Anotar(const Utf8& que, const Utf8& error) { errores_.push_back({que, error}); }
    std::vector<ErrorDeDialogo> Tomar() { return std::exchange(errores_, {}); }

  private:
    std::vector<ErrorDeDialogo> errores_;
};

struct ContextoMarcos {
    const ExportacionSeneca& documento;  // the run's own document
    std::filesystem::path ArchivoXML;    // the file the dialog widget loads again
};

class Interlocutor {
  public:
    virtual ~Interlocutor() = default;

    // The file dialog "Archivo XML": the chosen file, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> ElegirArchivoXml() = 0;
    // A plain message box titled "Pasaplan" with one OK button.
    virtual void Mensaje(const Utf8& texto) = 0;
    // The hourglass cursor on (true) or back to normal (false).
    virtual void RelojArena(bool activo) = 0;
    // One modal showing of the course levels dialog.
    virtual ResultadoCursos MostrarDialogoCursos(const ContextoCursos& contexto) = 0;
    // The recovery question of the course levels dialog: true for OK.
    virtual bool PreguntarRecuperacion() = 0;
    // One modal showing of the time-frame selection dialog.
    virtual ResultadoMarcos MostrarDialogoMarcos(const ContextoMarcos& contexto) = 0;
    // The document is loaded and no table has been touched yet: the last moment to refuse the
    // run (pasaplan-lote checks its answers to the dialogs against the export here).
    virtual void ComprobarAntesDePasos(const ExportacionSeneca& /*documento*/) {}
    // A step has written (and closed) a table; front ends may report it.
    virtual void TablaEscrita(const Utf8& /*nombre*/, size_t /*filas*/) {}
    // The import report of a finished run, when it has findings (stand-alone desktop only).
    virtual void MostrarInforme(const std::vector<Hallazgo>& /*hallazgos*/) {}
    // An error inside an event of the course levels dialog: told to the person, and kept by the
    // front ends (TomarErroresDeDialogo) for the run's report.
    virtual void ErrorEnDialogo(const Utf8& /*que*/, const Utf8& error) { Mensaje(error); }
    // The errors kept since the last call, in the order they happened.
    virtual std::vector<ErrorDeDialogo> TomarErroresDeDialogo() { return {}; }
};

}  // namespace pasaplan
