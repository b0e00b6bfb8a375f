// Which way the help opens on a given machine, at which page, and the program's own help window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTextBrowser>
#include <fstream>
#include <regex>
#include <set>

#include "app/AplicacionPrueba.h"
#include "app/Ayuda.h"
#include "app/VentanaAyuda.h"
#include "support/Apoyo.h"
#include "support/InterlocutorGuion.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
struct CasoAyuda {
    const char* nombre;
    bool hayChm;
    bool hayGuia;
    std::set<QString> programas;  // executables found on the PATH
    bool registrado;              // the desktop has an application for .chm files
    PlanAyuda::Tipo tipo;
    const char* abre;        // program, or the guide's page, relative to the folder
    QStringList argumentos;  // of the program; %1 stands for the CHM's full name
    const char* mensaje;     // part of the message when nothing can show the help
};

class PlanAyudaTest : public ::testing::TestWithParam<CasoAyuda> {};

TEST_P(PlanAyudaTest, EligeComoAbrirlaYEnQuePagina) {
    const CasoAyuda& c = GetParam();
    prueba::DirectorioTemporal dir;
    if (c.hayChm) prueba::EscribirArchivo(dir.Ruta() / "SENECA.chm", "ITSF");
    if (c.hayGuia) {
        fs::create_directories(dir.Ruta() / "ayuda");
        prueba::EscribirArchivo(dir.Ruta() / "ayuda" / "index.html", "<html></html>");
        prueba::EscribirArchivo(dir.Ruta() / "ayuda" / "marcos.html", "<html></html>");
    }
    int consultas = 0;
    const EntornoAyuda entorno{[&](const QString& nombre) {
                                   return c.programas.count(nombre) ? "/usr/bin/" + nombre
                                                                    : QString();
                               },
                               [&] {
                                   ++consultas;
                                   return c.registrado;
                               }};
    const PlanAyuda plan = PlanearAyuda(dir.Ruta(), ContextoAyudaMarcos, entorno);
    ASSERT_EQ(plan.tipo, c.tipo);
    const QString carpeta = QString::fromStdString(dir.Ruta().string()) + "/";
    switch (plan.tipo) {
        case PlanAyuda::Tipo::Programa: {
            EXPECT_EQ(plan.programa, QString::fromLatin1(c.abre));
            QStringList esperados;
            for (const QString& a : c.argumentos) {
                esperados << QString(a).replace("%1", carpeta + "SENECA.chm");
            }
            EXPECT_EQ(plan.argumentos, esperados);
            break;
        }
        case PlanAyuda::Tipo::Url:
        case PlanAyuda::Tipo::Ventana:
            EXPECT_EQ(plan.url.toLocalFile(), carpeta + QString::fromLatin1(c.abre));
            break;
        case PlanAyuda::Tipo::Ninguno:
            EXPECT_NE(plan.mensaje.find(Utf8::DeBytes(c.mensaje)), std::string::npos)
                << plan.mensaje;
            EXPECT_NE(plan.mensaje.find(Utf8::DeBytes(dir.Ruta().string() + "/SENECA.chm")),
                      std::string::npos);
            break;
    }
    // The desktop is asked only when no viewer of its own is found.
    if (!c.hayChm || c.programas.count("xchm")) {
        EXPECT_EQ(consultas, 0);
    }
}

using T = PlanAyuda::Tipo;
INSTANTIATE_TEST_SUITE_P(
    Maquinas, PlanAyudaTest,
    ::testing::Values(
        CasoAyuda{"VisorChm",
                  true,
                  true,
                  {"xchm", "kchmviewer", "xdg-open"},
                  true,
                  T::Programa,
                  "/usr/bin/xchm",
                  {"file:%1#xchm:/marcos.html"},
                  ""},
        CasoAyuda{"OtroVisor",
                  true,
                  true,
                  {"kchmviewer"},
                  false,
                  T::Programa,
                  "/usr/bin/kchmviewer",
                  {"-showPage", "marcos.html", "%1"},
                  ""},
        CasoAyuda{"Escritorio",
                  true,
                  true,
                  {"xdg-open"},
                  true,
                  T::Programa,
                  "/usr/bin/xdg-open",
                  {"%1"},
                  ""},
        // No viewer: never a message while the guide is there.
        CasoAyuda{"EscritorioSinChm",
                  true,
                  true,
                  {"xdg-open"},
                  false,
                  T::Ventana,
                  "ayuda/marcos.html",
                  {},
                  ""},
        CasoAyuda{
            "SinChmConGuia", false, true, {"xchm"}, true, T::Ventana, "ayuda/marcos.html", {}, ""},
        CasoAyuda{"SinNada",
                  false,
                  false,
                  {"xchm"},
                  true,
                  T::Ninguno,
                  "",
                  {},
                  "No se encuentra el archivo de ayuda"},
        CasoAyuda{"ChmSinVisor",
                  true,
                  false,
                  {},
                  false,
                  T::Ninguno,
                  "",
                  {},
                  "No hay ningún visor de archivos CHM"}),
    [](const auto& info) { return std::string(info.param.nombre); });
