// Séneca's export as the import reads it: blocks, records and values, the same whether the
// file is read in one pass or through libxml2's tree.
#include <gtest/gtest.h>

#include "exchange/ExportacionSeneca.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

using prueba::DirectorioTemporal;
using Via = ExportacionSeneca::Via;

const char* const kExportacion = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<SERVICIO modulo="HORARIOS" tipo="E">
  <BLOQUE_DATOS>
    <grupo_datos seq="ANNO_ACADEMICO">
      <dato nombre_dato="C_ANNO">2026</dato>
    </grupo_datos>
    <grupo_datos seq="MATERIAS" registros="2">
      <grupo_datos seq="MATERIA_1">
        <dato nombre_dato="X_OFERTAMATRIG">  100323 </dato>
        <dato nombre_dato="X_MATERIAOMG">7892</dato>
        <dato nombre_dato="D_MATERIAC">Lengua &amp; Literatura	</dato>
      </grupo_datos>
      <grupo_datos seq="MATERIA_2">
        <dato nombre_dato="X_MATERIAOMGX">7893</dato>
        <dato nombre_dato="X_MATERIAOMG"/>
      </grupo_datos>
    </grupo_datos>
  </BLOQUE_DATOS>
</SERVICIO>
)";

class Lectura : public testing::TestWithParam<Via> {
  protected:
    std::unique_ptr<ExportacionSeneca> Leer(const std::string& xml) {
        return ExportacionSeneca::DesdeMemoria(xml, "prueba.xml", GetParam());
    }
};

TEST_P(Lectura, RecordsOfABlockInDocumentOrderAndAbsentBlockEmpty) {
    auto doc = Leer(kExportacion);
    EXPECT_EQ(doc->PorArbol(), GetParam() == Via::Arbol);
    EXPECT_EQ(doc->Bloques().size(), 2u);
    // Indentation between elements is not a record: the block's first child is one.
    EXPECT_EQ(doc->Registros("MATERIAS").size(), 2u);
    EXPECT_TRUE(doc->Registros("EMPLEADOS").empty());
    EXPECT_TRUE(doc->Registros("MAT\"ERIAS").empty());
    const auto& datos = doc->Bloques()[0].Datos();
    ASSERT_EQ(datos.size(), 1u);
    EXPECT_EQ(Valor(datos, 0), "2026");
}

TEST_P(Lectura, ValuesTrimmedOfBlanksOnlyEntitiesDecodedAbsentEmpty) {
    auto doc = Leer(kExportacion);
    const auto& datos = doc->Registros("MATERIAS")[0].Datos();
    EXPECT_EQ(Valor(datos, 0), "100323");
    EXPECT_EQ(Valor(datos, 2), "Lengua & Literatura\t");  // the tab stays
    EXPECT_EQ(ValorSinRecortar(datos, 0), "  100323 ");
    EXPECT_EQ(Valor(datos, 7), "");
    EXPECT_EQ(Valor(doc->Registros("MATERIAS")[1].Datos(), 1), "");
}

TEST_P(Lectura, NameTestComparesFromTheTwentiethCharacterAsPrefix) {
    auto doc = Leer(kExportacion);
    const auto& datos = doc->Registros("MATERIAS")[0].Datos();
    EXPECT_TRUE(NombreDatoEs(datos[1], "X_MATERIAOMG"));
    EXPECT_FALSE(NombreDatoEs(datos[1], "D_MATERIAC"));
    EXPECT_TRUE(NombreDatoEs(datos[2], "D_MATERIAC"));
    EXPECT_FALSE(NombreDatoEs(datos[2], "d_materiac"));  // case counts
    const auto& otros = doc->Registros("MATERIAS")[1].Datos();
    // A longer name that begins with the expected one matches.
    EXPECT_TRUE(NombreDatoEs(otros[0], "X_MATERIAOMG"));
    EXPECT_TRUE(NombreDatoEs(otros[1], "X_MATERIAOMG"));
    EXPECT_FALSE(NombreDatoEs(otros[1], "X_MATERIAOMGX"));
}

TEST_P(Lectura, TextsAreWindows1252WhateverTheFilesEncoding) {
    auto utf8 = Leer(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><SERVICIO><BLOQUE_DATOS>"
        "<grupo_datos seq=\"A\"><dato nombre_dato=\"N\">Educación Física € 漢</dato>"
        "</grupo_datos></BLOQUE_DATOS></SERVICIO>");
    EXPECT_EQ(Valor(utf8->Bloques()[0].Datos(), 0), BytesUtf8ACp1252("Educación Física € ?"));
    // "Educación Física & €" with the accents as ISO-8859-1 bytes, references for & and €.
    auto latin1 = Leer(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><SERVICIO><BLOQUE_DATOS>"
        "<grupo_datos seq=\"A\"><dato nombre_dato=\"N\">Educaci\xF3n F\xEDsica &amp; &#8364;"
        "</dato></grupo_datos></BLOQUE_DATOS></SERVICIO>");
    EXPECT_EQ(Valor(latin1->Bloques()[0].Datos(), 0), "Educaci\xF3n F\xEDsica & \x80");
}

