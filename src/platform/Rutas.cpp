#include "platform/Rutas.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <system_error>

#include "platform/Sistema.h"

namespace pasaplan::plataforma {
namespace {

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

}  // namespace

fs::path BuscarEnDirectorio(const fs::path& directorio, const Utf8& nombre) {
    const fs::path exacto = directorio / RutaDeUtf8(nombre);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(exacto, ec))) return sistema::ComoEstaGuardado(exacto);

    fs::directory_iterator it(directorio, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (IgualesSinMayusculasAscii(Utf8DeRuta(it->path().filename()).Bytes(), nombre.Bytes())) {
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

FechaLocal Hoy() {
    const std::tm local = sistema::HoraLocal();
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string FechaHoraEspanola() {
    const std::tm local = sistema::HoraLocal();
    char texto[64];
    std::snprintf(texto, sizeof texto, "%02d/%02d/%04d %d:%02d:%02d", local.tm_mday,
                  local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min,
                  local.tm_sec);
    return texto;
}

}  // namespace pasaplan::plataforma
