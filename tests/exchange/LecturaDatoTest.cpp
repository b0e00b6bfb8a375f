// Reading a dato takes shortcuts for the usual element (the name test reads the attribute
// instead of serialising the element, the text is taken from its one text node): both must
// answer as the general way does, whatever the element looks like.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <string>
#include <vector>

#include "exchange/Documento.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

// The rule as written: the trimmed markup compared from its 20th character on.
bool PorMarcado(const Nodo& dato, std::string_view nombre) {
    const Texto marcado = AllTrim(dato.Marcado());
    return marcado.size() >= 19 && std::string_view(marcado).substr(19, nombre.size()) == nombre;
}

TEST(NombreDato, DaLoMismoQueCompararElMarcado) {
    const std::vector<std::string> elementos = {
        R"(<dato nombre_dato="X_MATERIAOMG">7892</dato>)",
        R"(<dato nombre_dato="X_MATERIAOMGX">7892</dato>)",
        R"(<dato nombre_dato="X_MATERIAOM">7892</dato>)",
        R"(<dato nombre_dato="X_MATERIAOM"/>)",
        R"(<dato nombre_dato="">X_MATERIAOMG</dato>)",
        R"(<dato>aaaaaaaaaaaaaX_MATERIAOMG</dato>)",
        R"(<dato id="1" nombre_dato="X_MATERIAOMG">7892</dato>)",
        R"(<dato nombre_dato="X_MAT&amp;ERIAOMG">1</dato>)",
        R"(<dato nombre_dato="X_&#xE1;ATERIAOMG">1</dato>)",
        R"(<dato nombre_dato="X_MATERIAOMG&quot;">1</dato>)",
        R"(<dato nombre_dato=" X_MATERIAOMG">1</dato>)",
        R"(<dato nombre_dato="D_MATERIAC" otro="x">Lengua</dato>)",
        R"(<dato nombre_dato='D_MATERIAC'>Lengua</dato>)",
        R"(<dato xmlns:s="urn:s" nombre_dato="D_MATERIAC">Lengua</dato>)",
        R"(<dato s:nombre_dato="D_MATERIAC" xmlns:s="urn:s">Lengua</dato>)",
        R"(<datos nombre_dato="D_MATERIAC">Lengua</datos>)",
        R"(<dato nombre_dato="d_materiac">Lengua</dato>)",
    };
    const std::vector<std::string> nombres = {"X_MATERIAOMG",   "D_MATERIAC", "X_MAT", "",
                                              "X_MATERIAOMG\"", "X_M&"};
    std::string xml = R"(<?xml version="1.0" encoding="ISO-8859-1"?><SERVICIO><r>)";
    for (const std::string& e : elementos) xml += e;
    xml += "</r></SERVICIO>";
    const auto doc = Documento::DesdeMemoria(xml, "nombres.xml");
    const auto hijos = doc->Seleccionar("/SERVICIO/r/*");
    ASSERT_EQ(hijos.size(), elementos.size());
    for (size_t i = 0; i < hijos.size(); ++i) {
        for (const std::string& nombre : nombres) {
            EXPECT_EQ(NombreDatoEs(hijos[i], nombre), PorMarcado(hijos[i], nombre))
                << elementos[i] << " / " << nombre;
        }
    }
}

TEST(TextoContenido, DaLoMismoQueElContenidoDeLibxml2) {
    const std::string xml = R"(<?xml version="1.0" encoding="ISO-8859-1"?><SERVICIO><r>)"
                            R"(<dato>Lengua &amp; Literatura </dato><dato/><dato></dato>)"
                            "<dato>  F\xEDsica</dato>"
                            R"(<dato><![CDATA[a<b]]></dato>)"
                            R"(<dato>a<!-- nota -->b</dato><dato>x<b>y</b>z</dato>)"
                            R"(<dato><b/></dato><dato>&#x20AC;&#x3A9;</dato>)"
                            "<dato>   </dato><dato> \xA0x\xA0 </dato><dato>\t a \t</dato>"
                            R"(<dato> &#x3A9; </dato><dato> a <b> b </b> </dato>)"
                            "</r></SERVICIO>";
    const auto doc = Documento::DesdeMemoria(xml, "textos.xml");
    const auto datos = doc->Seleccionar("/SERVICIO/r/*");
    for (size_t i = 0; i < datos.size(); ++i) {
        const Nodo& dato = datos[i];
        xmlChar* contenido = xmlNodeGetContent(dato.Crudo());
        const Texto esperado = BytesUtf8ACp1252(reinterpret_cast<const char*>(contenido));
        xmlFree(contenido);
        EXPECT_EQ(dato.TextoContenido(), esperado) << Cp1252AUtf8(dato.Marcado());
        // A value is trimmed before its conversion: the same as trimming the converted text.
        EXPECT_EQ(Valor(datos, i), AllTrim(esperado)) << Cp1252AUtf8(dato.Marcado());
    }
}

}  // namespace
}  // namespace pasaplan
