// Away from Windows a drive path maps the way Wine maps it, names are looked up on a file
// system that tells letter case apart, and the clock runs in a fixed zone.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

#include "platform/Rutas.h"
#include "support/Apoyo.h"

namespace pasaplan::plataforma {
namespace {

using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;
using prueba::VariableEntorno;

class RutaLocalTest : public testing::Test {
  protected:
    RutaLocalTest() : wine_("WINEPREFIX", tmp_.Ruta().string()) {
        fs::create_directories(C() / "vtemp" / "Seneca");
    }
    fs::path C() const { return tmp_.Ruta() / "drive_c"; }

    DirectorioTemporal tmp_;
    VariableEntorno wine_;
};

TEST_F(RutaLocalTest, CadaComponenteSinMirarMayusculas) {
    const fs::path seneca = C() / "vtemp" / "Seneca";
    EXPECT_EQ(RutaLocal("C:\\VTEMP\\seneca"), seneca);
    EXPECT_EQ(RutaLocal("c:\\vtemp\\SENECA"), seneca);
    EXPECT_EQ(RutaLocal("C:/Vtemp/Seneca/"), seneca);
    EXPECT_EQ(RutaLocal("C:\\\\VTEMP\\.\\seneca\\"), seneca);
    EXPECT_EQ(RutaLocal("C:\\VTEMP"), C() / "vtemp");
    EXPECT_EQ(RutaLocal("C:\\"), C());
}

TEST_F(RutaLocalTest, LoQueNoExisteQuedaComoSeEscribio) {
    EXPECT_EQ(RutaLocal("C:\\VTEMP\\Nueva\\SENECA"), C() / "vtemp" / "Nueva" / "SENECA");
    EXPECT_EQ(RutaLocal("C:\\VTEMP\\seneca\\Export.XML"), C() / "vtemp" / "Seneca" / "Export.XML");
}

TEST_F(RutaLocalTest, UnArchivoSeEncuentraComoUnaCarpeta) {
    EscribirArchivo(C() / "vtemp" / "cursost.dbf", "x");
    EXPECT_EQ(RutaLocal("C:\\VTEMP\\CURSOST.DBF"), C() / "vtemp" / "cursost.dbf");
}

TEST_F(RutaLocalTest, LasUnidadesSonLosEnlacesDeDosdevices) {
    const fs::path datos = tmp_.Ruta() / "datos";
    fs::create_directories(datos / "Horarios");
    fs::create_directories(tmp_.Ruta() / "dosdevices");
    fs::create_directory_symlink(datos, tmp_.Ruta() / "dosdevices" / "d:");
    EXPECT_EQ(RutaLocal("D:\\HORARIOS\\x"), tmp_.Ruta() / "dosdevices" / "d:" / "Horarios" / "x");
    EXPECT_EQ(RutaLocal("e:\\x"), tmp_.Ruta() / "dosdevices" / "e:" / "x");

    // With its link present, C: goes through it as well.
    fs::create_directory_symlink(C(), tmp_.Ruta() / "dosdevices" / "c:");
    EXPECT_EQ(RutaLocal("C:\\VTEMP"), tmp_.Ruta() / "dosdevices" / "c:" / "vtemp");
}

TEST_F(RutaLocalTest, SinUnidadSoloCambianLasBarras) {
    EXPECT_EQ(RutaLocal("datos\\Seneca\\a.xml"), fs::path("datos/Seneca/a.xml"));
    EXPECT_EQ(RutaLocal("/tmp/X.xml"), fs::path("/tmp/X.xml"));
    EXPECT_EQ(RutaLocal(""), fs::path());
}

TEST(RutaLocal, SinWineprefixUsaElWineDeLaCasa) {
    DirectorioTemporal casa;
    VariableEntorno sinPrefijo("WINEPREFIX", std::nullopt);
    VariableEntorno home("HOME", casa.Ruta().string());
    EXPECT_EQ(RutaLocal("C:\\VTEMP"), casa.Ruta() / ".wine" / "drive_c" / "VTEMP");
}

TEST(FechaHoraEspanola, DiaMesAnoYHoraSinCeroInicial) {
    VariableEntorno zona("TZ", "UTC0");
    VariableEntorno idioma("LC_ALL", "C");
    tzset();
    const std::time_t antes = std::time(nullptr);
    const std::string texto = FechaHoraEspanola();
    const std::time_t despues = std::time(nullptr);

    std::tm campos{};
    ASSERT_EQ(std::sscanf(texto.c_str(), "%d/%d/%d %d:%d:%d", &campos.tm_mday, &campos.tm_mon,
                          &campos.tm_year, &campos.tm_hour, &campos.tm_min, &campos.tm_sec),
              6)
        << texto;
    // Written back in the expected shape, the numbers must give the same text: two-digit day,
    // month, minutes and seconds, four-digit year, hour without a leading zero.
    char forma[64];
    std::snprintf(forma, sizeof forma, "%02d/%02d/%04d %d:%02d:%02d", campos.tm_mday, campos.tm_mon,
                  campos.tm_year, campos.tm_hour, campos.tm_min, campos.tm_sec);
    EXPECT_EQ(texto, forma);
    campos.tm_mon -= 1;
    campos.tm_year -= 1900;
    const std::time_t leido = timegm(&campos);
    EXPECT_GE(leido, antes);
    EXPECT_LE(leido, despues);
}

// A file system that tells letter case apart: the exact name first, then ASCII folding only.
TEST(BuscarEnDirectorio, PrefiereElNombreExactoYSoloPliegaAscii) {
    DirectorioTemporal tmp;
    const fs::path& d = tmp.Ruta();
    EscribirArchivo(d / "SOLUC.DBF", "");
    EscribirArchivo(d / "soluc.dbf", "");
    EscribirArchivo(d / "Aula.dbf", "");
    EscribirArchivo(d / "\xC3\xB1u.txt", "");  // "ñu.txt"
    EXPECT_EQ(BuscarEnDirectorio(d, "soluc.dbf"), d / "soluc.dbf");
    EXPECT_EQ(BuscarEnDirectorio(d, "SOLUC.DBF"), d / "SOLUC.DBF");
    EXPECT_EQ(BuscarEnDirectorio(d, "AULA.DBF"), d / "Aula.dbf");
    EXPECT_EQ(BuscarEnDirectorio(d, "\xC3\x91U.TXT"), d / "\xC3\x91U.TXT");  // "ÑU.TXT"
    EXPECT_EQ(BuscarEnDirectorio(d, "AULA.DB"), d / "AULA.DB");
    EXPECT_EQ(BuscarEnDirectorio(d / "falta", "x"), d / "falta" / "x");
}

}  // namespace
}  // namespace pasaplan::plataforma
