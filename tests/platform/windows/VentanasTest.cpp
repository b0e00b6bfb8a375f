// The host's window as the embedded program sees it on Windows (and under Wine).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "platform/Ventanas.h"

namespace pasaplan::plataforma {
namespace {

std::uintptr_t Manejador(HWND ventana) { return reinterpret_cast<std::uintptr_t>(ventana); }

// Top-level windows need a display (Wine without X has none); message-only windows do not.
HWND NuevaVentana(HWND padre = nullptr) {
    return CreateWindowExW(0, L"STATIC", L"prueba", WS_OVERLAPPED, 0, 0, 100, 100, padre, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(VentanasTest, BajoWineSoloBajoWine) {
    // Wine hands the Unix environment on, its prefix included; Windows has no such variable.
    const bool hayPrefijo = std::getenv("WINEPREFIX") != nullptr;
    if (!hayPrefijo && !BajoWine()) GTEST_SKIP() << "Windows sin Wine";
    EXPECT_TRUE(BajoWine());
}

TEST(VentanasTest, VentanaExisteHastaQueSeDestruye) {
    HWND ventana = NuevaVentana(HWND_MESSAGE);
    ASSERT_NE(ventana, nullptr);
    EXPECT_TRUE(VentanaExiste(Manejador(ventana)));
    DestroyWindow(ventana);
    EXPECT_FALSE(VentanaExiste(Manejador(ventana)));
    EXPECT_FALSE(VentanaExiste(0));
}

TEST(VentanasTest, AsignarDuenaHaceLaVentanaPropiaSinHacerlaHija) {
    HWND duena = NuevaVentana(), propia = NuevaVentana(), otra = NuevaVentana();
    if (!(duena && propia && otra)) GTEST_SKIP() << "sin pantalla";
    AsignarDuena(Manejador(propia), Manejador(duena));
    EXPECT_EQ(GetWindow(propia, GW_OWNER), duena);
    EXPECT_EQ(GetAncestor(propia, GA_PARENT), GetDesktopWindow()) << "sigue siendo de primer nivel";
    // Again, or to another window: the owner follows the last call.
    AsignarDuena(Manejador(propia), Manejador(duena));
    EXPECT_EQ(GetWindow(propia, GW_OWNER), duena);
    AsignarDuena(Manejador(propia), Manejador(otra));
    EXPECT_EQ(GetWindow(propia, GW_OWNER), otra);
    DestroyWindow(propia);
    DestroyWindow(otra);
    DestroyWindow(duena);
}

}  // namespace
}  // namespace pasaplan::plataforma
