// Writes a synthetic Séneca export for timetable generators at scale K, for measuring runs on
// large files: generar_exportacion --escala K [--semilla N] [--niveles CSV] SALIDA.xml
//
// Scale 1 is one large secondary school with vocational training: 40 courses, 50 units, 1,200
// MATERIAS records, 100 activities, 100 rooms, two time frames of seven slots, 120 employees and
// a few hundred authorisations. Scale K holds K such schools ("sedes") with their own keys, so
// every count grows by K; the subject names common to all studies repeat, each school's own
// optional subjects do not. The same scale and seed give the same bytes.
//
// Beside the export goes the answer to the course levels dialog (CLAVE;NIVEL;CURSO, UTF-8) for
// `pasaplan-lote exportar --niveles`; the frame codes for `--marcos` are printed on stdout.
#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Azar.h"
#include "DatosPersonal.h"
#include "DatosSinteticos.h"
#include "DocumentoSintetico.h"
#include "text/Cp1252.h"

namespace fs = std::filesystem;
using namespace generacion;

namespace {

std::string Num(long long n) { return std::to_string(n); }

// Two base-36 characters: the school's mark in level codes, which are at most 5 wide.
std::string Marca(int sede) {
    const char* d = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return {d[(sede / 36) % 36], d[sede % 36]};
}

class Generador {
  public:
    Generador(int escala, uint64_t semilla) : escala_(escala), azar_(semilla) {}

    void Generar() {
        for (int c = 0; c < escala_; ++c) Sede(c);
    }

    std::string Documento() const;
    std::string Niveles() const { return niveles_; }
    std::string Marcos() const { return "2417,2418"; }

  private:
    static int ClaveCurso(int c, size_t i) { return 100323 + 50 * c + static_cast<int>(i); }
    static std::string Sufijo(int c) { return c == 0 ? "" : " (Sede " + Num(c + 1) + ")"; }

    void Sede(int c);
    void Cursos(int c);
    void Unidades(int c);
    void Materias(int c);
    void Actividades(int c);
    void Dependencias(int c);
    void Jornadas(int c);
    void Empleados(int c);
    void Catalogos(int c);
    std::vector<std::string> NombresMaterias(int c, const TipoCurso& tipo);

