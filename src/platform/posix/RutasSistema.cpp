#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/Error.h"
#include "platform/Rutas.h"
#include "platform/Sistema.h"

namespace pasaplan::plataforma {
namespace {

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

}  // namespace

fs::path RutaDeUtf8(const Utf8& utf8) { return fs::path(utf8.Bytes()); }

Utf8 Utf8DeRuta(const fs::path& ruta) { return Utf8::DeBytes(ruta.native()); }

// A drive path maps as Wine maps it, so that the tool works beside a host under Wine.
fs::path RutaLocal(const Utf8& rutaUtf8) {
    const std::string_view rutaWindows = rutaUtf8.Bytes();
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
            const fs::path encontrado = BuscarEnDirectorio(resultado, Utf8::DeBytes(componente));
            std::error_code ec;
            existe = fs::exists(encontrado, ec);
            resultado = encontrado;
        } else {
            resultado /= RutaDeUtf8(Utf8::DeBytes(componente));
        }
    }
    return resultado;
}

fs::path DirectorioEjecutable() {
    std::error_code ec;
    const fs::path ejecutable = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        throw ErrorPasaplan("No se puede saber la carpeta del programa: " +
                            Utf8::DeBytes(ec.message()));
    }
    return ejecutable.parent_path();
}

Escritura PermisoEscritura(const fs::path& carpeta) {
    if (access(carpeta.c_str(), W_OK) == 0) return Escritura::Permitida;
    return errno == EROFS ? Escritura::SoloLectura : Escritura::SinPermiso;
}

namespace sistema {

fs::path ComoEstaGuardado(const fs::path& existente) { return existente; }

std::tm HoraLocal() {
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
    localtime_r(&ahora, &local);
    return local;
}

}  // namespace sistema
}  // namespace pasaplan::plataforma
