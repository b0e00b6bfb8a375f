#pragma once
// Séneca's exchange document through libxml2. Texts handed out are Windows-1252 (Texto);
// libxml2's UTF-8 is converted here and nowhere else.
#include <libxml/tree.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <typeinfo>
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
    // Same into datos (emptied first), so that a loop over records reuses one vector.
    void Datos(std::vector<Nodo>& datos) const;
    // The decoded text content, converted to Windows-1252, untrimmed.
    Texto TextoContenido() const;
    // The node serialised as XML markup, converted to Windows-1252.
    Texto Marcado() const;
    Nodo PrimerHijo() const;

private:
    xmlNode* nodo_ = nullptr;
};

// Value at position pos of a list of "dato" elements, trimmed with AllTrim. An absent position
// reads as the empty text.
Texto Valor(const std::vector<Nodo>& datos, size_t pos);
// Same, untrimmed (the time-frame dialog shows texts as stored).
Texto ValorSinRecortar(const std::vector<Nodo>& datos, size_t pos);

// The name test: the markup, trimmed, compared from its 20th character on with nombre, as a
// prefix, exactly. "<dato nombre_dato=\"" is 19 characters long.
bool NombreDatoEs(const Nodo& dato, std::string_view nombre);

class Documento {
public:
    // Parses archivo (no network, no entity substitution, blank text nodes dropped, short texts
    // kept inside their nodes: a parsed node is never edited in place). A file that
    // cannot be read or parsed, or that declares entities, is an ErrorPasaplan naming the file
    // and, where known, line and column.
    static std::unique_ptr<Documento> Cargar(const std::filesystem::path& archivo);
    // Same from memory; nombre names the document in messages.
    static std::unique_ptr<Documento> DesdeMemoria(std::string_view contenido,
                                                   const Utf8& nombre);
    ~Documento();
    Documento(const Documento&) = delete;
    Documento& operator=(const Documento&) = delete;

    // XPath (libxml2's) on the document; nodes in document order, empty when nothing matches.
    std::vector<Nodo> Seleccionar(const std::string& xpath) const;
    // "/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"B\"]/grupo_datos", evaluated once per block
    // until the document changes: several steps read the same large block.
    std::vector<Nodo> Registros(std::string_view bloque) const;
    // "/SERVICIO/BLOQUE_DATOS/grupo_datos"
    std::vector<Nodo> Bloques() const;

    const Utf8& Nombre() const { return nombre_; }
    xmlDoc* Crudo() const { return doc_; }

    // A value of type T worked out from the document by construir(*this), kept under clave
    // until the document changes: the runs and the import report read some large blocks the
    // same way several times.
    template <typename T, typename Construir>
    const T& Derivado(const std::string& clave, Construir construir) const {
        std::pair<std::type_index, std::string> llave(typeid(T), clave);
        auto it = derivados_.find(llave);
        if (it == derivados_.end()) {
            std::shared_ptr<const void> valor = std::make_shared<const T>(construir(*this));
            it = derivados_.emplace(std::move(llave), std::move(valor)).first;
        }
        return *static_cast<const T*>(it->second.get());
    }

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
    mutable std::map<std::string, std::vector<Nodo>, std::less<>> registros_;
    mutable std::map<std::pair<std::type_index, std::string>, std::shared_ptr<const void>>
        derivados_;
    void Cambiado();  // forgets what was looked up or worked out
};

}  // namespace pasaplan
