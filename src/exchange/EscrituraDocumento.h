#pragma once
// A document saved as it is written: what it holds, then a last element written piece by
// piece. A large result never sits whole in memory, neither as a tree nor as text. The pieces
// are Séneca's groups and values, written as libxml2 writes them from a tree, and go out
// through its converter to the document's declared encoding.
#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/Texto.h"

namespace pasaplan {

class Documento;

class EscrituraDocumento {
  public:
    // Attribute values in ASCII (names, keys, numbers, dates).
    using Atributos = std::vector<std::pair<const char*, std::string>>;

    // Starts an element, to be ended by Cerrar. One ended with nothing written in it is
    // written empty ("<x/>").
    void Abrir(const char* nombre, const Atributos& atributos = {});
    void Cerrar();
    // <dato nombre_dato="nombre">valor</dato> in the element last opened; an empty value
    // gives an empty element. The value is text, never markup.
    void Dato(const char* nombre, std::string_view valor);

    EscrituraDocumento(const EscrituraDocumento&) = delete;
    EscrituraDocumento& operator=(const EscrituraDocumento&) = delete;

  private:
    friend class Documento;
    EscrituraDocumento(xmlDoc* doc, xmlSaveCtxt* guardado);
    void Dentro();  // something goes inside the element last opened
    void Vaciar();  // hands what is gathered to libxml2's converter

    struct LiberarTexto {
        void operator()(xmlNode* texto) const;
    };
    xmlSaveCtxt* guardado_;
    // A text node written without escaping, whose content is lent by reunido_ when written.
    std::unique_ptr<xmlNode, LiberarTexto> crudo_;
    std::string reunido_;  // UTF-8 markup not yet handed over
    std::vector<std::string> abiertos_;
    bool etiquetaAbierta_ = false;  // the last start tag still lacks its '>'
};

}  // namespace pasaplan
