// A value read by the import answers as the rules say on libxml2's tree, whatever the element
// looks like and whichever way the file was read: the name test compares the element's
// trimmed markup from its 20th character on, the text is libxml2's content of the element.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "exchange/Documento.h"
#include "exchange/ExportacionSeneca.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

std::string ConValor(const std::string& dato) {
    return R"(<?xml version="1.0" encoding="ISO-8859-1"?><SERVICIO><BLOQUE_DATOS>)"
           R"(<grupo_datos seq="A"><grupo_datos>)" +
           dato + "</grupo_datos></grupo_datos></BLOQUE_DATOS></SERVICIO>";
}

constexpr ExportacionSeneca::Via kVias[] = {ExportacionSeneca::Via::Automatica,
                                            ExportacionSeneca::Via::Arbol};

// The element in the tree, and the value as the import reads it.
struct Leido {
    std::unique_ptr<Documento> arbol;
    Nodo nodo;
    std::unique_ptr<ExportacionSeneca> importacion;
    const Dato* dato = nullptr;
};

Leido Leer(const std::string& elemento, ExportacionSeneca::Via via) {
    Leido l;
    const std::string xml = ConValor(elemento);
    l.arbol = Documento::DesdeMemoria(xml, "valor.xml");
    l.nodo = l.arbol->Seleccionar("//grupo_datos/grupo_datos/*")[0];
    l.importacion = ExportacionSeneca::DesdeMemoria(xml, "valor.xml", via);
    const auto& datos = l.importacion->Registros("A")[0].Datos();
    if (!datos.empty()) l.dato = &datos[0];
    return l;
}

TEST(NombreDato, ComparesTheMarkupFromItsTwentiethCharacter) {
    const std::vector<std::string> elementos = {
        R"(<dato nombre_dato="X_MATERIAOMG">7892</dato>)",
        R"(<dato nombre_dato="X_MATERIAOMGX">7892</dato>)",
        R"(<dato nombre_dato="X_MATERIAOM">7892</dato>)",
        R"(<dato nombre_dato="X_MATERIAOM"/>)",
        R"(<dato nombre_dato="">X_MATERIAOMG</dato>)",
        R"(<dato>aaaaaaaaaaaaaX_MATERIAOMG</dato>)",
        R"(<dato id="1" nombre_dato="X_MATERIAOMG">7892</dato>)",
        R"(<dato a="1234567890X_MATERIAOMG">7892</dato>)",
        R"(<dato nombre_dato="X_MAT&amp;ERIAOMG">1</dato>)",
        R"(<dato nombre_dato="X_&#xE1;ATERIAOMG">1</dato>)",
        R"(<dato nombre_dato="X_MATERIAOMG&quot;">1</dato>)",
        R"(<dato nombre_dato=" X_MATERIAOMG">1</dato>)",
        R"(<dato nombre_dato="D_MATERIAC" otro="x">Lengua</dato>)",
        R"(<dato nombre_dato='D_MATERIAC'>Lengua</dato>)",
        R"(<dato   nombre_dato = "D_MATERIAC" >Lengua</dato>)",
        R"(<dato xmlns:s="urn:s" nombre_dato="D_MATERIAC">Lengua</dato>)",
        R"(<dato s:nombre_dato="D_MATERIAC" xmlns:s="urn:s">Lengua</dato>)",
        R"(<dato nombre_dato="d_materiac">Lengua</dato>)",
    };
    for (const auto via : kVias)
        for (const std::string& e : elementos) {
            const Leido l = Leer(e, via);
            ASSERT_NE(l.dato, nullptr) << e;
            const Texto marcado = AllTrim(l.nodo.Marcado());
            for (const std::string nombre : {"X_MATERIAOMG", "D_MATERIAC", "X_MAT", "X"}) {
                const bool porMarcado = marcado.size() >= 19 && std::string_view(marcado).substr(
                                                                    19, nombre.size()) == nombre;
                EXPECT_EQ(NombreDatoEs(*l.dato, nombre), porMarcado) << e << " / " << nombre;
            }
        }
    // Only names of letters, digits and '_' are asked for.
    const Leido l = Leer(elementos[0], ExportacionSeneca::Via::Automatica);
    for (const std::string nombre : {"", "X_MATERIAOMG\"", "X_M&"}) {
        EXPECT_THROW(NombreDatoEs(*l.dato, nombre), std::invalid_argument) << nombre;
    }
}

TEST(TextoDato, IsLibxml2sContentOfTheElement) {
    const std::vector<std::string> elementos = {
        R"(<dato nombre_dato="X">Lengua &amp; Literatura </dato>)",
        R"(<dato nombre_dato="X"/>)",
        R"(<dato nombre_dato="X"></dato>)",
        "<dato nombre_dato=\"X\">  F\xEDsica</dato>",
        R"(<dato nombre_dato="X"><![CDATA[a<b]]></dato>)",
        R"(<dato nombre_dato="X">a<!-- nota -->b</dato>)",
        R"(<dato nombre_dato="X">x<b>y</b>z</dato>)",
        R"(<dato nombre_dato="X"><b/></dato>)",
        R"(<dato nombre_dato="X">&#x20AC;&#x3A9;</dato>)",
        R"(<dato nombre_dato="X">   </dato>)",
        "<dato nombre_dato=\"X\"> \xA0x\xA0 </dato>",
        "<dato nombre_dato=\"X\">\t a \t</dato>",
        "<dato nombre_dato=\"X\">\r\n a\r\n</dato>",
        "<dato nombre_dato=\"X\">  \r\n a</dato>",
        R"(<dato nombre_dato="X"> &#x3A9; </dato>)",
        R"(<dato nombre_dato="X"> a <b> b </b> </dato>)",
    };
    for (const auto via : kVias)
        for (const std::string& e : elementos) {
            const Leido l = Leer(e, via);
            ASSERT_NE(l.dato, nullptr) << e;
            xmlChar* contenido = xmlNodeGetContent(l.nodo.Crudo());
            const Texto esperado = BytesUtf8ACp1252(reinterpret_cast<const char*>(contenido));
            xmlFree(contenido);
            const std::vector<Dato> datos{*l.dato};
            EXPECT_EQ(ValorSinRecortar(datos, 0), esperado) << e;
            EXPECT_EQ(Valor(datos, 0), AllTrim(esperado)) << e;
        }
}

}  // namespace
}  // namespace pasaplan
