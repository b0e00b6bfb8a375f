#pragma once
// The host's native window as the embedded program sees it.
#include <cstdint>

namespace pasaplan::plataforma {

// True when the program runs under Wine (its ntdll exports wine_get_version). Wine never draws
// a child window created by another process, so there the program embeds as an owned window.
bool BajoWine();

// Whether the handle still names a window. Where the system tells it through events instead
// (X11), true.
bool VentanaExiste(std::uintptr_t ventana);

// Makes duena the owner of the top-level window propia (kept above it, hidden with it), unless
// it is already.
void AsignarDuena(std::uintptr_t propia, std::uintptr_t duena);

}  // namespace pasaplan::plataforma
