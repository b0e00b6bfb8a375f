#include "exchange/Documento.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>

#include "exchange/CodificacionXml.h"
#include "exchange/XmlInterno.h"
#include "platform/Atomico.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace xml {
namespace {

void RecogerError(void* datos, xmlError* error) {
    auto* errores = static_cast<Errores*>(datos);
    if (errores->hay || error == nullptr || error->level < XML_ERR_ERROR) return;
    errores->hay = true;
    errores->linea = error->line;
    errores->columna = error->int2;
    errores->mensaje = error->message ? error->message : "";
    while (!errores->mensaje.empty() &&
           (errores->mensaje.back() == '\n' || errores->mensaje.back() == ' ')) {
        errores->mensaje.pop_back();
    }
}

void SinSalida(void*, const char*, ...) {}

}  // namespace

ManejadorErrores::ManejadorErrores(Errores* errores) {
    xmlSetStructuredErrorFunc(errores, RecogerError);
    xmlSetGenericErrorFunc(nullptr, SinSalida);
}

ManejadorErrores::~ManejadorErrores() {
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    xmlSetGenericErrorFunc(nullptr, nullptr);
}

Utf8 TextoXml(std::string_view cp1252) {
    Utf8 utf8 = Cp1252AUtf8(cp1252);
    for (char& c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') c = '?';
    }
    return utf8;
}

}  // namespace xml

