#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <ctime>
#include <optional>
#include <random>

#include "exchange/CodecDbf.h"
#include "exchange/Tabla.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "support/Apoyo.h"
#include "support/Errores.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;
using prueba::MensajeDe;
using ::testing::HasSubstr;

const std::vector<Campo> kCampos = {{"NOMBRE", TipoCampo::Texto, 10},
                                    {"DIA", TipoCampo::Entero},
                                    {"HORAS", TipoCampo::Flotante},
                                    {"TAREA", TipoCampo::Logico}};

uint32_t Cuenta(const std::string& b) {
    return static_cast<unsigned char>(b[4]) | static_cast<unsigned char>(b[5]) << 8 |
           static_cast<unsigned char>(b[6]) << 16 | static_cast<uint32_t>(b[7]) << 24;
}

// A dBase file built byte by byte, to stand for files that other programs write.
struct CampoCrudo {
    std::string nombre;
    char tipo;
    int ancho;
    int decimales = 0;
};

std::string Dbf(unsigned char version, const std::vector<CampoCrudo>& campos,
                const std::vector<std::string>& registros) {
    const size_t cabecera = 32 + 32 * campos.size() + 1;
    size_t registro = 1;
    for (const auto& c : campos) registro += static_cast<size_t>(c.ancho);
    std::string b(32, '\0');
    b[0] = static_cast<char>(version);
    b[1] = 126, b[2] = 1, b[3] = 15;
    b[4] = static_cast<char>(registros.size());
    b[8] = static_cast<char>(cabecera & 0xFF), b[9] = static_cast<char>(cabecera >> 8);
    b[10] = static_cast<char>(registro), b[11] = static_cast<char>(registro >> 8);
    for (const auto& c : campos) {
        std::string d(32, '\0');
        d.replace(0, c.nombre.size(), c.nombre);
        d[11] = c.tipo;
        d[16] = static_cast<char>(c.ancho);
        d[17] = static_cast<char>(c.decimales);
        b += d;
    }
    b += '\x0D';
    for (const auto& r : registros) b += r;
    return b + '\x1A';
}

// Field bytes: text padded on the right, numbers on the left.
std::string Izq(std::string_view utf8, size_t ancho) {
    std::string t = BytesUtf8ACp1252(utf8).Bytes();
    return t + std::string(ancho - t.size(), ' ');
}
std::string Der(std::string_view t, size_t ancho) {
    return std::string(ancho - t.size(), ' ') + std::string(t);
}

// NOMBRE C(10), DIA N(11): three live rows.
std::string DbfBase() {
    return Dbf(0x03, {{"NOMBRE", 'C', 10}, {"DIA", 'N', 11}},
               {" " + Izq("Lunes", 10) + Der("1", 11), " " + Izq("Martes", 10) + Der("2", 11),
                " " + Izq("Miércoles", 10) + Der("3", 11)});
}

class TablaTest : public ::testing::Test {
  protected:
    DirectorioTemporal dir;
    std::filesystem::path archivo = dir.Ruta() / "SOLUC.DBF";

    std::unique_ptr<Tabla> Nueva(const std::vector<Campo>& campos = kCampos) {
        Tabla::Crear(archivo, campos);
        return Tabla::Abrir(archivo, Acceso::Exclusivo);
    }
    std::unique_ptr<Tabla> Crudo(const std::string& bytes) {
        EscribirArchivo(archivo, bytes);
        return Tabla::Abrir(archivo, Acceso::Compartido);
    }
};

