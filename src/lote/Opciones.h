#pragma once
// The command line of pasaplan-lote: one parser, one help text.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/Texto.h"

namespace pasaplan::lote {

enum class Orden { Exportar, Importar, Tabla, Ayuda, Version };

struct OpcionesLote {
    Orden orden = Orden::Ayuda;
    std::filesystem::path archivo;                     // ARCHIVO.xml or FICHERO.DBF
    std::optional<std::filesystem::path> intercambio;  // --intercambio DIR
    std::optional<std::filesystem::path> niveles;      // --niveles CSV
    bool recuperar = true;                             // --recuperar | --no-recuperar
    std::optional<Utf8> marcos;                        // --marcos CODIGO[,CODIGO]
    std::optional<std::filesystem::path> informe;      // --informe FICHERO
};

// Wrong usage: exit status 2 with the usage on stderr.
class ErrorUso : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

OpcionesLote AnalizarOpciones(const std::vector<std::string>& argumentos);

extern const char* const kAyuda;  // the full help text (UTF-8)
extern const char* const kUso;    // the short usage

}  // namespace pasaplan::lote
