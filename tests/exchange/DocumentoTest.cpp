#include "exchange/Documento.h"
#include "exchange/EscrituraDocumento.h"

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "support/Apoyo.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

using prueba::DirectorioTemporal;

std::unique_ptr<Documento> Doc(const std::string& xml) {
    return Documento::DesdeMemoria(xml, "prueba.xml");
}

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
        <dato id="3" nombre_dato="X_MATERIAOMG">7893</dato>
        <dato nombre_dato="X_MATERIAOMGX">   </dato>
      </grupo_datos>
    </grupo_datos>
  </BLOQUE_DATOS>
</SERVICIO>
)";

TEST(Documento, RecordsOfABlockInDocumentOrderAndAbsentBlockEmpty) {
    auto doc = Doc(kExportacion);
    EXPECT_EQ(doc->Bloques().size(), 2u);
    // Indentation between elements is not a node: the block's first child is a record.
    EXPECT_EQ(doc->Registros("MATERIAS").size(), 2u);
    EXPECT_TRUE(doc->Registros("EMPLEADOS").empty());
    EXPECT_TRUE(doc->Registros("MAT\"ERIAS").empty());
    auto datos = doc->Bloques()[0].Datos();
    ASSERT_EQ(datos.size(), 1u);
    EXPECT_EQ(Valor(datos, 0), "2026");
}

TEST(Documento, ValuesTrimmedOfBlanksOnlyEntitiesDecodedAbsentEmpty) {
    auto doc = Doc(kExportacion);
    auto datos = doc->Registros("MATERIAS")[0].Datos();
    EXPECT_EQ(Valor(datos, 0), "100323");
    EXPECT_EQ(Valor(datos, 2), "Lengua & Literatura\t");  // the tab stays
    EXPECT_EQ(ValorSinRecortar(datos, 0), "  100323 ");
    EXPECT_EQ(Valor(datos, 7), "");
    auto otros = doc->Registros("MATERIAS")[1].Datos();
    EXPECT_EQ(Valor(otros, 1), "");  // blanks only
}

TEST(Documento, NameTestComparesFromTheTwentiethCharacterAsPrefix) {
    auto doc = Doc(kExportacion);
    auto datos = doc->Registros("MATERIAS")[0].Datos();
    EXPECT_TRUE(NombreDatoEs(datos[1], "X_MATERIAOMG"));
    EXPECT_FALSE(NombreDatoEs(datos[1], "D_MATERIAC"));
    EXPECT_TRUE(NombreDatoEs(datos[2], "D_MATERIAC"));
    EXPECT_FALSE(NombreDatoEs(datos[2], "d_materiac"));  // case counts
    auto otros = doc->Registros("MATERIAS")[1].Datos();
    // nombre_dato not the first attribute: the test fails.
    EXPECT_FALSE(NombreDatoEs(otros[0], "X_MATERIAOMG"));
    // A longer name that begins with the expected one matches.
    EXPECT_TRUE(NombreDatoEs(otros[1], "X_MATERIAOMG"));
}

TEST(Documento, TextsAreWindows1252) {
    auto doc = Doc(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><SERVICIO><BLOQUE_DATOS>"
        "<grupo_datos seq=\"A\"><dato nombre_dato=\"N\">Educación Física € 漢</dato>"
        "</grupo_datos></BLOQUE_DATOS></SERVICIO>");
    auto datos = doc->Bloques()[0].Datos();
    EXPECT_EQ(Valor(datos, 0), BytesUtf8ACp1252("Educación Física € ?"));
    EXPECT_EQ(Valor(datos, 0).size(), 20u);
}

TEST(Documento, Iso88591FileWithReferencesReadsAsWindows1252) {
    // "Educación Física & €" with the accents as ISO-8859-1 bytes and references for & and €.
    auto doc = Doc(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><SERVICIO><BLOQUE_DATOS>"
        "<grupo_datos seq=\"A\"><dato nombre_dato=\"N\">Educaci\xF3n F\xEDsica &amp; &#8364;"
        "</dato></grupo_datos></BLOQUE_DATOS></SERVICIO>");
    EXPECT_EQ(Valor(doc->Bloques()[0].Datos(), 0), "Educaci\xF3n F\xEDsica & \x80");
}

TEST(Documento, FileReadInPiecesGivesWhatTheWholeTextGives) {
    // Larger than one read, with accented values and references astride the pieces.
    std::string xml = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<SERVICIO><BLOQUE_DATOS>"
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
    auto leido = Documento::Cargar(dir.Ruta() / "grande.xml");
    auto enMemoria = Doc(xml);
    const auto a = leido->Registros("MATERIAS");
    const auto b = enMemoria->Registros("MATERIAS");
    ASSERT_EQ(a.size(), 3000u);
    ASSERT_EQ(b.size(), 3000u);
    for (size_t i = 0; i < a.size(); ++i) {
        const auto da = a[i].Datos();
        const auto db = b[i].Datos();
        ASSERT_EQ(da.size(), 2u);
        ASSERT_EQ(db.size(), 2u);
        for (size_t pos = 0; pos < 2; ++pos) {
            ASSERT_EQ(ValorSinRecortar(da, pos), ValorSinRecortar(db, pos)) << i;
        }
    }
    EXPECT_EQ(Valor(a[2999].Datos(), 1),
              "Educaci\xF3n F\xEDsica & " + std::string(2999 % 37, '\xE1'));
}