TEST_F(TablaTest, EveryKindSurvivesPostingAndReopening) {
    {
        auto t = Nueva();
        size_t f = t->Agregar();
        t->PonerTexto(f, "nombre", BytesUtf8ACp1252("Educación"));
        t->PonerEntero(f, "DIA", -1234567890);
        t->PonerFlotante(f, "HORAS", 2.75);
        t->PonerLogico(f, "TAREA", true);
        t->Grabar(f);
        t->Grabar(t->Agregar());  // nothing set
    }
    auto t = Tabla::Abrir(archivo, Acceso::Compartido);
    ASSERT_EQ(t->Filas(), 2u);
    EXPECT_EQ(t->Nombre(), "SOLUC");
    EXPECT_EQ(t->Campos()[1].ancho, 11);
    EXPECT_EQ(t->Campos()[2].ancho, 20);
    EXPECT_EQ(t->Campos()[2].decimales, 4);
    EXPECT_EQ(t->LeerTexto(0, "NOMBRE"), BytesUtf8ACp1252("Educación"));
    EXPECT_EQ(t->LeerEntero(0, "DIA"), -1234567890);
    EXPECT_EQ(t->LeerTexto(0, "DIA"), "-1234567890");
    EXPECT_DOUBLE_EQ(t->LeerFlotante(0, "HORAS"), 2.75);
    EXPECT_EQ(t->LeerTexto(0, "HORAS"), "2.75");
    EXPECT_EQ(t->LeerLogico(0, "TAREA"), std::optional<bool>(true));
    EXPECT_EQ(t->LeerTexto(1, "NOMBRE"), "");
    EXPECT_EQ(t->LeerTexto(1, "DIA"), "");
    EXPECT_EQ(t->LeerLogico(1, "TAREA"), std::nullopt);
    // An unset number reads 0; a blank text holds no number.
    EXPECT_EQ(t->LeerEntero(1, "DIA"), 0);
    EXPECT_EQ(t->LeerFlotante(1, "HORAS"), 0.0);
    EXPECT_THAT(MensajeDe([&] { t->LeerEntero(1, "NOMBRE"); }), HasSubstr("el valor \"\""));
}

// Texts are cut keeping leading blanks; numbers read back without their padding.
TEST_F(TablaTest, ValuesAreCutAndUnpaddedAsDBaseDoes) {
    auto t = Nueva();
    size_t f = t->Agregar();
    t->PonerTexto(f, "NOMBRE", "  Tecnologia aplicada");
    EXPECT_EQ(t->LeerTexto(f, "NOMBRE"), "  Tecnolog");
    t->PonerTexto(f, "DIA", " 007 ");
    t->PonerTexto(f, "HORAS", "4");
    EXPECT_EQ(t->LeerTexto(f, "DIA"), "7");
    EXPECT_EQ(t->LeerTexto(f, "HORAS"), "4");
    EXPECT_EQ(t->LeerEntero(f, "HORAS"), 4);  // a zero fraction is still a whole number
    EXPECT_EQ(t->Buscar({{"DIA", "7"}}), std::optional<size_t>(0));
    EXPECT_EQ(t->Buscar({{"DIA", " 7"}}), std::nullopt);
    t->PonerEntero(f, "NOMBRE", 123456789012345);  // its digits, cut too
    EXPECT_EQ(t->LeerTexto(f, "NOMBRE"), "1234567890");
}

TEST_F(TablaTest, TrailingBlanksNeverCountInSearches) {
    auto t = Nueva();
    const std::vector<std::pair<std::string, int>> filas = {{"Educación F", 1},
                                                            {"educación", 2},
                                                            {"Educación", 3},
                                                            {" Educación", 4},
                                                            {"Educación", 5}};
    for (const auto& [nombre, dia] : filas) {
        size_t f = t->Agregar();
        t->PonerTexto(f, "NOMBRE", BytesUtf8ACp1252(nombre));
        t->PonerEntero(f, "DIA", dia);
    }
    // "Educación F" is stored cut to "Educación " and found without its blank.
    EXPECT_EQ(t->Buscar({{"NOMBRE", BytesUtf8ACp1252("Educación")}}), std::optional<size_t>(0));
    EXPECT_EQ(t->Buscar({{"NOMBRE", BytesUtf8ACp1252("Educación   ")}}), std::optional<size_t>(0));
    EXPECT_EQ(t->Buscar({{"NOMBRE", BytesUtf8ACp1252("Educación")}, {"DIA", "3"}}),
              std::optional<size_t>(2));
    EXPECT_EQ(t->Buscar({{"NOMBRE", BytesUtf8ACp1252(" Educación ")}}), std::optional<size_t>(3));
    EXPECT_EQ(t->Buscar({{"NOMBRE", "Educaci"}}), std::nullopt);
    EXPECT_THAT(t->Filtrar("NOMBRE", BytesUtf8ACp1252("Educación ")),
                ::testing::ElementsAre(0, 2, 4));
    EXPECT_THAT(t->Filtrar("NOMBRE", BytesUtf8ACp1252("EDUCACIÓN")), ::testing::IsEmpty());
    EXPECT_THAT(MensajeDe([&] { t->Filtrar("NOMBRES", "x"); }),
                "La tabla SOLUC no tiene el campo NOMBRES.");
}

