// Step 4: the activities of block "ACTIVIDADES" appended to ASIGNOMT as tasks; the end of the
// subjects step's four lists.
#include "import/CodigosMaterias.h"
#include "import/Pasos.h"
#include "seneca/Registros.h"
#include "text/Clipper.h"

namespace pasaplan {

void CargarActividades(ContextoImportacion& ctx) {
    const auto& actividades = seneca::Actividades(ctx.documento);
    // Step 3 created the table; this step only appends to it.
    auto asignomt = Tabla::AbrirEn(ctx.Directorio(), "ASIGNOMT.DBF", Acceso::Compartido);

    for (const seneca::Actividad& actividad : actividades) {
        const Texto& nombre = actividad.nombre;
        const Texto codigo = actividad.CodigoVelmora();

        const size_t fila = asignomt->Agregar();
        asignomt->PonerTexto(fila, "COD", codigo);
        asignomt->PonerTexto(fila, "CODLARGO",
                             Left(nombre, static_cast<long>(kAnchoCodigoMateria)));
        asignomt->PonerTexto(fila, "NOMBRE", nombre);
        asignomt->PonerTexto(fila, "CODTAREA", codigo);
        asignomt->PonerLogico(fila, "ESTAREA", true);
        asignomt->Grabar(fila);
    }

    CerrarTablaPaso(ctx, asignomt);
    ctx.estado.Listas.reset();
}

}  // namespace pasaplan
