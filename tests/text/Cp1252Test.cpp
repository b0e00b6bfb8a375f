#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <type_traits>

#include "text/Cp1252.h"

namespace pasaplan {
namespace {

// The two kinds of text meet only through the converter: neither passes for the other, nor do
// plain bytes pass for either without saying so.
static_assert(!std::is_convertible_v<Texto, Utf8> && !std::is_convertible_v<Utf8, Texto>);
static_assert(!std::is_convertible_v<std::string, Texto> &&
              !std::is_convertible_v<std::string, Utf8>);
static_assert(!std::is_convertible_v<Utf8, std::string_view>);
static_assert(!std::is_constructible_v<Texto, Utf8> && !std::is_constructible_v<Utf8, Texto>);
static_assert(std::is_convertible_v<Texto, std::string_view>);

TEST(Cp1252, LosDoscientosCincuentaYSeisBytesVanYVuelven) {
    Texto todos;
    for (int b = 0; b < 256; ++b) todos += static_cast<char>(b);
    const Utf8 utf8 = Cp1252AUtf8(todos);
    EXPECT_EQ(Utf8ACp1252(utf8), todos);
}

struct Par {
    std::string_view cp1252;
    std::string_view utf8;
};

class ConversionPorTabla : public testing::TestWithParam<Par> {};

TEST_P(ConversionPorTabla, EnAmbosSentidos) {
    EXPECT_EQ(Cp1252AUtf8(GetParam().cp1252).Bytes(), GetParam().utf8);
    EXPECT_EQ(BytesUtf8ACp1252(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Cp1252, ConversionPorTabla,
    testing::Values(Par{"\x80", "\u20AC"},                                // €
                    Par{"\x91\x92\x93\x94", "\u2018\u2019\u201C\u201D"},  // ‘’“”
                    Par{"\x85\x96\x97\x99", "\u2026\u2013\u2014\u2122"},  // …–—™
                    Par{"\x8A\x9A\x8C\x9C\x9F", "\u0160\u0161\u0152\u0153\u0178"},
                    Par{"\x81", "\xC2\x81"}, Par{"\x8D", "\xC2\x8D"}, Par{"\x8F", "\xC2\x8F"},
                    Par{"\x90", "\xC2\x90"}, Par{"\x9D", "\xC2\x9D"},
                    Par{"Educaci\xF3n F\xEDsica", "Educación Física"},
                    Par{"\xD1"
                        "and\xFA",
                        "Ñandú"},
                    Par{"\xA0\xFF", "\u00A0\u00FF"},
                    Par{std::string_view("a\0b", 3), std::string_view("a\0b", 3)}),
    [](const auto& info) {
        // Letters and digits as they are, any other byte in hexadecimal: "Educaci", "xF3", "n".
        std::string nombre;
        for (const unsigned char c : info.param.cp1252) {
            if (std::isalnum(c) && c < 0x80) {
                nombre += static_cast<char>(c);
            } else {
                char hex[4];
                std::snprintf(hex, sizeof hex, "x%02X", c);
                nombre += hex;
            }
        }
        return nombre;
    });

struct Caso {
    const char* nombre;
    std::string_view utf8;
    std::string_view cp1252;
};

std::ostream& operator<<(std::ostream& os, const Caso& c) { return os << c.nombre; }

class SinEquivalente : public testing::TestWithParam<Caso> {};

TEST_P(SinEquivalente, CadaCaracterEsUnaInterrogacion) {
    EXPECT_EQ(BytesUtf8ACp1252(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Cp1252, SinEquivalente,
    testing::Values(
        Caso{"Kanji", "\u20AC\u6F22\u5B57", "\x80??"}, Caso{"Emoji", "a\U0001F600b", "a?b"},
        Caso{"ControlC1SinHueco", "\xC2\x80", "?"},  // U+0080: 0x80 is the euro sign
        Caso{"ContinuacionSuelta", "a\x80z", "a?z"}, Caso{"SecuenciaCortada", "a\xE2\x82", "a??"},
        Caso{"SecuenciaInterrumpida", "\xE2\x82z", "??z"}, Caso{"ByteFE", "\xFE\xFF", "??"},
        Caso{"BarraSobrelarga", "\xC0\xAF", "??"}, Caso{"NulSobrelargo", "\xE0\x80\x80", "???"},
        Caso{"LetraSobrelarga", "\xC1\x81", "??"}, Caso{"Sustituto", "\xED\xA0\x80", "???"},
        Caso{"MasAllaDelUltimo", "\xF4\x90\x80\x80", "????"}),
    [](const testing::TestParamInfo<Caso>& info) { return info.param.nombre; });

class MejorAjuste : public testing::TestWithParam<Caso> {};

TEST_P(MejorAjuste, LetraBaseOMarcaParecida) {
    EXPECT_EQ(BytesUtf8ACp1252(GetParam().utf8), GetParam().cp1252);
}

// Latin letters outside the set take their base letter, the letters with a stroke too; the
// nearest marks their ASCII look-alikes; letters of other scripts and combining marks stay '?'.
INSTANTIATE_TEST_SUITE_P(
    Cp1252, MejorAjuste,
    testing::Values(Caso{"Polaco", "Łukasiewicz święty", "Lukasiewicz swiety"},
                    Caso{"Turco", "Şığ İ", "Sig I"}, Caso{"Rumano", "ățș ĂȚȘ", "ats ATS"},
                    Caso{"Hungaro", "őűŐŰ", "ouOU"}, Caso{"Checo", "čřěů", "creu"},
                    Caso{"SinDescomposicion", "ĐđĦħŦŧ", "DdHhTt"},
                    Caso{"BaseEnElJuego", "Ǘǣǿ", "U\xE6\xF8"},  // Ǘ ǣ ǿ
                    Caso{"Vietnamita", "Ạệ", "Ae"}, Caso{"Marcas", "‐‑‒−′″", "----'\""},
                    Caso{"LosDelJuegoNoCambian", "–—éŠ", "\x96\x97\xE9\x8A"},
                    Caso{"OtrasEscrituras", "αЖא", "???"}, Caso{"MarcaCombinada", "ś", "s?"},
                    Caso{"LigaduraDeCompatibilidad", "ﬁǆ", "??"}),
    [](const testing::TestParamInfo<Caso>& info) { return info.param.nombre; });

TEST(Cp1252, IgualesSinMayusculasPliegaLetrasAcentuadas) {
    EXPECT_TRUE(IgualesSinMayusculas("\xE1\xF1\xFC", "\xC1\xD1\xDC"));  // áñü / ÁÑÜ
    EXPECT_TRUE(IgualesSinMayusculas("\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"));
    EXPECT_TRUE(IgualesSinMayusculas("Transformadores", "TRANSFORMADORES"));
    EXPECT_FALSE(IgualesSinMayusculas("\xF7", "\xD7"));  // ÷ and × are not letters
    EXPECT_FALSE(IgualesSinMayusculas("a", "\xE1"));
    EXPECT_FALSE(IgualesSinMayusculas("ab", "a"));
    EXPECT_FALSE(IgualesSinMayusculas("@", "`"));
    EXPECT_EQ(MayusculasCp1252("a\xE1\xDF\xB5"), "A\xC1\xDF\xB5");  // ß and µ stay
}

TEST(Cp1252, MayusculasAsciiSoloDeAaZ) {
    EXPECT_EQ(MayusculasAscii("m\xFAsica {z}"), "M\xFASICA {Z}");
    EXPECT_EQ(MayusculasAscii("\xE1\xF1"), "\xE1\xF1");
}

}  // namespace
}  // namespace pasaplan