TEST_F(TablaTest, ConversionErrorsNameTableFieldAndValue) {
    auto t = Nueva();
    size_t f = t->Agregar();
    t->PonerTexto(f, "NOMBRE", "x");
    t->PonerFlotante(f, "HORAS", 4.5);
    EXPECT_EQ(MensajeDe([&] { t->LeerEntero(f, "NOMBRE"); }),
              "La tabla SOLUC tiene en el campo NOMBRE el valor \"x\", que no es un número "
              "entero.");
    EXPECT_THAT(MensajeDe([&] { t->LeerEntero(f, "HORAS"); }), HasSubstr("\"4.5\""));
    EXPECT_THAT(MensajeDe([&] { t->LeerFlotante(f, "NOMBRE"); }), HasSubstr("no es un número"));
}

TEST_F(TablaTest, WritesThatWouldChangeTheValueAreRefused) {
    auto t = Nueva();
    size_t f = t->Agregar();
    const auto mensaje = MensajeDe([&] { t->PonerEntero(f, "DIA", 100000000000); });
    EXPECT_THAT(mensaje, HasSubstr("100000000000 no cabe en el campo DIA de la tabla SOLUC"));
    t->PonerEntero(f, "DIA", 99999999999);
    EXPECT_EQ(t->LeerEntero(f, "DIA"), 99999999999);
    EXPECT_THAT(MensajeDe([&] { t->PonerTexto(f, "DIA", "3a"); }),
                HasSubstr("El campo DIA de la tabla SOLUC no admite el valor \"3a\""));
    EXPECT_THAT(MensajeDe([&] { t->PonerTexto(f, "DIA", "1.5"); }), HasSubstr("no cabe"));
    EXPECT_THAT(MensajeDe([&] { t->PonerFlotante(f, "HORAS", 1e16); }), HasSubstr("HORAS"));
    EXPECT_THAT(MensajeDe([&] { t->PonerTexto(f, "TAREA", "Si"); }), HasSubstr("TAREA"));
    EXPECT_EQ(t->LeerEntero(f, "DIA"), 99999999999);  // failed writes leave the value
    t->PonerTexto(f, "DIA", "");
    EXPECT_EQ(t->LeerTexto(f, "DIA"), "");
}

// Rows posted before an error reach the file when the error closes the table; an edited row
// goes back in its place.
TEST_F(TablaTest, PostedRowsStayAfterAnErrorAndEditsKeepTheirPlace) {
    EXPECT_THROW(
        {
            auto t = Nueva();
            for (int dia = 1; dia <= 3; ++dia) {
                size_t f = t->Agregar();
                t->PonerEntero(f, "DIA", dia);
                if (dia == 3) t->PonerTexto(f, "DIA", "tres");
                t->Grabar(f);
            }
        },
        ErrorPasaplan);
    const std::string b = LeerArchivo(archivo);
    const size_t cabecera = 32 + 4 * 32 + 1, registro = 1 + 10 + 11 + 20 + 1;
    EXPECT_EQ(Cuenta(b), 2u);
    ASSERT_EQ(b.size(), cabecera + 2 * registro + 1);
    EXPECT_EQ(b.substr(cabecera + registro + 11, 11), "          2");
    EXPECT_EQ(b.back(), '\x1A');

    // Shared, so that the file can be read while the table is open (Windows lets no one read a
    // file held exclusively).
    auto t = Tabla::Abrir(archivo, Acceso::Compartido);
    t->PonerEntero(0, "DIA", 9);
    t->Grabar(0);
    const std::string despues = LeerArchivo(archivo);
    EXPECT_EQ(despues.size(), b.size());
    EXPECT_EQ(despues.substr(cabecera + 11, 11), "          9");
}

