#pragma once
// Helpers shared by every test suite: a private temporary folder, whole-file reads and writes,
// and environment variables set for the length of one test.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pasaplan::prueba {

// A fresh folder under /tmp, removed with everything in it when the object goes away.
class DirectorioTemporal {
public:
    DirectorioTemporal();
    ~DirectorioTemporal();
    DirectorioTemporal(const DirectorioTemporal&) = delete;
    DirectorioTemporal& operator=(const DirectorioTemporal&) = delete;

    const std::filesystem::path& Ruta() const { return ruta_; }

private:
    std::filesystem::path ruta_;
};

// The whole file as bytes; throws std::runtime_error when it cannot be read.
std::string LeerArchivo(const std::filesystem::path& archivo);

// Replaces the file with exactly these bytes; throws std::runtime_error on failure.
void EscribirArchivo(const std::filesystem::path& archivo, std::string_view contenido);

// Sets (or, with std::nullopt, unsets) an environment variable and restores the old state.
class VariableEntorno {
public:
    VariableEntorno(std::string nombre, std::optional<std::string> valor);
    ~VariableEntorno();
    VariableEntorno(const VariableEntorno&) = delete;
    VariableEntorno& operator=(const VariableEntorno&) = delete;

private:
    std::string nombre_;
    std::optional<std::string> anterior_;
};

}  // namespace pasaplan::prueba
