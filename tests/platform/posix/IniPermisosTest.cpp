// Unix permissions of the ini file and its folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Ini.h"
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

TEST(EscribirEnteroIni, ConservaElRestoYLosPermisos) {
    DirectorioTemporal tmp;
    const fs::path ini = tmp.Ruta() / "Velmora.ini";
    EscribirArchivo(ini, "[Rutas]\nDatos=C:\\VTEMP\n[Transformadores]\nTransformado=0\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EscribirEnteroIni(ini, "Transformadores", "Transformado", 1);
    EXPECT_EQ(LeerArchivo(ini), "[Rutas]\nDatos=C:\\VTEMP\n[Transformadores]\nTransformado=1\n");
    EXPECT_EQ(fs::status(ini).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(EscribirEnteroIni, EnCarpetaSinPermisoDejaElArchivoComoEstaba) {
    DirectorioTemporal tmp;
    const fs::path carpeta = tmp.Ruta() / "programa";
    fs::create_directory(carpeta);
    const fs::path ini = carpeta / "Velmora.ini";
    EscribirArchivo(ini, "[Transformadores]\r\nTransformado=0\r\n");
    if (!prueba::QuitarEscritura(carpeta)) GTEST_SKIP() << "permissions do not bind this user";

    EXPECT_THAT(MensajeDe([&] { EscribirEnteroIni(ini, "Transformadores", "Transformado", 1); }),
                HasSubstr("Velmora.ini"));
    EXPECT_EQ(LeerArchivo(ini), "[Transformadores]\r\nTransformado=0\r\n");
    EXPECT_EQ(NombresEn(carpeta), std::vector<std::string>{"Velmora.ini"});
}

}  // namespace
}  // namespace pasaplan::plataforma