// Posted rows go to the file in blocks, the rows before the count: whenever the file is
// looked at, every record its header counts is there, in posting order. Another table object
// opening the file, and VolcarTodas, see every row posted so far; a row posted again before
// its block was written is written as it was last posted.
TEST_F(TablaTest, RowsGoInBlocksAndTheCountNeverRunsAhead) {
    Tabla::Crear(archivo, kCampos);
    auto t = Tabla::Abrir(archivo, Acceso::Compartido);
    const size_t cabecera = 32 + 4 * 32 + 1, registro = 1 + 10 + 11 + 20 + 1;
    const auto comprobar = [&](const std::string& b) {
        ASSERT_GE(b.size(), cabecera + Cuenta(b) * registro);
        for (uint32_t r = 0; r < Cuenta(b); r += 97) {
            ASSERT_EQ(std::stoi(b.substr(cabecera + r * registro + 11, 11)), int(r));
        }
    };
    const int filas = 20000;
    for (int i = 0; i < filas; ++i) {
        const size_t f = t->Agregar();
        t->PonerEntero(f, "DIA", i == 5 || i == filas - 3 ? -1 : i);
        t->Grabar(f);
        if (i % 1999 == 0) comprobar(LeerArchivo(archivo));
    }
    for (const int fila : {5, filas - 3}) {
        t->PonerEntero(size_t(fila), "DIA", fila);
        t->Grabar(size_t(fila));
    }
    EXPECT_LT(Cuenta(LeerArchivo(archivo)), uint32_t(filas));
    Tabla::VolcarTodas();
    std::string b = LeerArchivo(archivo);
    comprobar(b);
    EXPECT_EQ(Cuenta(b), uint32_t(filas));
    EXPECT_EQ(b.size(), cabecera + filas * registro + 1);

    t = nullptr;
    t = Tabla::Abrir(archivo, Acceso::Compartido);
    t->Grabar(t->Agregar());
    auto otra = Tabla::Abrir(archivo, Acceso::Compartido);
    EXPECT_EQ(otra->Filas(), size_t(filas) + 1);
    EXPECT_EQ(otra->LeerEntero(5, "DIA"), 5);
    EXPECT_EQ(otra->LeerEntero(filas - 3, "DIA"), filas - 3);
}

// A post leaves today's date in the header, whatever day the file was last written, and an
// edited row leaves the count as it was.
TEST_F(TablaTest, PostingDatesTheFileTodayAndKeepsTheCount) {
    std::string b = DbfBase();
    b[1] = 99, b[2] = 1, b[3] = 1;  // 01/01/1999
    auto t = Crudo(b);
    const plataforma::FechaLocal hoy = plataforma::Hoy();
    const std::string fecha{static_cast<char>(hoy.anio - 1900), static_cast<char>(hoy.mes),
                            static_cast<char>(hoy.dia)};
    t->PonerTexto(1, "NOMBRE", "Jueves");
    t->Grabar(1);
    std::string despues = LeerArchivo(archivo);
    EXPECT_EQ(despues.substr(1, 3), fecha);
    EXPECT_EQ(Cuenta(despues), 3u);
    t->Grabar(t->Agregar());
    t->Grabar(t->Agregar());
    t->Volcar();
    despues = LeerArchivo(archivo);
    EXPECT_EQ(despues.substr(1, 3), fecha);
    EXPECT_EQ(Cuenta(despues), 5u);
    EXPECT_EQ(despues.size(), b.size() + 2 * 22);
}

TEST_F(TablaTest, DeletedRowsAreSkippedAndEditsKeepTheirRecord) {
    std::string b = DbfBase();
    b[97 + 22] = '*';  // the second record
    auto t = Crudo(b);
    ASSERT_EQ(t->Filas(), 2u);
    EXPECT_EQ(t->LeerTexto(1, "NOMBRE"), BytesUtf8ACp1252("Miércoles"));
    t->PonerTexto(1, "NOMBRE", "Jueves");
    t->Grabar(1);
    const std::string despues = LeerArchivo(archivo);
    EXPECT_EQ(despues.substr(97 + 22, 11), "*Martes    ");
    EXPECT_EQ(despues.substr(97 + 44, 11), " Jueves    ");
}

