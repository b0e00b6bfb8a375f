// Step 1: the school year and its first and last day, into PERIODOS.
#include <optional>

#include "import/Pasos.h"
#include "platform/Error.h"
#include "text/Clipper.h"

namespace pasaplan {

void CargarPeriodos(ContextoImportacion& ctx) {
    auto tabla = CrearTablaPaso(
        ctx, "PERIODOS",
        {CampoTexto("CURSOANNO", 4), CampoTexto("F_INICIO", 10), CampoTexto("F_FIN", 10)});
    const auto& bloques = ctx.documento.Bloques();
    Texto anno, inicio, fin;
    std::optional<size_t> ultima;  // the row added last, not yet posted
    for (size_t b = 0; b < 2 && b < bloques.size(); ++b) {
        const auto& datos = bloques[b].Datos();
        if (datos.size() < 2) continue;
        anno = Valor(datos, 0);
        inicio = Valor(datos, 1);
        fin = Valor(datos, 2);
        if (ultima) tabla->Grabar(*ultima);  // adding a second row posts the first
        ultima = tabla->Agregar();
        tabla->PonerTexto(*ultima, "CURSOANNO", anno);
        tabla->PonerTexto(*ultima, "F_INICIO", inicio);
        tabla->PonerTexto(*ultima, "F_FIN", fin);
    }
    if (EnBlanco(inicio) || EnBlanco(fin)) {
        const auto& marcos = ctx.documento.Registros("JORNADAS_ESCOLARES");
        if (!marcos.empty()) {
            const auto& datos = marcos[0].Datos();
            if (datos.size() >= 2) {
                inicio = Valor(datos, 2);
                fin = Valor(datos, 3);
            }
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
