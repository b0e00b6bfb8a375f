#pragma once
// The export run (the exchange directory's tables and SOLUC -> the document for Séneca).
#include <filesystem>
#include <string>
#include <vector>

#include "import/EstadoPrincipal.h"
#include "import/Interlocutor.h"

namespace pasaplan {

enum class FinExportacion {
    Finalizado,       // document saved; "Proceso finalizado" shown; result 1
    NoExisteArchivo,  // "No existe archivo" shown; result -1 when embedded
    FaltaPeriodos,    // PERIODOS.DBF missing: its message shown; nothing saved
};

// What the run wrote, for the batch command's summary.
struct ResumenExportacion {
    std::filesystem::path documento;  // the result file
    size_t profesores = 0;
    size_t regulares = 0;
    size_t noRegulares = 0;
    // Regular activities that went out with an empty value Séneca needs, by dato name
    // (X_TRAMO, X_UNIDAD, X_OFERTAMATRIG, X_MATERIAOMG), with a description of the first one.
    struct Vacios {
        std::string dato;
        size_t cuantas = 0;
        Utf8 primera;
    };
    std::vector<Vacios> vacios;
};

// The whole run. Errors propagate as ErrorPasaplan; a failed run saves nothing and leaves an
// earlier result file as it was.
FinExportacion EjecutarExportacion(EstadoPrincipal& estado, Interlocutor& interlocutor,
                                   ResumenExportacion* resumen = nullptr);

}  // namespace pasaplan