TEST_F(TablaTest, OtherWritersDataIsReadAlike) {
    // Versions with memo flags, F numbers, Y/N/? logicals, NUL padding, extra bytes at the end.
    for (unsigned char version : {0x03, 0x83, 0x8B, 0x30, 0xF5}) {
        std::string b =
            Dbf(version, {{"N", 'C', 4}, {"F", 'F', 6, 2}, {"L", 'L', 1}, {"FECHA", 'D', 8}},
                {" " + std::string("ab\0\0", 4) + Der("1.50", 6) + "Y20260115",
                 " " + Izq(" x", 4) + Der("-3", 6) + "N" + Izq("", 8),
                 " " + Izq("", 4) + Der("-3.00", 6) + "?" + Izq("", 8)});
        b += "basura tras el final";
        auto t = Crudo(b);
        ASSERT_EQ(t->Filas(), 3u) << int(version);
        EXPECT_EQ(t->LeerTexto(0, "N"), "ab");
        EXPECT_EQ(t->LeerTexto(1, "N"), " x");
        EXPECT_EQ(t->Campos()[1].tipo, TipoCampo::Flotante);
        EXPECT_DOUBLE_EQ(t->LeerFlotante(0, "F"), 1.5);
        EXPECT_EQ(t->LeerEntero(1, "F"), -3);
        EXPECT_EQ(t->LeerLogico(0, "L"), std::optional<bool>(true));
        EXPECT_EQ(t->LeerLogico(1, "L"), std::optional<bool>(false));
        EXPECT_EQ(t->LeerLogico(2, "L"), std::nullopt);
        EXPECT_EQ(t->LeerTexto(0, "FECHA"), "20260115");
        EXPECT_EQ(t->Buscar({{"L", "F"}}), std::optional<size_t>(1));
    }
}

TEST_F(TablaTest, LongFieldNamesAreCutToTenAndFoundByTheirFirstTen) {
    auto t = Nueva({{"X_NIVCONPAGLEG", TipoCampo::Entero}, {"X_OFERTAMATRIG", TipoCampo::Entero}});
    EXPECT_EQ(t->Campos()[0].nombre, "X_NIVCONPA");
    size_t f = t->Agregar();
    t->PonerEntero(f, "X_NIVCONPAGLEG", 7);
    EXPECT_EQ(t->LeerEntero(f, "x_nivconpagleg"), 7);
    EXPECT_TRUE(t->TieneCampo("X_OFERTAMATRIG"));
    EXPECT_FALSE(t->TieneCampo("X_OFERTA"));
    EXPECT_THAT(MensajeDe([&] {
                    Tabla::Crear(dir.Ruta() / "OTRA.DBF", {{"CODIGO_LARGO_1", TipoCampo::Entero},
                                                           {"CODIGO_LARGO_2", TipoCampo::Entero}});
                }),
                HasSubstr("hay dos campos llamados CODIGO_LAR"));
}

TEST_F(TablaTest, AnOpenTableIsNotOpenedAgainNorRecreated) {
    struct Caso {
        Acceso primero, segundo;
        bool conflicto;
    };
    for (const Caso& c : {Caso{Acceso::Exclusivo, Acceso::Compartido, true},
                          Caso{Acceso::Compartido, Acceso::Exclusivo, true},
                          Caso{Acceso::Exclusivo, Acceso::Exclusivo, true},
                          Caso{Acceso::Compartido, Acceso::Compartido, false}}) {
        Tabla::Crear(archivo, kCampos);
        auto primera = Tabla::Abrir(archivo, c.primero);
        if (c.conflicto) {
            EXPECT_EQ(MensajeDe([&] { Tabla::Abrir(archivo, c.segundo); }),
                      "La tabla SOLUC está abierta en otro programa (" + archivo.string() + ").");
        } else {
            EXPECT_NO_THROW(Tabla::Abrir(archivo, c.segundo));
        }
    }
    auto abierta = Tabla::Abrir(archivo, Acceso::Compartido);
    const std::string antes = LeerArchivo(archivo);
    EXPECT_THAT(MensajeDe([&] {
                    Tabla::Crear(archivo, {{"OTRO", TipoCampo::Logico}});
                }),
                HasSubstr("está abierta en otro programa"));
    EXPECT_EQ(LeerArchivo(archivo), antes);
    abierta = nullptr;  // closing releases the lock
    EXPECT_NO_THROW(Tabla::Abrir(archivo, Acceso::Exclusivo));
}

