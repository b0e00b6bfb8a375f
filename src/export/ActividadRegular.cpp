// The content of one regular activity: Velmora's codes in SOLUC translated back into Séneca's
// keys through the tables the import run wrote.
#include <string>

#include "export/ContextoExportacion.h"
#include "platform/Error.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"
#include "text/Numeros.h"

namespace pasaplan {

long long MinutosReloj(std::string_view hora, const Utf8& donde) {
    const MinutosDeReloj leidos = LeerMinutosReloj(hora);
    if (!leidos.minutos) {
        throw ErrorPasaplan("La hora «" + Cp1252AUtf8(hora) + "» " + donde +
                            " no se puede convertir en minutos: «" + Cp1252AUtf8(leidos.parteMala) +
                            "» no es un número entero.");
    }
    return *leidos.minutos;
}

ClavesActividad RellenarActividadRegular(ContextoExportacion& ctx, size_t filaSoluc) {
    EscrituraDocumento& salida = ctx.salida;
    const TablasExportacion& t = ctx.tablas;
    const Tabla& soluc = *t.wwTableSoluc;

    const Texto asig = soluc.LeerTexto(filaSoluc, "ASIG");
    const Texto grupo = soluc.LeerTexto(filaSoluc, "CODGRUPO");
    Texto tarea = soluc.LeerTexto(filaSoluc, "TAREA");
    if (!tarea.empty() && tarea.front() == '#') tarea.erase(0, 1);

    ClavesActividad claves;
    // Subject and course keys of the assignment (subject, group).
    if (const auto fila = t.wwTableAsig->Buscar({{"CASIG", asig}, {"CGRUP", grupo}})) {
        claves.materia = t.wwTableAsig->LeerTexto(*fila, "CLAVE");
        claves.curso = t.wwTableAsig->LeerTexto(*fila, "CLAVECURSO");
    }
    // Activity code of the subject, when the timetable gives none.
    if (EnBlanco(tarea)) {
        if (const auto fila = t.wwTableNomAsg->Buscar({{"COD", asig}})) {
            tarea = t.wwTableNomAsg->LeerTexto(*fila, "CODTAREA");
        }
    }

    Texto dia, horaDesde, horaHasta;
    const auto tramo = BuscarTramo(ctx, filaSoluc);
    if (tramo) {
        dia = t.wwTableTramos->LeerTexto(*tramo, "DIA");
        claves.tramo = t.wwTableTramos->LeerTexto(*tramo, "CODDIHO");
        horaDesde = t.wwTableTramos->LeerTexto(*tramo, "HORADESDE");
        horaHasta = t.wwTableTramos->LeerTexto(*tramo, "HORAHASTA");
    }
    salida.Dato("N_DIASEMANA", dia);
    salida.Dato("X_TRAMO", claves.tramo);

    // The room as read: a leading blank stays, a blank code gives no room.
    const Texto aula = soluc.LeerTexto(filaSoluc, "AULA");
    salida.Dato("X_DEPENDENCIA", EnBlanco(aula) ? Texto() : aula);

    // Unit key of the group; its course when the assignment gave none.
    if (const auto fila = t.wwTableGrupos->Buscar({{"ABREV", grupo}})) {
        claves.unidad = t.wwTableGrupos->LeerTexto(*fila, "CLAVE");
        if (EnBlanco(claves.curso)) claves.curso = t.wwTableGrupos->LeerTexto(*fila, "CLAVECURSO");
    }
    // Subject key of the subject within that course, when the assignment gave none.
    if (EnBlanco(claves.materia)) {
        if (const auto fila =
                t.wwTableNomAsg_2->Buscar({{"COD", asig}, {"OFERTAMATRI", claves.curso}})) {
            claves.materia = t.wwTableNomAsg_2->LeerTexto(*fila, "MATERIA");
        }
    }
    salida.Dato("X_UNIDAD", claves.unidad);
    salida.Dato("X_OFERTAMATRIG", claves.curso);
    salida.Dato("X_MATERIAOMG", claves.materia);
    salida.Dato("F_INICIO", ctx.inicioPeriodo);
    salida.Dato("F_FIN", ctx.finPeriodo);

    const Utf8 donde = tramo ? "del tramo «" +
                                   Cp1252AUtf8(t.wwTableTramos->LeerTexto(*tramo, "DIHO")) +
                                   "» de DIASHORAST"
                             : Utf8("de DIASHORAST");
    salida.Dato("N_HORINI", std::to_string(MinutosReloj(horaDesde, donde)));
    salida.Dato("N_HORFIN", std::to_string(MinutosReloj(horaHasta, donde)));

    if (EnBlanco(tarea)) tarea = "1";
    salida.Dato("X_ACTIVIDAD", tarea);

    if (ctx.catalogos) {
        const Texto autorizacion = ctx.catalogos->Autorizacion(
            claves.curso, soluc.LeerTexto(filaSoluc, "CCONCIERTO"), tarea);
        if (!autorizacion.empty()) salida.Dato("X_ORIHORACTETP", autorizacion);
    }
    return claves;
}

}  // namespace pasaplan
