// The export run: the chosen Séneca file keeps its prolog and gets a new SERVICIO with the
// school year and both timetable sections, saved beside it as "ResultadoVelmora" + its name.
#include "export/Exportacion.h"

#include "ejecucion/InterlocutorVolcando.h"
#include "ejecucion/RelojArena.h"
#include "exchange/Documento.h"
#include "exchange/EscrituraDocumento.h"
#include "export/ContextoExportacion.h"
#include "platform/Atomico.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Clipper.h"

namespace pasaplan {
namespace {

void AbrirTablas(const std::filesystem::path& dir, TablasExportacion& t) {
    // Exclusive, as the main window's table objects open them: a table another program holds
    // stops the run with an error naming it.
    auto abrir = [&](const Utf8& nombre) { return Tabla::AbrirEn(dir, nombre, Acceso::Exclusivo); };
    t.wwTableSoluc = abrir("SOLUC");
    t.wwTableGrupos = abrir("GRUPOST");
    t.wwTableCursos = abrir("CursosT");
    t.wwTableProfesor = abrir("PROFT");
    t.wwTableAulas = abrir("AULAT");
    t.wwTableNomAsg = abrir("ASIGNOMT");
    t.wwTableNomAsg_2 = abrir("ASIGNOMT2");
    t.wwTableTramos = abrir("DIASHORAST");
    t.wwTableAsig = abrir("ASIGT");
}

// Up to four characters of the text of BLOQUE_DATOS' first child (the school-year block).
Texto TextoAnno(const Documento& doc) {
    const std::vector<Nodo> bloques = doc.Seleccionar("/SERVICIO/BLOQUE_DATOS");
    const Nodo primero = bloques.empty() ? Nodo() : bloques.front().PrimerHijo();
    if (!primero) {
        throw ErrorPasaplan("El archivo «" + doc.Nombre() +
                            "» no tiene datos en /SERVICIO/BLOQUE_DATOS: no es una exportación "
                            "de Séneca.");
    }
    return Left(primero.TextoContenido(), 4);
}

struct Periodo {
    Texto inicio;
    Texto fin;
    bool conFilas = false;
    Texto cursoAnno;  // CURSOANNO, for the review; empty when the table lacks it
};

Periodo LeerPeriodo(const std::filesystem::path& dir) {
    const auto periodos = Tabla::AbrirEn(dir, "PERIODOS", Acceso::Compartido);
    if (periodos->Filas() == 0) return {};
    return {periodos->LeerTexto(0, "F_INICIO"), periodos->LeerTexto(0, "F_FIN"), true,
            periodos->TieneCampo("CURSOANNO") ? periodos->LeerTexto(0, "CURSOANNO") : Texto()};
}

// The old SERVICIO goes; the prolog and any nodes after it stay where they are.
void QuitarContenido(Documento& doc) {
    for (const Nodo& bloque : doc.Seleccionar("/SERVICIO/BLOQUE_DATOS")) doc.Quitar(bloque);
    for (const Nodo& servicio : doc.Seleccionar("/SERVICIO")) doc.Quitar(servicio);
}

std::filesystem::path RutaResultado(const std::filesystem::path& archivo) {
    std::filesystem::path nombre("ResultadoVelmora");
    nombre += archivo.filename();
    return archivo.parent_path() / nombre;
}

}  // namespace

FinExportacion EjecutarExportacion(EstadoPrincipal& estado, Interlocutor& persona,
                                   ResumenExportacion* resumen) {
    InterlocutorVolcando interlocutor(persona);
    if (auto elegido = interlocutor.ElegirArchivoXml()) estado.ArchivoXML = *elegido;
    if (estado.ArchivoXML.empty() || !plataforma::ExisteArchivo(estado.ArchivoXML)) {
        interlocutor.Mensaje("No existe archivo");
        return FinExportacion::NoExisteArchivo;
    }

    // One run at a time on the exchange directory, to the end of the run; a result document a
    // killed run was writing is no longer anyone's.
    const auto bloqueo = TomarBloqueo(estado);
    const std::filesystem::path resultado = RutaResultado(estado.ArchivoXML);
    plataforma::BorrarTemporalesAbandonados(resultado.parent_path(), resultado);

    RelojArenaActivo reloj(interlocutor);
    const std::filesystem::path& dir = estado.DirectorioIntercambio;
    // Owned here: every end of the run, an error included, closes them.
    TablasExportacion tablas;
    AbrirTablas(dir, tablas);
    std::unique_ptr<CatalogosOrigen> catalogos = CatalogosOrigen::Abrir(dir);

    estado.documento.reset();
    const std::unique_ptr<Documento> documento = Documento::Cargar(estado.ArchivoXML);
    Documento& doc = *documento;
    const Texto anno = TextoAnno(doc);

    if (!plataforma::ExisteArchivo(Tabla::RutaEn(dir, "PERIODOS"))) {
        tablas = {};
        catalogos.reset();
        reloj.Terminar();
        interlocutor.Mensaje(
            "ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de SÉNECA.");
        return FinExportacion::FaltaPeriodos;
    }
    const Periodo periodo = LeerPeriodo(dir);

    QuitarContenido(doc);
    ResumenExportacion cuentas;
    cuentas.profesores = tablas.wwTableProfesor->Filas();
    cuentas.reemplazado = plataforma::ExisteArchivo(resultado);
    HorasEscritas& escritas = cuentas.escritas;
    escritas.anno = anno;
    escritas.inicioPeriodo = periodo.inicio;
    escritas.finPeriodo = periodo.fin;
    escritas.periodosConFilas = periodo.conFilas;
    escritas.cursoPeriodos = periodo.cursoAnno;
    // Kept only for a caller that reads them.
    if (resumen) escritas.horas.reserve(tablas.wwTableSoluc->Filas());
    // The new SERVICIO is written as it is built, after the prolog.
    doc.Guardar(resultado, [&](EscrituraDocumento& salida) {
        salida.Abrir("SERVICIO", {{"modulo", "HORARIOS"},
                                  {"tipo", "I"},
                                  {"autor", "VELMORA"},
                                  {"fecha", plataforma::FechaHoraEspanola()}});
        salida.Abrir("BLOQUE_DATOS");
        salida.Abrir("grupo_datos", {{"seq", "ANNO_ACADEMICO"}});
        salida.Dato("C_ANNO", anno);
        salida.Cerrar();

        ContextoExportacion ctx{salida,      tablas,          periodo.inicio,
                                periodo.fin, catalogos.get(), resumen ? &cuentas : nullptr};
        EscribirSeccion(ctx, TipoSeccion::NoRegular);
        EscribirSeccion(ctx, TipoSeccion::Regular);
        salida.Cerrar();
        salida.Cerrar();
    });
    if (resumen) {
        AnotarTablasEscritas(tablas, escritas);
        ContarVacios(cuentas);
    }
    tablas = {};
    catalogos.reset();

    std::error_code error;
    cuentas.documento = std::filesystem::absolute(resultado, error);
    if (error) cuentas.documento = resultado;
    if (resumen) *resumen = std::move(cuentas);

    reloj.Terminar();
    interlocutor.Mensaje("Proceso finalizado");
    return FinExportacion::Finalizado;
}

}  // namespace pasaplan
