#include "support/Apoyo.h"

#include <algorithm>
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

namespace {

std::string NombreUtf8(const std::filesystem::path& ruta) {
    const std::u8string nombre = ruta.filename().u8string();
    return {nombre.begin(), nombre.end()};
}

}  // namespace

std::vector<std::string> NombresEn(const std::filesystem::path& carpeta) {
    std::vector<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(carpeta)) {
        nombres.push_back(NombreUtf8(e.path()));
    }
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

std::map<std::string, std::string> ArchivosEn(const std::filesystem::path& carpeta) {
    std::map<std::string, std::string> archivos;
    for (const auto& e : std::filesystem::directory_iterator(carpeta)) {
        archivos[NombreUtf8(e.path())] = LeerArchivo(e.path());
    }
    return archivos;
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
