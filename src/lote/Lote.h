#pragma once
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "exchange/ExportacionSeneca.h"

namespace pasaplan::lote {

// What a run leaves behind when the caller ends the process right after it (the batch
// binary): the parsed documents, which the kernel takes back at once at the end of the
// process, where freeing a large one node by node takes a twentieth of the run.
struct Sobrantes {
    std::vector<std::unique_ptr<ExportacionSeneca>> documentos;
};

// The whole batch command, in-process: arguments without the program name; returns the exit
// status (0 finished, 1 not finished, 2 wrong usage). With sobrantes, the run's documents
// are moved there instead of freed.
int EjecutarLote(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores, Sobrantes* sobrantes = nullptr);

}  // namespace pasaplan::lote
