// The two timetable sections: one professor group per PROFT row, each with the activities of
// the section's kind taken from SOLUC.
#include <string>
#include <unordered_set>

#include "export/ContextoExportacion.h"
#include "export/OrigenHora.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

enum class ClaseEntrada { SinColocar, NoRegular, Regular };

// DIA 0 or blank marks an entry Velmora did not place; a leading "#" in ASIG a non-regular
// activity.
ClaseEntrada Clasificar(const Tabla& soluc, size_t fila) {
    if (EnBlanco(soluc.LeerTexto(fila, "DIA")) || soluc.LeerEntero(fila, "DIA") == 0) {
        return ClaseEntrada::SinColocar;
    }
    const Texto asig = soluc.LeerTexto(fila, "ASIG");
    return !asig.empty() && asig.front() == '#' ? ClaseEntrada::NoRegular : ClaseEntrada::Regular;
}

std::string_view SinBlancosFinales(std::string_view texto) {
    while (!texto.empty() && texto.back() == ' ') texto.remove_suffix(1);
    return texto;
}

Texto SinAlmohadilla(Texto texto) {
    if (!texto.empty() && texto.front() == '#') texto.erase(0, 1);
    return texto;
}

void RellenarActividadNoRegular(ContextoExportacion& ctx, size_t fila, HoraEscrita& hora) {
    const Tabla& soluc = *ctx.tablas.wwTableSoluc;
    hora.actividad = SinAlmohadilla(soluc.LeerTexto(fila, "TAREA"));
    hora.asig = soluc.LeerTexto(fila, "ASIG");
    hora.grupo = soluc.LeerTexto(fila, "CODGRUPO");
    if (const auto tramo = BuscarTramo(ctx, fila, &hora)) {
        hora.minutos = ctx.tablas.wwTableTramos->LeerEntero(*tramo, "MINUTOS");
    }
    ctx.salida.Dato("X_ACTIVIDAD", hora.actividad);
    ctx.salida.Dato("N_MINSEN", std::to_string(hora.minutos));
}

}  // namespace

std::optional<size_t> BuscarTramo(const ContextoExportacion& ctx, size_t filaSoluc,
                                  HoraEscrita* hora) {
    const Tabla& soluc = *ctx.tablas.wwTableSoluc;
    // The day as its number's own text: whatever the kind and width of Velmora's field
    // ("1.00", "01", " 1"), day 1 slot 2 is "12", as DIASHORAST writes DIHO.
    Texto dia = Texto::Numero(soluc.LeerEntero(filaSoluc, "DIA"));
    Texto numero = Texto::Numero(soluc.LeerEntero(filaSoluc, "HORA"));
    Texto marco = Left(soluc.LeerTexto(filaSoluc, "MARCO"), 1);
    const auto tramo = ctx.tablas.wwTableTramos->Buscar({{"DIHO", dia + numero}, {"MARCO", marco}});
    if (hora) {
        hora->dia = std::move(dia);
        hora->hora = std::move(numero);
        hora->marco = std::move(marco);
        hora->tramo = tramo;
    }
    return tramo;
}

