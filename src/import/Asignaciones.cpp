// Step 8: the subject assignments (ASIGT), one row for every unit of a subject's course.
#include <cmath>
#include <unordered_map>

#include "import/Pasos.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

// The fixed weekly load: 240 minutes, one-hour lessons.
constexpr int kMinutosSemana = 240;

// Subject names compared as the step does: first 80 characters, ASCII letters upper-cased,
// blanks trimmed at both ends.
Texto ClaveNombre(std::string_view nombre) { return AllTrim(MayusculasAscii(Left(nombre, 80))); }

}  // namespace

void CargarAsignaciones(ContextoImportacion& ctx) {
    auto asignaciones = CrearTablaPaso(
        ctx, "ASIGT",
        {CampoTexto("CASIG", 10), CampoTexto("CPROF", 10), CampoTexto("CGRUP", 10),
         CampoTexto("CAULA", 10), CampoTexto("TURNO", 1), CampoTexto("NIVEL", 5),
         CampoTexto("CURSO", 3), CampoTexto("GRUPO", 2), CampoFlotante("HORAS"),
         CampoTexto("SESIONES", 20), CampoTexto("NCONEX", 4), CampoTexto("CLAVE", 10),
         CampoTexto("CLAVECURSO", 10), CampoTexto("CTAREA", 10)});
    // The main window's components wwTableGrupos and wwTableNomAsg.
    const auto grupos = Tabla::AbrirEn(ctx.Directorio(), "GRUPOST", Acceso::Exclusivo);
    const auto materias = Tabla::AbrirEn(ctx.Directorio(), "ASIGNOMT", Acceso::Exclusivo);

    // Both scans of every record, made once: the first ASIGNOMT row of each name (its COD, even
    // when empty) and the units of each course in stored order. Same results as the scans.
    std::unordered_map<Texto, Texto> codigoPorNombre;
    for (size_t f = 0; f < materias->Filas(); ++f) {
        codigoPorNombre.emplace(ClaveNombre(materias->LeerTexto(f, "NOMBRE")),
                                materias->LeerTexto(f, "COD"));
    }
    std::unordered_map<Texto, std::vector<size_t>> unidadesPorCurso;
    for (size_t f = 0; f < grupos->Filas(); ++f) {
        unidadesPorCurso[grupos->LeerTexto(f, "CLAVECURSO")].push_back(f);
    }

    const double horas = std::ceil(kMinutosSemana / 60.0);
    const Texto sesiones(static_cast<size_t>(horas), '1');

    std::vector<Nodo> datos;  // one vector for every record
    for (const Nodo& registro : ctx.documento.Registros("MATERIAS")) {
        registro.Datos(datos);
        // A record without a third value names no subject to look up.
        if (datos.size() < 3) continue;
        const Texto claveCurso = Valor(datos, 0);
        Texto codigo, nombre;
        bool conNombre = false;
        if (NombreDatoEs(datos[2], "X_MATERIAOMG")) {
            codigo = Valor(datos, 2);
        } else {
            nombre = Valor(datos, 2);
            conNombre = true;
        }
        if (NombreDatoEs(datos[1], "D_MATERIAC")) {
            nombre = Valor(datos, 1);
            conNombre = true;
        } else {
            codigo = Valor(datos, 1);
        }
        // Two codes and no name: there is no subject to look up.
        if (!conNombre) continue;

        const auto materia = codigoPorNombre.find(ClaveNombre(nombre));
        if (materia == codigoPorNombre.end() || materia->second.empty()) continue;
        const auto unidades = unidadesPorCurso.find(claveCurso);
        if (unidades == unidadesPorCurso.end()) continue;

        for (const size_t g : unidades->second) {
            const size_t fila = asignaciones->Agregar();
            asignaciones->PonerTexto(fila, "CASIG", materia->second);
            asignaciones->PonerTexto(fila, "CGRUP", grupos->LeerTexto(g, "ABREV"));
            asignaciones->PonerTexto(fila, "CAULA", "");
            asignaciones->PonerTexto(fila, "TURNO", "");
            asignaciones->PonerTexto(fila, "NIVEL", grupos->LeerTexto(g, "NIVEL"));
            asignaciones->PonerTexto(fila, "CURSO", grupos->LeerTexto(g, "CURSO"));
            asignaciones->PonerTexto(fila, "GRUPO", grupos->LeerTexto(g, "GRUPO"));
            asignaciones->PonerFlotante(fila, "HORAS", horas);
            asignaciones->PonerTexto(fila, "SESIONES", sesiones);
            asignaciones->PonerTexto(fila, "CLAVE", codigo);
            asignaciones->PonerTexto(fila, "CLAVECURSO", claveCurso);
            asignaciones->PonerTexto(fila, "CTAREA", "1");
            asignaciones->Grabar(fila);
        }
    }
    CerrarTablaPaso(ctx, asignaciones);
}

}  // namespace pasaplan
