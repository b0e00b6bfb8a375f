// Step 8: the subject assignments (ASIGT), one row for every unit of a subject's course.
#include <cmath>
#include <unordered_map>

#include "import/Pasos.h"
#include "seneca/Registros.h"

namespace pasaplan {
namespace {

// The fixed weekly load: 240 minutes, one-hour lessons.
constexpr int kMinutosSemana = 240;

// Subject names compared as the step does: first 80 characters, ASCII letters upper-cased
// (as MayusculasAscii), blanks trimmed at both ends. Worked out in buffer, which a loop
// reuses; the result views it.
std::string_view ClaveNombre(std::string_view nombre, Texto& buffer) {
    buffer.assign(nombre.substr(0, 80));
    for (char& c : buffer) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    std::string_view clave = buffer;
    while (!clave.empty() && clave.front() == ' ') clave.remove_prefix(1);
    while (!clave.empty() && clave.back() == ' ') clave.remove_suffix(1);
    return clave;
}

struct HashTexto {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

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
    std::unordered_map<Texto, Texto, HashTexto, std::equal_to<>> codigoPorNombre;
    Texto clave;  // reused for every name
    for (size_t f = 0; f < materias->Filas(); ++f) {
        codigoPorNombre.emplace(
            Texto::DeBytes(ClaveNombre(materias->LeerTexto(f, "NOMBRE"), clave)),
            materias->LeerTexto(f, "COD"));
    }
    std::unordered_map<Texto, std::vector<size_t>> unidadesPorCurso;
    // What every assignment of a unit copies from its GRUPOST row, read once per unit.
    struct Unidad {
        Texto abreviatura, nivel, curso, grupo;
    };
    std::vector<Unidad> unidad(grupos->Filas());
    for (size_t f = 0; f < grupos->Filas(); ++f) {
        unidadesPorCurso[grupos->LeerTexto(f, "CLAVECURSO")].push_back(f);
        unidad[f] = {grupos->LeerTexto(f, "ABREV"), grupos->LeerTexto(f, "NIVEL"),
                     grupos->LeerTexto(f, "CURSO"), grupos->LeerTexto(f, "GRUPO")};
    }

    const double horas = std::ceil(kMinutosSemana / 60.0);
    const Texto sesiones = Texto::DeBytes(static_cast<size_t>(horas), '1');

    for (const seneca::Materia& leida : seneca::Materias(ctx.documento)) {
        // A record without a third value names no subject to look up.
        if (leida.valores < 3) continue;
        // Two codes and no name: there is no subject to look up.
        if (!leida.conNombre) continue;
        const Texto& claveCurso = leida.oferta;
        const Texto& codigo = leida.codigo;
        const Texto& nombre = leida.nombre;

        const auto materia = codigoPorNombre.find(ClaveNombre(nombre, clave));
        if (materia == codigoPorNombre.end() || materia->second.empty()) continue;
        const auto unidades = unidadesPorCurso.find(claveCurso);
        if (unidades == unidadesPorCurso.end()) continue;

        for (const size_t g : unidades->second) {
            const size_t fila = asignaciones->Agregar();
            asignaciones->PonerTexto(fila, "CASIG", materia->second);
            asignaciones->PonerTexto(fila, "CGRUP", unidad[g].abreviatura);
            asignaciones->PonerTexto(fila, "CAULA", "");
            asignaciones->PonerTexto(fila, "TURNO", "");
            asignaciones->PonerTexto(fila, "NIVEL", unidad[g].nivel);
            asignaciones->PonerTexto(fila, "CURSO", unidad[g].curso);
            asignaciones->PonerTexto(fila, "GRUPO", unidad[g].grupo);
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
