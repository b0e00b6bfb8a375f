// Step 6: the rooms of block "DEPENDENCIAS" into AULAT; Séneca's room key is Velmora's code.
#include "import/Pasos.h"
#include "text/Clipper.h"

namespace pasaplan {

void CargarDependencias(ContextoImportacion& ctx) {
    auto aulat = CrearTablaPaso(
        ctx, "AULAT",
        {CampoTexto("ABREV", 10), CampoTexto("NOMBRE", 80), CampoTexto("EDIFICIO", 1),
         CampoEntero("MAXALUM"), CampoTexto("DEPCENTRO", 10)});

    for (const Grupo& registro : ctx.documento.Registros("DEPENDENCIAS")) {
        const auto& datos = registro.Datos();
        if (datos.size() < 2) continue;
        const Texto clave = Valor(datos, 0);
        const size_t fila = aulat->Agregar();
        aulat->PonerTexto(fila, "ABREV", Left(clave, 10));
        aulat->PonerTexto(fila, "NOMBRE", Valor(datos, 1));
        aulat->PonerTexto(fila, "DEPCENTRO", clave);
        aulat->Grabar(fila);
    }

    CerrarTablaPaso(ctx, aulat);
}

}  // namespace pasaplan
