#pragma once
// One run at a time on an exchange directory: a lock file in it, held with the same system lock
// as the tables (Linux: an open-file-description lock; Windows: a file opened without sharing).
// The system drops the lock with the process, so a killed run never blocks the next one.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <utility>

namespace pasaplan::plataforma {

// Not a table name: the lock file is never taken for one.
inline constexpr std::string_view kArchivoBloqueo = "PASAPLAN.LCK";

class BloqueoIntercambio {
  public:
    // Takes the lock of directorio without waiting, then removes the temporary files that a
    // killed run left there. Held by another run: ErrorPasaplan naming the directory. A
    // directory that does not exist or cannot be written gives nullptr: no run can write
    // there, and the run reports what it finds itself.
    static std::unique_ptr<BloqueoIntercambio> Tomar(const std::filesystem::path& directorio);

    ~BloqueoIntercambio();  // removes the lock file and releases the lock
    BloqueoIntercambio(const BloqueoIntercambio&) = delete;
    BloqueoIntercambio& operator=(const BloqueoIntercambio&) = delete;

    const std::filesystem::path& Directorio() const { return directorio_; }

  private:
    BloqueoIntercambio(std::filesystem::path directorio, std::filesystem::path archivo,
                       std::intptr_t manejador)
        : directorio_(std::move(directorio)), archivo_(std::move(archivo)), manejador_(manejador) {}
    std::filesystem::path directorio_;
    std::filesystem::path archivo_;
    std::intptr_t manejador_;  // a descriptor, or a Windows handle
};

// Whether a process with this id is running (the id a temporary file's name carries).
bool ProcesoVivo(unsigned long id);

}  // namespace pasaplan::plataforma
