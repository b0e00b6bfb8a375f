// Reading Séneca's export in one pass: libxml2's parser hands over elements and text, and only
// the blocks, records and values are kept. What the pass does not model stops it, and the file
// is read again through the tree, which gives every construct its meaning.
#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <cstring>
#include <functional>
#include <optional>

#include "exchange/Documento.h"
#include "exchange/ExportacionSeneca.h"
#include "exchange/XmlInterno.h"
#include "platform/Rutas.h"
#include "text/Cp1252.h"

namespace pasaplan {

class LectorSeneca {
  public:
    using Pasada = std::function<xml::Arbol(const xml::Preparar&, const std::function<bool()>&)>;
    using PorArbol = std::function<std::unique_ptr<Documento>()>;

    static std::unique_ptr<ExportacionSeneca> Leer(Utf8 nombre, const Pasada& pasada,
                                                   const PorArbol& porArbol,
                                                   ExportacionSeneca::Via via) {
        std::unique_ptr<ExportacionSeneca> leida(new ExportacionSeneca(std::move(nombre)));
        if (via == ExportacionSeneca::Via::Automatica) {
            LectorSeneca lector(*leida);
            pasada([&](xmlParserCtxt* ctxt) { lector.Preparar(ctxt); },
                   [&] { return lector.detenido_; });
            if (!lector.detenido_) return leida;
            leida.reset(new ExportacionSeneca(leida->Nombre()));
        }
        leida->arbol_ = porArbol();
        for (const Nodo& bloque :
             leida->arbol_->Seleccionar("/SERVICIO/BLOQUE_DATOS/grupo_datos")) {
            leida->bloques_.push_back(ExportacionSeneca::DelArbol(bloque));
        }
        return leida;
    }

  private:
    // What an open element is to the reading.
    enum class Nivel { Otro, Servicio, BloqueDatos, Bloque, Registro, Dato };

    explicit LectorSeneca(ExportacionSeneca& destino) : destino_(destino) {}

    void Preparar(xmlParserCtxt* ctxt) {
        ctxt_ = ctxt;
        ctxt->_private = this;
        xmlSAXHandler* sax = ctxt->sax;
        sax->startElementNs = Abrir;
        sax->endElementNs = Cerrar;
        sax->characters = Caracteres;
        sax->cdataBlock = MarcadoEnValor;
        sax->comment = Comentario;
        sax->processingInstruction = Instruccion;
        sax->reference = Referencia;
        sax->internalSubset = Declaraciones;
        sax->entityDecl = Entidad;
    }

    static LectorSeneca& De(void* ctx) {
        return *static_cast<LectorSeneca*>(static_cast<xmlParserCtxt*>(ctx)->_private);
    }

    // Something the pass does not model: the file is read through the tree instead.
    void Detener() {
        if (!detenido_) xmlStopParser(ctxt_);
        detenido_ = true;
    }

    bool EnValor() const { return !pila_.empty() && pila_.back() == Nivel::Dato && grupo_; }

    static void Abrir(void* ctx, const xmlChar* nombre, const xmlChar* prefijo,
                      const xmlChar* espacio, int nEspacios, const xmlChar**, int nAtributos, int,
                      const xmlChar** atributos) {
        LectorSeneca& l = De(ctx);
        if (l.detenido_) return;
        if (prefijo || espacio || nEspacios > 0 || l.EnValor()) return l.Detener();
        // Each attribute: name, prefix, namespace, value, end of value. An entity in a value
        // comes as a reference for the tree to decode.
        for (int i = 0; i < nAtributos; ++i) {
            const xmlChar* const* a = atributos + 5 * i;
            if (a[1] || a[2] || std::memchr(a[3], '&', static_cast<size_t>(a[4] - a[3]))) {
                return l.Detener();
            }
        }
        const auto es = [&](const char* n) {
            return std::strcmp(reinterpret_cast<const char*>(nombre), n) == 0;
        };
        const auto valor = [&](int i) {
            return std::string(reinterpret_cast<const char*>(atributos[5 * i + 3]),
                               reinterpret_cast<const char*>(atributos[5 * i + 4]));
        };
        const Nivel padre = l.pila_.empty() ? Nivel::Otro : l.pila_.back();
        Nivel nivel = Nivel::Otro;
        if (l.pila_.empty()) {
            if (es("SERVICIO")) nivel = Nivel::Servicio;
        } else if (padre == Nivel::Servicio) {
            if (es("BLOQUE_DATOS")) nivel = Nivel::BloqueDatos;
        } else if (padre == Nivel::BloqueDatos && es("grupo_datos")) {
            nivel = Nivel::Bloque;
            l.destino_.bloques_.emplace_back();
            l.bloque_ = l.destino_.bloques_.size() - 1;
            l.registros_ = nullptr;
            for (int i = 0; i < nAtributos; ++i) {
                if (std::strcmp(reinterpret_cast<const char*>(atributos[5 * i]), "seq") == 0) {
                    l.registros_ = &l.destino_.registros_[valor(i)];
                }
            }
            l.grupo_ = &l.destino_.bloques_[l.bloque_];
        } else if (padre == Nivel::Bloque && es("grupo_datos")) {
            nivel = Nivel::Registro;
            if (l.registros_) l.registros_->emplace_back();
            l.grupo_ = l.registros_ ? &l.registros_->back() : nullptr;
        } else if ((padre == Nivel::Bloque || padre == Nivel::Registro) && es("dato")) {
            nivel = Nivel::Dato;
            if (padre == Nivel::Bloque) l.grupo_ = &l.destino_.bloques_[l.bloque_];
            if (l.grupo_) {
                // The name test reads the markup that follows <dato nombre_dato=".
                if (nAtributos == 0 ||
                    std::strcmp(reinterpret_cast<const char*>(atributos[0]), "nombre_dato") != 0) {
                    return l.Detener();
                }
                l.marca_ = valor(0);
                l.texto_.clear();
                l.conTexto_ = false;
            }
        }
        l.pila_.push_back(nivel);
    }

