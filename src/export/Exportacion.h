#pragma once
// The export run (the exchange directory's tables and SOLUC -> the document for Séneca).
#include "ejecucion/EstadoPrincipal.h"
#include "ejecucion/Interlocutor.h"
#include "export/ResumenExportacion.h"

namespace pasaplan {

enum class FinExportacion {
    Finalizado,       // document saved; "Proceso finalizado" shown
    NoExisteArchivo,  // "No existe archivo" shown
    FaltaPeriodos,    // PERIODOS.DBF missing: its message shown; nothing saved
};

// The whole run. Errors propagate as ErrorPasaplan; a failed run saves nothing and leaves an
// earlier result file as it was.
FinExportacion EjecutarExportacion(EstadoPrincipal& estado, Interlocutor& interlocutor,
                                   ResumenExportacion* resumen = nullptr);

}  // namespace pasaplan
