#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace pasaplan::lote {

// The whole batch command, in-process: arguments without the program name; returns the exit
// status (0 finished, 1 not finished, 2 wrong usage).
int EjecutarLote(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores);

}  // namespace pasaplan::lote
