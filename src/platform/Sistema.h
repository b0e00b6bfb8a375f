#pragma once
// What the platform layer's common code asks of the file for its system.
#include <ctime>
#include <filesystem>

#include "text/Texto.h"

namespace pasaplan::plataforma::sistema {

std::tm HoraLocal();  // now, in local time
unsigned long IdProceso();

// The path of an existing entry with its last component spelt as the folder stores it (on a
// file system that ignores letter case, an open by any spelling succeeds).
std::filesystem::path ComoEstaGuardado(const std::filesystem::path& existente);

// "No se puede escribir el archivo X: causa".
[[noreturn]] void FallaEscritura(const std::filesystem::path& destino, const Utf8& causa);

}  // namespace pasaplan::plataforma::sistema
