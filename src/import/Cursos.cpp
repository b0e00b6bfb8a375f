// Step 2: the courses of the centre (CURSOST), completed by the user in the course levels dialog.
#include "import/ControlCursos.h"
#include "import/Pasos.h"
#include "seneca/Registros.h"

namespace pasaplan {

bool CargarCursos(ContextoImportacion& ctx) {
    auto cursos = CrearTablaPaso(ctx, "CURSOST", CamposCursos());
    for (const seneca::Curso& curso : seneca::Cursos(ctx.documento)) {
        const size_t fila = cursos->Agregar();
        cursos->PonerTexto(fila, "CLAVE", curso.clave);
        cursos->PonerTexto(fila, "ESTUD", curso.estudios);
        cursos->Grabar(fila);
    }
    CerrarTablaPaso(ctx, cursos);

    // The dialog comes back as long as OK found a course incomplete; from the second showing
    // on it offers the forced exit.
    ResultadoCursos resultado;
    for (;;) {
        resultado = ctx.interlocutor.MostrarDialogoCursos(
            ContextoCursos{ctx.Directorio(), ctx.estado.DialogoRepetido});
        if (resultado.FaltaDato == 0) break;
        ctx.estado.DialogoRepetido = true;
    }
    return resultado.MarcaSalida == MarcaSalida::Fuera;
}

}  // namespace pasaplan
