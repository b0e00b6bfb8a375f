// The batch command's own surface: usage, help, exit statuses, the table printer, and one run
// of the real binary.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "exchange/Tabla.h"
#include "import/Pasos.h"
#include "lote/Lote.h"
#include "platform/Rutas.h"
#include "support/Apoyo.h"
#include "support/LoteEnProceso.h"
#include "support/NombresCasos.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;

using prueba::Salida;
const auto Lote = prueba::EnProceso;

class UsoIncorrecto : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsoIncorrecto, ExitsTwoWithTheUsageOnStderr) {
    const auto r = Lote(GetParam());
    EXPECT_EQ(r.estado, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("Uso:"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, UsoIncorrecto,
    testing::Values(std::vector<std::string>{}, std::vector<std::string>{"convertir", "a.xml"},
                    std::vector<std::string>{"exportar"},
                    std::vector<std::string>{"exportar", "a.xml", "b.xml"},
                    std::vector<std::string>{"exportar", "a.xml", "--niveles"},
                    std::vector<std::string>{"exportar", "a.xml", "--recuperar", "--no-recuperar"},
                    std::vector<std::string>{"importar", "a.xml", "--marcos", "1"},
                    std::vector<std::string>{"tabla", "T.DBF", "--intercambio", "d"},
                    std::vector<std::string>{"exportar", "a.xml", "--desconocida"}),
    [](const auto& info) {
        // The words of the command line, without the dashes of an option.
        std::string nombre = "orden";
        for (const auto& palabra : info.param)
            nombre += "_" + palabra.substr(palabra.find_first_not_of('-'));
        return prueba::NombreDeCaso(nombre);
    });

TEST(Lote, HelpAndVersion) {
    auto r = Lote({"--help"});
    EXPECT_EQ(r.estado, 0);
    for (const char* palabra : {"exportar", "importar", "tabla", "--niveles", "--marcos",
                                "--intercambio", "--no-recuperar", "CLAVE;NIVEL;CURSO"}) {
        EXPECT_NE(r.out.find(palabra), std::string::npos) << palabra;
    }
    r = Lote({"--version"});
    EXPECT_EQ(r.estado, 0);
    EXPECT_NE(r.out.find(PASAPLAN_VERSION), std::string::npos);
}

TEST(Lote, MissingFileIsARunThatDidNotFinish) {
    DirectorioTemporal dir;
    const auto r =
        Lote({"exportar", (dir.Ruta() / "no.xml").string(), "--intercambio", dir.Ruta().string()});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.err, "No existe archivo\n");
    EXPECT_TRUE(fs::is_empty(dir.Ruta()));
}

TEST(Lote, TablePrintedAsUtf8Lines) {
    DirectorioTemporal dir;
    const auto ruta = dir.Ruta() / "AULAT.DBF";
    Tabla::Crear(ruta, {CampoTexto("ABREV", 10), CampoTexto("NOMBRE", 40), CampoEntero("MAXALUM")});
    {
        auto t = Tabla::Abrir(ruta, Acceso::Exclusivo);
        size_t f = t->Agregar();
        t->PonerTexto(f, "ABREV", "1408708");
        t->PonerTexto(f, "NOMBRE", BytesUtf8ACp1252("Laboratorio de Ciencias · Física"));
        t->PonerEntero(f, "MAXALUM", 24);
        t->Grabar(f);
        f = t->Agregar();
        t->PonerTexto(f, "ABREV", " G");
        t->Grabar(f);
    }
    const auto r = Lote({"tabla", ruta.string()});
    EXPECT_EQ(r.estado, 0) << r.err;
    EXPECT_EQ(r.out, "ABREV;NOMBRE;MAXALUM\n1408708;Laboratorio de Ciencias · Física;24\n G;;\n");
    const auto roto = dir.Ruta() / "ROTO.DBF";
    prueba::EscribirArchivo(roto, "no es una tabla");
    const auto mal = Lote({"tabla", roto.string()});
    EXPECT_EQ(mal.estado, 1);
    EXPECT_NE(mal.err.find("ROTO"), std::string::npos) << mal.err;
}

// The real binary: arguments, streams and exit status as a shell sees them.
TEST(Lote, RealBinaryExitStatuses) {
    DirectorioTemporal dir;
    auto estado = [&](const std::vector<std::string>& args) {
        return prueba::EjecutarPrograma(prueba::Programa("pasaplan-lote"), args, dir.Ruta()).estado;
    };
    EXPECT_EQ(estado({"--help"}), 0);
    EXPECT_EQ(estado({"--nada"}), 2);
    EXPECT_EQ(estado({"exportar", "/no/existe.xml", "--intercambio",
                      plataforma::Utf8DeRuta(dir.Ruta()).Bytes()}),
              1);
}

}  // namespace
}  // namespace pasaplan