void EscribirSeccion(ContextoExportacion& ctx, TipoSeccion tipo) {
    const bool regular = tipo == TipoSeccion::Regular;
    const ClaseEntrada clase = regular ? ClaseEntrada::Regular : ClaseEntrada::NoRegular;
    const std::string prefijo =
        regular ? "HORARIO_REGULAR_PROFESOR_" : "HORARIO_NO_REGULAR_PROFESOR_";
    const Tabla& profesores = *ctx.tablas.wwTableProfesor;
    const Tabla& soluc = *ctx.tablas.wwTableSoluc;

    ctx.salida.Abrir("grupo_datos",
                     {{"seq", regular ? "HORARIOS_REGULARES" : "HORARIOS_NO_REGULARES"},
                      {"registros", std::to_string(profesores.Filas())}});

    for (size_t p = 0; p < profesores.Filas(); ++p) {
        const Texto empleado = profesores.LeerTexto(p, "X_EMPLEADO");
        const Texto tomaPosesion = profesores.LeerTexto(p, "F_TOMAPOS");
        const Texto abrev = profesores.LeerTexto(p, "ABREV");
        if (ctx.resumen && ctx.resumen->escritas.profesores.size() == p) {
            const Texto nombre =
                profesores.TieneCampo("NOMBRE") ? profesores.LeerTexto(p, "NOMBRE") : Texto();
            ctx.resumen->escritas.profesores.push_back({abrev, nombre, empleado, tomaPosesion});
        }

        // The professor's rows in stored order; the value is compared as it stands, so a
        // quote in an abbreviation selects exactly its own rows.
        const std::vector<size_t> filas = soluc.Filtrar("PROF", abrev);
        size_t cuenta = 0;
        for (size_t fila : filas) {
            if (Clasificar(soluc, fila) == clase) ++cuenta;
        }

        ctx.salida.Abrir("grupo_datos", {{"seq", prefijo + std::to_string(p + 1)},
                                         {"registros", std::to_string(cuenta)}});
        ctx.salida.Dato("X_EMPLEADO", empleado);
        ctx.salida.Dato("F_TOMAPOS", tomaPosesion);

        size_t m = 0;
        HoraEscrita suelta;  // what is written when no one keeps it
        for (size_t fila : filas) {
            const ClaseEntrada leida = Clasificar(soluc, fila);
            if (leida == ClaseEntrada::SinColocar && regular && ctx.resumen &&
                p < ctx.resumen->escritas.profesores.size()) {
                ++ctx.resumen->escritas.profesores[p].sinColocar;
            }
            if (leida != clase) continue;
            HoraEscrita* hora = &suelta;
            if (ctx.resumen) {
                hora = &ctx.resumen->escritas.horas.emplace_back();
            } else {
                suelta = HoraEscrita{};
            }
            hora->seccion = regular ? SeccionHora::Regular : SeccionHora::NoRegular;
            hora->profesor = p;
            hora->filaSoluc = fila;
            hora->numero = ++m;
            hora->prof = abrev;
            ctx.salida.Abrir("grupo_datos", {{"seq", "ACTIVIDAD_" + std::to_string(m)}});
            if (regular) {
                RellenarActividadRegular(ctx, fila, *hora);
                if (ctx.resumen) ++ctx.resumen->regulares;
            } else {
                RellenarActividadNoRegular(ctx, fila, *hora);
                if (ctx.resumen) ++ctx.resumen->noRegulares;
            }
            ctx.salida.Cerrar();
        }
        ctx.salida.Cerrar();
    }
    ctx.salida.Cerrar();
}

}  // namespace pasaplan

namespace pasaplan {

void AnotarTablasEscritas(const TablasExportacion& tablas, HorasEscritas& escritas) {
    const Tabla& profesores = *tablas.wwTableProfesor;
    const Tabla& tramos = *tablas.wwTableTramos;
    const Tabla& soluc = *tablas.wwTableSoluc;

    for (size_t f = 0; f < tramos.Filas(); ++f) {
        auto leer = [&](const char* campo) {
            return tramos.TieneCampo(campo) ? tramos.LeerTexto(f, campo) : Texto();
        };
        escritas.tramos.push_back({leer("DIHO"), leer("CODDIHO"), leer("DIA"), leer("HORA"),
                                   leer("HORADESDE"), leer("HORAHASTA"), leer("MARCO")});
    }

    // The codes the sections selected SOLUC's rows with; trailing blanks never count.
    std::unordered_set<std::string_view> codigos;
    for (const ProfesorEscrito& p : escritas.profesores) codigos.insert(SinBlancosFinales(p.abrev));
    // Without PROFT rows the sections read no PROF, and a SOLUC without it is no error yet.
    if (profesores.Filas() == 0 && !soluc.TieneCampo("PROF")) return;
    for (size_t fila = 0; fila < soluc.Filas(); ++fila) {
        Texto prof = soluc.LeerTexto(fila, "PROF");
        if (codigos.count(SinBlancosFinales(prof))) continue;
        HoraSinProfesor hora;
        hora.filaSoluc = fila;
        hora.prof = std::move(prof);
        auto leer = [&](const char* campo) {
            return soluc.TieneCampo(campo) ? soluc.LeerTexto(fila, campo) : Texto();
        };
        // As read, never converted: a row no section writes stops no run.
        const Texto dia = leer("DIA");
        const auto numeroDia = EnteroDeClave(dia);
        hora.colocada = !EnBlanco(dia) && numeroDia != 0;
        hora.dia = numeroDia ? Texto::Numero(*numeroDia) : dia;
        const Texto numero = leer("HORA");
        const auto numeroHora = EnteroDeClave(numero);
        hora.hora = numeroHora ? Texto::Numero(*numeroHora) : numero;
        hora.marco = Left(leer("MARCO"), 1);
        hora.asig = leer("ASIG");
        hora.grupo = leer("CODGRUPO");
        escritas.sinProfesor.push_back(std::move(hora));
    }
}

}  // namespace pasaplan
