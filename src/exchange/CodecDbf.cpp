#include "exchange/CodecDbf.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "text/Cp1252.h"

namespace pasaplan::dbf {
namespace {

constexpr size_t kLargoNombre = 10;  // 11 bytes in the descriptor, NUL-terminated
constexpr size_t kMaximoCampos = 255;
constexpr int kAnchoTextoMaximoCreado = 100;

uint32_t Leer32(std::string_view b, size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[i])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[i + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[i + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[i + 3])) << 24;
}

size_t Leer16(std::string_view b, size_t i) {
    return static_cast<size_t>(static_cast<unsigned char>(b[i])) |
           static_cast<size_t>(static_cast<unsigned char>(b[i + 1])) << 8;
}

void Escribir16(std::string& b, size_t i, size_t v) {
    b[i] = static_cast<char>(v & 0xFF);
    b[i + 1] = static_cast<char>((v >> 8) & 0xFF);
}

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

Utf8 Hex(unsigned char c) {
    static const char kDigitos[] = "0123456789ABCDEF";
    return Utf8("0x") + kDigitos[c >> 4] + kDigitos[c & 0xF];
}

// Names of foreign files are Windows-1252 too; messages are UTF-8.
Utf8 NombreLegible(std::string_view nombre) { return Cp1252AUtf8(nombre); }

std::optional<std::string> AjustarAlAncho(std::string texto, int ancho) {
    if (texto.size() > static_cast<size_t>(ancho)) return std::nullopt;
    texto.insert(0, static_cast<size_t>(ancho) - texto.size(), ' ');
    return texto;
}

}  // namespace

Cabecera LeerCabeceraFija(std::string_view b) {
    if (b.size() < kLongitudCabeceraFija) {
        if (b.empty()) throw FormatoDbfInvalido("está vacía: el archivo tiene 0 bytes.");
        throw FormatoDbfInvalido("está dañada: el archivo tiene solo " + Utf8::Numero(b.size()) +
                                 " bytes, menos que una cabecera dBase.");
    }
    Cabecera c;
    c.version = static_cast<unsigned char>(b[0]);
    switch (c.version) {
        case 0x03:  // dBase III/IV without memo
        case 0x83:  // dBase III with memo
        case 0x8B:  // dBase IV with memo
        case 0x30:  // Visual FoxPro
        case 0xF5:  // FoxPro with memo
            break;
        case 0x04:
        case 0x8C:
            throw FormatoDbfInvalido(
                "está en formato dBase 7, que no se puede leer; guárdela como dBase III o IV.");
        default:
            throw FormatoDbfInvalido("no es una tabla dBase (el byte de versión es " +
                                     Hex(c.version) + ").");
    }
    c.registros = Leer32(b, 4);
    c.longitudCabecera = Leer16(b, 8);
    c.longitudRegistro = Leer16(b, 10);
    if (c.longitudCabecera < kLongitudCabeceraFija + kLongitudDescriptor + 1) {
        throw FormatoDbfInvalido("está dañada: la longitud de la cabecera (" +
                                 Utf8::Numero(c.longitudCabecera) +
                                 ") no deja sitio para ningún campo.");
    }
    return c;
}

