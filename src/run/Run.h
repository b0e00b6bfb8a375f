#pragma once
// One run as both front ends make it: the exchange directory held from the choice of the file
// to the end of the report, the run, its report, and how the run ended. The front ends only
// show what comes back, and the main window turns the end into the host's result.
#include <vector>

#include "ejecucion/EstadoPrincipal.h"
#include "ejecucion/Interlocutor.h"
#include "export/ResumenExportacion.h"
#include "report/Hallazgo.h"
#include "report/HallazgoHorario.h"

namespace pasaplan {

enum class TipoRun {
    Importacion,  // Séneca's export -> the exchange directory's tables (the word "exportar")
    Exportacion,  // the tables and SOLUC -> the document for Séneca (the word "importar")
};

enum class FinRun {
    Finalizado,       // every step ran; "Proceso finalizado" shown
    NoExisteArchivo,  // "No existe archivo" shown
    SalidaForzada,    // import: forced exit in the course levels dialog; the main window closes
    FaltaPeriodos,    // export: PERIODOS.DBF missing; its message shown, nothing saved
};

struct ResultadoRun {
    FinRun fin = FinRun::NoExisteArchivo;
    // After a finished import run, unless embedded: the import report, the course levels
    // dialog's errors first.
    std::vector<Hallazgo> hallazgos;
    // After a finished export run: what it wrote, and, unless embedded, the review of it.
    ResumenExportacion resumen;
    std::vector<HallazgoHorario> revision;
};

// Takes the exchange directory's lock, runs, builds the report while the lock is still held
// (it reads what the run wrote), and releases the lock. Errors propagate as ErrorPasaplan to the
// front end's standard error handler, the lock released all the same.
ResultadoRun EjecutarRun(TipoRun tipo, EstadoPrincipal& estado, Interlocutor& interlocutor);

// The review of the document a finished export run wrote, before it goes to Séneca: its
// findings, in the order the person should read them.
std::vector<HallazgoHorario> RevisarDocumentoEscrito(const EstadoPrincipal& estado,
                                                     const ResumenExportacion& resumen);

}  // namespace pasaplan
