#include "support/Apoyo.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace pasaplan::prueba {

DirectorioTemporal::DirectorioTemporal() {
    std::string plantilla = "/tmp/pasaplan-prueba-XXXXXX";
    if (mkdtemp(plantilla.data()) == nullptr) {
        throw std::runtime_error("mkdtemp: " + std::string(std::strerror(errno)));
    }
    ruta_ = plantilla;
}

DirectorioTemporal::~DirectorioTemporal() {
    // A test may have taken permissions away; give them back so the removal can go through.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(
             ruta_, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
    }
    std::filesystem::permissions(ruta_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(ruta_, ec);
}

std::string LeerArchivo(const std::filesystem::path& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    if (!entrada) throw std::runtime_error("No se puede leer " + archivo.string());
    std::ostringstream bytes;
    bytes << entrada.rdbuf();
    return bytes.str();
}

void EscribirArchivo(const std::filesystem::path& archivo, std::string_view contenido) {
    std::ofstream salida(archivo, std::ios::binary | std::ios::trunc);
    if (!salida) throw std::runtime_error("No se puede escribir " + archivo.string());
    salida.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
    salida.close();
    if (!salida) throw std::runtime_error("No se puede escribir " + archivo.string());
}

VariableEntorno::VariableEntorno(std::string nombre, std::optional<std::string> valor)
    : nombre_(std::move(nombre)) {
    if (const char* actual = std::getenv(nombre_.c_str())) anterior_ = actual;
    if (valor) {
        setenv(nombre_.c_str(), valor->c_str(), 1);
    } else {
        unsetenv(nombre_.c_str());
    }
}

VariableEntorno::~VariableEntorno() {
    if (anterior_) {
        setenv(nombre_.c_str(), anterior_->c_str(), 1);
    } else {
        unsetenv(nombre_.c_str());
    }
}

}  // namespace pasaplan::prueba
