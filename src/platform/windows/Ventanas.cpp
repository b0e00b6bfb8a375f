#include "platform/Ventanas.h"

#include <windows.h>

namespace pasaplan::plataforma {

bool BajoWine() {
    static const bool bajoWine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return bajoWine;
}

bool VentanaExiste(std::uintptr_t ventana) {
    return ventana != 0 && IsWindow(reinterpret_cast<HWND>(ventana));
}

void AsignarDuena(std::uintptr_t propia, std::uintptr_t duena) {
    const HWND ventana = reinterpret_cast<HWND>(propia);
    if (GetWindow(ventana, GW_OWNER) == reinterpret_cast<HWND>(duena)) return;
    // The owner of a top-level window is its "parent" field; a true parent would make it a child.
    SetWindowLongPtrW(ventana, GWLP_HWNDPARENT, static_cast<LONG_PTR>(duena));
}

}  // namespace pasaplan::plataforma
