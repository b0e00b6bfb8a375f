#include "platform/Rutas.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Error.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace pasaplan::plataforma {
namespace {

fs::path RutaDeUtf8(std::string_view texto) {
    return fs::path(std::u8string(texto.begin(), texto.end()));
}

// File names are UTF-8 here: ASCII letters fold, every other byte must be equal.
bool IgualesSinMayusculasAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

#ifndef _WIN32

fs::path PrefijoWine() {
    if (const char* prefijo = std::getenv("WINEPREFIX"); prefijo && *prefijo) {
        return fs::path(prefijo);
    }
    if (const char* casa = std::getenv("HOME"); casa && *casa) return fs::path(casa) / ".wine";
    if (const passwd* usuario = getpwuid(getuid()); usuario && usuario->pw_dir) {
        return fs::path(usuario->pw_dir) / ".wine";
    }
    return fs::path(".wine");
}

// As Wine does: a drive is its link in dosdevices; drive_c stands in for C: when the prefix
// has no such link (a bare test prefix).
fs::path RaizDeUnidad(char letra) {
    const char minuscula = static_cast<char>(letra >= 'A' && letra <= 'Z' ? letra + 32 : letra);
    const fs::path prefijo = PrefijoWine();
    const fs::path enlace = prefijo / "dosdevices" / (std::string(1, minuscula) + ":");
    std::error_code ec;
    if (fs::exists(enlace, ec)) return enlace;
    if (minuscula == 'c') return prefijo / "drive_c";
    return enlace;
}

#endif

}  // namespace

fs::path RutaLocal(std::string_view rutaWindows) {
#ifdef _WIN32
    return RutaDeUtf8(rutaWindows);
#else
    const bool conUnidad = rutaWindows.size() >= 2 && rutaWindows[1] == ':' &&
                           ((rutaWindows[0] >= 'A' && rutaWindows[0] <= 'Z') ||
                            (rutaWindows[0] >= 'a' && rutaWindows[0] <= 'z'));
    if (!conUnidad) {
        std::string unix(rutaWindows);
        for (char& c : unix) {
            if (c == '\\') c = '/';
        }
        return fs::path(unix);
    }

    fs::path resultado = RaizDeUnidad(rutaWindows[0]);
    bool existe = true;  // once a component is missing, nothing below it can be looked up
    std::string_view resto = rutaWindows.substr(2);
    while (!resto.empty()) {
        const size_t corte = resto.find_first_of("\\/");
        const std::string_view componente = resto.substr(0, corte);
        resto = corte == std::string_view::npos ? std::string_view() : resto.substr(corte + 1);
        if (componente.empty() || componente == ".") continue;
        if (existe) {
            const fs::path encontrado = BuscarEnDirectorio(resultado, componente);
            std::error_code ec;
            existe = fs::exists(encontrado, ec);
            resultado = encontrado;
        } else {
            resultado /= RutaDeUtf8(componente);
        }
    }
    return resultado;
#endif
}

fs::path BuscarEnDirectorio(const fs::path& directorio, std::string_view nombre) {
    const fs::path exacto = directorio / RutaDeUtf8(nombre);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(exacto, ec))) return exacto;

    fs::directory_iterator it(directorio, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::u8string propio = it->path().filename().u8string();
        if (IgualesSinMayusculasAscii(std::string_view(reinterpret_cast<const char*>(propio.data()),
                                                       propio.size()),
                                      nombre)) {
            return it->path();
        }
    }
    return exacto;
}

bool ExisteArchivo(const fs::path& archivo) {
    std::error_code ec;
    const fs::file_status estado = fs::status(archivo, ec);
    return fs::exists(estado) && !fs::is_directory(estado);
}

void BorrarArchivo(const fs::path& archivo) noexcept {
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(archivo, ec))) return;  // deletes files only
    fs::remove(archivo, ec);
}

fs::path DirectorioEjecutable() {
#ifdef _WIN32
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) break;
        if (n < buffer.size()) return fs::path(std::wstring(buffer.data(), n)).parent_path();
        buffer.resize(buffer.size() * 2);
    }
    throw ErrorPasaplan("No se puede saber la carpeta del programa");
#else
    std::error_code ec;
    const fs::path ejecutable = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        throw ErrorPasaplan("No se puede saber la carpeta del programa: " + ec.message());
    }
    return ejecutable.parent_path();
#endif
}

std::string FechaHoraEspanola() {
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &ahora);
#else
    localtime_r(&ahora, &local);
#endif
    char texto[64];
    std::snprintf(texto, sizeof texto, "%02d/%02d/%04d %d:%02d:%02d", local.tm_mday,
                  local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min,
                  local.tm_sec);
    return texto;
}

}  // namespace pasaplan::plataforma
