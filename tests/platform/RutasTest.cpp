#include <gtest/gtest.h>

#include "platform/Rutas.h"
#include "support/Apoyo.h"

namespace pasaplan::plataforma {
namespace {

using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;

TEST(Archivos, ExisteYBorrarSoloTratanArchivos) {
    DirectorioTemporal tmp;
    const fs::path archivo = tmp.Ruta() / "a.dbf";
    const fs::path carpeta = tmp.Ruta() / "carpeta";
    EscribirArchivo(archivo, "x");
    fs::create_directory(carpeta);

    EXPECT_TRUE(ExisteArchivo(archivo));
    EXPECT_FALSE(ExisteArchivo(carpeta));
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta() / "b.dbf"));

    BorrarArchivo(archivo);
    BorrarArchivo(carpeta);
    BorrarArchivo(tmp.Ruta() / "b.dbf");
    EXPECT_FALSE(fs::exists(archivo));
    EXPECT_TRUE(fs::is_directory(carpeta));
}

TEST(DirectorioEjecutable, EsLaCarpetaDelBinarioYNoLaDeTrabajo) {
    DirectorioTemporal tmp;
    const fs::path antes = fs::current_path();
    fs::current_path(tmp.Ruta());
    const fs::path dir = DirectorioEjecutable();
    fs::current_path(antes);
    EXPECT_TRUE(fs::equivalent(dir, PASAPLAN_BIN_DIR)) << dir;
}

}  // namespace
}  // namespace pasaplan::plataforma
