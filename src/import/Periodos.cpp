// Step 1: the school year and its first and last day, into PERIODOS.
#include <optional>

#include "import/Pasos.h"
#include "platform/Error.h"
#include "seneca/Registros.h"
#include "text/Clipper.h"

namespace pasaplan {

void CargarPeriodos(ContextoImportacion& ctx) {
    auto tabla = CrearTablaPaso(
        ctx, "PERIODOS",
        {CampoTexto("CURSOANNO", 4), CampoTexto("F_INICIO", 10), CampoTexto("F_FIN", 10)});
    Texto anno, inicio, fin;
    std::optional<size_t> ultima;  // the row added last, not yet posted
    for (const seneca::AnnoAcademico& a : seneca::AnnosAcademicos(ctx.documento)) {
        anno = a.anno;
        inicio = a.inicio;
        fin = a.fin;
        if (ultima) tabla->Grabar(*ultima);  // adding a second row posts the first
        ultima = tabla->Agregar();
        tabla->PonerTexto(*ultima, "CURSOANNO", anno);
        tabla->PonerTexto(*ultima, "F_INICIO", inicio);
        tabla->PonerTexto(*ultima, "F_FIN", fin);
    }
    if (EnBlanco(inicio) || EnBlanco(fin)) {
        // The first frame only, when it has two values or more.
        const auto& marcos = seneca::Jornadas(ctx.documento);
        if (!marcos.empty() && marcos[0].valores >= 2) {
            inicio = marcos[0].inicio;
            fin = marcos[0].fin;
        }
    }
    if (!ultima) {
        throw ErrorPasaplan("El archivo «" + ctx.documento.Nombre() +
                            "» no trae el curso académico: ninguno de sus dos primeros bloques "
                            "tiene al menos dos valores propios. La tabla PERIODOS queda vacía.");
    }
    tabla->PonerTexto(*ultima, "F_INICIO", inicio);
    tabla->PonerTexto(*ultima, "F_FIN", fin);
    tabla->Grabar(*ultima);
    CerrarTablaPaso(ctx, tabla);
}

}  // namespace pasaplan
