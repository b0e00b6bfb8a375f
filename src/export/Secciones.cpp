// The two timetable sections: one professor group per PROFT row, each with the activities of
// the section's kind taken from SOLUC.
#include <algorithm>
#include <iterator>
#include <string>

#include "export/ContextoExportacion.h"
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

Texto SinAlmohadilla(Texto texto) {
    if (!texto.empty() && texto.front() == '#') texto.erase(0, 1);
    return texto;
}

void RellenarActividadNoRegular(ContextoExportacion& ctx, size_t fila) {
    const Texto tarea = SinAlmohadilla(ctx.tablas.wwTableSoluc->LeerTexto(fila, "TAREA"));
    long long minutos = 0;
    if (const auto tramo = BuscarTramo(ctx, fila)) {
        minutos = ctx.tablas.wwTableTramos->LeerEntero(*tramo, "MINUTOS");
    }
    ctx.salida.Dato("X_ACTIVIDAD", tarea);
    ctx.salida.Dato("N_MINSEN", std::to_string(minutos));
}

// Where a regular activity came from, for the summary.
Utf8 DescribirEntrada(const Tabla& soluc, size_t fila, std::string_view abrev) {
    auto campo = [&](const char* nombre) { return Cp1252AUtf8(soluc.LeerTexto(fila, nombre)); };
    return "profesor «" + Cp1252AUtf8(abrev) + "», día " + campo("DIA") + ", hora " +
           campo("HORA") + ", marco «" + campo("MARCO") + "», ASIG «" + campo("ASIG") +
           "», CODGRUPO «" + campo("CODGRUPO") + "»";
}

void AnotarRegular(ResumenExportacion& resumen, const ClavesActividad& claves, const Tabla& soluc,
                   size_t fila, std::string_view abrev) {
    ++resumen.regulares;
    const Texto* valores[] = {&claves.tramo, &claves.unidad, &claves.curso, &claves.materia};
    const char* nombres[] = {"X_TRAMO", "X_UNIDAD", "X_OFERTAMATRIG", "X_MATERIAOMG"};
    for (size_t i = 0; i < 4; ++i) {
        if (!EnBlanco(*valores[i])) continue;
        auto vacio = std::find_if(resumen.vacios.begin(), resumen.vacios.end(),
                                  [&](const auto& v) { return v.dato == nombres[i]; });
        if (vacio == resumen.vacios.end()) {
            resumen.vacios.push_back({nombres[i], 0, {}});
            vacio = std::prev(resumen.vacios.end());
        }
        if (vacio->cuantas++ == 0) vacio->primera = DescribirEntrada(soluc, fila, abrev);
    }
}

}  // namespace

std::optional<size_t> BuscarTramo(const ContextoExportacion& ctx, size_t filaSoluc) {
    const Tabla& soluc = *ctx.tablas.wwTableSoluc;
    // The day as its number's own text: whatever the kind and width of Velmora's field
    // ("1.00", "01", " 1"), day 1 slot 2 is "12", as DIASHORAST writes DIHO.
    const Texto clave = Texto::Numero(soluc.LeerEntero(filaSoluc, "DIA")) +
                        Texto::Numero(soluc.LeerEntero(filaSoluc, "HORA"));
    const Texto marco = Left(soluc.LeerTexto(filaSoluc, "MARCO"), 1);
    return ctx.tablas.wwTableTramos->Buscar({{"DIHO", clave}, {"MARCO", marco}});
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
        for (size_t fila : filas) {
            if (Clasificar(soluc, fila) != clase) continue;
            ctx.salida.Abrir("grupo_datos", {{"seq", "ACTIVIDAD_" + std::to_string(++m)}});
            if (regular) {
                const ClavesActividad claves = RellenarActividadRegular(ctx, fila);
                if (ctx.resumen) AnotarRegular(*ctx.resumen, claves, soluc, fila, abrev);
            } else {
                RellenarActividadNoRegular(ctx, fila);
                if (ctx.resumen) ++ctx.resumen->noRegulares;
            }
            ctx.salida.Cerrar();
        }
        ctx.salida.Cerrar();
    }
    ctx.salida.Cerrar();
}

}  // namespace pasaplan
