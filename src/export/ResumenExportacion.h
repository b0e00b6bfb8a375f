#pragma once
// The export run's summary, filled by its parts and read by the batch command.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "text/Texto.h"

namespace pasaplan {

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

}  // namespace pasaplan
