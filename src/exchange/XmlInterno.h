#pragma once
// What the document's reading and writing share inside this layer: libxml2's errors caught
// instead of printed, and text made fit for the document.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "text/Texto.h"

namespace pasaplan::xml {

// The first error libxml2 reports, kept instead of printed on stderr.
struct Errores {
    bool hay = false;
    int linea = 0;
    int columna = 0;
    std::string mensaje;
};

// While one lives, libxml2 reports to errores and writes nothing on stderr.
class ManejadorErrores {
  public:
    explicit ManejadorErrores(Errores* errores);
    ~ManejadorErrores();
    ManejadorErrores(const ManejadorErrores&) = delete;
    ManejadorErrores& operator=(const ManejadorErrores&) = delete;
};

// Text for the document: UTF-8, with every character that XML 1.0 cannot carry (the C0
// controls but tab, line feed and carriage return; NUL included) as '?', as the conversion
// does with a character Windows-1252 lacks. Written as it stands, such a byte (a stray control
// in a Velmora table) would make the saved document unreadable for Séneca.
Utf8 TextoXml(std::string_view cp1252);

using Arbol = std::unique_ptr<xmlDoc, void (*)(xmlDoc*)>;
using Preparar = std::function<void(xmlParserCtxt*)>;

// Parses a file (read in large pieces, never held whole) or a text in memory as every reading
// here does: no network, no entity substitution, blank text nodes dropped, short texts inside
// their nodes. preparar(ctxt), when given, runs first and may give the parser handlers of its
// own. A file that cannot be read or parsed, or that declares entities, is an ErrorPasaplan
// naming it and, where known, line and column. When detenido() says the handlers stopped the
// parser on purpose, the result is empty and nothing is checked.
Arbol AnalizarArchivo(const std::filesystem::path& archivo, const Preparar& preparar = nullptr,
                      const std::function<bool()>& detenido = nullptr);
Arbol AnalizarMemoria(std::string_view contenido, const Utf8& nombre,
                      const Preparar& preparar = nullptr,
                      const std::function<bool()>& detenido = nullptr);

}  // namespace pasaplan::xml
