// The report's checks of the time slots in use and of Séneca's catalogues.
#include <optional>
#include <set>
#include <string>

#include "report/Revision.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan::informe {
namespace {

// Minutes as the slots step reads them: a "0" in front of a short value, then an optionally
// signed whole number; nothing otherwise.
std::optional<long> Minutos(const Texto& valor) {
    const Texto escrito = valor.size() < 4 ? "0" + valor : valor;
    const size_t signo = escrito[0] == '+' || escrito[0] == '-' ? 1 : 0;
    if (escrito.size() <= signo || escrito.size() - signo > 9 ||
        escrito.find_first_not_of("0123456789", signo) != Texto::npos) {
        return std::nullopt;
    }
    return std::stol(escrito);
}

bool EsRecreo(const Texto& nombre) {
    return MayusculasCp1252(nombre).find("RECREO") != Texto::npos;
}

// A whole number as the catalogues hold it: blanks around it, an optional sign, digits.
std::optional<long long> Entero(const Texto& texto) {
    Texto limpio = AllTrim(texto);
    bool negativo = false;
    if (!limpio.empty() && (limpio.front() == '-' || limpio.front() == '+')) {
        negativo = limpio.front() == '-';
        limpio.erase(0, 1);
    }
    if (limpio.empty() || limpio.size() > 18 ||
        limpio.find_first_not_of("0123456789") != Texto::npos) {
        return std::nullopt;
    }
    const long long valor = std::stoll(limpio);
    return negativo ? -valor : valor;
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
    for (const Registro& reg : r.Registros("TRAMOS_HORARIOS")) {
        if (siguiente == dia1.size()) break;
        const size_t f = dia1[siguiente];
        const Texto codigo = reg.Valor(0);
        const Texto marco = AllTrim(Left(reg.Valor(4), 10));
        if (dh->LeerTexto(f, "CODDIHO") != RTrim(Left(codigo, 10)) ||
            dh->LeerTexto(f, "MARCOXML") != RTrim(marco)) {
            continue;  // a slot of a frame not in use
        }
        ++siguiente;

        const Texto nombre = reg.Valor(1);
        const Utf8 tramo = "El tramo " + ConNombre(nombre, codigo) + " del marco " + U(marco);
        const Texto desde = dh->LeerTexto(f, "HORADESDE");
        const Texto hasta = dh->LeerTexto(f, "HORAHASTA");
        const auto inicio = Minutos(reg.Valor(2));
        const auto fin = Minutos(reg.Valor(3));
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
    if (r.Registros("ORIGENES").empty()) {
        r.Anadir(TipoHallazgo::CatalogoAusente, "ORIGENES", "",
                 std::string("La exportación no trae el catálogo de orígenes de las horas "
                             "(bloque ORIGENES): ") +
                     (r.TotalRegistros("ORIGENES") == 0 ? "no se ha escrito ORIGENES_C"
                                                        : "ORIGENES_C queda vacía") +
                     ", y el documento para Séneca no llevará el origen de ninguna hora.");
        return;
    }
    const std::pair<const char*, const char*> necesarios[] = {{"CURSOS_NIVELES", "CUR_NIV_C"},
                                                              {"AUTORIZACIONES", "AUTORIZA_C"}};
    for (const auto& [bloque, tabla] : necesarios) {
        if (!r.Registros(bloque).empty()) continue;
        r.Anadir(TipoHallazgo::CatalogoAusente, bloque, "",
                 std::string("La exportación no trae el catálogo ") + bloque + ": " + tabla +
                     " queda vacía, y el documento para Séneca no llevará el origen de ninguna "
                     "hora.");
    }

    // A course missing from CURSOS_NIVELES has no level, so its hours go without origin.
    const auto& cursosNiveles = r.Registros("CURSOS_NIVELES");
    if (cursosNiveles.empty()) return;
    std::set<long long> conNivel;
    for (const Registro& reg : cursosNiveles) {
        if (const auto clave = Entero(reg.Valor(0))) conNivel.insert(*clave);
    }
    for (const Curso& curso : r.Cursos()) {
        const auto clave = Entero(curso.clave);
        if (clave && conNivel.contains(*clave)) continue;
        r.Anadir(TipoHallazgo::CursoSinNivelSeneca, curso.deTabla ? "CURSOST" : "CURSOS_DEL_CENTRO",
                 curso.deTabla ? NumeroFila(curso.numero) : NumeroRegistro(curso.numero),
                 "El curso " + ConNombre(curso.estudios, curso.clave) +
                     " no está en el catálogo CURSOS_NIVELES: sus horas irán a Séneca sin origen.");
    }
}

}  // namespace pasaplan::informe
