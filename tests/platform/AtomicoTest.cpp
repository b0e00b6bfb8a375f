#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "platform/Atomico.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "support/Errores.h"

namespace pasaplan::plataforma {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;
using prueba::MensajeDe;
using prueba::NombresEn;
using testing::HasSubstr;

TEST(NombreTemporalJunto, MismaCarpetaYNombresDistintos) {
    const fs::path destino = "/x/y/ASIGT.DBF";
    std::set<fs::path> vistos;
    for (int i = 0; i < 50; ++i) {
        const fs::path t = NombreTemporalJunto(destino);
        EXPECT_EQ(t.parent_path(), destino.parent_path());
        EXPECT_NE(t.filename(), destino.filename());
        vistos.insert(t);
    }
    EXPECT_EQ(vistos.size(), 50u);
}

TEST(EscribirArchivoAtomico, ReemplazaElContenidoEntero) {
    DirectorioTemporal tmp;
    const fs::path destino = tmp.Ruta() / "a.xml";
    EscribirArchivo(destino, std::string(10000, 'v'));
    const std::string nuevo("nuevo\0con nulo", 14);
    EscribirArchivoAtomico(destino, nuevo);
    EXPECT_EQ(LeerArchivo(destino), nuevo);
    EscribirArchivoAtomico(destino, "");
    EXPECT_EQ(LeerArchivo(destino), "");
    EXPECT_EQ(NombresEn(tmp.Ruta()), std::vector<std::string>{"a.xml"});
}

TEST(EscribirArchivoAtomico, CarpetaInexistenteNombraElArchivo) {
    DirectorioTemporal tmp;
    const fs::path destino = tmp.Ruta() / "falta" / "Resultado.xml";
    EXPECT_THAT(MensajeDe([&] { EscribirArchivoAtomico(destino, "x"); }),
                HasSubstr("No se puede escribir el archivo " + destino.string()));
    EXPECT_TRUE(NombresEn(tmp.Ruta()).empty());
}

}  // namespace
}  // namespace pasaplan::plataforma
