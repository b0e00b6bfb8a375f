// On Windows the tool's paths are used as they stand, every path meets the system through one
// UTF-8 to UTF-16 conversion, and files are written byte for byte as on Linux.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <gtest/gtest.h>
#include <windows.h>

#include "ejecucion/EstadoPrincipal.h"
#include "exchange/Tabla.h"
#include "platform/Atomico.h"
#include "platform/Ini.h"
#include "platform/Rutas.h"
#include "support/Apoyo.h"

namespace pasaplan::plataforma {
namespace {

using prueba::DirectorioTemporal;
using prueba::LeerArchivo;

TEST(RutasWindows, VtempEsElDirectorioDeIntercambioTalCual) {
    EXPECT_EQ(RutaLocal("C:\\VTEMP").native(), L"C:\\VTEMP");
    EXPECT_EQ(RutaLocal("c:\\vtemp\\seneca").native(), L"c:\\vtemp\\seneca");
    EXPECT_EQ(EstadoPrincipal::PorDefecto().DirectorioIntercambio.native(), L"C:\\VTEMP");
}

// UTF-8 text in, the wide name on disk, and the same UTF-8 text back.
TEST(RutasWindows, AcentosEnCarpetasYArchivos) {
    DirectorioTemporal tmp;
    const Utf8 carpetaUtf8 = "A\xC3\xB1o \xC3\x91 \xE2\x82\xAC";  // "Año Ñ €"
    const fs::path carpeta = tmp.Ruta() / RutaDeUtf8(carpetaUtf8);
    EXPECT_EQ(carpeta.filename().native(), L"A\u00F1o \u00D1 \u20AC");
    EXPECT_EQ(Utf8DeRuta(carpeta.filename()), carpetaUtf8);
    fs::create_directory(carpeta);

    const fs::path documento = carpeta / RutaDeUtf8("Exportaci\xC3\xB3n.xml");
    EscribirArchivoAtomico(documento, "<a/>");
    EXPECT_EQ(LeerArchivo(documento), "<a/>");
    EXPECT_TRUE(ExisteArchivo(documento));
    EXPECT_EQ(BuscarEnDirectorio(carpeta, "EXPORTACI\xC3\x93N.XML"), documento);

    Tabla::Crear(carpeta / "AULAT.DBF", {{"NOMBRE", TipoCampo::Texto, 10}});
    const auto tabla = Tabla::AbrirEn(RutaDeUtf8(Utf8DeRuta(carpeta)), "aulat", Acceso::Compartido);
    EXPECT_EQ(tabla->Archivo(), carpeta / "AULAT.DBF");  // the name as the folder stores it
    EXPECT_EQ(Utf8DeRuta(tabla->Archivo().parent_path().filename()), carpetaUtf8);
}

// The ini is written in binary: a LF file keeps its LF and a new one gets CRLF, as on Linux.
TEST(RutasWindows, IniConLosMismosBytes) {
    DirectorioTemporal tmp;
    const fs::path carpeta = tmp.Ruta() / RutaDeUtf8("Velmora \xC3\xA1");
    fs::create_directory(carpeta);
    const fs::path ini = carpeta / "Velmora.ini";
    EscribirEnteroIni(ini, "Transformadores", "Transformado", 1);
    EXPECT_EQ(LeerArchivo(ini), "[Transformadores]\r\nTransformado=1\r\n");
    prueba::EscribirArchivo(ini, "[Rutas]\nDatos=C:\\VTEMP\n[Transformadores]\nTransformado=0\n");
    EscribirEnteroIni(ini, "TRANSFORMADORES", "transformado", -1);
    EXPECT_EQ(LeerArchivo(ini), "[Rutas]\nDatos=C:\\VTEMP\n[Transformadores]\nTransformado=-1\n");
}

TEST(RutasWindows, CarpetaSinEscrituraYCarpetaQueNoExiste) {
    DirectorioTemporal tmp;
    EXPECT_EQ(PermisoEscritura(tmp.Ruta()), Escritura::Permitida);
    EXPECT_EQ(PermisoEscritura(tmp.Ruta() / "falta"), Escritura::SinPermiso);
    EXPECT_TRUE(fs::is_empty(tmp.Ruta()));  // the probe leaves nothing behind
}

}  // namespace
}  // namespace pasaplan::plataforma
