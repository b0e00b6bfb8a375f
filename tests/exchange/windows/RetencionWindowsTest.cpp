// Windows holds files with share modes: a table another program opened sharing nothing is
// refused by name, and our own exclusive and shared openings keep others out as they should.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "exchange/Tabla.h"
#include "platform/ArchivoTabla.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "support/Errores.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::MensajeDe;
using testing::HasSubstr;

const std::vector<Campo> kCampos = {{"NOMBRE", TipoCampo::Texto, 10}};

// Another process (retener_tabla) holds the file until the returned handle closes the hold.
class OtroPrograma {
  public:
    OtroPrograma(const fs::path& archivo, const fs::path& carpeta)
        : listo_(carpeta / "listo"), fin_(carpeta / "fin") {
        std::wstring linea = L"\"" + prueba::Programa("retener_tabla").native() + L"\" \"" +
                             archivo.native() + L"\" \"" + listo_.native() + L"\" \"" +
                             fin_.native() + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(nullptr, linea.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &si, &pi_)) {
            throw std::runtime_error("retener_tabla no arranca");
        }
        for (int i = 0; i < 1500 && !fs::exists(listo_); ++i) Sleep(20);
        if (!fs::exists(listo_)) throw std::runtime_error("retener_tabla no retiene el archivo");
    }
    ~OtroPrograma() {
        prueba::EscribirArchivo(fin_, "");
        WaitForSingleObject(pi_.hProcess, 30000);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }

  private:
    fs::path listo_, fin_;
    PROCESS_INFORMATION pi_{};
};

TEST(RetencionWindows, TablaQueOtroProgramaRetieneSeRechazaPorSuNombre) {
    prueba::DirectorioTemporal dir;
    const fs::path archivo = dir.Ruta() / "SOLUC.DBF";
    Tabla::Crear(archivo, kCampos);
    const std::string antes = prueba::LeerArchivo(archivo);
    {
        OtroPrograma otro(archivo, dir.Ruta());
        const std::string esperado = "La tabla SOLUC está abierta en otro programa";
        for (Acceso acceso : {Acceso::Compartido, Acceso::Exclusivo}) {
            EXPECT_THAT(MensajeDe([&] { Tabla::Abrir(archivo, acceso); }), HasSubstr(esperado));
        }
        EXPECT_THAT(MensajeDe([&] { Tabla::Crear(archivo, kCampos); }), HasSubstr(esperado));
        EXPECT_TRUE(Tabla::RetenidaPorOtro(archivo));
    }
    EXPECT_FALSE(Tabla::RetenidaPorOtro(archivo));
    EXPECT_EQ(prueba::LeerArchivo(archivo), antes);  // the refused creation emptied nothing
    EXPECT_NO_THROW(Tabla::Abrir(archivo, Acceso::Exclusivo));
}

// Exclusive shares nothing; shared lets other shared openings (and readers) in, but no
// exclusive one. Both hold the file through share modes only, so the holder's own writes go
// through whatever others hold.
TEST(RetencionWindows, ExclusivaNoCompartePeroCompartidaSi) {
    prueba::DirectorioTemporal dir;
    const fs::path archivo = dir.Ruta() / "AULAT.DBF";
    Tabla::Crear(archivo, kCampos);
    {
        auto exclusiva = Tabla::Abrir(archivo, Acceso::Exclusivo);
        EXPECT_THAT(MensajeDe([&] { Tabla::Abrir(archivo, Acceso::Compartido); }),
                    HasSubstr("La tabla AULAT está abierta en otro programa"));
        EXPECT_TRUE(Tabla::RetenidaPorOtro(archivo));
    }
    auto una = Tabla::Abrir(archivo, Acceso::Compartido);
    auto otra = Tabla::Abrir(archivo, Acceso::Compartido);
    EXPECT_THAT(MensajeDe([&] { Tabla::Abrir(archivo, Acceso::Exclusivo); }),
                HasSubstr("La tabla AULAT está abierta en otro programa"));
    const size_t f = una->Agregar();
    una->PonerTexto(f, "NOMBRE", "Aula 1");
    una->Grabar(f);
    EXPECT_EQ(Tabla::Abrir(archivo, Acceso::Compartido)->Filas(), 1u);
    EXPECT_NE(prueba::LeerArchivo(archivo).find("Aula 1"), std::string::npos);
}

}  // namespace
}  // namespace pasaplan
