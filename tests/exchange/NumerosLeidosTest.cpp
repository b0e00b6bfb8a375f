// Number fields as other dBase writers store them (decimals, zeros in front, blanks), read
// through the engine as text and as numbers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/CodecDbf.h"
#include "exchange/Tabla.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "support/Errores.h"

namespace pasaplan {
namespace {

using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;
using prueba::MensajeDe;
using ::testing::HasSubstr;

struct Columna {
    const char* nombre;
    char tipo;
    int ancho;
    int decimales;
};

// A dBase III file written byte by byte: values go in as given, already padded to the width.
std::string Dbf(const std::vector<Columna>& columnas,
                const std::vector<std::vector<std::string>>& filas) {
    size_t registro = 1;
    for (const auto& c : columnas) registro += static_cast<size_t>(c.ancho);
    const size_t cabecera = 32 + 32 * columnas.size() + 1;
    std::string b(32, '\0');
    b[0] = 0x03;
    b[1] = 126, b[2] = 1, b[3] = 1;
    b[4] = static_cast<char>(filas.size());
    b[8] = static_cast<char>(cabecera & 0xFF), b[9] = static_cast<char>(cabecera >> 8);
    b[10] = static_cast<char>(registro & 0xFF), b[11] = static_cast<char>(registro >> 8);
    for (const auto& c : columnas) {
        std::string d(32, '\0');
        d.replace(0, std::string(c.nombre).size(), c.nombre);
        d[11] = c.tipo;
        d[16] = static_cast<char>(c.ancho);
        d[17] = static_cast<char>(c.decimales);
        b += d;
    }
    b += '\x0D';
    for (const auto& fila : filas) {
        b += ' ';
        for (const auto& v : fila) b += v;
    }
    return b + '\x1A';
}

class NumerosLeidos : public ::testing::Test {
  protected:
    DirectorioTemporal dir;
    std::unique_ptr<Tabla> Abrir(const std::string& bytes) {
        EscribirArchivo(dir.Ruta() / "SOLUC.DBF", bytes);
        return Tabla::Abrir(dir.Ruta() / "SOLUC.DBF", Acceso::Compartido);
    }
};

// Every way of storing day 1 (and a few other numbers) reads as the number's own text.
TEST_F(NumerosLeidos, ANumberReadAsTextIsTheNumbersOwnText) {
    struct Caso {
        std::string almacenado;  // 7 bytes, the field N(7,2)
        const char* texto;
        long long entero;
    };
    const std::vector<Caso> casos = {
        {"   1.00", "1", 1},   {"0000001", "1", 1},     {"      1", "1", 1},
        {"1      ", "1", 1},   {"   1.50", "1.5", 0},   {"  -0.00", "0", 0},
        {"  -01.0", "-1", -1}, {"  -1.25", "-1.25", 0}, {"    .50", "0.5", 0},
        {"  00.50", "0.5", 0}, {"0000000", "0", 0},     {"     +3", "3", 3},
        {"    10.", "10", 10}, {"  120.0", "120", 120}, {"       ", "", 0},
    };
    std::vector<std::vector<std::string>> filas;
    for (const Caso& c : casos) filas.push_back({c.almacenado});
    auto t = Abrir(Dbf({{"DIA", 'N', 7, 2}}, filas));
    for (size_t f = 0; f < casos.size(); ++f) {
        SCOPED_TRACE("«" + casos[f].almacenado + "»");
        EXPECT_EQ(t->LeerTexto(f, "DIA"), casos[f].texto);
        if (casos[f].entero != 0 || std::string(casos[f].texto).find('.') == std::string::npos) {
            EXPECT_EQ(t->LeerEntero(f, "DIA"), casos[f].entero);
        } else {
            EXPECT_THAT(MensajeDe([&] { t->LeerEntero(f, "DIA"); }),
                        HasSubstr(std::string("el valor \"") + casos[f].texto + "\""));
        }
    }
    // Lookups compare the number's own text: day 1 is found however it was stored.
    EXPECT_THAT(t->Filtrar("DIA", "1"), ::testing::ElementsAre(0, 1, 2, 3));
    EXPECT_EQ(t->Buscar({{"DIA", "0.5"}}), std::optional<size_t>(8));
}

// What is not a number stays a clear error naming table, field and value; a text field read
// as a whole number takes a sign in front, as the platform's conversion does.
TEST_F(NumerosLeidos, NonNumbersAreErrorsAndTextsTakeASign) {
    auto t = Abrir(Dbf({{"HORA", 'N', 5, 0}, {"INICIO", 'C', 6, 0}},
                       {{"  1x2", "+480  "}, {"*****", " -30  "}, {"    7", "      "}}));
    EXPECT_EQ(t->LeerTexto(0, "HORA"), "1x2");
    EXPECT_EQ(MensajeDe([&] { t->LeerEntero(0, "HORA"); }),
              "La tabla SOLUC tiene en el campo HORA el valor \"1x2\", que no es un número "
              "entero.");
    EXPECT_THAT(MensajeDe([&] { t->LeerFlotante(1, "HORA"); }), HasSubstr("\"*****\""));
    EXPECT_EQ(t->LeerEntero(0, "INICIO"), 480);
    EXPECT_EQ(t->LeerEntero(1, "INICIO"), -30);
    EXPECT_THAT(MensajeDe([&] { t->LeerEntero(2, "INICIO"); }),
                HasSubstr("campo INICIO el valor \"\""));
}

// Absurdly wide number fields still read without overrunning the scratch space.
TEST(TextoDeNumero, FieldsOfAnyWidthFit) {
    dbf::Hueco hueco;
    const std::string ancho = "-" + std::string(200, '0') + "7." + std::string(52, '0');
    EXPECT_EQ(dbf::TextoDeNumero(ancho, hueco), "-7");
    const std::string fraccion = "." + std::string(254, '5');
    EXPECT_EQ(dbf::TextoDeNumero(fraccion, hueco), fraccion);  // "0" + 255 bytes: left as stored
    EXPECT_EQ(dbf::TextoDeNumero("0." + std::string(253, '5'), hueco),
              "0." + std::string(253, '5'));
}

}  // namespace
}  // namespace pasaplan