namespace {

struct LiberarXPathContexto {
    void operator()(xmlXPathContext* c) const { xmlXPathFreeContext(c); }
};
struct LiberarXPathObjeto {
    void operator()(xmlXPathObject* o) const { xmlXPathFreeObject(o); }
};
struct LiberarParser {
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

bool DeclaraEntidades(xmlDoc* doc) {
    for (xmlDtd* dtd : {doc->intSubset, doc->extSubset}) {
        if (dtd != nullptr && (dtd->entities != nullptr || dtd->pentities != nullptr)) return true;
    }
    return false;
}

// Compact text nodes keep a short text inside the node instead of in an allocation of its
// own: a tenth less time to parse and to free an export. libxml2 cannot edit such a node in
// place; the runs only read a parsed tree, free parts of it and add new nodes.
constexpr int kOpcionesParser = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR |
                                XML_PARSE_NOWARNING | XML_PARSE_COMPACT;

// A file handed to the parser in large reads as it parses, so that it is never held whole
// in memory beside the document; a read error is kept to be reported as such.
struct LecturaArchivo {
    std::ifstream entrada;
    bool fallo = false;
};

int LeerParaParser(void* contexto, char* destino, int largo) {
    auto* lectura = static_cast<LecturaArchivo*>(contexto);
    lectura->entrada.read(destino, largo);
    if (lectura->entrada.bad()) {
        lectura->fallo = true;
        return -1;
    }
    return static_cast<int>(lectura->entrada.gcount());
}

int CerrarParaParser(void*) { return 0; }

// Parses with leer(ctxt), which runs one of libxml2's read functions with kOpcionesParser,
// after preparar(ctxt).
template <typename Leer>
xml::Arbol Analizar(const Utf8& nombre, Leer leer, const xml::Preparar& preparar,
                    const std::function<bool()>& detenido) {
    RegistrarCodificacionesXml();
    xml::Errores errores;
    xml::Arbol doc(nullptr, xmlFreeDoc);
    {
        xml::ManejadorErrores manejador(&errores);
        std::unique_ptr<xmlParserCtxt, LiberarParser> ctxt(xmlNewParserCtxt());
        if (!ctxt) throw ErrorPasaplan("No hay memoria para leer el archivo «" + nombre + "».");
        if (preparar) preparar(ctxt.get());
        doc.reset(leer(ctxt.get()));
        if (detenido && detenido()) return xml::Arbol(nullptr, xmlFreeDoc);
        if (doc && !ctxt->wellFormed) doc.reset();
    }
    if (!doc) {
        Utf8 mensaje = "El archivo «" + nombre + "» no es un documento XML válido";
        if (errores.hay) {
            mensaje += " (línea " + Utf8::Numero(errores.linea) + ", columna " +
                       Utf8::Numero(errores.columna) + ": " + Utf8::DeBytes(errores.mensaje) + ")";
        }
        throw ErrorPasaplan(mensaje + ".");
    }
    if (DeclaraEntidades(doc.get())) {
        throw ErrorPasaplan("El archivo «" + nombre +
                            "» declara entidades en su DOCTYPE; los archivos de Séneca no las "
                            "llevan y no se leen por seguridad.");
    }
    return doc;
}

}  // namespace

namespace xml {

Arbol AnalizarArchivo(const std::filesystem::path& archivo, const Preparar& preparar,
                      const std::function<bool()>& detenido) {
    const Utf8 nombre = plataforma::Utf8DeRuta(archivo);
    // Large reads: an export can be tens of MiB. (The buffer outlives the stream.)
    std::array<char, 1 << 16> bufer;
    LecturaArchivo lectura;
    lectura.entrada.rdbuf()->pubsetbuf(bufer.data(), bufer.size());
    lectura.entrada.open(archivo, std::ios::binary);
    if (!lectura.entrada) throw ErrorPasaplan("No se puede abrir el archivo «" + nombre + "».");
    std::error_code error;
    const auto tamano = std::filesystem::file_size(archivo, error);
    if (!error && tamano > static_cast<uintmax_t>(INT32_MAX)) {
        throw ErrorPasaplan("El archivo «" + nombre + "» es demasiado grande.");
    }
    return Analizar(
        nombre,
        [&](xmlParserCtxt* ctxt) {
            xmlDoc* leido = xmlCtxtReadIO(ctxt, LeerParaParser, CerrarParaParser, &lectura,
                                          nombre.c_str(), nullptr, kOpcionesParser);
            if (lectura.fallo) {
                xmlFreeDoc(leido);
                throw ErrorPasaplan("No se puede leer el archivo «" + nombre + "».");
            }
            return leido;
        },
        preparar, detenido);
}

Arbol AnalizarMemoria(std::string_view contenido, const Utf8& nombre, const Preparar& preparar,
                      const std::function<bool()>& detenido) {
    if (contenido.size() > static_cast<size_t>(INT32_MAX)) {
        throw ErrorPasaplan("El archivo «" + nombre + "» es demasiado grande.");
    }
    return Analizar(
        nombre,
        [&](xmlParserCtxt* ctxt) {
            return xmlCtxtReadMemory(ctxt, contenido.data(), static_cast<int>(contenido.size()),
                                     nombre.c_str(), nullptr, kOpcionesParser);
        },
        preparar, detenido);
}

}  // namespace xml

// ---- Documento ------------------------------------------------------------------------------

std::unique_ptr<Documento> Documento::Cargar(const std::filesystem::path& archivo) {
    return std::unique_ptr<Documento>(
        new Documento(xml::AnalizarArchivo(archivo).release(), plataforma::Utf8DeRuta(archivo)));
}

std::unique_ptr<Documento> Documento::DesdeMemoria(std::string_view contenido, const Utf8& nombre) {
    return std::unique_ptr<Documento>(
        new Documento(xml::AnalizarMemoria(contenido, nombre).release(), nombre));
}

Documento::~Documento() { xmlFreeDoc(doc_); }

std::vector<Nodo> Documento::Seleccionar(const std::string& xpath) const {
    std::vector<Nodo> nodos;
    std::unique_ptr<xmlXPathContext, LiberarXPathContexto> ctxt(xmlXPathNewContext(doc_));
    if (!ctxt) throw ErrorPasaplan("No hay memoria para leer el documento.");
    xml::Errores errores;
    std::unique_ptr<xmlXPathObject, LiberarXPathObjeto> resultado;
    {
        xml::ManejadorErrores manejador(&errores);
        resultado.reset(
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), ctxt.get()));
    }
    if (!resultado) {
        throw ErrorPasaplan("Expresión XPath no válida en el documento «" + nombre_ +
                            "»: " + Utf8::DeBytes(xpath));
    }
    if (resultado->type == XPATH_NODESET && resultado->nodesetval) {
        const xmlNodeSet* conjunto = resultado->nodesetval;
        nodos.reserve(static_cast<size_t>(conjunto->nodeNr));
        for (int i = 0; i < conjunto->nodeNr; ++i) nodos.emplace_back(conjunto->nodeTab[i]);
    }
    return nodos;
}

void Documento::Quitar(Nodo nodo) {
    if (!nodo) return;
    xmlUnlinkNode(nodo.Crudo());
    xmlFreeNode(nodo.Crudo());
}

}  // namespace pasaplan
