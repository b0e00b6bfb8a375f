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

void RellenarActividadRegular(ContextoExportacion& ctx, size_t filaSoluc, HoraEscrita& hora) {
    EscrituraDocumento& salida = ctx.salida;
    const TablasExportacion& t = ctx.tablas;
    const Tabla& soluc = *t.wwTableSoluc;

    hora.asig = soluc.LeerTexto(filaSoluc, "ASIG");
    hora.grupo = soluc.LeerTexto(filaSoluc, "CODGRUPO");
    const Texto& asig = hora.asig;
    const Texto& grupo = hora.grupo;
    Texto tarea = soluc.LeerTexto(filaSoluc, "TAREA");
    if (!tarea.empty() && tarea.front() == '#') tarea.erase(0, 1);

    // Subject and course keys of the assignment (subject, group).
    if (const auto fila = t.wwTableAsig->Buscar({{"CASIG", asig}, {"CGRUP", grupo}})) {
        hora.materia = t.wwTableAsig->LeerTexto(*fila, "CLAVE");
        hora.curso = t.wwTableAsig->LeerTexto(*fila, "CLAVECURSO");
    }
    // Activity code of the subject, when the timetable gives none.
    if (EnBlanco(tarea)) {
        if (const auto fila = t.wwTableNomAsg->Buscar({{"COD", asig}})) {
            tarea = t.wwTableNomAsg->LeerTexto(*fila, "CODTAREA");
        }
    }

    Texto horaDesde, horaHasta;
    const auto tramo = BuscarTramo(ctx, filaSoluc, &hora);
    if (tramo) {
        hora.diaSemana = t.wwTableTramos->LeerTexto(*tramo, "DIA");
        hora.xTramo = t.wwTableTramos->LeerTexto(*tramo, "CODDIHO");
        horaDesde = t.wwTableTramos->LeerTexto(*tramo, "HORADESDE");
        horaHasta = t.wwTableTramos->LeerTexto(*tramo, "HORAHASTA");
    }
    salida.Dato("N_DIASEMANA", hora.diaSemana);
    salida.Dato("X_TRAMO", hora.xTramo);

    // The room as read: a leading blank stays, a blank code gives no room.
    Texto aula = soluc.LeerTexto(filaSoluc, "AULA");
    if (EnBlanco(aula)) aula.clear();
    hora.dependencia = std::move(aula);
    salida.Dato("X_DEPENDENCIA", hora.dependencia);

    // Unit key of the group; its course when the assignment gave none.
    if (const auto fila = t.wwTableGrupos->Buscar({{"ABREV", grupo}})) {
        hora.unidad = t.wwTableGrupos->LeerTexto(*fila, "CLAVE");
        if (EnBlanco(hora.curso)) hora.curso = t.wwTableGrupos->LeerTexto(*fila, "CLAVECURSO");
    }
    // Subject key of the subject within that course, when the assignment gave none.
    if (EnBlanco(hora.materia)) {
        if (const auto fila =
                t.wwTableNomAsg_2->Buscar({{"COD", asig}, {"OFERTAMATRI", hora.curso}})) {
            hora.materia = t.wwTableNomAsg_2->LeerTexto(*fila, "MATERIA");
        }
    }
    salida.Dato("X_UNIDAD", hora.unidad);
    salida.Dato("X_OFERTAMATRIG", hora.curso);
    salida.Dato("X_MATERIAOMG", hora.materia);
    salida.Dato("F_INICIO", ctx.inicioPeriodo);
    salida.Dato("F_FIN", ctx.finPeriodo);

    const Utf8 donde = tramo ? "del tramo «" +
                                   Cp1252AUtf8(t.wwTableTramos->LeerTexto(*tramo, "DIHO")) +
                                   "» de DIASHORAST"
                             : Utf8("de DIASHORAST");
    hora.horaInicio = MinutosReloj(horaDesde, donde);
    hora.horaFin = MinutosReloj(horaHasta, donde);
    salida.Dato("N_HORINI", std::to_string(hora.horaInicio));
    salida.Dato("N_HORFIN", std::to_string(hora.horaFin));

    if (EnBlanco(tarea)) tarea = "1";
    hora.actividad = std::move(tarea);
    salida.Dato("X_ACTIVIDAD", hora.actividad);

    if (ctx.catalogos) {
        hora.autorizacion = ctx.catalogos->Autorizacion(
            hora.curso, soluc.LeerTexto(filaSoluc, "CCONCIERTO"), hora.actividad);
        if (!hora.autorizacion.empty()) salida.Dato("X_ORIHORACTETP", hora.autorizacion);
    }
}

}  // namespace pasaplan
