#pragma once
// Helpers shared by every test suite: a private temporary folder, whole-file reads and writes,
// and environment variables set for the length of one test.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pasaplan::prueba {

// A fresh folder in the system's temporary folder, removed with everything in it when the object
// goes away.
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

// The names of a folder's entries, sorted, in UTF-8.
std::vector<std::string> NombresEn(const std::filesystem::path& carpeta);

// Every entry of a folder by name (UTF-8), with its bytes.
std::map<std::string, std::string> ArchivosEn(const std::filesystem::path& carpeta);

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

// Copies every file and folder under origen into destino, which exists.
void CopiarArbol(const std::filesystem::path& origen, const std::filesystem::path& destino);

// A program of the build (PASAPLAN_BIN_DIR), with the system's suffix for programs.
std::filesystem::path Programa(std::string_view nombre);

struct SalidaPrograma {
    int estado = -1;
    std::string out, err;
};

// Whether this system can limit the size of the files a process writes (a full disk).
extern const bool kHayLimiteDeArchivos;

// Runs programa with these arguments (UTF-8) and waits for it: its exit status and what it wrote
// to its standard output and error, through files in carpeta. limiteArchivos, when not 0, keeps
// the files it writes below that many bytes (only where kHayLimiteDeArchivos).
SalidaPrograma EjecutarPrograma(const std::filesystem::path& programa,
                                const std::vector<std::string>& argumentos,
                                const std::filesystem::path& carpeta, uint64_t limiteArchivos = 0);

// Takes write access to carpeta away from this user; false when the system does not let the
// test do so (root on Linux; Windows, where that takes access lists).
bool QuitarEscritura(const std::filesystem::path& carpeta);

// Whether the permissions of a file bind this user (not so for root).
bool PermisosAtan();

}  // namespace pasaplan::prueba
