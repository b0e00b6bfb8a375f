#pragma once
// The files of the table engine as the system holds them: opening that keeps other programs
// out (Linux: open-file-description locks; Windows: share modes), positioned reads and writes.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "text/Texto.h"

namespace pasaplan::plataforma {

enum class Reserva { Compartida, Exclusiva };

// Which file an open file is, however it was named (device and file number).
struct IdentidadArchivo {
    uint64_t volumen = 0;
    uint64_t numero = 0;
    bool operator==(const IdentidadArchivo&) const = default;
};

enum class Apertura {
    Abierta,
    NoExiste,     // the file or a folder on its way is missing
    NoEsArchivo,  // a folder, a device, a FIFO
    Retenida,     // another holder (another program or table object) conflicts
    Fallida,      // any other reason: Motivo()
    SinBloqueo,   // opened, but the hold could not be taken for another reason: Motivo()
};

class ArchivoTabla {
  public:
    ArchivoTabla() = default;
    ~ArchivoTabla();  // closes the file, releasing the hold
    ArchivoTabla(const ArchivoTabla&) = delete;
    ArchivoTabla& operator=(const ArchivoTabla&) = delete;

    // An existing file, for reading and writing, held as reserva says, without waiting. A shared
    // opening of a file that refuses writing opens it for reading only (SoloLectura()).
    Apertura Abrir(const std::filesystem::path& archivo, Reserva reserva);
    // Opens or creates the file, held exclusively; its content is left as it is.
    Apertura Crear(const std::filesystem::path& archivo);

    bool SoloLectura() const { return soloLectura_; }
    std::optional<uint64_t> Tamano();
    std::optional<IdentidadArchivo> Identidad();
    bool Vaciar();
    // Whole reads and writes at a position; false on error, and for reads at the end of the
    // file too (then FinDeArchivo()).
    bool LeerEn(char* destino, size_t n, uint64_t posicion);
    bool EscribirEn(const char* origen, size_t n, uint64_t posicion);

    bool FinDeArchivo() const { return error_ == 0; }
    // The Spanish reason of the last failure ("no hay permiso", "no queda espacio en el disco").
    Utf8 Motivo() const;

  private:
    void Cerrar();
    intptr_t manejador_ = -1;  // a descriptor, or a Windows handle
    bool soloLectura_ = false;
    unsigned long error_ = 0;  // errno or GetLastError() of the last failure
};

// Whether another holder has the file open in a way a table opening would conflict with; the
// probe holds nothing afterwards. A missing or unreadable file is not held.
bool RetenidaPorOtro(const std::filesystem::path& archivo);

}  // namespace pasaplan::plataforma