std::vector<CampoDbf> LeerDescriptores(std::string_view cabecera, const Cabecera& datos) {
    std::vector<CampoDbf> campos;
    size_t posicion = 1;  // after the deletion flag
    size_t i = kLongitudCabeceraFija;
    for (;; i += kLongitudDescriptor) {
        if (i < cabecera.size() && cabecera[i] == kTerminadorCampos) break;
        if (i + kLongitudDescriptor >= cabecera.size()) {
            throw FormatoDbfInvalido(
                "está dañada: falta el terminador de la lista de campos dentro de la cabecera "
                "de " +
                Utf8::Numero(cabecera.size()) + " bytes.");
        }
        const std::string_view d = cabecera.substr(i, kLongitudDescriptor);
        CampoDbf c;
        std::string_view nombre = d.substr(0, 11);
        nombre = nombre.substr(0, nombre.find('\0'));
        while (!nombre.empty() && nombre.back() == ' ') nombre.remove_suffix(1);
        if (nombre.empty()) {
            throw FormatoDbfInvalido("está dañada: el campo " + Utf8::Numero(campos.size() + 1) +
                                     " no tiene nombre.");
        }
        c.campo.nombre = std::string(nombre);
        c.tipo = d[11];
        c.campo.ancho = static_cast<unsigned char>(d[16]);
        c.campo.decimales = static_cast<unsigned char>(d[17]);
        if (c.campo.ancho == 0) {
            throw FormatoDbfInvalido("está dañada: el campo " + NombreLegible(c.campo.nombre) +
                                     " tiene ancho 0.");
        }
        switch (c.tipo) {
            case 'C':
            case 'D':
                c.campo.tipo = TipoCampo::Texto;
                break;
            case 'N':
                c.campo.tipo = c.campo.decimales == 0 ? TipoCampo::Entero : TipoCampo::Flotante;
                break;
            case 'F':
                c.campo.tipo = TipoCampo::Flotante;
                break;
            case 'L':
                c.campo.tipo = TipoCampo::Logico;
                break;
            case 'M':
            case 'G':
            case 'P':
            case 'B':
                // dBase keeps the memo block number as 10 digits; FoxPro as 4 binary bytes.
                c.binario = c.campo.ancho != 10;
                break;
            case 'I':
                c.campo.tipo = TipoCampo::Entero;
                c.binario = true;
                break;
            default:
                c.binario = true;
                break;
        }
        c.posicion = posicion;
        posicion += static_cast<size_t>(c.campo.ancho);
        campos.push_back(std::move(c));
    }
    if (campos.empty()) throw FormatoDbfInvalido("está dañada: no tiene ningún campo.");
    if (posicion != datos.longitudRegistro) {
        throw FormatoDbfInvalido("está dañada: los anchos de sus campos suman " +
                                 Utf8::Numero(posicion - 1) + " bytes (" + Utf8::Numero(posicion) +
                                 " con la marca de borrado), pero la cabecera dice que cada "
                                 "registro mide " +
                                 Utf8::Numero(datos.longitudRegistro) + ".");
    }
    return campos;
}

std::vector<CampoDbf> PrepararCampos(const std::vector<Campo>& campos) {
    if (campos.empty()) throw FormatoDbfInvalido("no tiene ningún campo.");
    if (campos.size() > kMaximoCampos) {
        throw FormatoDbfInvalido("tiene " + Utf8::Numero(campos.size()) +
                                 " campos; una tabla dBase admite " + Utf8::Numero(kMaximoCampos) +
                                 ".");
    }
    std::vector<CampoDbf> resultado;
    size_t posicion = 1;
    for (const Campo& dado : campos) {
        CampoDbf c;
        c.campo = dado;
        // dBase names hold 10 characters: longer ones are cut, and found by their first ten.
        std::string nombre = MayusculasAscii(dado.nombre.substr(0, kLargoNombre)).Bytes();
        bool valido = !nombre.empty() && nombre[0] >= 'A' && nombre[0] <= 'Z';
        for (char ch : nombre) {
            valido = valido && ((ch >= 'A' && ch <= 'Z') || EsDigito(ch) || ch == '_');
        }
        if (!valido) {
            throw FormatoDbfInvalido("el nombre de campo \"" + NombreLegible(dado.nombre) +
                                     "\" no es válido (letras, cifras y \"_\", empezando por "
                                     "una letra).");
        }
        for (const CampoDbf& anterior : resultado) {
            if (anterior.campo.nombre == nombre) {
                throw FormatoDbfInvalido("hay dos campos llamados " + NombreLegible(nombre) + ".");
            }
        }
        c.campo.nombre = nombre;
        switch (dado.tipo) {
            case TipoCampo::Texto:
                if (dado.ancho < 1 || dado.ancho > kAnchoTextoMaximoCreado) {
                    throw FormatoDbfInvalido("el campo " + NombreLegible(nombre) + " tiene ancho " +
                                             Utf8::Numero(dado.ancho) +
                                             "; un campo de texto mide de 1 a 100.");
                }
                c.tipo = 'C';
                c.campo.decimales = 0;
                break;
            case TipoCampo::Entero:
                c.tipo = 'N';
                c.campo.ancho = 11;
                c.campo.decimales = 0;
                break;
            case TipoCampo::Flotante:
                c.tipo = 'N';
                c.campo.ancho = 20;
                c.campo.decimales = 4;
                break;
            case TipoCampo::Logico:
                c.tipo = 'L';
                c.campo.ancho = 1;
                c.campo.decimales = 0;
                break;
        }
        c.posicion = posicion;
        posicion += static_cast<size_t>(c.campo.ancho);
        resultado.push_back(std::move(c));
    }
    return resultado;
}

