// The elements of the exchange document as the import steps read them: a block's records, a
// record's data, their values and names.
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
    Datos(datos);
    return datos;
}

void Nodo::Datos(std::vector<Nodo>& datos) const {
    datos.clear();
    if (!nodo_) return;
    for (xmlNode* hijo = nodo_->children; hijo; hijo = hijo->next) {
        if (hijo->type == XML_ELEMENT_NODE && hijo->ns == nullptr &&
            std::strcmp(reinterpret_cast<const char*>(hijo->name), "dato") == 0) {
            datos.emplace_back(hijo);
        }
    }
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

Texto ValorSinRecortar(const std::vector<Nodo>& datos, size_t pos) {
    return pos < datos.size() ? datos[pos].TextoContenido() : Texto();
}

Texto Valor(const std::vector<Nodo>& datos, size_t pos) {
    if (pos >= datos.size() || !datos[pos]) return {};
    // The blanks trimmed are ASCII ones, which the conversion keeps as they are and makes of
    // nothing else: trimming the UTF-8 first gives the same text with one copy instead of three.
    if (const auto directo = ContenidoDirecto(datos[pos].Crudo())) {
        std::string_view v = *directo;
        const size_t inicio = v.find_first_not_of(' ');
        if (inicio == std::string_view::npos) return {};
        v = v.substr(inicio, v.find_last_not_of(' ') - inicio + 1);
        return BytesUtf8ACp1252(v);
    }
    return AllTrim(datos[pos].TextoContenido());
}

namespace {

// The test without serialising, for the usual <dato nombre_dato="V" ...>: its markup is
// "<dato nombre_dato=\"" (19 characters) followed by V as written out. When nombre holds only
// letters, digits and '_', V written out begins with nombre exactly when V does: an escape
// begins with '&', a character outside ASCII is no ASCII one, and the closing quote is in no
// name. Any other element is left to the markup itself.
std::optional<bool> NombreDatoSinMarcado(const xmlNode* dato, std::string_view nombre) {
    const auto nombreSimple = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    };
    if (dato == nullptr || dato->type != XML_ELEMENT_NODE || dato->ns != nullptr ||
        dato->nsDef != nullptr || std::strcmp(reinterpret_cast<const char*>(dato->name), "dato") != 0 ||
        !std::all_of(nombre.begin(), nombre.end(), nombreSimple)) {
        return std::nullopt;
    }
    const xmlAttr* atributo = dato->properties;
    if (atributo == nullptr || atributo->ns != nullptr ||
        std::strcmp(reinterpret_cast<const char*>(atributo->name), "nombre_dato") != 0) {
        return std::nullopt;
    }
    const xmlNode* valor = atributo->children;
    if (valor == nullptr) return nombre.empty();
    if (valor->next != nullptr || valor->type != XML_TEXT_NODE || valor->content == nullptr) {
        return std::nullopt;
    }
    return std::string_view(reinterpret_cast<const char*>(valor->content)).starts_with(nombre);
}

}  // namespace

bool NombreDatoEs(const Nodo& dato, std::string_view nombre) {
    if (const auto rapido = NombreDatoSinMarcado(dato.Crudo(), nombre)) return *rapido;
    const Texto marcado = AllTrim(dato.Marcado());
    constexpr size_t kInicio = 19;  // position 20 counted from 1
    if (marcado.size() < kInicio) return false;
    return std::string_view(marcado).substr(kInicio, nombre.size()) == nombre;
}

}  // namespace pasaplan