TEST_P(Lectura, FileReadInPiecesGivesWhatTheWholeTextGives) {
    // Larger than one read, with accented values and references astride the pieces.
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<SERVICIO><BLOQUE_DATOS>"
        "<grupo_datos seq=\"MATERIAS\">";
    for (int i = 0; i < 3000; ++i) {
        xml += "\n  <grupo_datos seq=\"MATERIA_" + std::to_string(i) +
               "\"><dato nombre_dato=\"X_OFERTAMATRIG\">" + std::to_string(100000 + i) +
               "</dato><dato nombre_dato=\"D_MATERIAC\"> Educaci\xF3n F\xEDsica &amp; " +
               std::string(static_cast<size_t>(i % 37), '\xE1') + " </dato></grupo_datos>";
    }
    xml += "</grupo_datos></BLOQUE_DATOS></SERVICIO>\n";
    DirectorioTemporal dir;
    prueba::EscribirArchivo(dir.Ruta() / "grande.xml", xml);
    auto leido = ExportacionSeneca::Cargar(dir.Ruta() / "grande.xml", GetParam());
    auto enMemoria = Leer(xml);
    const auto& a = leido->Registros("MATERIAS");
    const auto& b = enMemoria->Registros("MATERIAS");
    ASSERT_EQ(a.size(), 3000u);
    ASSERT_EQ(b.size(), 3000u);
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].Datos().size(), 2u);
        ASSERT_EQ(b[i].Datos().size(), 2u);
        for (size_t pos = 0; pos < 2; ++pos) {
            ASSERT_EQ(ValorSinRecortar(a[i].Datos(), pos), ValorSinRecortar(b[i].Datos(), pos))
                << i;
        }
    }
    EXPECT_EQ(Valor(a[2999].Datos(), 1),
              "Educaci\xF3n F\xEDsica & " + std::string(2999 % 37, '\xE1'));
}

TEST_P(Lectura, DerivedValuesAreWorkedOutOnce) {
    auto doc = Leer(kExportacion);
    int veces = 0;
    const auto cuenta = [&](const ExportacionSeneca& d) {
        ++veces;
        return d.Registros("MATERIAS").size();
    };
    EXPECT_EQ(doc->Derivado<size_t>("materias", cuenta), 2u);
    EXPECT_EQ(doc->Derivado<size_t>("materias", cuenta), 2u);
    EXPECT_EQ(veces, 1);
}

INSTANTIATE_TEST_SUITE_P(Vias, Lectura, testing::Values(Via::Automatica, Via::Arbol),
                         [](const auto& info) {
                             return std::string(info.param == Via::Arbol ? "Arbol" : "UnaPasada");
                         });

// Everything a reading gives: each block's values, and the records of each name asked for.
std::string Volcado(const ExportacionSeneca& doc, std::initializer_list<const char*> nombres) {
    std::string v;
    const auto grupo = [&](const Grupo& g) {
        for (const Dato& d : g.Datos()) {
            v += "[" + std::string(d.texto) + "|" + std::to_string(NombreDatoEs(d, "X")) +
                 std::to_string(NombreDatoEs(d, "N_1")) + "]";
        }
        v += "\n";
    };
    for (const Grupo& b : doc.Bloques()) grupo(b);
    for (const char* nombre : nombres) {
        v += std::string("== ") + nombre + "\n";
        for (const Grupo& r : doc.Registros(nombre)) grupo(r);
    }
    return v;
}

struct Caso {
    const char* nombre;
    std::string xml;
    bool unaPasada;  // read without the tree
    bool conValores = true;
};

class AmbasLecturas : public testing::TestWithParam<Caso> {};

TEST_P(AmbasLecturas, GiveTheSameBlocksRecordsAndValues) {
    const auto& c = GetParam();
    auto pasada = ExportacionSeneca::DesdeMemoria(c.xml, "prueba.xml", Via::Automatica);
    auto arbol = ExportacionSeneca::DesdeMemoria(c.xml, "prueba.xml", Via::Arbol);
    EXPECT_EQ(pasada->PorArbol(), !c.unaPasada);
    const std::string esperado = Volcado(*arbol, {"A", "B", "", "C", "C\""});
    EXPECT_EQ(Volcado(*pasada, {"A", "B", "", "C", "C\""}), esperado);
    EXPECT_EQ(esperado.find('[') != std::string::npos, c.conValores);
}

