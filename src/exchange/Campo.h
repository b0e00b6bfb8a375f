#pragma once
// The field of a dBase table as the tables' users and the codec both describe it.
#include <string>

namespace pasaplan {

enum class TipoCampo { Texto, Entero, Flotante, Logico };

struct Campo {
    std::string nombre;  // upper-case dBase name, at most 10 characters
                         // (Crear cuts a longer one; it is still found by its full name)
    TipoCampo tipo = TipoCampo::Texto;
    int ancho = 0;      // text: 1..100 when we create (read up to 254); numbers: set by the codec
    int decimales = 0;  // set by the codec
};

}  // namespace pasaplan
