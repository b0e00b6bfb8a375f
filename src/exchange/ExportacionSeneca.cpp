// Séneca's export as the import reads it: the values, and the blocks and records of a file
// read through libxml2's tree.
#include "exchange/ExportacionSeneca.h"

#include <libxml/tree.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "exchange/Documento.h"
#include "text/Clipper.h"

namespace pasaplan {

Texto ValorSinRecortar(const std::vector<Dato>& datos, size_t pos) {
    return pos < datos.size() ? datos[pos].texto : Texto();
}

Texto Valor(const std::vector<Dato>& datos, size_t pos) {
    return pos < datos.size() ? AllTrim(datos[pos].texto) : Texto();
}

bool NombreDatoEs(const Dato& dato, std::string_view nombre) {
    // For such a name the test needs no more than the start of the name written out: an escape
    // begins with '&', a character outside ASCII is no ASCII one, and the closing quote is in
    // no name.
    const auto simple = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    };
    if (nombre.empty() || !std::all_of(nombre.begin(), nombre.end(), simple)) {
        throw std::invalid_argument("NombreDatoEs: nombre de dato no admitido");
    }
    return std::string_view(dato.marca).starts_with(nombre);
}

ExportacionSeneca::ExportacionSeneca(Utf8 nombre) : nombre_(std::move(nombre)) {}

ExportacionSeneca::~ExportacionSeneca() = default;

namespace {

// A value's markup from its 20th character on, as far as a name test reads it. For the usual
// <dato nombre_dato="V" ...> that is V written out, and V itself answers the same (see
// NombreDatoEs) without serialising the element.
std::string Marca(const Nodo& dato) {
    const xmlNode* nodo = dato.Crudo();
    const xmlAttr* atributo = nodo->properties;
    if (nodo->nsDef == nullptr && atributo != nullptr && atributo->ns == nullptr &&
        std::strcmp(reinterpret_cast<const char*>(atributo->name), "nombre_dato") == 0) {
        const xmlNode* valor = atributo->children;
        if (valor == nullptr) return {};
        if (valor->next == nullptr && valor->type == XML_TEXT_NODE && valor->content != nullptr) {
            return reinterpret_cast<const char*>(valor->content);
        }
    }
    const Texto marcado = AllTrim(dato.Marcado());
    constexpr size_t kInicio = 19;  // "<dato nombre_dato=\""
    return marcado.size() < kInicio ? std::string() : std::string(marcado.substr(kInicio));
}

}  // namespace

Grupo ExportacionSeneca::DelArbol(const Nodo& nodo) {
    Grupo grupo;
    for (const Nodo& dato : nodo.Datos()) {
        grupo.datos.push_back(Dato{dato.TextoContenido(), Marca(dato)});
    }
    return grupo;
}

const std::vector<Grupo>& ExportacionSeneca::Registros(std::string_view bloque) const {
    static const std::vector<Grupo> ninguno;
    // A block name with a double quote cannot be written in the expression; no block has one.
    if (bloque.find('"') != std::string_view::npos) return ninguno;
    if (auto it = registros_.find(bloque); it != registros_.end()) return it->second;
    if (!arbol_) return ninguno;
    std::vector<Grupo> registros;
    for (const Nodo& nodo : arbol_->Seleccionar("/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"" +
                                                std::string(bloque) + "\"]/grupo_datos")) {
        registros.push_back(DelArbol(nodo));
    }
    return registros_.emplace(std::string(bloque), std::move(registros)).first->second;
}

const std::vector<Grupo>& ExportacionSeneca::Bloques() const { return bloques_; }

}  // namespace pasaplan
