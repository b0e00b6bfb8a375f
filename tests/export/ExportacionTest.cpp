// The export run from the chosen file to the saved document: its frame, its messages and what
// a failed run leaves behind.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <functional>
#include <regex>

#include "export/EscenarioExportacion.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "support/NombresCasos.h"

namespace pasaplan::prueba {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kEmpleados = {"48213", "51007", "52990"};

std::string SinFecha(const std::string& documento) {
    return std::regex_replace(documento, std::regex("fecha=\"[^\"]*\""), "fecha=\"FECHA\"",
                              std::regex_constants::format_first_only);
}

// The exchange directory's tables are free again: the run closed every one it opened.
void ComprobarTablasCerradas(const EscenarioExportacion& e) {
    for (const char* nombre : {"SOLUC", "GRUPOST", "CURSOST", "PROFT", "AULAT", "ASIGNOMT",
                               "ASIGNOMT2", "DIASHORAST", "ASIGT", "PERIODOS", "ORIGENES_C"}) {
        if (!fs::exists(e.Intercambio() / (std::string(nombre) + ".DBF"))) continue;
        EXPECT_NO_THROW(Tabla::AbrirEn(e.Intercambio(), Utf8::DeBytes(nombre), Acceso::Exclusivo))
            << nombre;
    }
}

TEST(Exportacion, EscribeElDocumentoDeReferencia) {
    EscenarioExportacion e;
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);

    const std::string escrito = LeerArchivo(e.Resultado());
    std::smatch fecha;
    ASSERT_TRUE(std::regex_search(escrito, fecha, std::regex("fecha=\"([^\"]*)\"")));
    EXPECT_TRUE(
        std::regex_match(fecha[1].str(), std::regex(R"(\d\d/\d\d/\d{4} \d{1,2}:\d\d:\d\d)")))
        << fecha[1];
    EXPECT_EQ(SinFecha(escrito), LeerArchivo(fs::path(PASAPLAN_TEST_DATA) / "exportacion" /
                                             "resultado-escuela-pequena.xml"));

    ComprobarInvariantes(e.Leer(), kEmpleados);
    EXPECT_EQ(e.interlocutor.mensajes, std::vector<Utf8>{"Proceso finalizado"});
    EXPECT_EQ(e.interlocutor.vecesReloj, 1);
    EXPECT_FALSE(e.interlocutor.relojActivo);
    ComprobarTablasCerradas(e);

    EXPECT_EQ(e.resumen.documento, e.Resultado());
    EXPECT_EQ(e.resumen.profesores, 3u);
    EXPECT_EQ(e.resumen.regulares, 4u);
    EXPECT_EQ(e.resumen.noRegulares, 2u);
    ASSERT_EQ(e.resumen.vacios.size(), 4u);
    EXPECT_EQ(e.resumen.vacios[0].dato, "X_TRAMO");
    EXPECT_EQ(e.resumen.vacios[0].cuantas, 0u);
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(e.resumen.vacios[i].cuantas, 1u) << e.resumen.vacios[i].dato;
        EXPECT_NE(e.resumen.vacios[i].primera.find("PRÁ"), std::string::npos)
            << e.resumen.vacios[i].primera;
        EXPECT_NE(e.resumen.vacios[i].primera.find("REU"), std::string::npos);
    }
}

TEST(Exportacion, ConservaElPrologoYSigueLaCodificacionDeclarada) {
    EscenarioExportacion e;
    e.xml = std::regex_replace(
        e.xml, std::regex("<!--"),
        "<!DOCTYPE SERVICIO>\n<?xml-stylesheet type=\"text/xsl\" href=\"horario.xsl\"?>\n<!--",
        std::regex_constants::format_first_only);
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    std::vector<int> tipos;
    for (xmlNode* n = doc.Crudo()->children; n; n = n->next) tipos.push_back(n->type);
    EXPECT_EQ(tipos, (std::vector<int>{XML_DTD_NODE, XML_PI_NODE, XML_COMMENT_NODE,
                                       XML_COMMENT_NODE, XML_ELEMENT_NODE}));

    // Without a declaration the document is UTF-8.
    EscenarioExportacion sinDeclaracion;
    sinDeclaracion.xml = sinDeclaracion.xml.substr(sinDeclaracion.xml.find('\n') + 1);
    sinDeclaracion.tablas["PROFT"].filas[0][4].second = "Año";  // F_TOMAPOS
    // The file itself must then be UTF-8 too.
    sinDeclaracion.Escribir();
    EscribirArchivo(sinDeclaracion.Archivo(), sinDeclaracion.xml);
    sinDeclaracion.interlocutor.archivos.push_back(sinDeclaracion.Archivo());
    ASSERT_EQ(EjecutarExportacion(sinDeclaracion.estado, sinDeclaracion.interlocutor),
              FinExportacion::Finalizado);
    const std::string bytes = LeerArchivo(sinDeclaracion.Resultado());
    EXPECT_NE(bytes.find("Añadido por la secretaría"), std::string::npos);
    EXPECT_NE(bytes.find(">Año</dato>"), std::string::npos);
}

