// The catalogue of bad inputs (files under tests/data/malos and conditions of the system), each
// with the message the user gets and what the run leaves behind. The bench holds an earlier
// import, Velmora's SOLUC and an earlier result document, in folders whose names have blanks
// and accents. A run refused before its first step, and every export run that fails, leaves
// every one of those files as it was; an import step that fails leaves the earlier steps'
// tables written, its own table sound, and the later ones as they were.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "exchange/Documento.h"
#include "exchange/Tabla.h"
#include "lote/Lote.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "support/Apoyo.h"
#include "support/LoteEnProceso.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::EnProceso;
using prueba::LeerArchivo;
using prueba::Salida;

const fs::path kMalos = fs::path(PASAPLAN_TEST_DATA) / "malos";

// The date that marks a table of the earlier import: a table the run rewrites gets today's.
constexpr char kFechaVieja[3] = {101, 1, 1};  // 2001-01-01

constexpr const char* kMarcaAnterior = "<!-- resultado anterior -->\n";

enum class Efecto { Igual, Nueva, Ausente };

using prueba::EnProceso;
using prueba::Salida;

// The folders of one case. Names with blanks and accents everywhere.
struct Banco {
    fs::path raiz;
    fs::path intercambio = raiz / u8"VTEMP Año ñ";
    fs::path carpeta = raiz / u8"Exportación de Séneca";
    fs::path archivo = carpeta / u8"Exportación Horarios.xml";
    fs::path resultado = carpeta / u8"ResultadoVelmoraExportación Horarios.xml";
    fs::path niveles = raiz / "niveles del centro.csv";
    // A table another program holds during the run, taken once the folder's files are known
    // (on Windows no one else can read a file held exclusively).
    fs::path aRetener;
    std::unique_ptr<Tabla> retenida;
};

