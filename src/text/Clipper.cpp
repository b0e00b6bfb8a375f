#include "text/Clipper.h"

namespace pasaplan {

Texto LTrim(std::string_view texto) {
    size_t i = 0;
    while (i < texto.size() && texto[i] == ' ') ++i;
    return Texto::DeBytes(texto.substr(i));
}

Texto RTrim(std::string_view texto) {
    size_t n = texto.size();
    while (n > 0 && texto[n - 1] == ' ') --n;
    return Texto::DeBytes(texto.substr(0, n));
}

Texto AllTrim(std::string_view texto) { return LTrim(RTrim(texto)); }

bool EnBlanco(std::string_view texto) {
    return texto.find_first_not_of(' ') == std::string_view::npos;
}

Texto Left(std::string_view texto, long n) {
    if (n < static_cast<long>(texto.size())) {
        return n <= 0 ? Texto() : Texto::DeBytes(texto.substr(0, static_cast<size_t>(n)));
    }
    return Texto::DeBytes(texto);
}

Texto Right(std::string_view texto, long n) {
    if (n < static_cast<long>(texto.size())) {
        const size_t desde = texto.size() - static_cast<size_t>(n);
        return n <= 0 ? Texto() : Texto::DeBytes(texto.substr(desde));
    }
    return Texto::DeBytes(texto);
}

Texto Mayusculas(std::string_view texto) {
    Texto resultado;
    for (char c : texto) {
        auto u = static_cast<unsigned char>(c);
        if (u >= 'A' && u <= 'Z') resultado += c;
    }
    return resultado;
}

Texto Iniciales(std::string_view texto) {
    Texto resultado;
    for (size_t i = 0; i + 1 < texto.size(); ++i) {
        if (texto[i] == ' ') resultado += texto[i + 1];
    }
    return resultado;
}

}  // namespace pasaplan
