// The report's checks of the time slots in use and of Séneca's catalogues.
#include <optional>
#include <set>
#include <string>
#include <tuple>

#include "export/OrigenHora.h"
#include "report/Revision.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"
#include "text/Numeros.h"

namespace pasaplan::informe {
namespace {

bool EsRecreo(const Texto& nombre) {
    return MayusculasCp1252(nombre).find("RECREO") != Texto::npos;
}

}  // namespace

void RevisarTramos(Revision& r) {
    const Tabla* dh = r.Abrir(
        "DIASHORAST", {"DIA", "CODDIHO", "MARCOXML", "HORA", "HORADESDE", "HORAHASTA", "MINUTOS"});
    if (!dh) return;
    // The first day's rows are the slots in use, in the document order of their records.
    std::vector<size_t> dia1;
    for (size_t f = 0; f < dh->Filas(); ++f) {
        if (dh->LeerTexto(f, "DIA") == "1") dia1.push_back(f);
    }
    size_t siguiente = 0;
    for (const seneca::Tramo& reg : seneca::Tramos(r.doc)) {
        if (reg.valores < 2) continue;
        if (siguiente == dia1.size()) break;
        const size_t f = dia1[siguiente];
        const Texto& codigo = reg.codigo;
        const Texto& marco = reg.marco;
        if (dh->LeerTexto(f, "CODDIHO") != RTrim(Left(codigo, 10)) ||
            dh->LeerTexto(f, "MARCOXML") != RTrim(marco)) {
            continue;  // a slot of a frame not in use
        }
        ++siguiente;

        const Texto& nombre = reg.nombre;
        const Utf8 tramo = "El tramo " + ConNombre(nombre, codigo) + " del marco " + U(marco);
        const Texto desde = dh->LeerTexto(f, "HORADESDE");
        const Texto hasta = dh->LeerTexto(f, "HORAHASTA");
        const auto& inicio = reg.minutosInicio;
        const auto& fin = reg.minutosFin;
        if (inicio && fin && *fin < *inicio) {
            r.Anadir(TipoHallazgo::TramoInvertido, "TRAMOS_HORARIOS", NumeroRegistro(reg.numero),
                     tramo + " termina a las " + U(hasta) + ", antes de empezar a las " + U(desde) +
                         ": en DIASHORAST dura " + U(dh->LeerTexto(f, "MINUTOS")) + " minutos.");
        }
        if (EsRecreo(nombre)) {
            r.Anadir(TipoHallazgo::TramoRecreo, "TRAMOS_HORARIOS", NumeroRegistro(reg.numero),
                     tramo + ", de " + U(desde) + " a " + U(hasta) +
                         ", es un recreo: en DIASHORAST es la hora " + U(dh->LeerTexto(f, "HORA")) +
                         " de cada día, y Velmora puede poner clases en ella si no se bloquea.");
        }
    }
}

void RevisarCatalogos(Revision& r) {
    // The export run uses the catalogues only when ORIGENES_C holds rows.
    if (seneca::Origenes(r.doc).empty()) {
        r.Anadir(TipoHallazgo::CatalogoAusente, "ORIGENES", "",
                 Utf8("La exportación no trae el catálogo de orígenes de las horas "
                      "(bloque ORIGENES): ") +
                     (seneca::TotalRegistros(r.doc, "ORIGENES") == 0
                          ? Utf8("no se ha escrito ORIGENES_C")
                          : Utf8("ORIGENES_C queda vacía")) +
                     ", y el documento para Séneca no llevará el origen de ninguna hora.");
        return;
    }
    const auto& cursosNiveles = seneca::CursosNiveles(r.doc);
    const std::tuple<const char*, const char*, bool> necesarios[] = {
        {"CURSOS_NIVELES", "CUR_NIV_C", cursosNiveles.empty()},
        {"AUTORIZACIONES", "AUTORIZA_C", seneca::Autorizaciones(r.doc).empty()}};
    for (const auto& [bloque, tabla, vacio] : necesarios) {
        if (!vacio) continue;
        r.Anadir(TipoHallazgo::CatalogoAusente, bloque, "",
                 "La exportación no trae el catálogo " + Utf8::DeBytes(bloque) + ": " +
                     Utf8::DeBytes(tabla) +
                     " queda vacía, y el documento para Séneca no llevará el origen de ninguna "
                     "hora.");
    }

    // A course missing from CURSOS_NIVELES has no level, so its hours go without origin.
    if (cursosNiveles.empty()) return;
    // Keys compared as the export run compares them with the catalogue.
    std::set<long long> conNivel;
    for (const seneca::CursoNivel& c : cursosNiveles) {
        if (const auto clave = EnteroDeClave(c.oferta)) conNivel.insert(*clave);
    }
    for (const Curso& curso : r.Cursos()) {
        const auto clave = EnteroDeClave(curso.clave);
        if (clave && conNivel.contains(*clave)) continue;
        r.Anadir(TipoHallazgo::CursoSinNivelSeneca, curso.deTabla ? "CURSOST" : "CURSOS_DEL_CENTRO",
                 curso.deTabla ? NumeroFila(curso.numero) : NumeroRegistro(curso.numero),
                 "El curso " + ConNombre(curso.estudios, curso.clave) +
                     " no está en el catálogo CURSOS_NIVELES: sus horas irán a Séneca sin origen.");
    }
}

}  // namespace pasaplan::informe
