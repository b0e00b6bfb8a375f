// The result document written piece by piece comes out byte for byte as libxml2 saves the same
// tree, whatever the chosen file's encoding, prolog and trailing nodes; an error while it is
// written leaves the old file as it was.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include "exchange/Documento.h"
#include "exchange/EscrituraDocumento.h"
#include "exchange/XmlInterno.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "support/NombresCasos.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;

const xmlChar* X(const char* texto) { return reinterpret_cast<const xmlChar*>(texto); }

// A group of Séneca's document: its values (Windows-1252) and the groups inside it.
struct Grupo {
    std::string seq;
    std::vector<std::pair<const char*, std::string>> datos;
    std::vector<Grupo> grupos;
};

void Escribir(EscrituraDocumento& salida, const Grupo& g) {
    salida.Abrir("grupo_datos", {{"seq", g.seq}});
    for (const auto& [nombre, valor] : g.datos) salida.Dato(nombre, valor);
    for (const Grupo& hijo : g.grupos) Escribir(salida, hijo);
    salida.Cerrar();
}

// The same group as a tree, built by libxml2 itself.
void Construir(xmlDoc* doc, xmlNode* padre, const Grupo& g) {
    xmlNode* grupo = xmlNewChild(padre, nullptr, X("grupo_datos"), nullptr);
    xmlNewProp(grupo, X("seq"), X(g.seq.c_str()));
    for (const auto& [nombre, valor] : g.datos) {
        xmlNode* dato = xmlNewChild(grupo, nullptr, X("dato"), nullptr);
        xmlNewProp(dato, X("nombre_dato"), X(nombre));
        if (!valor.empty()) {
            xmlAddChild(dato, xmlNewDocText(doc, X(xml::TextoXml(valor).Bytes().c_str())));
        }
    }
    for (const Grupo& hijo : g.grupos) Construir(doc, grupo, hijo);
}

Grupo Contenido() {
    std::string largo;  // past what the writer gathers before converting
    for (int i = 0; i < 30000; ++i) largo += "F\xEDsica \x80 & ";
    Grupo profesor{"HORARIO_REGULAR_PROFESOR_1",
                   {{"X_EMPLEADO", "412403"}, {"F_TOMAPOS", ""}},
                   {{"ACTIVIDAD_1",
                     {{"D", "F\xEDsica & Qu\xEDmica &amp; <b>]]> \"dobles\" 'simples'"},
                      {"C", "\r\n\tfin\x01\x1F"},
                      {"E", "\x80\x89\x9F \xF1"},
                      {"V", ""},
                      {"L", largo}},
                     {}},
                    {"ACTIVIDAD_2", {}, {}}}};
    return {"HORARIOS_REGULARES", {}, {profesor, {"HORARIO_REGULAR_PROFESOR_2", {}, {}}}};
}

// The document written over the prolog of an existing file.
struct Prologo {
    const char* nombre;
    const char* xml;
};

class EscrituraDocumentoTest : public testing::TestWithParam<Prologo> {};

TEST_P(EscrituraDocumentoTest, WrittenAsLibxml2SavesTheSameTree) {
    DirectorioTemporal dir;
    const fs::path origen = dir.Ruta() / "origen.xml";
    prueba::EscribirArchivo(origen, GetParam().xml);
    const Grupo seccion = Contenido();
    const char* const fecha = "09/12/2026 10:14:33";

    auto escrito = Documento::Cargar(origen);
    escrito->Quitar(Nodo(xmlDocGetRootElement(escrito->Crudo())));
    escrito->Guardar(dir.Ruta() / "escrito.xml", [&](EscrituraDocumento& salida) {
        salida.Abrir("SERVICIO", {{"modulo", "HORARIOS"}, {"fecha", fecha}, {"raro", "<&\"\t\n>"}});
        salida.Abrir("BLOQUE_DATOS");
        Escribir(salida, seccion);
        salida.Abrir("grupo_datos", {{"seq", "VACIO"}});
        salida.Cerrar();
        salida.Cerrar();
        salida.Cerrar();
    });

    auto arbol = Documento::Cargar(origen);
    xmlDoc* doc = arbol->Crudo();
    arbol->Quitar(Nodo(xmlDocGetRootElement(doc)));
    xmlNode* servicio = xmlNewDocNode(doc, nullptr, X("SERVICIO"), nullptr);
    xmlAddChild(reinterpret_cast<xmlNode*>(doc), servicio);
    xmlNewProp(servicio, X("modulo"), X("HORARIOS"));
    xmlNewProp(servicio, X("fecha"), X(fecha));
    xmlNewProp(servicio, X("raro"), X("<&\"\t\n>"));
    xmlNode* bloque = xmlNewChild(servicio, nullptr, X("BLOQUE_DATOS"), nullptr);
    Construir(doc, bloque, seccion);
    xmlNewProp(xmlNewChild(bloque, nullptr, X("grupo_datos"), nullptr), X("seq"), X("VACIO"));
    arbol->Guardar(dir.Ruta() / "arbol.xml");

    const std::string esperado = prueba::LeerArchivo(dir.Ruta() / "arbol.xml");
    ASSERT_GT(esperado.size(), 300000u);
    EXPECT_TRUE(prueba::LeerArchivo(dir.Ruta() / "escrito.xml") == esperado)
        << esperado.substr(0, 600);
}

INSTANTIATE_TEST_SUITE_P(
    Documentos, EscrituraDocumentoTest,
    testing::Values(
        // Séneca's own: a comment before, a processing instruction and a comment after.
        Prologo{"Seneca",
                "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- cabecera -->\n"
                "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\"><BLOQUE_DATOS/></SERVICIO>\n"
                "<?fin exportaci\xF3n?>\n<!-- pie \xF1 -->\n"},
        Prologo{"Utf8Standalone",
                "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><SERVICIO/>"},
        Prologo{"SinDeclaracion", "<SERVICIO><BLOQUE_DATOS/></SERVICIO>"},
        Prologo{"Windows1252",
                "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<!-- \x80 -->\n<SERVICIO/>"},
        Prologo{"Ascii", "<?xml version=\"1.0\" encoding=\"US-ASCII\"?>\n<SERVICIO/>"},
        Prologo{"Doctype",
                "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!DOCTYPE SERVICIO SYSTEM "
                "\"servicio.dtd\">\n<SERVICIO/>"}),
    prueba::PorNombre());

TEST(EscrituraDocumento, AnErrorWhileWritingLeavesTheOldFile) {
    DirectorioTemporal dir;
    prueba::EscribirArchivo(dir.Ruta() / "origen.xml", "<?xml version=\"1.0\"?>\n<SERVICIO/>");
    prueba::EscribirArchivo(dir.Ruta() / "destino.xml", "anterior");
    auto doc = Documento::Cargar(dir.Ruta() / "origen.xml");
    EXPECT_THROW(doc->Guardar(dir.Ruta() / "destino.xml",
                              [](EscrituraDocumento& salida) {
                                  salida.Abrir("SERVICIO");
                                  salida.Dato("X", std::string(300000, 'a'));
                                  throw ErrorPasaplan("La hora «8:x» no es un número.");
                              }),
                 ErrorPasaplan);
    EXPECT_EQ(prueba::LeerArchivo(dir.Ruta() / "destino.xml"), "anterior");
    EXPECT_EQ(prueba::NombresEn(dir.Ruta()),
              (std::vector<std::string>{"destino.xml", "origen.xml"}));
}

}  // namespace
}  // namespace pasaplan
