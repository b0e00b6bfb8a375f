#pragma once
// The small text functions that the whole tool shares. Texts are Windows-1252; a blank is the
// character 32 only.
#include "text/Texto.h"

namespace pasaplan {

Texto AllTrim(std::string_view texto);
Texto LTrim(std::string_view texto);
Texto RTrim(std::string_view texto);
Texto Left(std::string_view texto, long n);
Texto Right(std::string_view texto, long n);
Texto Mayusculas(std::string_view texto);
Texto Iniciales(std::string_view texto);

// True when AllTrim gives the empty text.
bool EnBlanco(std::string_view texto);

}  // namespace pasaplan
