// The report's checks of the courses and the teaching units: units without a course, units
// of a course left incomplete in the course levels dialog, mixed units, courses without units.
#include <algorithm>
#include <set>
#include <unordered_map>

#include "report/Revision.h"
#include "text/Clipper.h"

namespace pasaplan::informe {
namespace {

Utf8 NombreUnidad(const seneca::Unidad& u) { return ConNombre(u.nombre, u.clave); }

// "100326 («4º de E.S.O.»)", or the key alone for a course the centre does not have.
Utf8 DescribirCurso(Revision& r, const Texto& clave) {
    const Curso* curso = r.CursoDeClave(clave);
    if (!curso || curso->estudios.empty()) return U(clave);
    return U(clave) + " (" + Entre(curso->estudios) + ")";
}

// GRUPOST has one row per record of two values or more, in the same order: the row of a
// record is found by its place, whatever the keys hold.
void UnidadesSinCurso(Revision& r, const Tabla& grupost) {
    const auto& registros = seneca::Unidades(r.doc);
    for (size_t i = 0; i < registros.size() && i < grupost.Filas(); ++i) {
        const seneca::Unidad& reg = registros[i];
        const Texto& claveCurso = reg.claveCurso;
        const Texto abreviatura = grupost.LeerTexto(i, "ABREV");
        const Curso* curso = r.CursoDeClave(claveCurso);
        if (!curso) {
            Utf8 frase = "La unidad " + NombreUnidad(reg);
            frase += claveCurso.empty() ? " no indica su curso"
                                        : " es del curso " + U(claveCurso) +
                                              ", que no está entre los cursos del centro";
            frase += ": su abreviatura " + Entre(abreviatura) +
                     " no lleva nivel ni curso, y su NIVEL es «NIV».";
            r.Anadir(TipoHallazgo::UnidadSinCurso, "GRUPOST", NumeroFila(i + 1), frase);
            continue;
        }
        if (!curso->deTabla) continue;  // levels unknown without CURSOST
        const bool sinNivel = EnBlanco(curso->nivel);
        const bool sinCurso = EnBlanco(curso->curso);
        if (!sinNivel && !sinCurso) continue;
        const Utf8 falta = sinNivel && sinCurso ? Utf8("sin NIVEL ni CURSO")
                           : sinNivel           ? Utf8("sin NIVEL")
                                                : Utf8("sin CURSO");
        r.Anadir(TipoHallazgo::UnidadSinNivel, "GRUPOST", NumeroFila(i + 1),
                 "La unidad " + NombreUnidad(reg) + " es del curso " +
                     ConNombre(curso->estudios, curso->clave) + ", que quedó " + falta +
                     " en el diálogo de niveles: su abreviatura es " + Entre(abreviatura) +
                     (sinNivel ? Utf8(" y su NIVEL es «NIV».") : Utf8(".")));
    }
}

void UnidadesMixtas(Revision& r, const Tabla* grupost) {
    const auto& registros = seneca::Unidades(r.doc);
    std::vector<Texto> orden;
    std::unordered_map<Texto, std::vector<size_t>> porClave;
    for (size_t i = 0; i < registros.size(); ++i) {
        const Texto& clave = registros[i].clave;
        if (clave.empty()) continue;
        auto& lista = porClave[clave];
        if (lista.empty()) orden.push_back(clave);
        lista.push_back(i);
    }
    for (const Texto& clave : orden) {
        const auto& lista = porClave[clave];
        std::vector<Texto> cursos;
        for (size_t i : lista) {
            const Texto& c = registros[i].claveCurso;
            if (std::find(cursos.begin(), cursos.end(), c) == cursos.end()) cursos.push_back(c);
        }
        if (cursos.size() < 2) continue;
        std::vector<Utf8> descritos;
        for (const Texto& c : cursos) descritos.push_back(DescribirCurso(r, c));
        Utf8 frase = "La unidad " + NombreUnidad(registros[lista.front()]) + " figura en " +
                     Cantidad(cursos.size()) + " cursos, " + Enumerar(descritos) +
                     ": es una unidad mixta";
        std::vector<Utf8> abreviaturas;
        for (size_t i : lista) {
            if (grupost && i < grupost->Filas()) {
                abreviaturas.push_back(Entre(grupost->LeerTexto(i, "ABREV")));
            }
        }
        if (abreviaturas.size() == lista.size()) {
            frase += ", y en GRUPOST queda repartida en " + Cantidad(abreviaturas.size()) +
                     " unidades distintas, " + Enumerar(abreviaturas) + ".";
        } else {
            frase += ".";
        }
        r.Anadir(TipoHallazgo::UnidadMixta, "UNIDADES", "clave " + clave, frase);
    }
}

void CursosSinUnidades(Revision& r) {
    std::set<Texto> conUnidades;
    for (const seneca::Unidad& u : seneca::Unidades(r.doc)) conUnidades.insert(RTrim(u.claveCurso));
    std::unordered_map<Texto, size_t> materias;
    for (const seneca::Materia& m : r.Materias()) ++materias[RTrim(m.oferta)];

    for (const Curso& curso : r.Cursos()) {
        const Texto clave = RTrim(curso.clave);
        if (conUnidades.contains(clave)) continue;
        const auto m = materias.find(clave);
        const size_t n = m == materias.end() ? 0 : m->second;
        Utf8 frase = "El curso " + ConNombre(curso.estudios, curso.clave) +
                     " no tiene unidades en la exportación";
        if (n == 0) {
            frase += " ni materias.";
        } else if (n == 1) {
            frase += ": su materia no tendrá filas en ASIGT.";
        } else {
            frase += ": sus " + Utf8::Numero(n) + " materias no tendrán filas en ASIGT.";
        }
        r.Anadir(TipoHallazgo::CursoSinUnidades, curso.deTabla ? "CURSOST" : "CURSOS_DEL_CENTRO",
                 curso.deTabla ? NumeroFila(curso.numero) : NumeroRegistro(curso.numero), frase);
    }
}

}  // namespace

void RevisarUnidades(Revision& r) {
    const Tabla* grupost = r.Abrir("GRUPOST", {"ABREV"});
    if (grupost) UnidadesSinCurso(r, *grupost);
    UnidadesMixtas(r, grupost);
    CursosSinUnidades(r);
}

}  // namespace pasaplan::informe
