// The main window: start-up parameters, the run started at first showing, the run result handed
// to the host through Velmora.ini, and the window's controls.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "app/AplicacionPrueba.h"
#include "app/MainForm.h"
#include "exchange/Tabla.h"
#include "support/Apoyo.h"
#include "support/Hijo.h"
#include "support/InterlocutorGuion.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::ProcesarEventos;

// A small but complete export: the school year, one course, one time frame with two slots.
const char* const kExportacion =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\" autor=\"SENECA\" fecha=\"02/09/2026 10:14:33\">\n"
    " <BLOQUE_DATOS>\n"
    "  <grupo_datos seq=\"ANNO_ACADEMICO\">\n"
    "   <dato nombre_dato=\"C_ANNO\">2026</dato>\n"
    "   <dato nombre_dato=\"F_INIHORREG\">15/09/2026</dato>\n"
    "   <dato nombre_dato=\"F_FINHORREG\">22/06/2027</dato>\n"
    "  </grupo_datos>\n"
    "  <grupo_datos seq=\"CURSOS_DEL_CENTRO\" registros=\"1\">\n"
    "   <grupo_datos seq=\"CURSO_1\">\n"
    "    <dato nombre_dato=\"X_OFERTAMATRIG\">100323</dato>\n"
    "    <dato nombre_dato=\"D_OFERTAMATRIG\">1\xBA de E.S.O.</dato>\n"
    "   </grupo_datos>\n"
    "  </grupo_datos>\n"
    "  <grupo_datos seq=\"JORNADAS_ESCOLARES\" registros=\"1\">\n"
    "   <grupo_datos seq=\"JORNADA_1\">\n"
    "    <dato nombre_dato=\"X_PLAJORESCCEN\">2417</dato>\n"
    "    <dato nombre_dato=\"D_PLAJORESCCEN\">Horario de ma\xF1"
    "ana</dato>\n"
    "    <dato nombre_dato=\"F_INICIO\">15/09/2026</dato>\n"
    "    <dato nombre_dato=\"F_FIN\">22/06/2027</dato>\n"
    "   </grupo_datos>\n"
    "  </grupo_datos>\n"
    "  <grupo_datos seq=\"TRAMOS_HORARIOS\" registros=\"2\">\n"
    "   <grupo_datos seq=\"TRAMO_1\">\n"
    "    <dato nombre_dato=\"X_TRAMO\">61231</dato>\n"
    "    <dato nombre_dato=\"T_HORCEN\">1\xAA</dato>\n"
    "    <dato nombre_dato=\"N_INICIO\">480</dato>\n"
    "    <dato nombre_dato=\"N_FIN\">540</dato>\n"
    "    <dato nombre_dato=\"X_PLAJORESCCEN\">2417</dato>\n"
    "   </grupo_datos>\n"
    "   <grupo_datos seq=\"TRAMO_2\">\n"
    "    <dato nombre_dato=\"X_TRAMO\">61232</dato>\n"
    "    <dato nombre_dato=\"T_HORCEN\">2\xAA</dato>\n"
    "    <dato nombre_dato=\"N_INICIO\">540</dato>\n"
    "    <dato nombre_dato=\"N_FIN\">600</dato>\n"
    "    <dato nombre_dato=\"X_PLAJORESCCEN\">2417</dato>\n"
    "   </grupo_datos>\n"
    "  </grupo_datos>\n"
    " </BLOQUE_DATOS>\n"
    "</SERVICIO>\n";

class VentanaPrincipal : public ::testing::Test {
  protected:
    void SetUp() override {
        prueba::AplicacionPrueba();
        fs::create_directories(Intercambio());
        fs::create_directories(Programa());
        fs::create_directories(dir_.Ruta() / "seneca");
        // The subjects step reads its reference table beside the program.
        Tabla::Crear(Programa() / "SENEMATERIAS.DBF", {{"NOMBRE", TipoCampo::Texto, 80, 0},
                                                       {"COD", TipoCampo::Texto, 10, 0},
                                                       {"CODLARGO", TipoCampo::Texto, 10, 0}});
    }

    fs::path Intercambio() const { return dir_.Ruta() / "VTEMP"; }
    fs::path Programa() const { return dir_.Ruta() / "programa"; }
    fs::path Ini() const { return Programa() / "Velmora.ini"; }

