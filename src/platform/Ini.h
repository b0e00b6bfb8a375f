#pragma once
// Private ini files, written the way the platform's private-profile writer does it.
#include <filesystem>
#include <string_view>

namespace pasaplan::plataforma {

// Writes valor under [seccion] clave=... of archivo. File, section and key are created when
// missing; an existing value is replaced; section and key match without regard to letter case;
// every other byte of the file is kept. The new content goes to a temporary file in the same
// folder that is renamed over the old one. A new file gets CRLF line ends. Throws ErrorPasaplan.
void EscribirEnteroIni(const std::filesystem::path& archivo, std::string_view seccion,
                       std::string_view clave, int valor);

// The pure text transformation behind EscribirEnteroIni, for tests and fuzzing.
std::string IniConValor(std::string_view contenido, std::string_view seccion,
                        std::string_view clave, std::string_view valor);

}  // namespace pasaplan::plataforma