std::string Servicio(const std::string& bloques) {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<SERVICIO><BLOQUE_DATOS>" + bloques +
           "</BLOQUE_DATOS></SERVICIO>\n";
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AmbasLecturas,
    testing::Values(
        // Read in one pass.
        Caso{"bloques_repetidos_y_sin_seq",
             Servicio("<grupo_datos seq=\"A\"><dato nombre_dato=\"X\">1</dato>"
                      "<grupo_datos><dato nombre_dato=\"N_1\">a</dato></grupo_datos>"
                      "<otro><dato nombre_dato=\"X\">no</dato></otro></grupo_datos>"
                      "<grupo_datos><grupo_datos><dato nombre_dato=\"X\">no</dato>"
                      "</grupo_datos><dato nombre_dato=\"X\">2</dato></grupo_datos>"
                      "<grupo_datos seq=\"A\"><grupo_datos><dato nombre_dato=\"N_1\">b</dato>"
                      "<grupo_datos><dato nombre_dato=\"X\">no</dato></grupo_datos>"
                      "</grupo_datos></grupo_datos>") +
                 "<!-- fuera -->",
             true},
        Caso{"dos_bloque_datos_y_comentarios_entre_grupos",
             "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"B\"><!-- c --><grupo_datos>"
             "<dato nombre_dato=\"X\">1</dato><?pi x?></grupo_datos></grupo_datos>"
             "</BLOQUE_DATOS><texto>x</texto><BLOQUE_DATOS><grupo_datos seq=\"B\"><grupo_datos>"
             "<dato nombre_dato=\"X\">2</dato></grupo_datos></grupo_datos></BLOQUE_DATOS>"
             "</SERVICIO>",
             true},
        Caso{"textos_con_referencias_saltos_y_blancos",
             Servicio("<grupo_datos seq=\"C\"><grupo_datos>"
                      "<dato nombre_dato=\"X\">a &amp; b &lt; &#233;\r\n c </dato>"
                      "<dato nombre_dato=\"X\">x\r\n  </dato><dato nombre_dato=\"X\"></dato>"
                      "<dato nombre_dato=\"X\"/><dato nombre_dato=\"N_1\" otro=\"1\">\xE1</dato>"
                      "<dato nombre_dato=\"\">v</dato><dato nombre_dato=\"X_Y\">x&#10;</dato>"
                      "</grupo_datos></grupo_datos>"),
             true},
        Caso{"comillas_en_seq",
             Servicio("<grupo_datos seq='C\"'><grupo_datos><dato nombre_dato=\"X\">1</dato>"
                      "</grupo_datos></grupo_datos><grupo_datos seq=\"C\"><grupo_datos>"
                      "<dato nombre_dato=\"X\">2</dato></grupo_datos></grupo_datos>"),
             true},
        Caso{"valores_de_blancos",
             Servicio("<grupo_datos seq=\"A\"><grupo_datos><dato nombre_dato=\"X\">  \r\n"
                      "</dato><dato nombre_dato=\"X\">  \r\nb</dato><dato nombre_dato=\"X\">"
                      "   </dato><dato nombre_dato=\"X\">&#10;x</dato><dato nombre_dato=\"X\">"
                      "&#32;\r\n</dato><dato nombre_dato=\"X\">\t\r\n \r\n</dato>"
                      "</grupo_datos></grupo_datos>"),
             true},
        Caso{"raiz_de_otro_nombre",
             "<OTRO><BLOQUE_DATOS><grupo_datos seq=\"A\"><grupo_datos>"
             "<dato nombre_dato=\"X\">1</dato></grupo_datos></grupo_datos></BLOQUE_DATOS>"
             "</OTRO>",
             true, false},
        // Read through the tree: what the one pass leaves to it.
        Caso{"atributo_antes_del_nombre",
             Servicio("<grupo_datos seq=\"A\"><grupo_datos><dato id=\"12345678901X\">v</dato>"
                      "<dato a=\"1\" nombre_dato=\"X\">w</dato></grupo_datos></grupo_datos>"),
             false},
        Caso{"marcado_dentro_de_un_valor",
             Servicio("<grupo_datos seq=\"A\"><grupo_datos><dato nombre_dato=\"X\">a<!-- c -->b"
                      "<![CDATA[<c>]]><i>d</i></dato></grupo_datos></grupo_datos>"),
             false},
        Caso{"espacios_de_nombres",
             "<SERVICIO xmlns:p=\"urn:x\"><BLOQUE_DATOS><grupo_datos seq=\"A\"><grupo_datos>"
             "<dato nombre_dato=\"X\">1</dato><p:dato nombre_dato=\"X\">2</p:dato>"
             "</grupo_datos></grupo_datos></BLOQUE_DATOS></SERVICIO>",
             false},
        Caso{"referencia_en_un_atributo",
             Servicio("<grupo_datos seq=\"A&amp;B\"><grupo_datos><dato nombre_dato=\"X\">1</dato>"
                      "</grupo_datos></grupo_datos><grupo_datos seq=\"A\"><grupo_datos>"
                      "<dato nombre_dato=\"X&lt;\">2</dato></grupo_datos></grupo_datos>"),
             false},
        Caso{"doctype",
             "<?xml version=\"1.0\"?><!DOCTYPE SERVICIO [<!ATTLIST dato id CDATA \"0\">]>"
             "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"A\"><grupo_datos>"
             "<dato nombre_dato=\"X\">1</dato></grupo_datos></grupo_datos></BLOQUE_DATOS>"
             "</SERVICIO>",
             false}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace pasaplan
