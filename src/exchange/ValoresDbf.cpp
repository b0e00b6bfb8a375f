// Field values of a dBase record read as text and as numbers: no I/O, no table names.
#include <charconv>
#include <cstring>
#include <limits>

#include "exchange/CodecDbf.h"
#include "text/Cp1252.h"

namespace pasaplan::dbf {
namespace {

int32_t Leer32(std::string_view b) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned char>(b[0])) |
                                static_cast<uint32_t>(static_cast<unsigned char>(b[1])) << 8 |
                                static_cast<uint32_t>(static_cast<unsigned char>(b[2])) << 16 |
                                static_cast<uint32_t>(static_cast<unsigned char>(b[3])) << 24);
}

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view SinRelleno(std::string_view t, bool inicio) {
    size_t fin = t.size();
    while (fin > 0 && (t[fin - 1] == ' ' || t[fin - 1] == '\0')) --fin;
    size_t ini = 0;
    if (inicio) {
        while (ini < fin && (t[ini] == ' ' || t[ini] == '\0')) ++ini;
    }
    return t.substr(ini, fin - ini);
}

std::optional<PartesNumero> Descomponer(std::string_view t) {
    PartesNumero p;
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        p.negativo = t[i] == '-';
        ++i;
    }
    const size_t iniEntera = i;
    while (i < t.size() && EsDigito(t[i])) ++i;
    p.entera = t.substr(iniEntera, i - iniEntera);
    if (i < t.size() && t[i] == '.') {
        const size_t iniFraccion = ++i;
        while (i < t.size() && EsDigito(t[i])) ++i;
        p.fraccion = t.substr(iniFraccion, i - iniFraccion);
    }
    if (i != t.size() || (p.entera.empty() && p.fraccion.empty())) return std::nullopt;
    return p;
}

std::string_view TextoDeNumero(std::string_view almacenado, Hueco& hueco) {
    const std::string_view t = SinRelleno(almacenado, true);
    const auto partes = Descomponer(t);
    if (!partes) return t;
    std::string_view entera = partes->entera;
    while (!entera.empty() && entera.front() == '0') entera.remove_prefix(1);
    std::string_view fraccion = partes->fraccion;
    while (!fraccion.empty() && fraccion.back() == '0') fraccion.remove_suffix(1);
    std::string escrito = partes->negativo && !(entera.empty() && fraccion.empty()) ? "-" : "";
    escrito += entera.empty() ? std::string_view("0") : entera;
    if (!fraccion.empty()) {
        escrito += '.';
        escrito += fraccion;
    }
    if (escrito.size() > hueco.size()) return t;
    std::memcpy(hueco.data(), escrito.data(), escrito.size());
    return std::string_view(hueco.data(), escrito.size());
}

std::string_view SinBlancosFinales(std::string_view texto) {
    while (!texto.empty() && texto.back() == ' ') texto.remove_suffix(1);
    return texto;
}

std::string_view SinBlancos(std::string_view texto) { return SinRelleno(texto, true); }

std::string_view VistaValor(const char* registro, const CampoDbf& campo, Hueco& hueco) {
    const std::string_view bytes(registro + campo.posicion, static_cast<size_t>(campo.campo.ancho));
    if (campo.binario) {
        if (campo.tipo == 'I' && bytes.size() == 4) {
            const auto valor = static_cast<int32_t>(Leer32(bytes));
            const auto r = std::to_chars(hueco.data(), hueco.data() + hueco.size(), valor);
            return std::string_view(hueco.data(), static_cast<size_t>(r.ptr - hueco.data()));
        }
        throw FormatoDbfInvalido(Utf8("tiene el campo ") + Cp1252AUtf8(campo.campo.nombre) +
                                 " de tipo '" + Cp1252AUtf8(std::string_view(&campo.tipo, 1)) +
                                 "', que no se puede leer.");
    }
    switch (campo.tipo) {
        case 'N':
        case 'F':
            return TextoDeNumero(bytes, hueco);
        case 'L': {
            const std::string_view v = SinRelleno(bytes, true);
            if (v.size() != 1) return v;
            switch (v[0]) {
                case 'T':
                case 't':
                case 'Y':
                case 'y':
                    hueco[0] = 'T';
                    return std::string_view(hueco.data(), 1);
                case 'F':
                case 'f':
                case 'N':
                case 'n':
                    hueco[0] = 'F';
                    return std::string_view(hueco.data(), 1);
                case '?':
                    return std::string_view();
                default:
                    return v;
            }
        }
        default:
            return SinRelleno(bytes, false);
    }
}

std::optional<long long> ParsearEntero(std::string_view texto) {
    const auto partes = Descomponer(SinBlancos(texto));
    if (!partes || partes->entera.empty()) return std::nullopt;
    for (char c : partes->fraccion) {
        if (c != '0') return std::nullopt;
    }
    unsigned long long magnitud = 0;
    const auto r = std::from_chars(partes->entera.data(),
                                   partes->entera.data() + partes->entera.size(), magnitud);
    if (r.ec != std::errc()) return std::nullopt;
    constexpr auto kMaximo = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (partes->negativo) {
        if (magnitud > kMaximo + 1) return std::nullopt;
        return magnitud == kMaximo + 1 ? std::numeric_limits<long long>::min()
                                       : -static_cast<long long>(magnitud);
    }
    if (magnitud > kMaximo) return std::nullopt;
    return static_cast<long long>(magnitud);
}

std::optional<double> ParsearFlotante(std::string_view texto) {
    const std::string_view t = SinBlancos(texto);
    if (!Descomponer(t)) return std::nullopt;
    // from_chars reads no leading '+'; Descomponer has already vouched for the rest.
    const std::string_view sinMas = !t.empty() && t[0] == '+' ? t.substr(1) : t;
    double valor = 0;
    const auto r = std::from_chars(sinMas.data(), sinMas.data() + sinMas.size(), valor,
                                   std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != sinMas.data() + sinMas.size()) return std::nullopt;
    return valor;
}

std::optional<std::optional<bool>> ParsearLogico(std::string_view texto) {
    // Built in place: GCC 12 at -O2 takes a returned empty inner optional for uninitialised.
    std::optional<std::optional<bool>> resultado;
    const std::string_view t = SinBlancos(texto);
    if (t.size() > 1) return resultado;
    const char c = t.empty() ? '?' : t[0];
    switch (c) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
            resultado.emplace(true);
            break;
        case 'F':
        case 'f':
        case 'N':
        case 'n':
            resultado.emplace(false);
            break;
        case '?':
            resultado.emplace(std::nullopt);
            break;
        default:
            break;
    }
    return resultado;
}

}  // namespace pasaplan::dbf
