// The report's checks of subjects, activities and their codes, and of the subject assignments.
#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "report/Revision.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan::informe {
namespace {

constexpr size_t kAnchoCod = 10;     // COD of ASIGNOMT
constexpr size_t kAnchoSeneca = 20;  // MATERIA and OFERTAMATRI of ASIGNOMT2

// Units per course key as the assignments step finds them in GRUPOST.
std::unordered_map<Texto, size_t> UnidadesPorCurso(const Tabla& grupost) {
    std::unordered_map<Texto, size_t> cuenta;
    for (size_t f = 0; f < grupost.Filas(); ++f) ++cuenta[grupost.LeerTexto(f, "CLAVECURSO")];
    return cuenta;
}

void MateriasSinCurso(Revision& r) {
    const Tabla* grupost = r.Abrir("GRUPOST", {"CLAVECURSO"});
    const auto unidades =
        grupost ? UnidadesPorCurso(*grupost) : std::unordered_map<Texto, size_t>{};
    for (const seneca::Materia& m : r.Materias()) {
        if (r.CursoDeClave(m.oferta)) continue;
        Utf8 frase = "La materia " + ConNombre(m.nombre, m.codigo);
        frase += m.oferta.empty() ? " no indica su curso"
                                  : " pertenece al curso " + U(m.oferta) +
                                        ", que no está entre los cursos del centro";
        if (!grupost) {
            frase += ".";
        } else if (m.oferta.size() > kAnchoCod || !unidades.contains(m.oferta)) {
            frase += ": no tendrá filas en ASIGT.";
        } else {
            frase += ": sus filas de ASIGT serán de unidades sin nivel ni curso.";
        }
        r.Anadir(TipoHallazgo::MateriaSinCurso, "MATERIAS", NumeroRegistro(m.numero), frase);
    }
}

void MateriasSinNombre(Revision& r) {
    // Only what the subjects step really left out: its bridge table has no row for the record.
    const Tabla* asignomt2 = r.Abrir("ASIGNOMT2", {"MATERIA", "OFERTAMATRI"});
    if (!asignomt2) return;
    // Gathered at the first record without a name: most exports have none.
    std::optional<std::set<std::pair<Texto, Texto>>> importadas;
    for (const seneca::Materia& m : r.Materias()) {
        if (!m.nombre.empty()) continue;
        if (!importadas) {
            importadas.emplace();
            for (size_t f = 0; f < asignomt2->Filas(); ++f) {
                importadas->emplace(asignomt2->LeerTexto(f, "MATERIA"),
                                    asignomt2->LeerTexto(f, "OFERTAMATRI"));
            }
        }
        if (importadas->contains(
                {RTrim(Left(m.codigo, kAnchoSeneca)), RTrim(Left(m.oferta, kAnchoSeneca))})) {
            continue;
        }
        Utf8 frase =
            m.codigo.empty() ? Utf8("Una materia sin código") : "La materia " + U(m.codigo);
        if (!m.oferta.empty()) frase += " del curso " + U(m.oferta);
        frase += " no tiene nombre: no se ha importado (no está en ASIGNOMT ni en ASIGT).";
        r.Anadir(TipoHallazgo::MateriaSinNombre, "MATERIAS", NumeroRegistro(m.numero), frase);
    }
}

void CodigosDeActividadCortados(Revision& r) {
    for (const seneca::Actividad& reg : seneca::Actividades(r.doc)) {
        const bool almohadilla = reg.ConAlmohadilla();
        const Texto& codigo = reg.codigo;
        const Texto guardado = reg.CodigoVelmora();
        if (guardado.size() <= kAnchoCod) continue;
        const Texto cortado = Left(guardado, kAnchoCod);
        const Texto& nombre = reg.nombre;
        Utf8 frase =
            (nombre.empty() ? Utf8("Una actividad sin nombre") : "La actividad " + Entre(nombre)) +
            " tiene el código " + U(codigo);
        frase += almohadilla ? Utf8(", que con la «#» delante pasa de los 10 caracteres de COD")
                             : Utf8(", más largo que los 10 caracteres de COD");
        frase += ": ASIGNOMT guarda " + Entre(cortado) +
                 ", y sus horas irán a Séneca como la actividad " +
                 U(almohadilla ? cortado.substr(1) : cortado) + ", no la " + U(codigo) + ".";
        r.Anadir(TipoHallazgo::CodigoActividadCortado, "ACTIVIDADES", NumeroRegistro(reg.numero),
                 frase);
    }
}

// "la materia «Música» (fila 7)" or "la actividad «Guardia» (fila 40)".
Utf8 DescribirFila(const Tabla& asignomt, size_t f) {
    const bool tarea = asignomt.LeerLogico(f, "ESTAREA").value_or(false);
    return (tarea ? Utf8("la actividad ") : Utf8("la materia ")) +
           Entre(asignomt.LeerTexto(f, "NOMBRE")) + " (fila " + Utf8::Numero(f + 1) + ")";
}

void CodigosRepetidos(Revision& r) {
    const Tabla* asignomt = r.Abrir("ASIGNOMT", {"COD", "NOMBRE", "ESTAREA"});
    if (!asignomt) return;
    std::vector<Texto> orden;
    std::unordered_map<Texto, std::vector<size_t>> filas;
    for (size_t f = 0; f < asignomt->Filas(); ++f) {
        auto& lista = filas[asignomt->LeerTexto(f, "COD")];
        if (lista.empty()) orden.push_back(asignomt->LeerTexto(f, "COD"));
        lista.push_back(f);
    }
    for (const Texto& codigo : orden) {
        const auto& lista = filas[codigo];
        if (lista.size() < 2) continue;
        std::vector<Utf8> partes;
        for (size_t f : lista) partes.push_back(DescribirFila(*asignomt, f));
        const Utf8 cuantas = Cantidad(lista.size());
        Utf8 frase = codigo.empty() ? "Hay " + cuantas + " filas de ASIGNOMT sin código: "
                                    : "El código " + Entre(codigo) + " está en " + cuantas +
                                          " filas de ASIGNOMT: ";
        frase += Enumerar(partes) + ". Velmora no podrá distinguirlas.";
        r.Anadir(TipoHallazgo::CodigoRepetido, "ASIGNOMT", Utf8ACp1252("código ") + codigo, frase);
    }
}

void MateriasSinAsignacion(Revision& r) {
    const Tabla* asignomt = r.Abrir("ASIGNOMT", {"COD", "NOMBRE", "ESTAREA"});
    const Tabla* asigt = r.Abrir("ASIGT", {"CASIG"});
    if (!asignomt || !asigt) return;
    std::unordered_set<Texto> usadas;
    for (size_t f = 0; f < asigt->Filas(); ++f) usadas.insert(asigt->LeerTexto(f, "CASIG"));

    // The subjects without assignments, then the course offers of just their codes, to say
    // where each comes from.
    std::vector<size_t> sinAsignar;
    std::unordered_map<Texto, std::vector<Texto>> ofertas;
    for (size_t f = 0; f < asignomt->Filas(); ++f) {
        if (asignomt->LeerLogico(f, "ESTAREA").value_or(false)) continue;
        Texto codigo = asignomt->LeerTexto(f, "COD");
        if (usadas.contains(codigo)) continue;
        sinAsignar.push_back(f);
        ofertas.emplace(std::move(codigo), std::vector<Texto>());
    }
    if (sinAsignar.empty()) return;
    if (const Tabla* asignomt2 = r.Abrir("ASIGNOMT2", {"COD", "OFERTAMATRI"})) {
        // A common subject has an offer in every school: a set, not a search of its list.
        std::set<std::pair<Texto, Texto>> vistas;
        for (size_t f = 0; f < asignomt2->Filas(); ++f) {
            const auto it = ofertas.find(asignomt2->LeerTexto(f, "COD"));
            if (it == ofertas.end()) continue;
            Texto oferta = asignomt2->LeerTexto(f, "OFERTAMATRI");
            if (vistas.emplace(it->first, oferta).second) it->second.push_back(std::move(oferta));
        }
    }

    for (const size_t f : sinAsignar) {
        const Texto codigo = asignomt->LeerTexto(f, "COD");
        Utf8 detalle = "código " + U(codigo);
        if (const auto it = ofertas.find(codigo); it != ofertas.end() && !it->second.empty()) {
            std::vector<Utf8> cursos;
            for (const Texto& o : it->second) cursos.push_back(U(o));
            detalle +=
                (cursos.size() == 1 ? Utf8(", curso ") : Utf8(", cursos ")) + Enumerar(cursos);
        }
        r.Anadir(TipoHallazgo::MateriaSinAsignacion, "ASIGNOMT", NumeroFila(f + 1),
                 "La materia " + Entre(asignomt->LeerTexto(f, "NOMBRE")) + " (" + detalle +
                     ") no está asignada a ninguna unidad: no tiene filas en ASIGT.");
    }
}

}  // namespace

void RevisarMaterias(Revision& r) {
    MateriasSinCurso(r);
    MateriasSinNombre(r);
    CodigosDeActividadCortados(r);
    CodigosRepetidos(r);
    MateriasSinAsignacion(r);
}

}  // namespace pasaplan::informe
