// Writes a plausible Velmora timetable SOLUC.DBF into an exchange directory that an import run
// has filled: generar_horario DIR_INTERCAMBIO [--semilla N] [--filas-por-profesor M]
//
// Every professor of PROFT gets about M rows (30 by default): regular hours of ASIGT's
// assignments placed in free slots of their unit's frame, now and then a regular activity
// (tutoría lectiva), non-regular activities ("#" codes of ASIGNOMT) among them a break duty in
// a "Recreo" slot, and a few hours left unplaced (DIA 0). A professor has one hour a slot, a
// unit at most three (options and splits run side by side). When the catalogues are there,
// CCONCIERTO names an origin authorised for the course's level, so the export run finds its
// authorisation. Same tables and seed, same file.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "Azar.h"
#include "exchange/Tabla.h"
#include "platform/Error.h"

namespace fs = std::filesystem;
using namespace pasaplan;
using generacion::Azar;

namespace {

struct Tramo {
    int dia, hora;
    Texto marco;
    bool recreo;
};

struct Grupo {
    Texto abrev, claveCurso, aula, marco;
    std::map<int, int> ocupado;  // slot -> hours at once (options and splits run in parallel)
};

struct Asignacion {
    Texto asig, grupo;
};

struct Fila {
    Texto prof;
    int dia = 0, hora = 0;
    Texto marco, asig, tarea, grupo, aula, concierto;
};

std::optional<long long> Numero(const Texto& t) {
    try {
        size_t usados = 0;
        const long long v = std::stoll(t.Bytes(), &usados);
        if (usados == t.size()) return v;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// Hours a unit can have in one slot: optional subjects and splits are taught side by side.
constexpr int kParalelas = 3;

bool EmpiezaPor(const Texto& t, std::string_view p) { return t.rfind(p, 0) == 0; }

// "Recreo", "recreo tarde", "RECREO": a break, where only break duty goes.
bool EsRecreo(const Texto& t) {
    Texto m;
    for (char c : t) m += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return m.find("RECREO") != Texto::npos;
}

class Horario {
  public:
    Horario(const fs::path& dir, uint64_t semilla, int filas)
        : dir_(dir), azar_(semilla), filasPorProfesor_(filas) {}
    void Leer();
    std::vector<Fila> Generar();
    void Escribir(const std::vector<Fila>& filas) const;

  private:
    static int Clave(const Texto& marco, int dia, int hora) {
        return (marco == "1" ? 10000 : 0) + dia * 100 + hora;
    }
    std::unique_ptr<Tabla> Abrir(const Utf8& nombre) const {
        return Tabla::AbrirEn(dir_, nombre, Acceso::Compartido);
    }
    void LeerCatalogos();
    Texto Concierto(long long actividad, const Texto& claveCurso);
    bool Colocar(Fila f, Grupo* g, std::set<int>& ocupadoProf, std::vector<Fila>& salida,
                 bool recreo);

    fs::path dir_;
    Azar azar_;
    int filasPorProfesor_;
    std::vector<Texto> profesores_;
    std::vector<Grupo> grupos_;
    std::unordered_map<Texto, size_t> grupoPorAbrev_;
    std::vector<Asignacion> asignaciones_;
    std::vector<Texto> tareasNoRegulares_, actividadesRegulares_;
    Texto guardia_, guardiaRecreo_;
    std::vector<Tramo> tramos_;
    std::map<std::pair<Texto, bool>, std::vector<Tramo>> tramosDe_;  // (frame, break) -> slots
    std::vector<Texto> marcos_;
    // Catalogues: course key -> level; (activity, level) -> authorised origin codes.
    std::map<long long, long long> nivelDeCurso_;
    std::map<std::pair<long long, long long>, std::vector<Texto>> origenes_;
};

void Horario::Leer() {
    auto proft = Abrir("PROFT");
    for (size_t i = 0; i < proft->Filas(); ++i) profesores_.push_back(proft->LeerTexto(i, "ABREV"));

    auto aulat = Abrir("AULAT");
    std::vector<Texto> aulas;
    for (size_t i = 0; i < aulat->Filas(); ++i) aulas.push_back(aulat->LeerTexto(i, "ABREV"));

    auto tramos = Abrir("DIASHORAST");
    for (size_t i = 0; i < tramos->Filas(); ++i) {
        const auto dia = Numero(tramos->LeerTexto(i, "DIA"));
        const auto hora = Numero(tramos->LeerTexto(i, "HORA"));
        if (!dia || !hora || *dia < 1 || *dia > 5) continue;  // a school week
        Tramo t{static_cast<int>(*dia), static_cast<int>(*hora), tramos->LeerTexto(i, "MARCO"),
                EsRecreo(tramos->LeerTexto(i, "TEXTOHOR"))};
        if (std::find(marcos_.begin(), marcos_.end(), t.marco) == marcos_.end())
            marcos_.push_back(t.marco);
        tramos_.push_back(std::move(t));
    }
    if (tramos_.empty()) throw ErrorPasaplan("DIASHORAST no tiene tramos de lunes a viernes.");
    for (const Tramo& t : tramos_) tramosDe_[{t.marco, t.recreo}].push_back(t);
    std::sort(marcos_.begin(), marcos_.end());

    // A unit's hours lie in one frame: with two, about a third of the units (vocational
    // training) go to the afternoon.
    auto grupost = Abrir("GRUPOST");
    for (size_t i = 0; i < grupost->Filas(); ++i) {
        Grupo g;
        g.abrev = grupost->LeerTexto(i, "ABREV");
        g.claveCurso = grupost->LeerTexto(i, "CLAVECURSO");
        g.aula = aulas.empty() ? Texto() : aulas[i % aulas.size()];
        g.marco = marcos_.size() > 1 && azar_.Porcentaje(30) ? marcos_[1] : marcos_[0];
        grupoPorAbrev_.emplace(g.abrev, grupos_.size());
        grupos_.push_back(std::move(g));
    }

    auto asigt = Abrir("ASIGT");
    for (size_t i = 0; i < asigt->Filas(); ++i) {
        Asignacion a{asigt->LeerTexto(i, "CASIG"), asigt->LeerTexto(i, "CGRUP")};
        if (grupoPorAbrev_.count(a.grupo)) asignaciones_.push_back(std::move(a));
    }
    azar_.Barajar(asignaciones_);

    auto asignomt = Abrir("ASIGNOMT");
    for (size_t i = 0; i < asignomt->Filas(); ++i) {
        if (asignomt->LeerLogico(i, "ESTAREA") != true) continue;
        const Texto cod = asignomt->LeerTexto(i, "COD");
        const Texto nombre = asignomt->LeerTexto(i, "NOMBRE");
        if (EmpiezaPor(cod, "#")) {
            tareasNoRegulares_.push_back(cod);
            if (guardia_.empty() && nombre == "Guardia") guardia_ = cod;
            if (guardiaRecreo_.empty() && EmpiezaPor(nombre, "Guardia de recreo"))
                guardiaRecreo_ = cod;
        } else if (cod != "1" && Numero(cod)) {
            actividadesRegulares_.push_back(cod);
        }
    }
    LeerCatalogos();
}

void Horario::LeerCatalogos() {
    if (!fs::exists(Tabla::RutaEn(dir_, "ORIGENES_C"))) return;
    auto origenes = Abrir("ORIGENES_C");
    if (origenes->Filas() == 0) return;
    std::map<long long, Texto> codigoDeCategoria;
    for (size_t i = 0; i < origenes->Filas(); ++i)
        codigoDeCategoria.emplace(origenes->LeerEntero(i, "X_CATORIHOR"),
                                  origenes->LeerTexto(i, "C_ORIHOR"));
    auto curniv = Abrir("CUR_NIV_C");
    for (size_t i = 0; i < curniv->Filas(); ++i)
        nivelDeCurso_.emplace(curniv->LeerEntero(i, "X_OFERTAMATRIG"),
                              curniv->LeerEntero(i, "X_NIVCONPAGLEG"));
    auto autoriza = Abrir("AUTORIZA_C");
    for (size_t i = 0; i < autoriza->Filas(); ++i) {
        const auto c = codigoDeCategoria.find(autoriza->LeerEntero(i, "X_CATORIHOR"));
        if (c == codigoDeCategoria.end()) continue;
        origenes_[{autoriza->LeerEntero(i, "X_ACTIVIDAD"),
                   autoriza->LeerEntero(i, "X_NIVCONPAGLEG")}]
            .push_back(c->second);
    }
}

// Mostly the ordinary origin, sometimes another one authorised for the level; "ORD" when the
// catalogues say nothing.
Texto Horario::Concierto(long long actividad, const Texto& claveCurso) {
    const auto curso = Numero(claveCurso);
    const auto nivel = curso ? nivelDeCurso_.find(*curso) : nivelDeCurso_.end();
    if (nivel == nivelDeCurso_.end()) return "ORD";
    const auto o = origenes_.find({actividad, nivel->second});
    if (o == origenes_.end() || o->second.empty()) return "ORD";
    if (azar_.Porcentaje(80)) {
        for (const Texto& c : o->second)
            if (EmpiezaPor(c, "ORD")) return c;
    }
    return azar_.Elegir(o->second);
}

// Puts f in a free slot of its frame (a break slot when recreo), free for the professor and the
// unit; a few tries, then gives up on this hour.
bool Horario::Colocar(Fila f, Grupo* g, std::set<int>& ocupadoProf, std::vector<Fila>& salida,
                      bool recreo) {
    const auto lista = tramosDe_.find({f.marco, recreo});
    if (lista == tramosDe_.end()) return false;
    for (int intento = 0; intento < 12; ++intento) {
        const Tramo& t = azar_.Elegir(lista->second);
        const int k = Clave(t.marco, t.dia, t.hora);
        if (ocupadoProf.count(k) || (g && g->ocupado[k] >= kParalelas)) continue;
        ocupadoProf.insert(k);
        if (g) ++g->ocupado[k];
        f.dia = t.dia;
        f.hora = t.hora;
        salida.push_back(std::move(f));
        return true;
    }
    return false;
}

std::vector<Fila> Horario::Generar() {
    std::vector<Fila> filas;
    const int m = filasPorProfesor_;
    const int sinColocar = std::max(1, m / 15);
    const int noRegulares = m / 4;
    const int regulares = m - noRegulares - sinColocar;
    size_t cursor = 0;
    for (const Texto& prof : profesores_) {
        std::set<int> ocupado;
        int puestas = 0;
        Texto marcoPrincipal;
        // Regular hours: a few assignments of two to four hours each.
        for (int fallos = 0; puestas < regulares && !asignaciones_.empty() && fallos < 40;) {
            const Asignacion& a = asignaciones_[cursor++ % asignaciones_.size()];
            Grupo& g = grupos_[grupoPorAbrev_.at(a.grupo)];
            if (marcoPrincipal.empty()) marcoPrincipal = g.marco;
            const int horas = std::min(azar_.Entre(2, 4), regulares - puestas);
            const Texto concierto = Concierto(1, g.claveCurso);
            // The unit's own room mostly, another room sometimes, now and then none.
            const int r = azar_.Entre(0, 99);
            const Texto aula = r < 80   ? g.aula
                               : r < 95 ? grupos_[azar_.Siguiente() % grupos_.size()].aula
                                        : Texto();
            bool alguna = false;
            for (int h = 0; h < horas; ++h) {
                Fila f{prof,    0,      0,
                       g.marco, a.asig, azar_.Porcentaje(25) ? Texto("1") : Texto(),
                       g.abrev, aula,   concierto};
                if (Colocar(std::move(f), &g, ocupado, filas, false)) {
                    ++puestas;
                    alguna = true;
                }
            }
            fallos = alguna ? 0 : fallos + 1;
            // Now and then the tutoría lectiva (or another regular activity) of that unit.
            if (!actividadesRegulares_.empty() && puestas < regulares && azar_.Porcentaje(8)) {
                const Texto& act = azar_.Elegir(actividadesRegulares_);
                Fila f{prof,    0,      0,
                       g.marco, act,    act,
                       g.abrev, g.aula, Concierto(*Numero(act), g.claveCurso)};
                if (Colocar(std::move(f), &g, ocupado, filas, false)) ++puestas;
            }
        }
        if (marcoPrincipal.empty()) marcoPrincipal = marcos_[0];
        // Non-regular hours: guard duty mostly, meetings and other tasks.
        if (!tareasNoRegulares_.empty()) {
            if (!guardiaRecreo_.empty() && azar_.Porcentaje(50)) {
                Colocar({prof, 0, 0, marcoPrincipal, guardiaRecreo_, guardiaRecreo_, "", "", ""},
                        nullptr, ocupado, filas, true);
            }
            for (int n = 0; n < noRegulares; ++n) {
                const Texto& t = !guardia_.empty() && azar_.Porcentaje(40)
                                     ? guardia_
                                     : azar_.Elegir(tareasNoRegulares_);
                Colocar({prof, 0, 0, marcoPrincipal, t, t, "", "", ""}, nullptr, ocupado, filas,
                        false);
            }
        }
        // Hours Velmora could not place.
        for (int n = 0; n < sinColocar && !asignaciones_.empty(); ++n) {
            const Asignacion& a = asignaciones_[azar_.Siguiente() % asignaciones_.size()];
            filas.push_back({prof, 0, 0, "0", a.asig, "", a.grupo, "", "ORD"});
        }
    }
    // Velmora writes its solution slot by slot.
    std::stable_sort(filas.begin(), filas.end(), [](const Fila& a, const Fila& b) {
        return std::tie(a.dia, a.hora, a.marco) < std::tie(b.dia, b.hora, b.marco);
    });
    return filas;
}

void Horario::Escribir(const std::vector<Fila>& filas) const {
    const fs::path archivo = Tabla::RutaEn(dir_, "SOLUC");
    Tabla::Crear(archivo, {{"PROF", TipoCampo::Texto, 10},
                           {"DIA", TipoCampo::Entero},
                           {"HORA", TipoCampo::Entero},
                           {"MARCO", TipoCampo::Texto, 1},
                           {"ASIG", TipoCampo::Texto, 10},
                           {"TAREA", TipoCampo::Texto, 10},
                           {"CODGRUPO", TipoCampo::Texto, 10},
                           {"AULA", TipoCampo::Texto, 10},
                           {"CCONCIERTO", TipoCampo::Texto, 20}});
    auto soluc = Tabla::Abrir(archivo, Acceso::Exclusivo);
    for (const Fila& f : filas) {
        const size_t i = soluc->Agregar();
        soluc->PonerTexto(i, "PROF", f.prof);
        soluc->PonerEntero(i, "DIA", f.dia);
        soluc->PonerEntero(i, "HORA", f.hora);
        soluc->PonerTexto(i, "MARCO", f.marco);
        soluc->PonerTexto(i, "ASIG", f.asig);
        soluc->PonerTexto(i, "TAREA", f.tarea);
        soluc->PonerTexto(i, "CODGRUPO", f.grupo);
        soluc->PonerTexto(i, "AULA", f.aula);
        soluc->PonerTexto(i, "CCONCIERTO", f.concierto);
        soluc->Grabar(i);
    }
}

const char* const kUso =
    "Uso: generar_horario DIR_INTERCAMBIO [--semilla N] [--filas-por-profesor M]\n"
    "Escribe en DIR_INTERCAMBIO un horario de Velmora (SOLUC.DBF) a partir de las tablas que\n"
    "dejó la importación: unas M filas por profesor (30 si no se indica).\n";

std::optional<long long> Argumento(const char* texto, long long minimo, long long maximo) {
    const auto v = Numero(Texto::DeBytes(texto));
    if (!v || *v < minimo || *v > maximo) return std::nullopt;
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path dir;
    uint64_t semilla = 1;
    int filas = 30;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        std::optional<long long> v;
        if (a == "--semilla" && i + 1 < argc && (v = Argumento(argv[++i], 0, INT64_MAX))) {
            semilla = static_cast<uint64_t>(*v);
        } else if (a == "--filas-por-profesor" && i + 1 < argc &&
                   (v = Argumento(argv[++i], 3, 200))) {
            filas = static_cast<int>(*v);
        } else if (!a.empty() && a[0] != '-' && dir.empty()) {
            dir = a;
        } else {
            std::fputs(kUso, stderr);
            return 2;
        }
    }
    if (dir.empty()) {
        std::fputs(kUso, stderr);
        return 2;
    }
    try {
        Horario h(dir, semilla, filas);
        h.Leer();
        const std::vector<Fila> soluc = h.Generar();
        h.Escribir(soluc);
        std::printf("SOLUC: %zu filas\n", soluc.size());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "generar_horario: %s\n", e.what());
        return 1;
    }
}