size_t LongitudRegistro(const std::vector<CampoDbf>& campos) {
    size_t n = 1;
    for (const CampoDbf& c : campos) n += static_cast<size_t>(c.campo.ancho);
    return n;
}

std::array<char, 7> CodificarFechaYCuenta(const Fecha& fecha, uint32_t registros) {
    // dBase keeps the year as an offset from 1900.
    const int anio = fecha.anio - 1900;
    return {static_cast<char>(anio < 0     ? 0
                              : anio > 255 ? 255
                                           : anio),
            static_cast<char>(fecha.mes),
            static_cast<char>(fecha.dia),
            static_cast<char>(registros & 0xFF),
            static_cast<char>((registros >> 8) & 0xFF),
            static_cast<char>((registros >> 16) & 0xFF),
            static_cast<char>((registros >> 24) & 0xFF)};
}

std::string CodificarTablaVacia(const std::vector<CampoDbf>& campos, const Fecha& fecha) {
    const size_t longitudCabecera = kLongitudCabeceraFija + kLongitudDescriptor * campos.size() + 1;
    std::string b(longitudCabecera + 1, '\0');
    b[0] = static_cast<char>(kVersionDbase3);
    const auto fechaYCuenta = CodificarFechaYCuenta(fecha, 0);
    std::memcpy(&b[1], fechaYCuenta.data(), fechaYCuenta.size());
    Escribir16(b, 8, longitudCabecera);
    Escribir16(b, 10, LongitudRegistro(campos));
    b[29] = static_cast<char>(kControladorWindowsAnsi);
    size_t i = kLongitudCabeceraFija;
    for (const CampoDbf& c : campos) {
        std::memcpy(&b[i], c.campo.nombre.data(), c.campo.nombre.size());
        b[i + 11] = c.tipo;
        b[i + 16] = static_cast<char>(c.campo.ancho);
        b[i + 17] = static_cast<char>(c.campo.decimales);
        i += kLongitudDescriptor;
    }
    b[i] = kTerminadorCampos;
    b[i + 1] = kFinArchivo;
    return b;
}

bool EsNumeroEscrito(std::string_view texto) {
    const std::string_view t = SinBlancos(texto);
    return t.empty() || Descomponer(t).has_value();
}

std::optional<std::string> FormatearEntero(long long valor, const Campo& campo) {
    std::string texto = std::to_string(valor);
    if (campo.decimales > 0) texto += "." + std::string(static_cast<size_t>(campo.decimales), '0');
    return AjustarAlAncho(std::move(texto), campo.ancho);
}

std::optional<std::string> FormatearFlotante(double valor, const Campo& campo) {
    if (!std::isfinite(valor)) return std::nullopt;
    std::array<char, 400> b;  // the largest double written in full fits
    const auto r = std::to_chars(b.data(), b.data() + b.size(), valor, std::chars_format::fixed,
                                 campo.decimales);
    if (r.ec != std::errc()) return std::nullopt;
    std::string texto(b.data(), r.ptr);
    // A small negative number rounded to nothing is no negative number.
    if (texto[0] == '-' && texto.find_first_not_of("-0.") == std::string::npos) texto.erase(0, 1);
    return AjustarAlAncho(std::move(texto), campo.ancho);
}

std::optional<std::string> FormatearNumeroTexto(std::string_view texto, const Campo& campo) {
    const std::string_view t = SinBlancos(texto);
    if (t.empty()) return std::string(static_cast<size_t>(campo.ancho), ' ');
    const auto partes = Descomponer(t);
    if (!partes) return std::nullopt;
    const auto decimales = static_cast<size_t>(campo.decimales);
    std::string_view fraccion = partes->fraccion;
    // Digits beyond the field's decimals may only be zeros: never a silently different value.
    if (fraccion.size() > decimales) {
        if (fraccion.substr(decimales).find_first_not_of('0') != std::string_view::npos) {
            return std::nullopt;
        }
        fraccion = fraccion.substr(0, decimales);
    }
    std::string_view entera = partes->entera;
    while (entera.size() > 1 && entera[0] == '0') entera.remove_prefix(1);
    std::string resultado(entera.empty() ? std::string_view("0") : entera);
    if (decimales > 0) {
        resultado += '.';
        resultado += fraccion;
        resultado.append(decimales - fraccion.size(), '0');
    }
    const bool cero = resultado.find_first_not_of("0.") == std::string::npos;
    if (partes->negativo && !cero) resultado.insert(0, 1, '-');
    return AjustarAlAncho(std::move(resultado), campo.ancho);
}

}  // namespace pasaplan::dbf
