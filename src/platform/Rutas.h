#pragma once
// The tool's fixed Windows paths ("C:\VTEMP") on every platform, and the files beside the
// running executable.
#include <filesystem>
#include <string_view>

#include "text/Texto.h"

namespace pasaplan::plataforma {

namespace fs = std::filesystem;

// Our UTF-8 path text as the system's path, and back: the one conversion where a path meets
// the system (Windows: UTF-16 through MultiByteToWideChar; Linux: the bytes as they are).
fs::path RutaDeUtf8(const Utf8& utf8);
Utf8 Utf8DeRuta(const fs::path& ruta);

// Windows: the path as it stands. Elsewhere a drive path maps as Wine maps it: "C:" is
// $WINEPREFIX/drive_c (default ~/.wine/drive_c), backslashes become slashes, and every
// component that exists is matched without regard to letter case ("VTEMP" finds "vtemp").
fs::path RutaLocal(const Utf8& rutaWindows);

// The entry of directorio whose name equals nombre without regard to letter case; when none
// exists, directorio / nombre as given.
fs::path BuscarEnDirectorio(const fs::path& directorio, const Utf8& nombre);

bool ExisteArchivo(const fs::path& archivo);

// Plain deletion; its result is ignored by design.
void BorrarArchivo(const fs::path& archivo) noexcept;

// The directory that holds the running binary (not the working directory).
fs::path DirectorioEjecutable();

// Whether the running program may create files in carpeta.
enum class Escritura { Permitida, SoloLectura, SinPermiso };
Escritura PermisoEscritura(const fs::path& carpeta);

// Today's local date.
struct FechaLocal {
    int anio;
    int mes;
    int dia;
};
FechaLocal Hoy();

// The current date and time as dd/mm/yyyy H:mm:ss, the Spanish short date and long time.
std::string FechaHoraEspanola();

}  // namespace pasaplan::plataforma
