#include "platform/Ini.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Atomico.h"
#include "platform/Error.h"
#include "text/Cp1252.h"

namespace pasaplan::plataforma {
namespace {

constexpr std::string_view kEspacios = " \t\r\v\f";
constexpr std::string_view kMarcaOrden = "\xEF\xBB\xBF";

// One line of the file: [inicio, finTexto) is its text, [finTexto, fin) its line end ("\r\n",
// "\n", or nothing on a last line without one).
struct Linea {
    size_t inicio;
    size_t finTexto;
    size_t fin;
};

std::vector<Linea> PartirLineas(std::string_view contenido) {
    std::vector<Linea> lineas;
    size_t inicio = 0;
    // A byte-order mark belongs to no line: "[Seccion]" right after it is still a section.
    if (contenido.starts_with(kMarcaOrden)) inicio = kMarcaOrden.size();
    while (inicio < contenido.size()) {
        const size_t salto = contenido.find('\n', inicio);
        if (salto == std::string_view::npos) {
            lineas.push_back({inicio, contenido.size(), contenido.size()});
            break;
        }
        const size_t finTexto = salto > inicio && contenido[salto - 1] == '\r' ? salto - 1 : salto;
        lineas.push_back({inicio, finTexto, salto + 1});
        inicio = salto + 1;
    }
    return lineas;
}

std::string_view SinEspaciosIniciales(std::string_view texto) {
    const size_t p = texto.find_first_not_of(kEspacios);
    return p == std::string_view::npos ? std::string_view() : texto.substr(p);
}

std::string_view Recortar(std::string_view texto) {
    texto = SinEspaciosIniciales(texto);
    const size_t p = texto.find_last_not_of(kEspacios);
    return p == std::string_view::npos ? std::string_view() : texto.substr(0, p + 1);
}

// "[Nombre]" after optional blanks; the name runs to the last ']' of the line.
bool EsSeccion(std::string_view texto, std::string_view& nombre) {
    texto = SinEspaciosIniciales(texto);
    if (!texto.starts_with('[')) return false;
    const size_t cierre = texto.rfind(']');
    if (cierre == std::string_view::npos) return false;
    nombre = Recortar(texto.substr(1, cierre - 1));
    return true;
}

// The key of a "clave=valor" line (a line without '=' is a key without value).
std::string_view ClaveDe(std::string_view texto) {
    return Recortar(texto.substr(0, texto.find('=')));
}

std::string_view FinDeLineaDominante(const std::vector<Linea>& lineas) {
    size_t crlf = 0;
    size_t lf = 0;
    for (const Linea& l : lineas) {
        const size_t largo = l.fin - l.finTexto;
        if (largo == 2) {
            ++crlf;
        } else if (largo == 1) {
            ++lf;
        }
    }
    return lf > crlf ? "\n" : "\r\n";
}

}  // namespace

std::string IniConValor(std::string_view contenido, std::string_view seccion,
                        std::string_view clave, std::string_view valor) {
    const std::vector<Linea> lineas = PartirLineas(contenido);
    const std::string_view fin = FinDeLineaDominante(lineas);
    auto texto = [&](const Linea& l) { return contenido.substr(l.inicio, l.finTexto - l.inicio); };

    size_t cabecera = lineas.size();
    for (size_t i = 0; i < lineas.size(); ++i) {
        std::string_view nombre;
        if (EsSeccion(texto(lineas[i]), nombre) && IgualesSinMayusculas(nombre, seccion)) {
            cabecera = i;
            break;
        }
    }

    if (cabecera == lineas.size()) {
        std::string resultado(contenido);
        if (!resultado.empty() && resultado.back() != '\n' && resultado != kMarcaOrden) {
            resultado += fin;
        }
        resultado.append("[").append(seccion).append("]").append(fin);
        resultado.append(clave).append("=").append(valor).append(fin);
        return resultado;
    }

    size_t ultimaConTexto = cabecera;
    for (size_t i = cabecera + 1; i < lineas.size(); ++i) {
        const Linea& l = lineas[i];
        const std::string_view t = texto(l);
        std::string_view nombre;
        if (EsSeccion(t, nombre)) break;
        if (IgualesSinMayusculas(ClaveDe(t), clave)) {
            // Only the value changes: the key's spelling, the blanks after '=' and the line end
            // stay as they were.
            size_t desde;
            std::string_view separador;
            if (const size_t igual = t.find('='); igual != std::string_view::npos) {
                desde = t.find_first_not_of(" \t", igual + 1);
                if (desde == std::string_view::npos) desde = t.size();
            } else {
                desde = t.find_last_not_of(kEspacios) + 1;
                separador = "=";
            }
            std::string resultado(contenido.substr(0, l.inicio + desde));
            resultado.append(separador).append(valor);
            resultado.append(contenido.substr(l.finTexto));
            return resultado;
        }
        if (!Recortar(t).empty()) ultimaConTexto = i;
    }

    // The key goes after the section's last line with text, ending like that line.
    const Linea& ancla = lineas[ultimaConTexto];
    std::string_view finAncla = contenido.substr(ancla.finTexto, ancla.fin - ancla.finTexto);
    std::string resultado(contenido.substr(0, ancla.fin));
    if (finAncla.empty()) {
        finAncla = fin;
        resultado.append(fin);
    }
    resultado.append(clave).append("=").append(valor).append(finAncla);
    resultado.append(contenido.substr(ancla.fin));
    return resultado;
}

void EscribirEnteroIni(const std::filesystem::path& archivo, std::string_view seccion,
                       std::string_view clave, int valor) {
    const std::u8string ruta = archivo.u8string();
    const Utf8 nombre =
        "No se puede leer el archivo " + Utf8::DeBytes(std::string(ruta.begin(), ruta.end()));
    std::string contenido;
    std::error_code ec;
    const auto estado = std::filesystem::status(archivo, ec);
    if (std::filesystem::is_directory(estado)) throw ErrorPasaplan(nombre + ": es una carpeta");
    if (std::filesystem::exists(estado)) {
        bool leido = false;
        try {
            std::ifstream entrada(archivo, std::ios::binary);
            if (entrada) {
                contenido.assign(std::istreambuf_iterator<char>(entrada),
                                 std::istreambuf_iterator<char>());
                leido = !entrada.bad();
            }
        } catch (const std::exception&) {
            // libstdc++ reports a failing read(2) by throwing from the stream buffer.
        }
        if (!leido) throw ErrorPasaplan(nombre);
    }
    EscribirArchivoAtomico(archivo, IniConValor(contenido, seccion, clave, std::to_string(valor)));
}

}  // namespace pasaplan::plataforma
