// Saving the document: whole, or with a last element written piece by piece. Both go through
// one libxml2 save context in the document's declared encoding; a piece is escaped as
// libxml2 escapes the same text in a tree, and converted by the same converter.
#include "exchange/EscrituraDocumento.h"

#include <libxml/parserInternals.h>

#include <functional>
#include <stdexcept>

#include "exchange/CodificacionXml.h"
#include "exchange/Documento.h"
#include "exchange/XmlInterno.h"
#include "platform/Atomico.h"
#include "platform/Error.h"
#include "platform/Rutas.h"

namespace pasaplan {
namespace {

// What is gathered before it goes to the converter.
constexpr size_t kReunir = 1 << 16;

struct CerrarGuardado {
    void operator()(xmlSaveCtxt* c) const {
        xml::Errores errores;
        xml::ManejadorErrores manejador(&errores);
        xmlSaveClose(c);
    }
};

// Saves doc to destino through a temporary file: the declaration and every node the document
// holds, each followed by a line end, then what mas writes.
void GuardarCon(xmlDoc* doc, const std::filesystem::path& destino,
                const std::function<void(xmlSaveCtxt*)>& mas) {
    RegistrarCodificacionesXml();
    const char* codificacion =
        doc->encoding ? reinterpret_cast<const char*>(doc->encoding) : "UTF-8";
    // Written as it is serialised. libxml2 calls back from C, so the callback never throws.
    const auto salida = [](void* contexto, const char* bytes, int largo) -> int {
        const auto& trozo = *static_cast<const plataforma::EscribirTrozo*>(contexto);
        return trozo(std::string_view(bytes, static_cast<size_t>(largo))) ? largo : -1;
    };
    plataforma::EscribirArchivoAtomicoPorTrozos(
        destino, [&](const plataforma::EscribirTrozo& trozo) {
            long resultado = -1;
            std::unique_ptr<xmlSaveCtxt, CerrarGuardado> guardado;
            {
                xml::Errores errores;
                xml::ManejadorErrores manejador(&errores);
                guardado.reset(xmlSaveToIO(salida, nullptr,
                                           const_cast<plataforma::EscribirTrozo*>(&trozo),
                                           codificacion, 0));
                if (guardado) resultado = xmlSaveDoc(guardado.get(), doc);
            }
            if (resultado >= 0) {
                if (mas) mas(guardado.get());
                xml::Errores errores;
                xml::ManejadorErrores manejador(&errores);
                if (xmlSaveClose(guardado.release()) < 0) resultado = -1;
            }
            // A failed write is reported by the platform layer once this returns.
            if (resultado < 0 && trozo(std::string_view())) {
                throw ErrorPasaplan("No se puede escribir el documento «" +
                                    plataforma::Utf8DeRuta(destino) + "» en la codificación " +
                                    Utf8::DeBytes(codificacion) + ".");
            }
        });
}

enum class Lugar { Atributo, Contenido };

// Text as libxml2 escapes it in an attribute value (ASCII here) or in an element's content;
// other characters go to the converter as they are.
void Escapar(std::string& markup, std::string_view texto, Lugar lugar) {
    const bool atributo = lugar == Lugar::Atributo;
    for (char c : texto) {
        switch (c) {
            case '<':
                markup += "&lt;";
                break;
            case '>':
                markup += "&gt;";
                break;
            case '&':
                markup += "&amp;";
                break;
            case '\r':
                markup += "&#13;";
                break;
            case '"':
                markup += atributo ? "&quot;" : "\"";
                break;
            case '\n':
                markup += atributo ? "&#10;" : "\n";
                break;
            case '\t':
                markup += atributo ? "&#9;" : "\t";
                break;
            default:
                markup += c;
        }
    }
}

}  // namespace

void Documento::Guardar(const std::filesystem::path& destino,
                        const std::function<void(EscrituraDocumento&)>& ultimo) const {
    if (!ultimo) return GuardarCon(doc_, destino, nullptr);
    GuardarCon(doc_, destino, [&](xmlSaveCtxt* guardado) {
        EscrituraDocumento escritura(doc_, guardado);
        ultimo(escritura);
        if (!escritura.abiertos_.empty()) {
            throw std::logic_error("EscrituraDocumento: elementos sin cerrar");
        }
        // The line end after the document's last node.
        escritura.reunido_ += '\n';
        escritura.Vaciar();
    });
}

void EscrituraDocumento::LiberarTexto::operator()(xmlNode* texto) const {
    texto->content = nullptr;  // lent, not owned
    xmlFreeNode(texto);
}

EscrituraDocumento::EscrituraDocumento(xmlDoc* doc, xmlSaveCtxt* guardado)
    : guardado_(guardado), crudo_(xmlNewDocText(doc, nullptr)) {
    if (!crudo_) throw ErrorPasaplan("No hay memoria para escribir el documento.");
    crudo_->name = xmlStringTextNoenc;  // written without escaping
    reunido_.reserve(kReunir + 1024);
}

void EscrituraDocumento::Vaciar() {
    if (reunido_.empty()) return;
    crudo_->content = reinterpret_cast<xmlChar*>(reunido_.data());
    {
        xml::Errores errores;
        xml::ManejadorErrores manejador(&errores);
        xmlSaveTree(guardado_, crudo_.get());
    }
    crudo_->content = nullptr;
    reunido_.clear();
}

void EscrituraDocumento::Dentro() {
    if (etiquetaAbierta_) reunido_ += '>';
    etiquetaAbierta_ = false;
    if (reunido_.size() >= kReunir) Vaciar();
}

void EscrituraDocumento::Abrir(const char* nombre, const Atributos& atributos) {
    Dentro();
    reunido_ += '<';
    reunido_ += nombre;
    for (const auto& [atributo, valor] : atributos) {
        reunido_ += ' ';
        reunido_ += atributo;
        reunido_ += "=\"";
        Escapar(reunido_, valor, Lugar::Atributo);
        reunido_ += '"';
    }
    abiertos_.emplace_back(nombre);
    etiquetaAbierta_ = true;
}

void EscrituraDocumento::Cerrar() {
    if (abiertos_.empty()) throw std::logic_error("EscrituraDocumento: nada que cerrar");
    if (etiquetaAbierta_) {
        reunido_ += "/>";
    } else {
        reunido_ += "</";
        reunido_ += abiertos_.back();
        reunido_ += '>';
    }
    etiquetaAbierta_ = false;
    abiertos_.pop_back();
}

void EscrituraDocumento::Dato(const char* nombre, std::string_view valor) {
    Dentro();
    reunido_ += "<dato nombre_dato=\"";
    Escapar(reunido_, nombre, Lugar::Atributo);
    if (valor.empty()) {
        reunido_ += "\"/>";
        return;
    }
    reunido_ += "\">";
    Escapar(reunido_, xml::TextoXml(valor).Bytes(), Lugar::Contenido);
    reunido_ += "</dato>";
}

}  // namespace pasaplan