    fs::path Exportacion(const char* contenido = kExportacion) {
        const fs::path archivo = dir_.Ruta() / "seneca" / "Exportacion.xml";
        prueba::EscribirArchivo(archivo, contenido);
        return archivo;
    }

    std::unique_ptr<TMForm> Crear(const QStringList& parametros) {
        EstadoPrincipal estado;
        estado.DirectorioIntercambio = Intercambio();
        estado.DirectorioPrograma = Programa();
        auto ventana = std::make_unique<TMForm>(std::move(estado), parametros, &guion_);
        QObject::connect(ventana.get(), &TMForm::ProcesoTerminado, [this] { ++terminados_; });
        return ventana;
    }

    // Shows the window and lets its first showing run.
    std::unique_ptr<TMForm> Arrancar(const QStringList& parametros) {
        auto ventana = Crear(parametros);
        ventana->show();
        ProcesarEventos();
        return ventana;
    }

    std::string ContenidoIni() const { return prueba::LeerArchivo(Ini()); }
    static std::string IniCon(const char* valor) {
        return std::string("[Transformadores]\r\nTransformado=") + valor + "\r\n";
    }

    prueba::DirectorioTemporal dir_;
    prueba::InterlocutorGuion guion_;
    int terminados_ = 0;
};

TEST_F(VentanaPrincipal, ControlesConSusTextos) {
    auto v = Crear({});
    EXPECT_EQ(v->objectName(), "MForm");
    EXPECT_EQ(v->windowTitle(),
              QString::fromUtf8("Exportar e importar datos entre Velmora y Séneca"));
    EXPECT_EQ(v->size(), QSize(632, 266));
    EXPECT_EQ(v->minimumSize(), v->maximumSize());
    EXPECT_FALSE(v->windowFlags() & Qt::FramelessWindowHint);

    struct Texto {
        const char* control;
        const char* texto;
    };
    for (const auto& [nombre, texto] : {Texto{"BExportar", "OK"}, Texto{"BImportar", "OK"},
                                        Texto{"BClose", "&Salir"}, Texto{"Button1", "F1 AYUDA"}}) {
        auto* b = prueba::Hijo<QPushButton>(*v, nombre);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->text(), QString::fromUtf8(texto)) << nombre;
        EXPECT_TRUE(b->isEnabled()) << nombre;
    }
    EXPECT_FALSE(prueba::Hijo<QPushButton>(*v, "BExportar")->icon().isNull());
    EXPECT_FALSE(prueba::Hijo<QPushButton>(*v, "BImportar")->icon().isNull());

    auto* izquierda = prueba::Hijo<QLabel>(*v, "Label1");
    auto* derecha = prueba::Hijo<QLabel>(*v, "Label2");
    auto* version = prueba::Hijo<QLabel>(*v, "LabelVersion");
    ASSERT_TRUE(izquierda && derecha && version);
    EXPECT_EQ(izquierda->text(),
              QString::fromUtf8("Transformar datos desde Séneca hacia Velmora "));
    EXPECT_EQ(derecha->text(), QString::fromUtf8("Transformar datos desde Velmora hacia Séneca"));
    EXPECT_EQ(version->text(), "Pasaplan para VX9 V-1.1");
    EXPECT_TRUE(izquierda->font().bold());
    EXPECT_TRUE(version->font().bold());
    // Each direction's button sits in the panel of its caption, the left one on the left.
    EXPECT_EQ(prueba::Hijo<QPushButton>(*v, "BExportar")->parentWidget(),
              izquierda->parentWidget());
    EXPECT_EQ(prueba::Hijo<QPushButton>(*v, "BImportar")->parentWidget(), derecha->parentWidget());
    EXPECT_LT(izquierda->parentWidget()->x(), derecha->parentWidget()->x());
}