    int escala_;
    Azar azar_;
    std::string niveles_ = "CLAVE;NIVEL;CURSO\n";
    Bloque cursos_{"CURSOS_DEL_CENTRO", "CURSO", {}};
    Bloque materias_{"MATERIAS", "MATERIA", {}};
    Bloque actividades_{"ACTIVIDADES", "ACTIVIDAD", {}};
    Bloque dependencias_{"DEPENDENCIAS", "DEPENDENCIA", {}};
    Bloque jornadas_{"JORNADAS_ESCOLARES", "JORNADA", {}};
    Bloque tramos_{"TRAMOS_HORARIOS", "TRAMO", {}};
    Bloque unidades_{"UNIDADES", "UNIDAD_CURSO", {}};
    Bloque empleados_{"EMPLEADOS", "PROFESOR", {}};
    Bloque origenes_{"ORIGENES", "ORIGEN", {}};
    Bloque nivelesCat_{"NIVELES", "NIVEL", {}};
    Bloque cursosNiveles_{"CURSOS_NIVELES", "CURSO_NIVEL", {}};
    Bloque autorizaciones_{"AUTORIZACIONES", "AUTORIZACION", {}};
    long long claveUnidad_ = 3174011, claveEmpleado_ = 412346, claveDependencia_ = 1408701;
    long long claveTramo_ = 61231, claveMateria_ = 7911, claveAjena_ = 199001;
    long long claveAutorizacion_ = 881;
};

void Generador::Sede(int c) {
    Cursos(c);
    Unidades(c);
    Materias(c);
    Actividades(c);
    Dependencias(c);
    Jornadas(c);
    Empleados(c);
    Catalogos(c);
}

void Generador::Cursos(int c) {
    for (size_t i = 0; i < kCursos.size(); ++i) {
        const TipoCurso& t = kCursos[i];
        cursos_.registros.push_back({{"X_OFERTAMATRIG", Num(ClaveCurso(c, i))},
                                     {"D_OFERTAMATRIG", std::string(t.estudios)}});
        const std::string nivel =
            c == 0 ? std::string(t.nivel) : std::string(t.nivel.substr(0, 3)) + Marca(c);
        niveles_ += Num(ClaveCurso(c, i)) + ";" + nivel + ";" + std::string(t.curso) + "\n";
    }
}

void Generador::Unidades(int c) {
    for (size_t i = 0; i < kCursos.size(); ++i) {
        const TipoCurso& t = kCursos[i];
        for (int u = 0; u < t.unidades; ++u) {
            std::string nombre(t.corto);
            if (t.unidades > 1) nombre += std::string(" ") + static_cast<char>('A' + u);
            unidades_.registros.push_back({{"X_UNIDAD", Num(claveUnidad_++)},
                                           {"T_NOMBRE", nombre + Sufijo(c)},
                                           {"X_OFERTAMATRIG", Num(ClaveCurso(c, i))}});
        }
        // Mixed units: the last unit of 4º ESO also under 3º ESO, the last of 2º Bachillerato
        // (Ciencias) also under 2º Bachillerato (Humanidades): same unit key, two course keys.
        const size_t mixta = i == 3 ? 2 : i == 5 ? 7 : kCursos.size();
        if (mixta < kCursos.size()) {
            Registro r = unidades_.registros.back();
            r[2].valor = Num(ClaveCurso(c, mixta));
            unidades_.registros.push_back(r);
        }
    }
}

std::vector<std::string> Generador::NombresMaterias(int c, const TipoCurso& t) {
    std::vector<std::string> base;
    auto tomar = [&](const auto& lista) {
        for (auto n : lista) base.emplace_back(n);
    };
    switch (t.familia) {
        case Familia::Eso:
        case Familia::Espa:
            tomar(kMateriasEso);
            break;
        case Familia::BachCt:
        case Familia::BachHcs:
        case Familia::BachArt:
        case Familia::Bpa:
            tomar(kMateriasBachillerato);
            break;
        default:
            if (t.estudios.find("Inform") != std::string_view::npos ||
                t.estudios.find("Aplicaciones") != std::string_view::npos ||
                t.estudios.find("Sistemas") != std::string_view::npos)
                tomar(kModulosInformatica);
            else
                tomar(kModulosOtros);
    }
    azar_.Barajar(base);
    // Two thirds of a course's subjects from its studies, the rest the school's own options.
    const size_t comunes = std::min(base.size(), static_cast<size_t>(t.materias * 2 / 3));
    base.resize(comunes);
    std::set<std::string> usadas(base.begin(), base.end());
    while (base.size() < static_cast<size_t>(t.materias)) {
        std::string n = std::string(azar_.Elegir(kPrefijosOptativa)) + " " +
                        std::string(azar_.Elegir(kTemasOptativa)) + Sufijo(c);
        if (usadas.insert(n).second) base.push_back(n);
    }
    return base;
}

void Generador::Materias(int c) {
    for (size_t i = 0; i < kCursos.size(); ++i) {
        for (const std::string& nombre : NombresMaterias(c, kCursos[i])) {
            claveMateria_ += azar_.Entre(1, 40);
            Registro r{{"X_OFERTAMATRIG", Num(ClaveCurso(c, i))},
                       {"X_MATERIAOMG", Num(claveMateria_)},
                       {"D_MATERIAC", nombre}};
            if (azar_.Porcentaje(10)) std::swap(r[1], r[2]);  // name before code, as some exports
            materias_.registros.push_back(std::move(r));
        }
        // Every second course is followed by a subject of a course the school does not list.
        if (i % 2 == 1) {
            claveMateria_ += azar_.Entre(1, 40);
            materias_.registros.push_back(
                {{"X_OFERTAMATRIG", Num(claveAjena_++)},
                 {"X_MATERIAOMG", Num(claveMateria_)},
                 {"D_MATERIAC", std::string(azar_.Elegir(kMateriasAjenas))}});
        }
    }
}

void Generador::Actividades(int c) {
    auto agregar = [&](int clave, bool regular, const std::string& nombre, bool materia) {
        actividades_.registros.push_back({{"L_REGULAR", regular ? "S" : "N"},
                                          {"X_ACTIVIDAD", Num(1000LL * c + clave)},
                                          {"D_ACTIVIDAD", nombre + Sufijo(c)},
                                          {"L_REQUNIDAD", regular ? "S" : "N"},
                                          {"L_REQMATERIA", materia ? "S" : "N"}});
    };
    for (const Actividad& a : kActividades)
        agregar(a.clave, a.regular, std::string(a.nombre), a.clave == 1 || a.clave == 43);
    for (size_t j = 0; j < kDepartamentos.size(); ++j)
        agregar(101 + static_cast<int>(j), false,
                "Jefatura del Departamento de " + std::string(kDepartamentos[j]), false);
    for (size_t j = 0; j < kDepartamentos.size(); ++j)
        agregar(131 + static_cast<int>(j), false,
                "Reunión del Departamento de " + std::string(kDepartamentos[j]), false);
}

void Generador::Dependencias(int c) {
    for (int n = 0; n < 70; ++n) {
        dependencias_.registros.push_back(
            {{"X_DEPENDENCIA", Num(claveDependencia_++)},
             {"D_DEPENDENCIA", "Aula " + Num(n / 18) + "." + Num(n % 18 + 1) + Sufijo(c)}});
    }
    for (auto nombre : kDependencias) {
        dependencias_.registros.push_back({{"X_DEPENDENCIA", Num(claveDependencia_++)},
                                           {"D_DEPENDENCIA", std::string(nombre) + Sufijo(c)}});
    }
}

void Generador::Jornadas(int c) {
    const std::array<std::string, 2> nombres{"Horario de mañana", "Horario de tarde (F.P.)"};
    // Morning 8:00 to 14:30 and afternoon 15:30 to 22:00, each six hours and a break.
    const std::array<std::array<const char*, 7>, 2> etiquetas{
        {{"1ª", "2ª", "3ª", "Recreo", "4ª", "5ª", "6ª"},
         {"Tarde1", "Tarde2", "Tarde3", "Recreo tarde", "Tarde4", "Tarde5", "Tarde6"}}};
    const std::array<int, 2> comienzo{480, 930};
    for (int m = 0; m < 2; ++m) {
        const std::string codigo = Num(2417 + 2 * c + m);
        jornadas_.registros.push_back({{"X_PLAJORESCCEN", codigo},
                                       {"D_PLAJORESCCEN", nombres[m] + Sufijo(c)},
                                       {"F_INICIO", "15/09/2026"},
                                       {"F_FIN", "22/06/2027"}});
        int minuto = comienzo[m];
        for (int s = 0; s < 7; ++s) {
            const int duracion = s == 3 ? 30 : 60;
            tramos_.registros.push_back({{"X_TRAMO", Num(claveTramo_++)},
                                         {"T_HORCEN", etiquetas[m][s]},
                                         {"N_INICIO", Num(minuto)},
                                         {"N_FIN", Num(minuto + duracion)},
                                         {"X_PLAJORESCCEN", codigo}});
            minuto += duracion;
        }
    }
}

void Generador::Empleados(int /*c*/) {
    const size_t inicio = empleados_.registros.size();
    for (int n = 0; n < 118; ++n) {
        claveEmpleado_ += azar_.Entre(3, 60);
        // A few teachers from abroad have a single surname.
        std::string apellido2 =
            azar_.Porcentaje(3) ? std::string() : std::string(azar_.Elegir(kApellidos));
        empleados_.registros.push_back({{"X_EMPLEADO", Num(claveEmpleado_)},
                                        {"F_TOMAPOS", "01/09/" + Num(azar_.Entre(2000, 2026))},
                                        {"D_PUESTO", std::string(azar_.Elegir(kPuestos))},
                                        {"APELLIDO1", std::string(azar_.Elegir(kApellidos))},
                                        {"APELLIDO2", apellido2},
                                        {"NOMBRE", std::string(azar_.Elegir(kNombres))}});
    }
    // The same employee listed twice, as Séneca does for someone with two posts.
    empleados_.registros.push_back(empleados_.registros[inicio + 17]);
    empleados_.registros.push_back(empleados_.registros[inicio + 64]);
}

void Generador::Catalogos(int c) {
    const std::string marca = c == 0 ? "" : "_S" + Num(c + 1);
    for (size_t j = 0; j < kOrigenes.size(); ++j) {
        origenes_.registros.push_back(
            {{"X_CATORIHOR", Num(10LL * c + static_cast<long long>(j) + 1)},
             {"C_ORIHOR", std::string(kOrigenes[j].codigo) + marca},
             {"D_ORIHOR", std::string(kOrigenes[j].descripcion) + Sufijo(c)}});
    }
    auto nivel = [c](size_t j) { return 100LL * c + 11 + static_cast<long long>(j); };
    for (size_t j = 0; j < kNiveles.size(); ++j) {
        nivelesCat_.registros.push_back(
            {{"X_NIVCONPAGLEG", Num(nivel(j))},
             {"C_NIVCON", std::string(kNiveles[j].codigo) + marca},
             {"D_NIVCON", std::string(kNiveles[j].descripcion) + Sufijo(c)}});
    }
    for (size_t i = 0; i < kCursos.size(); ++i) {
        cursosNiveles_.registros.push_back(
            {{"X_OFERTAMATRIG", Num(ClaveCurso(c, i))},
             {"X_NIVCONPAGLEG",
              Num(nivel(static_cast<size_t>(NivelDeFamilia(kCursos[i].familia))))}});
    }
    // Teaching (activity 1, the same in every school) is authorised for every origin and level;
    // each school's other regular activities for most combinations.
    std::vector<long long> actividades{1};
    for (const Actividad& a : kActividades)
        if (a.regular && !(c == 0 && a.clave == 1)) actividades.push_back(1000LL * c + a.clave);
    for (long long actividad : actividades) {
        for (size_t o = 0; o < kOrigenes.size(); ++o) {
            for (size_t n = 0; n < kNiveles.size(); ++n) {
                if (actividad != 1 && !azar_.Porcentaje(80)) continue;
                autorizaciones_.registros.push_back(
                    {{"X_ORIHORACTETP", Num(claveAutorizacion_++)},
                     {"X_ACTIVIDAD", Num(actividad)},
                     {"X_CATORIHOR", Num(10LL * c + static_cast<long long>(o) + 1)},
                     {"X_NIVCONPAGLEG", Num(nivel(n))}});
            }
        }
    }
}

std::string Generador::Documento() const {
    return DocumentoSeneca(
        {&cursos_, &materias_, &actividades_, &dependencias_, &jornadas_, &tramos_, &unidades_,
         &empleados_, &origenes_, &nivelesCat_, &cursosNiveles_, &autorizaciones_},
        static_cast<size_t>(escala_) * 900000);
}

struct Opciones {
    int escala = 1;
    uint64_t semilla = 1;
    fs::path salida;
    std::optional<fs::path> niveles;
};

const char* const kUso =
    "Uso: generar_exportacion --escala K [--semilla N] [--niveles NIVELES.csv] SALIDA.xml\n"
    "Escribe una exportación sintética de Séneca (ISO-8859-1) con K centros y, junto a ella o en\n"
    "NIVELES.csv, los niveles de sus cursos (CLAVE;NIVEL;CURSO). Muestra los marcos para "
    "--marcos.\n";

bool Entero(const std::string& texto, long long minimo, long long maximo, long long& valor) {
    try {
        size_t usados = 0;
        valor = std::stoll(texto, &usados);
        return usados == texto.size() && valor >= minimo && valor <= maximo;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<Opciones> Analizar(int argc, char** argv) {
    Opciones o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        long long v = 0;
        if ((a == "--escala" || a == "--semilla" || a == "--niveles") && i + 1 >= argc) {
            return std::nullopt;
        }
        if (a == "--escala") {
            if (!Entero(argv[++i], 1, 1000, v)) return std::nullopt;
            o.escala = static_cast<int>(v);
        } else if (a == "--semilla") {
            if (!Entero(argv[++i], 0, INT64_MAX, v)) return std::nullopt;
            o.semilla = static_cast<uint64_t>(v);
        } else if (a == "--niveles") {
            o.niveles = fs::path(argv[++i]);
        } else if (!a.empty() && a[0] == '-') {
            return std::nullopt;
        } else if (o.salida.empty()) {
            o.salida = a;
        } else {
            return std::nullopt;
        }
    }
    if (o.salida.empty()) return std::nullopt;
    return o;
}

void Escribir(const fs::path& archivo, const std::string& bytes) {
    std::ofstream f(archivo, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) throw std::runtime_error("No se puede escribir «" + archivo.string() + "».");
}

}  // namespace

int main(int argc, char** argv) {
    static_assert(kCursos.size() == 40);
    const std::optional<Opciones> o = Analizar(argc, argv);
    if (!o) {
        std::fputs(kUso, stderr);
        return 2;
    }
    try {
        Generador g(o->escala, o->semilla);
        g.Generar();
        const std::string utf8 = g.Documento();
        const std::string latin1 = pasaplan::BytesUtf8ACp1252(utf8).Bytes();
        // ISO-8859-1 is declared: no byte of Windows-1252's own range 0x80-0x9F may slip in.
        for (unsigned char b : latin1) {
            if (b >= 0x80 && b <= 0x9F) throw std::runtime_error("Carácter fuera de ISO-8859-1.");
        }
        Escribir(o->salida, latin1);
        fs::path niveles = o->niveles.value_or(o->salida.parent_path() /
                                               (o->salida.stem().string() + "-niveles.csv"));
        Escribir(niveles, g.Niveles());
        std::printf("%s\n", g.Marcos().c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "generar_exportacion: %s\n", e.what());
        return 1;
    }
}