#endif

// The CHM project maps the program's help contexts to the pages the help window opens.
TEST(ContextosAyuda, ElProyectoChmLosMapeaALasMismasPaginas) {
    std::ifstream proyecto(PASAPLAN_SOURCE_DIR "/docs/chm/SENECA.hhp");
    ASSERT_TRUE(proyecto);
    std::map<std::string, int> numeros;
    std::map<std::string, std::string> paginas;
    const std::regex define(R"(#define\s+(\w+)\s+(\d+)\s*)");
    const std::regex alias(R"((\w+)\s*=\s*(\S+)\s*)");
    std::string linea, seccion;
    while (std::getline(proyecto, linea)) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        std::smatch m;
        if (!linea.empty() && linea[0] == '[') {
            seccion = linea;
        } else if (seccion == "[MAP]" && std::regex_match(linea, m, define)) {
            numeros[m[1]] = std::stoi(m[2]);
        } else if (seccion == "[ALIAS]" && std::regex_match(linea, m, alias)) {
            paginas[m[1]] = m[2];
        }
    }
    std::map<int, std::string> mapa;
    for (const auto& [nombre, numero] : numeros) mapa[numero] = paginas[nombre];
    EXPECT_EQ(mapa, (std::map<int, std::string>{{ContextoAyudaPrincipal, "index.html"},
                                                {ContextoAyudaMarcos, "marcos.html"}}));
    for (const auto& [numero, pagina] : mapa) {
        EXPECT_EQ(PaginaDeContexto(numero).toStdString(), pagina) << numero;
        EXPECT_TRUE(fs::exists(fs::path(PASAPLAN_SOURCE_DIR) / "docs/ayuda" / pagina)) << pagina;
    }
}

// The guide as the build installs it, read in the program's own window and driven by keyboard.
TEST(VentanaAyudaTest, MuestraLaGuiaConSuContenidoYSusEnlaces) {
    prueba::AplicacionPrueba();
    const fs::path guia = fs::path(PASAPLAN_BIN_DIR) / "ayuda";
    ASSERT_TRUE(fs::exists(guia / "index.html"));
    QWidget principal;
    principal.show();
    const QUrl marcos =
        QUrl::fromLocalFile(QString::fromStdString((guia / "marcos.html").string()));
    VentanaAyuda* ayuda = MostrarVentanaAyuda(marcos, &principal);
    ASSERT_NE(ayuda, nullptr);
    EXPECT_EQ(ayuda->parentWidget(), &principal);
    EXPECT_TRUE(ayuda->isVisible());
    QTextBrowser* navegador = ayuda->Navegador();
    EXPECT_TRUE(navegador->toPlainText().contains("Planillas, Marcos o Jornadas Horarias"));
    EXPECT_TRUE(ayuda->windowTitle().endsWith(QString::fromUtf8("Ayuda de Pasaplan")));

    // The contents page, then its first link after the navigation bar, by keyboard.
    ayuda->findChild<QPushButton*>("BotonContenido")->click();
    EXPECT_TRUE(navegador->source().toLocalFile().endsWith("ayuda/index.html"));
    EXPECT_TRUE(navegador->toPlainText().contains("Contenido"));
    // The mnemonic shows as the underlined letter, never as a literal "&".
    EXPECT_FALSE(navegador->toPlainText().contains("&Salir"));
    navegador->setFocus();
    prueba::Tecla(navegador, Qt::Key_Tab);
    prueba::Tecla(navegador, Qt::Key_Tab);
    prueba::Tecla(navegador, Qt::Key_Return);
    EXPECT_TRUE(navegador->source().toLocalFile().endsWith("ayuda/exportar.html"))
        << navegador->source().toString().toStdString();
    // Back, as a browser does; a second request reuses the same window.
    ayuda->findChild<QPushButton*>("BotonAtras")->click();
    EXPECT_TRUE(navegador->source().toLocalFile().endsWith("ayuda/index.html"));
    EXPECT_EQ(MostrarVentanaAyuda(marcos, &principal), ayuda);
    EXPECT_TRUE(navegador->source().toLocalFile().endsWith("ayuda/marcos.html"));
    ayuda->close();
}

}  // namespace
}  // namespace pasaplan
