#include "support/Apoyo.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace pasaplan::prueba {

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

void CopiarArbol(const std::filesystem::path& origen, const std::filesystem::path& destino) {
    namespace fs = std::filesystem;
    for (const auto& e : fs::recursive_directory_iterator(origen)) {
        const fs::path copia = destino / fs::relative(e.path(), origen);
        if (e.is_directory()) {
            fs::create_directories(copia);
        } else {
            fs::copy_file(e.path(), copia, fs::copy_options::overwrite_existing);
        }
    }
}

}  // namespace pasaplan::prueba
