#pragma once
// The command line as the host hands it over: a direction word and the host's window handle.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "text/Texto.h"

namespace pasaplan {

enum class Direccion {
    Ninguna,
    Exportar,  // "exportar": Séneca's export into the tables (the import run)
    Importar,  // "importar": the tables into a document for Séneca (the export run)
};

struct ParametrosArranque {
    bool dosParametros = false;  // exactly two: the host started the program
    Direccion direccion = Direccion::Ninguna;
    std::optional<std::uintptr_t> anfitrion;  // the host's window handle, when it parsed
    Utf8 errorConversion;                     // why the handle did not parse
};

// The whole word after lower-casing its ASCII letters only.
Direccion DireccionDe(const QString& palabra);

// Hexadecimal digits without prefix, either case, as the platform reads "$" + texto; throws
// ErrorPasaplan with the conversion error otherwise.
std::uintptr_t ConvertirManejador(const QString& texto);

// parametros: the program's parameters without the program name.
ParametrosArranque AnalizarParametros(const QStringList& parametros);

}  // namespace pasaplan
