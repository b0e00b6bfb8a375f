#include "platform/Atomico.h"

#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "support/Apoyo.h"

namespace pasaplan::plataforma {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;
using testing::HasSubstr;

size_t Entradas(const fs::path& carpeta) {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(carpeta), fs::directory_iterator()));
}

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
    EXPECT_EQ(Entradas(tmp.Ruta()), 1u);
}

TEST(EscribirArchivoAtomico, CarpetaInexistenteNombraElArchivo) {
    DirectorioTemporal tmp;
    const fs::path destino = tmp.Ruta() / "falta" / "Resultado.xml";
    try {
        EscribirArchivoAtomico(destino, "x");
        ADD_FAILURE() << "no error";
    } catch (const ErrorPasaplan& e) {
        EXPECT_THAT(e.what(), HasSubstr("No se puede escribir el archivo " + destino.string()));
    }
    EXPECT_EQ(Entradas(tmp.Ruta()), 0u);
}

}  // namespace
}  // namespace pasaplan::plataforma
