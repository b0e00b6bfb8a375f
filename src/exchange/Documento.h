#pragma once
// Séneca's exchange document as libxml2's tree: the file the export run writes the result
// after, its prolog kept; and the import's reading of a file its one pass does not model.
// Texts handed out are Windows-1252 (Texto); libxml2's UTF-8 is converted here and nowhere
// else.
#include <libxml/tree.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "text/Texto.h"

namespace pasaplan {

class EscrituraDocumento;

// A node of a document (non-owning; lives as long as its document).
class Nodo {
  public:
    Nodo() = default;
    explicit Nodo(xmlNode* nodo) : nodo_(nodo) {}
    xmlNode* Crudo() const { return nodo_; }
    explicit operator bool() const { return nodo_ != nullptr; }

    // The "dato" element children, in document order (the relative expression "dato").
    std::vector<Nodo> Datos() const;
    // The decoded text content, converted to Windows-1252, untrimmed.
    Texto TextoContenido() const;
    // The node serialised as XML markup, converted to Windows-1252.
    Texto Marcado() const;
    Nodo PrimerHijo() const;

  private:
    xmlNode* nodo_ = nullptr;
};

class Documento {
  public:
    // Parses archivo (no network, no entity substitution, blank text nodes dropped, short texts
    // kept inside their nodes: a parsed node is never edited in place). A file that
    // cannot be read or parsed, or that declares entities, is an ErrorPasaplan naming the file
    // and, where known, line and column.
    static std::unique_ptr<Documento> Cargar(const std::filesystem::path& archivo);
    // Same from memory; nombre names the document in messages.
    static std::unique_ptr<Documento> DesdeMemoria(std::string_view contenido, const Utf8& nombre);
    ~Documento();
    Documento(const Documento&) = delete;
    Documento& operator=(const Documento&) = delete;

    // XPath (libxml2's) on the document; nodes in document order, empty when nothing matches.
    std::vector<Nodo> Seleccionar(const std::string& xpath) const;
    const Utf8& Nombre() const { return nombre_; }
    xmlDoc* Crudo() const { return doc_; }

    // Unlinks and frees nodo.
    void Quitar(Nodo nodo);
    // Saves in the encoding the XML declaration names (UTF-8 when none) through a temporary
    // file in the same folder renamed over destino. ultimo, when given, writes one more element
    // after the document's last node, piece by piece (see EscrituraDocumento). On a failure, or
    // an error thrown by ultimo, destino is untouched.
    void Guardar(const std::filesystem::path& destino,
                 const std::function<void(EscrituraDocumento&)>& ultimo = nullptr) const;

  private:
    Documento(xmlDoc* doc, Utf8 nombre) : doc_(doc), nombre_(std::move(nombre)) {}
    xmlDoc* doc_;
    Utf8 nombre_;
};

}  // namespace pasaplan
