// Which way the help opens on a given machine.
#include <gtest/gtest.h>

#include <set>

#include "app/Ayuda.h"
#include "support/Apoyo.h"

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
    const char* abre;     // program, or the file the URL names, relative to the folder
    const char* mensaje;  // part of the message when nothing can show the help
};

class PlanAyudaTest : public ::testing::TestWithParam<CasoAyuda> {};

TEST_P(PlanAyudaTest, EligeComoAbrirla) {
    const CasoAyuda& c = GetParam();
    prueba::DirectorioTemporal dir;
    if (c.hayChm) prueba::EscribirArchivo(dir.Ruta() / "SENECA.chm", "ITSF");
    if (c.hayGuia) {
        fs::create_directories(dir.Ruta() / "ayuda");
        prueba::EscribirArchivo(dir.Ruta() / "ayuda" / "index.html", "<html></html>");
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
    const PlanAyuda plan = PlanearAyuda(dir.Ruta(), entorno);
    ASSERT_EQ(plan.tipo, c.tipo);
    const QString carpeta = QString::fromStdString(dir.Ruta().string()) + "/";
    switch (plan.tipo) {
        case PlanAyuda::Tipo::Programa:
            EXPECT_EQ(plan.programa, QString::fromLatin1(c.abre));
            EXPECT_EQ(plan.argumentos, QStringList{carpeta + "SENECA.chm"});
            break;
        case PlanAyuda::Tipo::Url:
            EXPECT_EQ(plan.url.toLocalFile(), carpeta + QString::fromLatin1(c.abre));
            break;
        case PlanAyuda::Tipo::Ninguno:
            EXPECT_NE(plan.mensaje.find(c.mensaje), std::string::npos) << plan.mensaje;
            EXPECT_NE(plan.mensaje.find(dir.Ruta().string() + "/SENECA.chm"), std::string::npos);
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
                  ""},
        CasoAyuda{"OtroVisor", true, true, {"chmsee"}, false, T::Programa, "/usr/bin/chmsee", ""},
        CasoAyuda{
            "Escritorio", true, true, {"xdg-open"}, true, T::Programa, "/usr/bin/xdg-open", ""},
        CasoAyuda{
            "EscritorioSinChm", true, true, {"xdg-open"}, false, T::Url, "ayuda/index.html", ""},
        CasoAyuda{"SinChmConGuia", false, true, {"xchm"}, true, T::Url, "ayuda/index.html", ""},
        CasoAyuda{"SinNada",
                  false,
                  false,
                  {"xchm"},
                  true,
                  T::Ninguno,
                  "",
                  "No se encuentra el archivo de ayuda"},
        CasoAyuda{"ChmSinVisor",
                  true,
                  false,
                  {},
                  false,
                  T::Ninguno,
                  "",
                  "No hay ningún visor de archivos CHM"}),
    [](const auto& info) { return std::string(info.param.nombre); });
#endif

}  // namespace
}  // namespace pasaplan
