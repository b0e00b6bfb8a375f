#include "text/Cp1252.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace pasaplan {
namespace {

// Code points of 0x80..0x9F; the undefined five map to their C1 controls.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t PuntoDeCodigo(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kAltos[b - 0x80];
    return b;
}

// The platform's best fit for what Windows-1252 lacks: a precomposed Latin letter becomes its
// base letter, a few marks their ASCII look-alikes. Generated from Unicode's decompositions.
struct Ajuste {
    char32_t punto;
    char byte;
};
constexpr Ajuste kMejorAjuste[] = {
#include "text/MejorAjuste.inc"
};
static_assert(std::is_sorted(std::begin(kMejorAjuste), std::end(kMejorAjuste),
                             [](const Ajuste& a, const Ajuste& b) { return a.punto < b.punto; }));

int ByteDePuntoDeCodigo(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (size_t i = 0; i < kAltos.size(); ++i) {
        if (kAltos[i] == cp) return static_cast<int>(0x80 + i);
    }
    const auto ajuste =
        std::lower_bound(std::begin(kMejorAjuste), std::end(kMejorAjuste), cp,
                         [](const Ajuste& a, char32_t punto) { return a.punto < punto; });
    if (ajuste != std::end(kMejorAjuste) && ajuste->punto == cp) {
        return static_cast<unsigned char>(ajuste->byte);
    }
    return -1;
}

void AnadirUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

char32_t PuntoCp1252(unsigned char b) { return PuntoDeCodigo(b); }

int ByteCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (size_t i = 0; i < kAltos.size(); ++i) {
        if (kAltos[i] == cp) return static_cast<int>(0x80 + i);
    }
    return -1;
}

Utf8 Cp1252AUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 8);
    for (char c : cp1252) AnadirUtf8(out, PuntoDeCodigo(static_cast<unsigned char>(c)));
    return Utf8::DeBytes(std::move(out));
}

Texto Utf8ACp1252(const Utf8& utf8, bool* sinEquivalente) {
    return BytesUtf8ACp1252(utf8.Bytes(), sinEquivalente);
}

Texto BytesUtf8ACp1252(std::string_view utf8, bool* sinEquivalente) {
    bool falta = false;
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    const size_t n = utf8.size();
    while (i < n) {
        auto b = static_cast<unsigned char>(utf8[i]);
        char32_t cp;
        size_t largo;
        if (b < 0x80) {
            // Most text is ASCII: the whole run at once.
            size_t fin = i + 1;
            while (fin < n && static_cast<unsigned char>(utf8[fin]) < 0x80) ++fin;
            out.append(utf8.data() + i, fin - i);
            i = fin;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            largo = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            largo = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            largo = 4;
        } else {
            out += '?';
            falta = true;
            ++i;
            continue;
        }
        bool valido = i + largo <= n;
        for (size_t k = 1; valido && k < largo; ++k) {
            auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) {
                valido = false;
            } else {
                cp = (cp << 6) | (c & 0x3F);
            }
        }
        // Overlong forms ("C0 AF" for '/'), surrogates and values past U+10FFFF are malformed:
        // decoding them would let a hidden '/' or NUL through.
        constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valido && (cp < kMinimo[largo] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)) {
            valido = false;
        }
        if (!valido) {
            out += '?';
            falta = true;
            ++i;
            continue;
        }
        const int byte = ByteDePuntoDeCodigo(cp);
        falta = falta || byte < 0;
        out += byte < 0 ? '?' : static_cast<char>(byte);
        i += largo;
    }
    if (sinEquivalente) *sinEquivalente = falta;
    return Texto::DeBytes(std::move(out));
}

char MayusculaCp1252(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
    switch (u) {
        case 0x9A:
            return static_cast<char>(0x8A);  // š
        case 0x9C:
            return static_cast<char>(0x8C);  // œ
        case 0x9E:
            return static_cast<char>(0x8E);  // ž
        case 0xFF:
            return static_cast<char>(0x9F);  // ÿ
        default:
            return c;
    }
}

Texto MayusculasCp1252(std::string_view texto) {
    Texto out = Texto::DeBytes(texto);
    for (char& c : out) c = MayusculaCp1252(c);
    return out;
}

bool IgualesSinMayusculas(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (MayusculaCp1252(a[i]) != MayusculaCp1252(b[i])) return false;
    }
    return true;
}

Texto MayusculasAscii(std::string_view texto) {
    Texto out = Texto::DeBytes(texto);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return out;
}

}  // namespace pasaplan
