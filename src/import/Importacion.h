#pragma once
// The import run (Séneca's export -> the exchange directory's tables), shared by both front ends.
#include "ejecucion/EstadoPrincipal.h"
#include "ejecucion/Interlocutor.h"

namespace pasaplan {

enum class FinImportacion {
    Finalizado,       // all ten steps ran; "Proceso finalizado" shown
    NoExisteArchivo,  // "No existe archivo" shown
    SalidaForzada,    // forced exit in the course levels dialog: the main window must close
};

// The whole run: file choice, loading, the ten steps and the end messages; how it ended is
// for the main window to turn into the host's result.
// Errors propagate as ErrorPasaplan (the front end's standard error handler shows them).
// A file that cannot be parsed is refused before any table is touched.
FinImportacion EjecutarImportacion(EstadoPrincipal& estado, Interlocutor& interlocutor);

}  // namespace pasaplan
