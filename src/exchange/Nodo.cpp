// The elements of libxml2's tree as the readings take them: a group's "dato" children, an
// element's text and its markup.
#include <libxml/tree.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "exchange/Documento.h"
#include "platform/Error.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

struct LiberarBuffer {
    void operator()(xmlBuffer* b) const { xmlBufferFree(b); }
};
struct LiberarXmlChar {
    void operator()(xmlChar* c) const { xmlFree(c); }
};

}  // namespace

std::vector<Nodo> Nodo::Datos() const {
    std::vector<Nodo> datos;
    if (!nodo_) return datos;
    for (xmlNode* hijo = nodo_->children; hijo; hijo = hijo->next) {
        if (hijo->type == XML_ELEMENT_NODE && hijo->ns == nullptr &&
            std::strcmp(reinterpret_cast<const char*>(hijo->name), "dato") == 0) {
            datos.emplace_back(hijo);
        }
    }
    return datos;
}

namespace {

// The content of an element that holds one text node or none, without libxml2's copy; nothing
// for any other node, whose content libxml2 gathers.
std::optional<std::string_view> ContenidoDirecto(const xmlNode* nodo) {
    if (nodo->type != XML_ELEMENT_NODE) return std::nullopt;
    const xmlNode* hijo = nodo->children;
    if (hijo == nullptr) return std::string_view();
    if (hijo->next == nullptr && hijo->type == XML_TEXT_NODE && hijo->content != nullptr) {
        return std::string_view(reinterpret_cast<const char*>(hijo->content));
    }
    return std::nullopt;
}

}  // namespace

Texto Nodo::TextoContenido() const {
    if (!nodo_) return {};
    if (const auto directo = ContenidoDirecto(nodo_)) return BytesUtf8ACp1252(*directo);
    std::unique_ptr<xmlChar, LiberarXmlChar> contenido(xmlNodeGetContent(nodo_));
    if (!contenido) return {};
    return BytesUtf8ACp1252(reinterpret_cast<const char*>(contenido.get()));
}

Texto Nodo::Marcado() const {
    if (!nodo_) return {};
    std::unique_ptr<xmlBuffer, LiberarBuffer> buffer(xmlBufferCreate());
    if (!buffer) throw ErrorPasaplan("No hay memoria para leer el documento.");
    xmlNodeDump(buffer.get(), nodo_->doc, nodo_, 0, 0);
    return BytesUtf8ACp1252(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())));
}

Nodo Nodo::PrimerHijo() const { return nodo_ ? Nodo(nodo_->children) : Nodo(); }

}  // namespace pasaplan
