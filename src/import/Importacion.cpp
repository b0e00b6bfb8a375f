#include "import/Importacion.h"

#include "ejecucion/InterlocutorVolcando.h"
#include "ejecucion/RelojArena.h"
#include "import/Pasos.h"
#include "platform/Error.h"
#include "platform/Rutas.h"

namespace pasaplan {

FinImportacion EjecutarImportacion(EstadoPrincipal& estado, Interlocutor& persona) {
    InterlocutorVolcando interlocutor(persona);
    if (auto elegido = interlocutor.ElegirArchivoXml()) estado.ArchivoXML = *elegido;
    if (estado.ArchivoXML.empty() || !plataforma::ExisteArchivo(estado.ArchivoXML)) {
        interlocutor.Mensaje("No existe archivo");
        return FinImportacion::NoExisteArchivo;
    }

    // Everything that can be refused is refused here, before any table is touched.
    estado.documento.reset();
    estado.documento = ExportacionSeneca::Cargar(estado.ArchivoXML);
    if (!std::filesystem::is_directory(estado.DirectorioIntercambio)) {
        throw ErrorPasaplan("No existe el directorio de intercambio «" +
                            plataforma::Utf8DeRuta(estado.DirectorioIntercambio) +
                            "» (C:\\VTEMP). Créelo antes de importar.");
    }
    // Every step deletes and creates files there, and the course levels are kept through a
    // file created beside CURSOST2: without write access the run would stop half-way.
    if (const auto permiso = plataforma::PermisoEscritura(estado.DirectorioIntercambio);
        permiso != plataforma::Escritura::Permitida) {
        throw ErrorPasaplan(
            "No se puede escribir en el directorio de intercambio «" +
            plataforma::Utf8DeRuta(estado.DirectorioIntercambio) + "» (C:\\VTEMP): " +
            (permiso == plataforma::Escritura::SoloLectura ? Utf8("el disco es de solo lectura.")
                                                           : Utf8("permiso denegado.")));
    }
    // One run at a time on the directory, from here to the end of the run.
    const auto bloqueo = TomarBloqueo(estado);
    interlocutor.ComprobarAntesDePasos(*estado.documento);

    RelojArenaActivo reloj(interlocutor);
    // The lists start empty in every run, even after a run that an error ended.
    estado.Listas = std::make_unique<ListasMaterias>();
    ContextoImportacion ctx{estado, interlocutor, *estado.documento};

    CargarPeriodos(ctx);
    if (CargarCursos(ctx)) return FinImportacion::SalidaForzada;
    CargarMaterias(ctx);
    CargarActividades(ctx);
    CargarEmpleados(ctx);
    CargarDependencias(ctx);
    CargarUnidades(ctx);
    CargarAsignaciones(ctx);
    CargarTramos(ctx);
    CargarCatalogos(ctx);

    reloj.Terminar();
    interlocutor.Mensaje("Proceso finalizado");
    return FinImportacion::Finalizado;
}

}  // namespace pasaplan