TEST(Documento, RecordsAndDerivedValuesFollowChangesToTheDocument) {
    auto doc = Doc(kExportacion);
    const auto cuenta = [](const Documento& d) { return d.Registros("MATERIAS").size(); };
    EXPECT_EQ(doc->Derivado<size_t>("materias", cuenta), 2u);
    doc->Quitar(doc->Registros("MATERIAS")[0]);
    EXPECT_EQ(doc->Registros("MATERIAS").size(), 1u);
    EXPECT_EQ(doc->Derivado<size_t>("materias", cuenta), 1u);
    doc->Quitar(doc->Bloques()[1]);
    EXPECT_TRUE(doc->Registros("MATERIAS").empty());
    EXPECT_EQ(doc->Derivado<size_t>("materias", cuenta), 0u);
}

struct CasoMalo {
    const char* nombre;
    std::string xml;
    const char* debeDecir;
};

class DocumentoMalo : public testing::TestWithParam<CasoMalo> {};

TEST_P(DocumentoMalo, RefusedWithAMessageNamingTheFile) {
    try {
        Doc(GetParam().xml);
        FAIL() << "aceptado";
    } catch (const ErrorPasaplan& e) {
        EXPECT_NE(std::string(e.what()).find("prueba.xml"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(GetParam().debeDecir), std::string::npos)
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DocumentoMalo,
    testing::Values(
        CasoMalo{"truncado", "<?xml version=\"1.0\"?>\n<SERVICIO><BLOQUE_DATOS>\n<grupo_d",
                 "línea 3"},
        CasoMalo{"vacio", "", "no es un documento XML válido"},
        CasoMalo{"bytes_invalidos",
                 std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xE9t\xE9</a>"),
                 "línea 1"},
        CasoMalo{"entidades",
                 "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x \"yyyy\">]><a>&x;</a>",
                 "entidades"},
        CasoMalo{"bucle_entidades",
                 "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x \"&y;\"><!ENTITY y "
                 "\"&x;\">]><a>&x;</a>",
                 "prueba.xml"},
        CasoMalo{"entidad_externa",
                 "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x SYSTEM "
                 "\"file:///etc/passwd\">]><a>&x;</a>",
                 "entidades"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(Documento, UnreadableFileNamed) {
    DirectorioTemporal dir;
    try {
        Documento::Cargar(dir.Ruta() / "no-existe.xml");
        FAIL();
    } catch (const ErrorPasaplan& e) {
        EXPECT_NE(std::string(e.what()).find("no-existe.xml"), std::string::npos);
    }
}

// Both names of Windows-1252 read and write through our own table, on every system: the bytes
// 0x80-0x9F are its letters (€, Š, ‘), not C1 controls, and a text that Windows-1252 lacks is
// saved as a character reference.
TEST(Documento, Windows1252DocumentsReadAndSaveByOurTable) {
    for (const std::string nombre : {"windows-1252", "CP1252", "Windows-1252"}) {
        DirectorioTemporal dir;
        const auto origen = dir.Ruta() / "origen.xml";
        // Long enough to cross libxml2's conversion buffers with accented bytes.
        std::string relleno;
        for (int i = 0; i < 4000; ++i) relleno += "\x80\xE1\x8A";
        prueba::EscribirArchivo(origen, "<?xml version=\"1.0\" encoding=\"" + nombre +
                                            "\"?>\n<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"A\">"
                                            "<dato nombre_dato=\"N\">\x80 \x8A\x91\xF1</dato>"
                                            "<dato nombre_dato=\"R\">" + relleno + "</dato>"
                                            "</grupo_datos></BLOQUE_DATOS></SERVICIO>\n");
        auto doc = Documento::Cargar(origen);
        auto datos = doc->Bloques()[0].Datos();
        EXPECT_EQ(Valor(datos, 0), "\x80 \x8A\x91\xF1") << nombre;
        EXPECT_EQ(Valor(datos, 1), relleno) << nombre;
        Nodo grupo = doc->Bloques()[0];
        xmlNodeAddContent(grupo.Crudo(), reinterpret_cast<const xmlChar*>("\xC5\x81"));  // Ł
        const auto destino = dir.Ruta() / "destino.xml";
        // What the document holds, and an element written after it.
        doc->Guardar(destino, [&](EscrituraDocumento& salida) {
            salida.Abrir("FIN");
            salida.Dato("W", relleno + "\x9F");
            salida.Cerrar();
        });
        const std::string escrito = prueba::LeerArchivo(destino);
        EXPECT_NE(escrito.find("<dato nombre_dato=\"N\">\x80 \x8A\x91\xF1</dato>"),
                  std::string::npos) << nombre;
        EXPECT_NE(escrito.find(relleno), std::string::npos) << nombre;
        EXPECT_NE(escrito.find("&#321;"), std::string::npos) << nombre;
        EXPECT_TRUE(escrito.ends_with("</SERVICIO>\n<FIN><dato nombre_dato=\"W\">" + relleno +
                                      "\x9F</dato></FIN>\n"))
            << nombre;
    }
}

}  // namespace
}  // namespace pasaplan
