#pragma once
// pasaplan-lote run inside the test process, with what it wrote and its exit status.
#include <sstream>
#include <string>
#include <vector>

#include "lote/Lote.h"
#include "support/Apoyo.h"

namespace pasaplan::prueba {

using Salida = SalidaPrograma;

inline Salida EnProceso(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int estado = lote::EjecutarLote(args, out, err);
    return {estado, out.str(), err.str()};
}

}  // namespace pasaplan::prueba
