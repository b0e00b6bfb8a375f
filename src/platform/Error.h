#pragma once
// The one exception of the core: a Spanish message for the person in front of the tool.
#include <stdexcept>

#include "text/Texto.h"

namespace pasaplan {

class ErrorPasaplan : public std::runtime_error {
  public:
    explicit ErrorPasaplan(const Utf8& mensaje) : std::runtime_error(mensaje.Bytes()) {}
    // what() is UTF-8.
    Utf8 Mensaje() const { return Utf8::DeBytes(what()); }
};

}  // namespace pasaplan