std::vector<std::string> ArgsExportar(const Banco& b, std::vector<std::string> extra) {
    std::vector<std::string> args{"exportar",      plataforma::Utf8DeRuta(b.archivo).Bytes(),
                                  "--intercambio", plataforma::Utf8DeRuta(b.intercambio).Bytes(),
                                  "--niveles",     plataforma::Utf8DeRuta(b.niveles).Bytes()};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

std::vector<std::string> Exportar(const Banco& b) { return ArgsExportar(b, {"--marcos", "2417"}); }

std::vector<std::string> Importar(const Banco& b) {
    return {"importar", plataforma::Utf8DeRuta(b.archivo).Bytes(), "--intercambio",
            plataforma::Utf8DeRuta(b.intercambio).Bytes()};
}

void PonerFechaVieja(const fs::path& tabla) {
    std::fstream f(tabla, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(1);
    f.write(kFechaVieja, 3);
}

bool FechaVieja(const fs::path& tabla) {
    const std::string bytes = LeerArchivo(tabla);
    return bytes.size() > 4 && bytes.compare(1, 3, kFechaVieja, 3) == 0;
}

// The bench every case starts from: the base export imported, SOLUC, the export run's result.
class Plantilla {
  public:
    static const Plantilla& Una() {
        static Plantilla p;
        return p;
    }
    void CopiarEn(const fs::path& destino) const { prueba::CopiarArbol(dir_.Ruta(), destino); }

  private:
    Plantilla() {
        Banco b{dir_.Ruta()};
        fs::create_directories(b.intercambio);
        fs::create_directories(b.carpeta);
        fs::copy_file(kMalos / "base-exportacion.xml", b.archivo);
        fs::copy_file(fs::path(PASAPLAN_SOURCE_DIR) / "samples/niveles.csv", b.niveles);
        const Salida i = EnProceso(Exportar(b));
        if (i.estado != 0) throw std::runtime_error("importación de la base: " + i.err);
        fs::copy_file(kMalos / "base-soluc.dbf", b.intercambio / "SOLUC.DBF");
        const Salida e = EnProceso(Importar(b));
        if (e.estado != 0) throw std::runtime_error("exportación de la base: " + e.err);
        for (const auto& t : fs::directory_iterator(b.intercambio)) PonerFechaVieja(t.path());
        // Marked, so that a new result tells itself apart even within the same second.
        prueba::EscribirArchivo(b.resultado, LeerArchivo(b.resultado) + kMarcaAnterior);
    }
    prueba::DirectorioTemporal dir_;
};

struct Caso {
    std::string nombre;
    std::function<std::vector<std::string>(const Banco&)> orden;
    std::function<void(Banco&)> preparar;  // spoils the bench; may skip the case
    int estado;
    std::vector<std::string> mensaje;      // each must appear in what the user reads
    std::map<std::string, Efecto> tablas;  // by file; every other file stays as it was
    std::map<std::string, size_t> filas;   // rows of some written tables
    bool resultadoNuevo = false;           // the run writes a new, complete result document
    uint64_t limiteArchivos = 0;           // > 0: the real binary, files limited to this size
};

std::ostream& operator<<(std::ostream& os, const Caso& c) { return os << c.nombre; }

// Tables rewritten when the import run stops in step `paso` (its own table included).
std::map<std::string, Efecto> Hasta(int paso) {
    static const std::vector<std::pair<const char*, int>> kPasos = {
        {"PERIODOS.DBF", 1},  {"CURSOST.DBF", 2},   {"CURSOST2.DBF", 2}, {"ASIGNOMT.DBF", 3},
        {"ASIGNOMT2.DBF", 3}, {"PROFT.DBF", 5},     {"AULAT.DBF", 6},    {"GRUPOST.DBF", 7},
        {"ASIGT.DBF", 8},     {"DIASHORAST.DBF", 9}};
    std::map<std::string, Efecto> efectos;
    for (const auto& [tabla, p] : kPasos) {
        if (p <= paso) efectos[tabla] = Efecto::Nueva;
    }
    return efectos;
}

std::map<std::string, Efecto> Con(std::map<std::string, Efecto> base,
                                  std::map<std::string, Efecto> mas) {
    for (auto& [k, v] : mas) base[k] = v;
    return base;
}

void CopiarMalo(Banco& b, const char* nombre) {
    fs::copy_file(kMalos / nombre, b.archivo, fs::copy_options::overwrite_existing);
}

void SolucMala(Banco& b, const char* nombre) {
    fs::copy_file(kMalos / nombre, b.intercambio / "SOLUC.DBF",
                  fs::copy_options::overwrite_existing);
}

const auto kDatoEnorme = [](Banco& b) {
    std::string xml = LeerArchivo(kMalos / "base-exportacion.xml");
    const std::string nombre = "<dato nombre_dato=\"NOMBRE\">";
    const size_t p = xml.find(nombre);
    ASSERT_NE(p, std::string::npos);
    xml.insert(p + nombre.size(), std::string(20u << 20, 'A'));
    prueba::EscribirArchivo(b.archivo, xml);
};

const std::string kNoValido = "no es un documento XML válido (línea ";

std::vector<Caso> Casos() {
    std::vector<Caso> c;
    // ---- the import run ("exportar"): refused before the first step ----
    c.push_back({"XmlTruncado",
                 Exportar,
                 [](Banco& b) { CopiarMalo(b, "xml-truncado.xml"); },
                 1,
                 {"Exportación Horarios.xml", kNoValido}});
    c.push_back({"BytesInvalidosParaLaCodificacion",
                 Exportar,
                 [](Banco& b) { CopiarMalo(b, "xml-codificacion-invalida.xml"); },
                 1,
                 {kNoValido, "UTF-8"}});
    c.push_back({"DoctypeConEntidades",
                 Exportar,
                 [](Banco& b) { CopiarMalo(b, "xml-doctype-entidades.xml"); },
                 1,
                 {"declara entidades en su DOCTYPE"}});
    c.push_back({"EntidadesEnBucle",
                 Exportar,
                 [](Banco& b) { CopiarMalo(b, "xml-entidades-en-bucle.xml"); },
                 1,
                 {"Exportación Horarios.xml", "loop"}});
    c.push_back({"EntidadesExponenciales",
                 Exportar,
                 [](Banco& b) { CopiarMalo(b, "xml-entidades-exponenciales.xml"); },
                 1,
                 {"Exportación Horarios.xml"}});
    c.push_back({"ValorEnorme", Exportar, kDatoEnorme, 1, {kNoValido, "huge"}});
    c.push_back({"DirectorioDeIntercambioDeSoloLectura",
                 Exportar,
                 [](Banco& b) {
                     if (!prueba::QuitarEscritura(b.intercambio))
                         GTEST_SKIP() << "el sistema no deja quitar la escritura";
                 },
                 1,
                 {"No se puede escribir en el directorio de intercambio", "VTEMP Año ñ"}});
    // ---- the import run: what the steps make of it ----
    c.push_back(
        {"SinBloques",
         [](const Banco& b) { return ArgsExportar(b, {}); },
         [](Banco& b) { CopiarMalo(b, "xml-sin-bloques.xml"); },
         0,
         {"Proceso finalizado"},
         // Without ORIGENES the catalogues go without ORIGENES_C; the other three
         // stay as the earlier import left them.
         Con(Hasta(9), {{"ORIGENES_C.DBF", Efecto::Ausente}}),
         {{"CURSOST.DBF", 0}, {"PROFT.DBF", 0}, {"DIASHORAST.DBF", 0}, {"CURSOST2.DBF", 7}}});
    c.push_back({"RegistrosConPocosValores",
                 Exportar,
                 [](Banco& b) { CopiarMalo(b, "xml-registros-cortos.xml"); },
                 0,
                 {"Proceso finalizado"},
                 Con(Hasta(9), {{"ORIGENES_C.DBF", Efecto::Nueva},
                                {"NIVELES_C.DBF", Efecto::Nueva},
                                {"CUR_NIV_C.DBF", Efecto::Nueva},
                                {"AUTORIZA_C.DBF", Efecto::Nueva}}),
                 {{"CURSOST.DBF", 6}, {"PROFT.DBF", 3}}});
    c.push_back({"MinutosNoNumericos",
                 Exportar,
                 [](Banco& b) { CopiarMalo(b, "xml-minutos-no-numericos.xml"); },
                 1,
                 {"TRAMOS_HORARIOS", "no es un número entero de minutos: «9:00»"},
                 Hasta(9),
                 {{"DIASHORAST.DBF", 0}}});
    c.push_back(
        {"CodigoDeCatalogoNoNumerico",
         Exportar,
         [](Banco& b) { CopiarMalo(b, "xml-catalogo-no-numerico.xml"); },
         1,
         {"En el bloque «NIVELES»", "registro 2", "«BACH» no es un número entero"},
         Con(Hasta(9), {{"ORIGENES_C.DBF", Efecto::Nueva}, {"NIVELES_C.DBF", Efecto::Nueva}}),
         {{"ORIGENES_C.DBF", 3}, {"NIVELES_C.DBF", 1}}});
    c.push_back(
        {"Cursost2EnDbase7",
         Exportar,
         [](Banco& b) {
             fs::copy_file(kMalos / "dbf-soluc-dbase7.dbf", b.intercambio / "CURSOST2.DBF",
                           fs::copy_options::overwrite_existing);
         },
         // As in the dialog: the error is told, CURSOST2 stays, the run goes on.
         0,
         {"CURSOST2", "dBase 7", "Proceso finalizado", "Error en los niveles de los cursos: 2"},
         Con(Hasta(9), {{"CURSOST2.DBF", Efecto::Igual},
                        {"ORIGENES_C.DBF", Efecto::Nueva},
                        {"NIVELES_C.DBF", Efecto::Nueva},
                        {"CUR_NIV_C.DBF", Efecto::Nueva},
                        {"AUTORIZA_C.DBF", Efecto::Nueva}})});
    c.push_back({"TablaRetenidaPorOtroPrograma",
                 Exportar,
                 [](Banco& b) { b.aRetener = b.intercambio / "CURSOST.DBF"; },
                 1,
                 {"La tabla CURSOST está abierta en otro programa"},
                 {{"PERIODOS.DBF", Efecto::Nueva}}});
    c.push_back({"DiscoLleno",
                 Exportar,
                 [](Banco&) {},
                 1,
                 {"ASIGT", "el archivo supera el tamaño máximo permitido"},
                 Hasta(8),
                 {},
                 false,
                 2000});
    c.push_back({"RutasConBlancosYAcentos",
                 Exportar,
                 [](Banco&) {},
                 0,
                 {"Proceso finalizado"},
                 Con(Hasta(9), {{"ORIGENES_C.DBF", Efecto::Nueva},
                                {"NIVELES_C.DBF", Efecto::Nueva},
                                {"CUR_NIV_C.DBF", Efecto::Nueva},
                                {"AUTORIZA_C.DBF", Efecto::Nueva}}),
                 {{"PROFT.DBF", 4}}});

    // ---- the export run ("importar"): every failure leaves everything as it was ----
    c.push_back({"SolucConCuentaExcesiva",
                 Importar,
                 [](Banco& b) { SolucMala(b, "dbf-soluc-cuenta-excesiva.dbf"); },
                 1,
                 {"La tabla SOLUC", "está dañada", "60 registros"}});
    c.push_back({"SolucTruncada",
                 Importar,
                 [](Banco& b) { SolucMala(b, "dbf-soluc-truncada.dbf"); },
                 1,
                 {"La tabla SOLUC", "está dañada"}});
    c.push_back({"SolucConDiaNoNumerico",
                 Importar,
                 [](Banco& b) { SolucMala(b, "dbf-soluc-dia-no-numerico.dbf"); },
                 1,
                 {"La tabla SOLUC tiene en el campo DIA el valor \"1a\", que no es un número "
                  "entero."}});
    c.push_back({"SolucEnDbase7",
                 Importar,
                 [](Banco& b) { SolucMala(b, "dbf-soluc-dbase7.dbf"); },
                 1,
                 {"La tabla SOLUC", "dBase 7"}});
    c.push_back({"SolucRetenidaPorOtroPrograma",
                 Importar,
                 [](Banco& b) { b.aRetener = b.intercambio / "SOLUC.DBF"; },
                 1,
                 {"La tabla SOLUC está abierta en otro programa"}});
    c.push_back({"DocumentoDeSenecaIlegible",
                 Importar,
                 [](Banco& b) { CopiarMalo(b, "xml-truncado.xml"); },
                 1,
                 {kNoValido}});
    c.push_back({"CarpetaDelResultadoSinEscritura",
                 Importar,
                 [](Banco& b) {
                     if (!prueba::QuitarEscritura(b.carpeta))
                         GTEST_SKIP() << "el sistema no deja quitar la escritura";
                 },
                 1,
                 {"No se puede escribir el archivo", "ResultadoVelmora", "permiso denegado"}});
    c.push_back({"DiscoLlenoAlGuardar",
                 Importar,
                 [](Banco&) {},
                 1,
                 {"ResultadoVelmoraExportación Horarios.xml",
                  "el archivo supera el tamaño máximo permitido"},
                 {},
                 {},
                 false,
                 4000});
    c.push_back({"DirectorioDeIntercambioDeSoloLecturaAlExportar",
                 Importar,
                 [](Banco& b) {
                     if (!prueba::QuitarEscritura(b.intercambio))
                         GTEST_SKIP() << "el sistema no deja quitar la escritura";
                 },
                 0,
                 {"Proceso finalizado"},
                 {},
                 {},
                 true});
    c.push_back({"RutasConBlancosYAcentosAlExportar",
                 Importar,
                 [](Banco&) {},
                 0,
                 {"Proceso finalizado"},
                 {},
                 {},
                 true});
    // A full disk is shown by a limit on file sizes, which only some systems have.
    if (!prueba::kHayLimiteDeArchivos) {
        std::erase_if(c, [](const Caso& caso) { return caso.limiteArchivos != 0; });
    }
    return c;
}

class EntradaMala : public testing::TestWithParam<Caso> {};

TEST_P(EntradaMala, TellsTheUserAndLeavesWhatItShould) {
    const Caso& caso = GetParam();
    prueba::DirectorioTemporal tmp;
    Plantilla::Una().CopiarEn(tmp.Ruta());
    Banco b{tmp.Ruta()};
    caso.preparar(b);
    if (testing::Test::IsSkipped() || testing::Test::HasFatalFailure()) return;
    const auto antes = prueba::ArchivosEn(b.intercambio);
    const auto seneca = prueba::ArchivosEn(b.carpeta);
    if (!b.aRetener.empty()) b.retenida = Tabla::Abrir(b.aRetener, Acceso::Exclusivo);

    const Salida r = caso.limiteArchivos
                         ? prueba::EjecutarPrograma(prueba::Programa("pasaplan-lote"),
                                                    caso.orden(b), tmp.Ruta(), caso.limiteArchivos)
                         : EnProceso(caso.orden(b));
    b.retenida.reset();
    fs::permissions(b.intercambio, fs::perms::owner_all, fs::perm_options::add);
    fs::permissions(b.carpeta, fs::perms::owner_all, fs::perm_options::add);

    EXPECT_EQ(r.estado, caso.estado) << r.out << r.err;
    const std::string leido = r.out + r.err;
    for (const std::string& m : caso.mensaje) {
        EXPECT_NE(leido.find(m), std::string::npos) << "falta «" << m << "» en:\n" << leido;
    }
    // Failures go to stderr, and nothing on stdout claims success.
    if (caso.estado != 0) {
        EXPECT_EQ(r.out.find("Proceso finalizado"), std::string::npos);
    }

    // The exchange directory: each table as the case says, nothing else added.
    const auto ahora = prueba::ArchivosEn(b.intercambio);
    for (const auto& [nombre, bytes] : ahora) {
        EXPECT_TRUE(antes.count(nombre) || caso.tablas.count(nombre)) << "archivo nuevo " << nombre;
    }
    for (const auto& [nombre, bytes] : antes) {
        const auto e = caso.tablas.count(nombre) ? caso.tablas.at(nombre) : Efecto::Igual;
        const fs::path ruta = b.intercambio / nombre;
        if (e == Efecto::Ausente) {
            EXPECT_FALSE(fs::exists(ruta)) << nombre;
            continue;
        }
        ASSERT_TRUE(ahora.count(nombre)) << nombre << " ha desaparecido";
        if (e == Efecto::Igual) {
            EXPECT_TRUE(ahora.at(nombre) == bytes) << nombre << " ha cambiado";
        } else {
            EXPECT_FALSE(FechaVieja(ruta)) << nombre << " no se ha escrito de nuevo";
            try {
                const auto t = Tabla::Abrir(ruta, Acceso::Compartido);
                if (caso.filas.count(nombre)) {
                    EXPECT_EQ(t->Filas(), caso.filas.at(nombre)) << nombre;
                }
            } catch (const ErrorPasaplan& error) {
                ADD_FAILURE() << nombre << " no se puede leer: " << error.what();
            }
        }
    }

    // The Séneca folder: the chosen file as it was, and the result document either untouched
    // or new and complete; no temporary file left.
    const auto carpeta = prueba::ArchivosEn(b.carpeta);
    EXPECT_EQ(carpeta.size(), seneca.size());
    const std::string nombreResultado = plataforma::Utf8DeRuta(b.resultado.filename()).Bytes();
    ASSERT_TRUE(carpeta.count(nombreResultado));
    const std::string& resultado = carpeta.at(nombreResultado);
    if (caso.resultadoNuevo) {
        EXPECT_EQ(resultado.find(kMarcaAnterior), std::string::npos) << "no hay documento nuevo";
        EXPECT_TRUE(resultado.ends_with("</SERVICIO>") || resultado.ends_with("</SERVICIO>\n"));
        EXPECT_NO_THROW(Documento::DesdeMemoria(resultado, "resultado"));
    } else {
        EXPECT_TRUE(resultado == seneca.at(nombreResultado)) << "el documento anterior ha cambiado";
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogo, EntradaMala, testing::ValuesIn(Casos()),
                         [](const testing::TestParamInfo<Caso>& info) {
                             return info.param.nombre;
                         });

}  // namespace
}  // namespace pasaplan
