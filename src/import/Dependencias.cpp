// Step 6: the rooms of block "DEPENDENCIAS" into AULAT; Séneca's room key is Velmora's code.
#include "import/Pasos.h"
#include "seneca/Registros.h"
#include "text/Clipper.h"

namespace pasaplan {

void CargarDependencias(ContextoImportacion& ctx) {
    auto aulat = CrearTablaPaso(
        ctx, "AULAT",
        {CampoTexto("ABREV", 10), CampoTexto("NOMBRE", 80), CampoTexto("EDIFICIO", 1),
         CampoEntero("MAXALUM"), CampoTexto("DEPCENTRO", 10)});

    for (const seneca::Dependencia& dependencia : seneca::Dependencias(ctx.documento)) {
        const size_t fila = aulat->Agregar();
        aulat->PonerTexto(fila, "ABREV", Left(dependencia.clave, 10));
        aulat->PonerTexto(fila, "NOMBRE", dependencia.nombre);
        aulat->PonerTexto(fila, "DEPCENTRO", dependencia.clave);
        aulat->Grabar(fila);
    }

    CerrarTablaPaso(ctx, aulat);
}

}  // namespace pasaplan
