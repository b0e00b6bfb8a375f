// Placeholder until the export summary is written.
#include "lote/Respuestas.h"

namespace pasaplan::lote {

void ImprimirResumenExportacion(const ResumenExportacion& resumen, std::ostream& salida) {
    salida << "Documento escrito: " << resumen.documento.string() << "\n";
}

}  // namespace pasaplan::lote