    static void Cerrar(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*) {
        LectorSeneca& l = De(ctx);
        if (l.detenido_ || l.pila_.empty()) return;
        if (l.EnValor()) {
            l.grupo_->datos.push_back(Dato{BytesUtf8ACp1252(l.texto_), std::move(l.marca_)});
        } else if (l.pila_.back() == Nivel::Registro) {
            l.grupo_ = nullptr;
        }
        l.pila_.pop_back();
    }

    static void Caracteres(void* ctx, const xmlChar* texto, int largo) {
        LectorSeneca& l = De(ctx);
        if (l.detenido_ || !l.EnValor()) return;
        const std::string_view trozo(reinterpret_cast<const char*>(texto),
                                     static_cast<size_t>(largo));
        if (!l.conTexto_ && trozo.find_first_not_of(" \t\r\n") == std::string_view::npos) {
            const auto descarta = l.ArbolDescartaBlancos();
            if (!descarta) return l.Detener();
            if (*descarta) return;
        }
        l.conTexto_ = true;
        // Past this the tree refuses the file ("huge text node"); it says so itself.
        if (l.texto_.size() + trozo.size() > XML_MAX_TEXT_LENGTH) return l.Detener();
        l.texto_ += trozo;
    }

    // Whether the tree drops a piece of blanks that comes before any text of the value
    // (XML_PARSE_NOBLANKS): libxml2 drops it when what follows is a carriage return, or markup
    // other than the value's end tag; never a character reference, which comes as text. Read
    // where the parser stands, as libxml2 reads it; nothing when that cannot be told.
    std::optional<bool> ArbolDescartaBlancos() const {
        const xmlParserInput* entrada = ctxt_->input;
        if (entrada == nullptr || entrada->cur == nullptr || entrada->cur <= entrada->base) {
            return std::nullopt;
        }
        const xmlChar* sigue = entrada->cur;
        if (sigue[-1] == ';') return false;
        return sigue[0] == '\r' || (sigue[0] == '<' && sigue[1] != '/');
    }

    static void MarcadoEnValor(void* ctx, const xmlChar*, int) {
        LectorSeneca& l = De(ctx);
        if (l.EnValor()) l.Detener();
    }
    static void Comentario(void* ctx, const xmlChar*) { MarcadoEnValor(ctx, nullptr, 0); }
    static void Instruccion(void* ctx, const xmlChar*, const xmlChar*) {
        MarcadoEnValor(ctx, nullptr, 0);
    }
    static void Referencia(void* ctx, const xmlChar*) { De(ctx).Detener(); }
    static void Declaraciones(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*) {
        De(ctx).Detener();
    }
    static void Entidad(void* ctx, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
        De(ctx).Detener();
    }

    ExportacionSeneca& destino_;
    xmlParserCtxt* ctxt_ = nullptr;
    bool detenido_ = false;
    std::vector<Nivel> pila_;                  // one per open element
    size_t bloque_ = 0;                        // the block being read, in destino_.bloques_
    std::vector<Grupo>* registros_ = nullptr;  // where its records go (none without seq)
    Grupo* grupo_ = nullptr;                   // where the values being read go
    std::string marca_, texto_;                // the open value's name and text (UTF-8)
    bool conTexto_ = false;                    // a piece of the open value's text was kept
};

std::unique_ptr<ExportacionSeneca> ExportacionSeneca::Cargar(const std::filesystem::path& archivo,
                                                             Via via) {
    return LectorSeneca::Leer(
        plataforma::Utf8DeRuta(archivo),
        [&](const xml::Preparar& preparar, const std::function<bool()>& detenido) {
            return xml::AnalizarArchivo(archivo, preparar, detenido);
        },
        [&] { return Documento::Cargar(archivo); }, via);
}

std::unique_ptr<ExportacionSeneca> ExportacionSeneca::DesdeMemoria(std::string_view contenido,
                                                                   const Utf8& nombre, Via via) {
    return LectorSeneca::Leer(
        nombre,
        [&](const xml::Preparar& preparar, const std::function<bool()>& detenido) {
            return xml::AnalizarMemoria(contenido, nombre, preparar, detenido);
        },
        [&] { return Documento::DesdeMemoria(contenido, nombre); }, via);
}

}  // namespace pasaplan
