// What an export run wrote, for the person at the terminal: where the document is, how much it
// holds, and the regular hours Séneca is likely to refuse for a missing key.
#include "lote/Respuestas.h"
#include "platform/Rutas.h"

namespace pasaplan::lote {

void ImprimirResumenExportacion(const ResumenExportacion& resumen, std::ostream& salida) {
    salida << "Documento para Séneca: " << plataforma::Utf8DeRuta(resumen.documento) << "\n"
           << "Profesores: " << resumen.profesores << "\n"
           << "Actividades regulares: " << resumen.regulares << "\n"
           << "Actividades no regulares: " << resumen.noRegulares << "\n";
    for (const auto& vacio : resumen.vacios) {
        salida << "Actividades regulares con " << vacio.dato << " vacío: " << vacio.cuantas;
        if (vacio.cuantas > 0) salida << " (la primera: " << vacio.primera << ")";
        salida << "\n";
    }
}

}  // namespace pasaplan::lote