TEST(Exportacion, DialogoCanceladoUsaElArchivoElegidoAntes) {
    EscenarioExportacion e;
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    fs::remove(e.Resultado());
    ASSERT_TRUE(e.interlocutor.archivos.empty());  // the next dialog is cancelled
    EXPECT_EQ(EjecutarExportacion(e.estado, e.interlocutor), FinExportacion::Finalizado);
    EXPECT_TRUE(fs::exists(e.Resultado()));
}

class SinArchivo : public ::testing::TestWithParam<bool> {};

TEST_P(SinArchivo, NoExisteArchivoSinTocarTablas) {
    const bool incrustado = GetParam();
    for (bool cancelado : {true, false}) {
        EscenarioExportacion e;
        e.Escribir();
        e.estado.ModoIncrustado = incrustado;
        if (!cancelado) e.interlocutor.archivos.push_back(e.Carpeta() / "otro.xml");
        // A table held elsewhere shows that none is opened.
        const auto retenida = Tabla::AbrirEn(e.Intercambio(), "SOLUC", Acceso::Exclusivo);
        EXPECT_EQ(EjecutarExportacion(e.estado, e.interlocutor), FinExportacion::NoExisteArchivo);
        EXPECT_EQ(e.interlocutor.mensajes, std::vector<Utf8>{"No existe archivo"});
        EXPECT_EQ(e.interlocutor.vecesReloj, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Modos, SinArchivo, ::testing::Values(false, true), [](const auto& info) {
    return info.param ? "Incrustado" : "PorSuCuenta";
});

struct CasoAnno {
    const char* nombre;
    const char* bloque;  // the first child of BLOQUE_DATOS
    const char* anno;    // C_ANNO written
};

class TextoDelAnno : public ::testing::TestWithParam<CasoAnno> {};

TEST_P(TextoDelAnno, SonLosPrimerosCuatroCaracteres) {
    EscenarioExportacion e;
    e.xml = XmlSeneca(GetParam().bloque);
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    EXPECT_EQ(e.Leer().Datos("/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq='ANNO_ACADEMICO']"),
              (std::vector<std::pair<std::string, std::string>>{{"C_ANNO", GetParam().anno}}));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, TextoDelAnno,
    ::testing::Values(
        CasoAnno{"DosCifras",
                 "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">24</dato>"
                 "</grupo_datos>",
                 "24"},
        // The text of the whole first block: the year, then the dates.
        CasoAnno{"PrimerBloque",
                 "<grupo_datos seq=\"X\"><dato nombre_dato=\"C_ANNO\">2025</dato>"
                 "<dato nombre_dato=\"F\">01/09/2025</dato></grupo_datos>",
                 "2025"},
        // Characters, not bytes: "ñ" is one character of the year text.
        CasoAnno{"Caracteres",
                 "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">Año 2024"
                 "</dato></grupo_datos>",
                 "Año "},
        CasoAnno{"Vacio",
                 "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\"/>"
                 "</grupo_datos>",
                 ""}),
    prueba::PorNombre());

TEST(Exportacion, SinPeriodosAvisaYNoEscribeNada) {
    EscenarioExportacion e;
    e.tablas.erase("PERIODOS");
    EXPECT_EQ(e.Ejecutar(), FinExportacion::FaltaPeriodos);
    EXPECT_EQ(e.interlocutor.mensajes,
              std::vector<Utf8>{
                  "ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de SÉNECA."});
    EXPECT_FALSE(fs::exists(e.Resultado()));
    EXPECT_EQ(NombresEn(e.Carpeta()), std::vector<std::string>{e.nombreArchivo});
    EXPECT_FALSE(e.interlocutor.relojActivo);
    ComprobarTablasCerradas(e);
}

TEST(Exportacion, PeriodosVacioDaFechasVacias) {
    EscenarioExportacion e;
    e.tablas["PERIODOS"].filas.clear();
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const auto datos = e.Leer().Datos(Actividad(true, 1, 1));
    ASSERT_GE(datos.size(), 8u);
    EXPECT_EQ(datos[6], (std::pair<std::string, std::string>{"F_INICIO", ""}));
    EXPECT_EQ(datos[7], (std::pair<std::string, std::string>{"F_FIN", ""}));
}

// Catalogues are available only when ORIGENES_C exists with rows; otherwise the other two
// need not exist.
TEST(Exportacion, SinCatalogosNoHayAutorizacion) {
    for (bool existe : {false, true}) {
        EscenarioExportacion e;
        if (existe) {
            e.tablas["ORIGENES_C"].filas.clear();
        } else {
            e.tablas.erase("ORIGENES_C");
        }
        e.tablas.erase("CUR_NIV_C");
        e.tablas.erase("AUTORIZA_C");
        ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado) << existe;
        const DocumentoLeido doc = e.Leer();
        EXPECT_EQ(doc.Contar("//dato[@nombre_dato='X_ORIHORACTETP']"), 0u);
        EXPECT_EQ(doc.Datos(Actividad(true, 1, 1)).size(), 11u);
    }
}

TEST(Exportacion, ResultadoJuntoAlArchivoYReemplazaElAnterior) {
    EscenarioExportacion e;
    e.nombreArchivo = "horario 2024.XML";
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    EXPECT_TRUE(fs::exists(e.Carpeta() / "ResultadoVelmorahorario 2024.XML"));

    // A later start of the tool over the same file replaces the document.
    e.estado.ArchivoXML.clear();
    e.tablas["PROFT"].filas.resize(1);
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    EXPECT_EQ(doc.Atributo(Seccion(true), "registros"), "1");
    EXPECT_EQ(NombresEn(e.Carpeta()),
              (std::vector<std::string>{"ResultadoVelmorahorario 2024.XML", "horario 2024.XML"}));
}

// ---- failed runs ----------------------------------------------------------------------------

struct CasoFallo {
    const char* nombre;
    std::function<void(EscenarioExportacion&)> antes;  // changes the scenario before writing
    std::function<std::vector<std::unique_ptr<Tabla>>(EscenarioExportacion&)> retener;
    const char* enMensaje;  // part of the error's text
};

std::vector<std::unique_ptr<Tabla>> Retener(EscenarioExportacion& e, const Utf8& tabla) {
    std::vector<std::unique_ptr<Tabla>> retenidas;
    retenidas.push_back(Tabla::AbrirEn(e.Intercambio(), tabla, Acceso::Exclusivo));
    return retenidas;
}

void Fila(EscenarioExportacion& e, const char* tabla, size_t fila, const std::string& campo,
          const std::string& valor) {
    for (auto& par : e.tablas[tabla].filas.at(fila)) {
        if (par.first == campo) {
            par.second = valor;
            return;
        }
    }
    e.tablas[tabla].filas.at(fila).emplace_back(campo, valor);
}

class FalloExportacion : public ::testing::TestWithParam<CasoFallo> {};

TEST_P(FalloExportacion, DejaElResultadoAnteriorIntacto) {
    const CasoFallo& caso = GetParam();
    EscenarioExportacion e;
    if (caso.antes) caso.antes(e);
    e.Escribir();
    const std::string anterior = "<?xml version=\"1.0\"?><SERVICIO>anterior</SERVICIO>\n";
    EscribirArchivo(e.Resultado(), anterior);
    e.estado.ModoIncrustado = true;
    e.interlocutor.archivos.push_back(e.Archivo());
    {
        std::vector<std::unique_ptr<Tabla>> retenidas;
        if (caso.retener) retenidas = caso.retener(e);
        try {
            EjecutarExportacion(e.estado, e.interlocutor);
            ADD_FAILURE() << "la exportación debía fallar";
        } catch (const ErrorPasaplan& error) {
            EXPECT_NE(std::string(error.what()).find(caso.enMensaje), std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(LeerArchivo(e.Resultado()), anterior);
    EXPECT_EQ(NombresEn(e.Carpeta()),
              (std::vector<std::string>{e.nombreArchivo, e.Resultado().filename().string()}));
    EXPECT_TRUE(e.interlocutor.mensajes.empty());
    EXPECT_FALSE(e.interlocutor.relojActivo);
    ComprobarTablasCerradas(e);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FalloExportacion,
    ::testing::Values(
        CasoFallo{"SolucRetenida", nullptr,
                  [](EscenarioExportacion& e) { return Retener(e, "SOLUC"); }, "SOLUC"},
        CasoFallo{"AsigtRetenida", nullptr,
                  [](EscenarioExportacion& e) { return Retener(e, "ASIGT"); }, "ASIGT"},
        CasoFallo{"FaltaGrupost", [](EscenarioExportacion& e) { e.tablas.erase("GRUPOST"); },
                  nullptr, "GRUPOST"},
        CasoFallo{"FaltaCurNivConOrigenes",
                  [](EscenarioExportacion& e) { e.tablas.erase("CUR_NIV_C"); }, nullptr,
                  "CUR_NIV_C"},
        CasoFallo{"DiaNoNumerico",
                  [](EscenarioExportacion& e) {
                      e.tablas["SOLUC"].campos[1] = Campo{"DIA", TipoCampo::Texto, 5, 0};
                      Fila(e, "SOLUC", 4, "DIA", "lunes");
                  },
                  nullptr, "lunes"},
        CasoFallo{"MinutosNoNumericos",
                  [](EscenarioExportacion& e) { Fila(e, "DIASHORAST", 1, "MINUTOS", "60 min"); },
                  nullptr, "60 min"},
        CasoFallo{"HoraNoNumerica",
                  [](EscenarioExportacion& e) { Fila(e, "DIASHORAST", 5, "HORADESDE", "1O:15"); },
                  nullptr, "1O:15"},
        CasoFallo{"XmlTruncado",
                  [](EscenarioExportacion& e) { e.xml = e.xml.substr(0, e.xml.size() / 2); },
                  nullptr, "ExportacionHorarios.xml"},
        CasoFallo{"SinBloqueDeDatos",
                  [](EscenarioExportacion& e) {
                      e.xml = "<?xml version=\"1.0\"?><SERVICIO><BLOQUE_DATOS/></SERVICIO>";
                  },
                  nullptr, "BLOQUE_DATOS"}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace pasaplan::prueba