// Any number of parameters but two: nothing runs by itself and closing writes nothing.
TEST_F(VentanaPrincipal, SinDosParametrosNoEjecutaNiEscribe) {
    for (const QStringList& parametros :
         {QStringList{}, QStringList{"exportar"}, QStringList{"exportar", "1A2B", "otro"}}) {
        auto v = Arrancar(parametros);
        EXPECT_FALSE(v->Estado().ModoIncrustado);
        EXPECT_TRUE(guion_.mensajes.empty()) << parametros.join(' ').toStdString();
        v->close();
        EXPECT_FALSE(v->isVisible());
        EXPECT_FALSE(fs::exists(Ini()));
        EXPECT_EQ(terminados_, 0);
    }
}

// Embedded, the file dialog cancelled with no earlier file: -1 is written and the program ends.
TEST_F(VentanaPrincipal, PalabraExportarSinArchivoEscribeMenosUno) {
    for (const char* palabra : {"EXPORTAR", "Exportar", "exportar"}) {
        guion_.mensajes.clear();
        fs::remove(Ini());
        auto v = Arrancar({palabra, "0"});
        EXPECT_TRUE(v->Estado().ModoIncrustado);
        EXPECT_TRUE(v->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(guion_.mensajes, std::vector<Utf8>{"No existe archivo"}) << palabra;
        EXPECT_FALSE(v->isVisible());
        EXPECT_EQ(ContenidoIni(), IniCon("-1"));
    }
    EXPECT_EQ(terminados_, 3);
}

TEST_F(VentanaPrincipal, PalabraImportarArrancaLaExportacion) {
    auto v = Arrancar({"IMPORTAR", "0"});
    EXPECT_EQ(guion_.mensajes, std::vector<Utf8>{"No existe archivo"});
    EXPECT_EQ(ContenidoIni(), IniCon("-1"));
    EXPECT_EQ(terminados_, 1);
}

// A word that is not exactly a direction starts nothing; closing the embedded window writes 0.
TEST_F(VentanaPrincipal, PalabraDesconocidaEsperaYCerrarEscribeCero) {
    for (const char* palabra : {"export", "exportar "}) {
        fs::remove(Ini());
        auto v = Arrancar({palabra, "1a2B"});
        EXPECT_TRUE(v->Estado().ModoIncrustado);
        EXPECT_TRUE(guion_.mensajes.empty()) << palabra;
        EXPECT_TRUE(v->isVisible());
        EXPECT_FALSE(fs::exists(Ini()));
        v->close();
        EXPECT_EQ(ContenidoIni(), IniCon("0")) << palabra;
    }
    EXPECT_EQ(terminados_, 2);
}

// A handle that does not parse: the conversion error while creating, then a stand-alone window
// that still obeys the direction word and writes nothing.
TEST_F(VentanaPrincipal, ManejadorNoHexadecimalQuedaIndependiente) {
    auto v = Crear({"EXPORTAR", "xyz"});
    EXPECT_EQ(guion_.mensajes, std::vector<Utf8>{"\"xyz\" no es un valor hexadecimal válido."});
    EXPECT_FALSE(v->Estado().ModoIncrustado);
    EXPECT_FALSE(v->windowFlags() & Qt::FramelessWindowHint);

    guion_.archivos.push_back(Exportacion());
    v->show();
    ProcesarEventos();
    ASSERT_EQ(guion_.mensajes.size(), 2u);
    EXPECT_EQ(guion_.mensajes[1], "Proceso finalizado");
    EXPECT_EQ(v->ResultadoEjecucion(), 1);
    EXPECT_TRUE(v->isVisible());  // stand-alone: the window stays after the run
    v->close();
    EXPECT_FALSE(fs::exists(Ini()));
    EXPECT_EQ(terminados_, 0);
}

TEST_F(VentanaPrincipal, ImportacionIncrustadaTerminadaEscribeUno) {
    guion_.archivos.push_back(Exportacion());
    auto v = Arrancar({"exportar", "0"});
    ASSERT_FALSE(guion_.mensajes.empty());
    EXPECT_EQ(guion_.mensajes.back(), "Proceso finalizado");
    EXPECT_EQ(v->Estado().ArchivoXML, dir_.Ruta() / "seneca" / "Exportacion.xml");
    EXPECT_FALSE(guion_.relojActivo);
    EXPECT_TRUE(fs::exists(Intercambio() / "PERIODOS.DBF"));
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(ContenidoIni(), IniCon("1"));
    EXPECT_EQ(terminados_, 1);
    // Embedded, the host's protocol holds: no report window between the run and the closing.
    EXPECT_TRUE(guion_.informes.empty());
}

// Stand-alone after a finished run: both directions disabled, "&Salir" ends without writing.
TEST_F(VentanaPrincipal, TrasUnaEjecucionTerminadaLosBotonesQuedanInactivos) {
    auto v = Arrancar({});
    guion_.archivos.push_back(Exportacion());
    prueba::Hijo<QPushButton>(*v, "BExportar")->click();
    ASSERT_FALSE(guion_.mensajes.empty());
    EXPECT_EQ(guion_.mensajes.back(), "Proceso finalizado");
    // Stand-alone, the report follows "Proceso finalizado": the course has no units.
    ASSERT_EQ(guion_.informes.size(), 1u);
    EXPECT_FALSE(guion_.informes[0].empty());
    EXPECT_EQ(guion_.informes[0][0].tipo, TipoHallazgo::CursoSinUnidades);
    EXPECT_FALSE(prueba::Hijo<QPushButton>(*v, "BExportar")->isEnabled());
    EXPECT_FALSE(prueba::Hijo<QPushButton>(*v, "BImportar")->isEnabled());
    EXPECT_TRUE(v->isVisible());
    prueba::Hijo<QPushButton>(*v, "BClose")->click();
    EXPECT_FALSE(v->isVisible());
    EXPECT_FALSE(fs::exists(Ini()));
}

// Stand-alone, a missing file leaves everything as it was, and the next run may use a file.
TEST_F(VentanaPrincipal, SinArchivoIndependienteNadaCambia) {
    auto v = Arrancar({});
    prueba::Hijo<QPushButton>(*v, "BExportar")->click();
    EXPECT_EQ(guion_.mensajes, std::vector<Utf8>{"No existe archivo"});
    EXPECT_EQ(v->ResultadoEjecucion(), 0);
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(prueba::Hijo<QPushButton>(*v, "BExportar")->isEnabled());
    EXPECT_TRUE(prueba::Hijo<QPushButton>(*v, "BImportar")->isEnabled());
}

// An error ends the run at the event's edge: its text in a message, the window open, buttons
// enabled, the result unchanged, so closing the embedded window writes 0.
TEST_F(VentanaPrincipal, ErrorDeLaEjecucionSeMuestraYLaVentanaSigue) {
    guion_.archivos.push_back(Exportacion("<?xml version=\"1.0\"?>\n<SERVICIO><BLOQUE_DATOS>\n"));
    auto v = Arrancar({"exportar", "0"});
    ASSERT_EQ(guion_.mensajes.size(), 1u);
    EXPECT_NE(guion_.mensajes[0].find("Exportacion.xml"), std::string::npos) << guion_.mensajes[0];
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(prueba::Hijo<QPushButton>(*v, "BExportar")->isEnabled());
    EXPECT_EQ(v->ResultadoEjecucion(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(fs::exists(Intercambio() / "PERIODOS.DBF"));
    v->close();
    EXPECT_EQ(ContenidoIni(), IniCon("0"));
}

// The forced exit of the course levels dialog closes the window: embedded, 0 is written.
TEST_F(VentanaPrincipal, SalidaForzadaCierraLaVentana) {
    guion_.archivos.push_back(Exportacion());
    guion_.dialogosCursos.push_back([](const ContextoCursos&) {
        ResultadoCursos r;
        r.MarcaSalida = MarcaSalida::Fuera;
        return r;
    });
    auto v = Arrancar({"exportar", "0"});
    EXPECT_TRUE(guion_.mensajes.empty());
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(ContenidoIni(), IniCon("0"));
    EXPECT_EQ(terminados_, 1);
}

// The result replaces an earlier value and keeps the rest of the host's file.
TEST_F(VentanaPrincipal, IniExistenteConservaLoDemas) {
    prueba::EscribirArchivo(Ini(),
                            "[Velmora]\r\nIdioma=ES\r\n[Transformadores]\r\nTransformado=1\r\n");
    auto v = Arrancar({"exportar", "0"});
    EXPECT_EQ(ContenidoIni(), "[Velmora]\r\nIdioma=ES\r\n[Transformadores]\r\nTransformado=-1\r\n");
}

}  // namespace
}  // namespace pasaplan
