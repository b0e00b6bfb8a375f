#include <gtest/gtest.h>

#include "exchange/Documento.h"
#include "exchange/EscrituraDocumento.h"
#include "exchange/ExportacionSeneca.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

using prueba::DirectorioTemporal;

std::unique_ptr<Documento> Doc(const std::string& xml) {
    return Documento::DesdeMemoria(xml, "prueba.xml");
}

struct CasoMalo {
    const char* nombre;
    std::string xml;
    const char* debeDecir;
};

class DocumentoMalo : public testing::TestWithParam<CasoMalo> {};

// The same message from the tree and from the import's one-pass reading.
TEST_P(DocumentoMalo, RefusedWithAMessageNamingTheFile) {
    std::string mensajes[2];
    for (int lectura = 0; lectura < 2; ++lectura) {
        try {
            if (lectura == 0) Doc(GetParam().xml);
            if (lectura == 1) ExportacionSeneca::DesdeMemoria(GetParam().xml, "prueba.xml");
            FAIL() << "aceptado";
        } catch (const ErrorPasaplan& e) {
            mensajes[lectura] = e.what();
        }
        EXPECT_NE(mensajes[lectura].find("prueba.xml"), std::string::npos) << mensajes[lectura];
        EXPECT_NE(mensajes[lectura].find(GetParam().debeDecir), std::string::npos)
            << mensajes[lectura];
    }
    EXPECT_EQ(mensajes[0], mensajes[1]);
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
                                            "<dato nombre_dato=\"R\">" +
                                            relleno +
                                            "</dato>"
                                            "</grupo_datos></BLOQUE_DATOS></SERVICIO>\n");
        const auto leida = ExportacionSeneca::Cargar(origen);
        const auto& datos = leida->Bloques()[0].Datos();
        EXPECT_EQ(Valor(datos, 0), "\x80 \x8A\x91\xF1") << nombre;
        EXPECT_EQ(Valor(datos, 1), relleno) << nombre;
        auto doc = Documento::Cargar(origen);
        Nodo grupo = doc->Seleccionar("/SERVICIO/BLOQUE_DATOS/grupo_datos")[0];
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
                  std::string::npos)
            << nombre;
        EXPECT_NE(escrito.find(relleno), std::string::npos) << nombre;
        EXPECT_NE(escrito.find("&#321;"), std::string::npos) << nombre;
        EXPECT_TRUE(escrito.ends_with("</SERVICIO>\n<FIN><dato nombre_dato=\"W\">" + relleno +
                                      "\x9F</dato></FIN>\n"))
            << nombre;
    }
}

}  // namespace
}  // namespace pasaplan
