#include "platform/Ventanas.h"

namespace pasaplan::plataforma {

bool BajoWine() { return false; }

// X11 tells the window's end through DestroyNotify, which the program watches itself.
bool VentanaExiste(std::uintptr_t) { return true; }

// Qt's transient parent is the owner there; nothing more to do.
void AsignarDuena(std::uintptr_t, std::uintptr_t) {}

}  // namespace pasaplan::plataforma
