// Unix permissions of the ini file and its folder.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Ini.h"
#include "support/Apoyo.h"

namespace pasaplan::plataforma {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;

bool SinPermisoDeEscritura(const fs::path& carpeta) {
    return access(carpeta.c_str(), W_OK) != 0;
}

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
    fs::permissions(carpeta, fs::perms::owner_read | fs::perms::owner_exec);
    if (!SinPermisoDeEscritura(carpeta)) GTEST_SKIP() << "permissions do not bind this user";

    try {
        EscribirEnteroIni(ini, "Transformadores", "Transformado", 1);
        ADD_FAILURE() << "no error";
    } catch (const ErrorPasaplan& e) {
        EXPECT_NE(std::string(e.what()).find("Velmora.ini"), std::string::npos) << e.what();
    }
    EXPECT_EQ(LeerArchivo(ini), "[Transformadores]\r\nTransformado=0\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(carpeta), fs::directory_iterator()), 1);
}


}  // namespace
}  // namespace pasaplan::plataforma