// Names alike in length, beginning or end each find their own field, in either case; a longer
// name by its first ten; a name no field has is an error.
TEST_F(TablaTest, EveryFieldIsFoundByItsOwnName) {
    const std::vector<std::string> nombres = {"A",         "AA",         "AAB",       "BAA",
                                              "AAAAAAAAA", "AAAAAAAAAA", "AAAAAAAAAB"};
    std::vector<Campo> campos;
    for (const auto& n : nombres) campos.push_back({n, TipoCampo::Texto, 12});
    auto t = Nueva(campos);
    const size_t f = t->Agregar();
    for (const auto& n : nombres) t->PonerTexto(f, n, "v" + n);
    for (const auto& n : nombres) {
        std::string minusculas = n;
        for (char& c : minusculas) c = static_cast<char>(std::tolower(c));
        EXPECT_EQ(t->LeerTexto(f, n), "v" + n);
        EXPECT_EQ(t->LeerTexto(f, minusculas), "v" + n);
    }
    EXPECT_EQ(t->LeerTexto(f, "AAAAAAAAAAZ"), "vAAAAAAAAAA");
    EXPECT_THAT(MensajeDe([&] { t->LeerTexto(f, "AAAAAA"); }), HasSubstr("no tiene el campo"));
}

TEST_F(TablaTest, TablesAreFoundIgnoringCase) {
    Tabla::Crear(dir.Ruta() / "CURSOST.DBF", kCampos);
    EXPECT_EQ(Tabla::AbrirEn(dir.Ruta(), "CursosT", Acceso::Compartido)->Nombre(), "CURSOST");
    EXPECT_EQ(Tabla::RutaEn(dir.Ruta(), "cursost.dbf"), dir.Ruta() / "CURSOST.DBF");
    EXPECT_EQ(Tabla::RutaEn(dir.Ruta(), "CURSOST2"), dir.Ruta() / "CURSOST2.DBF");
    EXPECT_EQ(
        MensajeDe([&] { Tabla::AbrirEn(dir.Ruta(), "CURSOST2", Acceso::Compartido); }),
        "No se encuentra la tabla CURSOST2 (" + (dir.Ruta() / "CURSOST2.DBF").string() + ").");
}

TEST_F(TablaTest, ReadOnlyFileOpensSharedButRefusesPosting) {
    if (!prueba::PermisosAtan()) GTEST_SKIP() << "root writes every file";
    Tabla::Crear(archivo, kCampos);
    std::filesystem::permissions(archivo, std::filesystem::perms::owner_read);
    EXPECT_THAT(MensajeDe([&] { Tabla::Abrir(archivo, Acceso::Exclusivo); }),
                HasSubstr("no hay permiso"));
    auto t = Tabla::Abrir(archivo, Acceso::Compartido);
    EXPECT_THAT(MensajeDe([&] { t->Grabar(t->Agregar()); }), HasSubstr("solo para lectura"));
}

// ---- damaged files ---------------------------------------------------------------------

struct Dano {
    const char* archivo;  // named by the defect
    void (*aplicar)(std::string&);
    const char* mensaje;
};

class TablaDanada : public ::testing::TestWithParam<Dano> {};

