#include <gtest/gtest.h>

#include <string>

#include "text/Clipper.h"

namespace pasaplan {
namespace {

// Windows-1252 bytes: "Educación Física", "Ética".
constexpr const char* kEducacionFisica = "Educaci\xF3n F\xEDsica";
constexpr const char* kEtica = "\xC9tica";

struct CasoTexto {
    const char* nombre;
    Texto (*funcion)(std::string_view);
    std::string_view entrada;
    std::string_view esperado;
};

std::ostream& operator<<(std::ostream& os, const CasoTexto& c) { return os << c.nombre; }

class FuncionDeTexto : public testing::TestWithParam<CasoTexto> {};

TEST_P(FuncionDeTexto, DaElResultadoEsperado) {
    const CasoTexto& c = GetParam();
    EXPECT_EQ(c.funcion(c.entrada), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Clipper, FuncionDeTexto,
    testing::Values(CasoTexto{"AllTrimVacio", AllTrim, "", ""},
                    CasoTexto{"AllTrimSoloBlancos", AllTrim, "    ", ""},
                    CasoTexto{"AllTrimBlancosInteriores", AllTrim, "  a  b  ", "a  b"},
                    CasoTexto{"AllTrimTabuladorInicialSeQueda", AllTrim, "\tabc ", "\tabc"},
                    CasoTexto{"AllTrimNoBorraSaltoNiNbsp", AllTrim, " \xA0x\r\n ", "\xA0x\r\n"},
                    CasoTexto{"LTrimSoloIzquierda", LTrim, "  a  ", "a  "},
                    CasoTexto{"RTrimSoloDerecha", RTrim, "  a  ", "  a"},
                    CasoTexto{"RTrimSoloBlancos", RTrim, "   ", ""},
                    CasoTexto{"MayusculasConAcentos", Mayusculas, kEducacionFisica, "EF"},
                    CasoTexto{"MayusculasMayusculaAcentuadaFuera", Mayusculas, kEtica, ""},
                    CasoTexto{"MayusculasTodoMinusculas", Mayusculas, "lengua", ""},
                    CasoTexto{"MayusculasSoloAaZ", Mayusculas, "@AZ[ 09 \xD1", "AZ"},
                    CasoTexto{"InicialesTrasBlanco", Iniciales, kEducacionFisica, "F"},
                    CasoTexto{"InicialesBlancoFinalNoAporta", Iniciales, "Lengua ", ""},
                    CasoTexto{"InicialesSinBlancos", Iniciales, "Lengua", ""},
                    CasoTexto{"InicialesDosBlancosDanUnBlanco", Iniciales, "a  b", " b"},
                    CasoTexto{"InicialesBlancoInicial", Iniciales, " ab cd", "ac"},
                    CasoTexto{"InicialesVacio", Iniciales, "", ""},
                    CasoTexto{"InicialesLetraAcentuada", Iniciales, "Lengua \xC9tica", "\xC9"}),
    [](const testing::TestParamInfo<CasoTexto>& info) { return info.param.nombre; });

struct CasoCorte {
    long n;
    std::string_view izquierda;
    std::string_view derecha;
};

class CorteDeTexto : public testing::TestWithParam<CasoCorte> {};

TEST_P(CorteDeTexto, LeftYRightDeCuatroCaracteres) {
    const CasoCorte& c = GetParam();
    EXPECT_EQ(Left("abcd", c.n), c.izquierda) << "n=" << c.n;
    EXPECT_EQ(Right("abcd", c.n), c.derecha) << "n=" << c.n;
}

INSTANTIATE_TEST_SUITE_P(Clipper, CorteDeTexto,
                         testing::Values(CasoCorte{-5, "", ""}, CasoCorte{-1, "", ""},
                                         CasoCorte{0, "", ""}, CasoCorte{1, "a", "d"},
                                         CasoCorte{3, "abc", "bcd"}, CasoCorte{4, "abcd", "abcd"},
                                         CasoCorte{5, "abcd", "abcd"},
                                         CasoCorte{2147483647L, "abcd", "abcd"}),
                         [](const auto& info) {
                             const long n = info.param.n;
                             return n < 0 ? "menos" + std::to_string(-n) : std::to_string(n);
                         });

TEST(Clipper, LeftYRightDeTextoVacio) {
    EXPECT_EQ(Left("", 3), "");
    EXPECT_EQ(Right("", -3), "");
}

TEST(Clipper, EnBlanco) {
    EXPECT_TRUE(EnBlanco(""));
    EXPECT_TRUE(EnBlanco("   "));
    EXPECT_FALSE(EnBlanco(" \t "));
    EXPECT_FALSE(EnBlanco(" x "));
}

}  // namespace
}  // namespace pasaplan
