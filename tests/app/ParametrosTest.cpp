// The command line the host hands over.
#include <gtest/gtest.h>

#include "app/Parametros.h"

namespace pasaplan {
namespace {

struct CasoParametros {
    const char* nombre;
    QStringList parametros;
    bool dosParametros;
    Direccion direccion;
    std::optional<std::uintptr_t> anfitrion;
    const char* error;  // expected conversion error, empty when none
};

class ParametrosArranqueTest : public ::testing::TestWithParam<CasoParametros> {};

TEST_P(ParametrosArranqueTest, Analiza) {
    const CasoParametros& c = GetParam();
    const ParametrosArranque p = AnalizarParametros(c.parametros);
    EXPECT_EQ(p.dosParametros, c.dosParametros);
    EXPECT_EQ(p.direccion, c.direccion);
    EXPECT_EQ(p.anfitrion, c.anfitrion);
    EXPECT_EQ(p.errorConversion.Bytes(), c.error);
}

const std::uintptr_t k1A2B = 0x1a2b;

INSTANTIATE_TEST_SUITE_P(
    LineaDeOrdenes, ParametrosArranqueTest,
    ::testing::Values(
        CasoParametros{"Ninguno", {}, false, Direccion::Ninguna, std::nullopt, ""},
        CasoParametros{"Uno", {"exportar"}, false, Direccion::Ninguna, std::nullopt, ""},
        CasoParametros{
            "Tres", {"exportar", "1A2B", "x"}, false, Direccion::Ninguna, std::nullopt, ""},
        CasoParametros{"Mayusculas", {"EXPORTAR", "1A2B"}, true, Direccion::Exportar, k1A2B, ""},
        CasoParametros{"Mixto", {"Exportar", "1a2b"}, true, Direccion::Exportar, k1A2B, ""},
        CasoParametros{"HexMixto", {"exportar", "1a2B"}, true, Direccion::Exportar, k1A2B, ""},
        CasoParametros{"Importar", {"iMPORTAR", "ff"}, true, Direccion::Importar, 0xff, ""},
        CasoParametros{"Recortada", {"export", "1A2B"}, true, Direccion::Ninguna, k1A2B, ""},
        CasoParametros{"BlancoFinal", {"exportar ", "1A2B"}, true, Direccion::Ninguna, k1A2B, ""},
        // Only ASCII letters fold: a Turkish dotted capital I is not an "i".
        CasoParametros{
            "NoAscii", {QString::fromUtf8("\u0130MPORTAR"), "1"}, true, Direccion::Ninguna, 1, ""},
        CasoParametros{
            "CerosDelante", {"importar", "00000000000000000001"}, true, Direccion::Importar, 1, ""},
        CasoParametros{"NoHex",
                       {"exportar", "xyz"},
                       true,
                       Direccion::Exportar,
                       std::nullopt,
                       "\"xyz\" no es un valor hexadecimal válido."},
        CasoParametros{"Vacio",
                       {"exportar", ""},
                       true,
                       Direccion::Exportar,
                       std::nullopt,
                       "\"\" no es un valor hexadecimal válido."},
        CasoParametros{"ConPrefijo",
                       {"exportar", "0x1A"},
                       true,
                       Direccion::Exportar,
                       std::nullopt,
                       "\"0x1A\" no es un valor hexadecimal válido."},
        CasoParametros{"ConDolar",
                       {"exportar", "$1A"},
                       true,
                       Direccion::Exportar,
                       std::nullopt,
                       "\"$1A\" no es un valor hexadecimal válido."},
        CasoParametros{"BlancoEnManejador",
                       {"exportar", "1A "},
                       true,
                       Direccion::Exportar,
                       std::nullopt,
                       "\"1A \" no es un valor hexadecimal válido."},
        CasoParametros{"Negativo",
                       {"exportar", "-1"},
                       true,
                       Direccion::Exportar,
                       std::nullopt,
                       "\"-1\" no es un valor hexadecimal válido."},
        // Wider than a pointer: refused, never cut to another window's handle.
        CasoParametros{"Desborda",
                       {"exportar", "1FFFFFFFFFFFFFFFF"},
                       true,
                       Direccion::Exportar,
                       std::nullopt,
                       "\"1FFFFFFFFFFFFFFFF\" no es un valor hexadecimal válido."}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace pasaplan