TEST_P(TablaDanada, GivesAClearErrorNamingTheFile) {
    DirectorioTemporal dir;
    const auto ruta = dir.Ruta() / GetParam().archivo;
    std::string b = DbfBase();
    GetParam().aplicar(b);
    EscribirArchivo(ruta, b);
    const std::string mensaje = MensajeDe([&] { Tabla::Abrir(ruta, Acceso::Compartido); });
    EXPECT_THAT(mensaje, HasSubstr("La tabla " + ruta.stem().string() + " (" + ruta.string()));
    EXPECT_THAT(mensaje, HasSubstr(GetParam().mensaje));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, TablaDanada,
    ::testing::Values(
        Dano{"dbf-vacio.dbf", [](std::string& b) { b.clear(); }, "está vacía"},
        Dano{"dbf-cabecera-corta.dbf", [](std::string& b) { b.resize(20); }, "tiene solo 20 bytes"},
        Dano{"dbf-cabecera-truncada.dbf", [](std::string& b) { b.resize(60); },
             "acaba dentro de la cabecera"},
        Dano{"dbf-cuenta-excesiva.dbf", [](std::string& b) { b[4] = 4; },
             "dice que tiene 4 registros, pero el archivo solo tiene sitio para 3"},
        Dano{"dbf-cuenta-enorme.dbf", [](std::string& b) { b[7] = '\x7F'; },
             "solo tiene sitio para 3"},
        Dano{"dbf-anchos-descuadrados.dbf", [](std::string& b) { b[10] = 23; },
             "los anchos de sus campos suman 21 bytes"},
        Dano{"dbf-sin-terminador.dbf", [](std::string& b) { b[96] = 'X'; }, "falta el terminador"},
        Dano{"dbf-cabecera-sin-campos.dbf", [](std::string& b) { b[8] = 40; },
             "no deja sitio para ningún campo"},
        Dano{"dbf-campo-ancho-cero.dbf", [](std::string& b) { b[32 + 16] = 0; }, "ancho 0"},
        Dano{"dbf-marca-borrado.dbf", [](std::string& b) { b[97 + 22] = 0x1A; },
             "el registro 2 empieza por el byte 0x1A"},
        Dano{"dbf-dbase7.dbf", [](std::string& b) { b[0] = 0x04; }, "formato dBase 7"},
        Dano{"dbf-version-desconocida.dbf", [](std::string& b) { b[0] = 0x02; },
             "no es una tabla dBase"},
        Dano{"dbf-basura.dbf",
             [](std::string& b) {
                 std::mt19937 azar(7);
                 for (char& c : b) c = static_cast<char>(azar());
                 b[0] = 0x03;
             },
             ""}),
    [](const auto& info) {
        std::string nombre;
        for (char c : std::string(info.param.archivo)) {
            if (c == '.') break;
            nombre += c == '-' ? '_' : c;
        }
        return nombre;
    });

// Random damage anywhere: opening either fails with our error or gives a table whose every
// value reads or fails with our error. Run under the sanitizers this finds reads past the data.
TEST(TablaAlAzar, NeverCrashesOnMutatedFiles) {
    DirectorioTemporal dir;
    const auto ruta = dir.Ruta() / "AZAR.DBF";
    const std::string base = Dbf(0x03, {{"N", 'C', 3}, {"I", 'I', 4}, {"V", 'N', 5}, {"L", 'L', 1}},
                                 {std::string(" abc\x01\x00\x00\x80   -2T", 14),
                                  std::string("*xyz\xff\xff\xff\xff  3.5?", 14)});
    std::mt19937 azar(20260115);
    int abiertas = 0;
    for (int i = 0; i < 1500; ++i) {
        std::string b = base;
        const int cambios = 1 + static_cast<int>(azar() % 4);
        for (int k = 0; k < cambios; ++k) b[azar() % b.size()] = static_cast<char>(azar());
        if (azar() % 4 == 0) b.resize(azar() % b.size());
        // A fresh file each time: rewriting one in place makes ext4 flush it to disk.
        std::filesystem::remove(ruta);
        EscribirArchivo(ruta, b);
        std::unique_ptr<Tabla> t;
        try {
            t = Tabla::Abrir(ruta, Acceso::Compartido);
        } catch (const ErrorPasaplan&) {
            continue;
        }
        ++abiertas;
        for (size_t f = 0; f < t->Filas(); ++f) {
            for (const Campo& c : t->Campos()) {
                try {
                    t->LeerTexto(f, c.nombre);
                    t->LeerEntero(f, c.nombre);
                } catch (const ErrorPasaplan&) {
                }
                try {
                    t->LeerLogico(f, c.nombre);
                } catch (const ErrorPasaplan&) {
                }
            }
        }
    }
    EXPECT_GT(abiertas, 100);  // the damage left many files readable, so values were read
}

}  // namespace
}  // namespace pasaplan
