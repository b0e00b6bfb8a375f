#pragma once
// The POSIX side of the table engine: positioned reads and writes, the lock, the clock.
#include <sys/types.h>

#include <cstddef>
#include <utility>

#include "exchange/CodecDbf.h"
#include "text/Texto.h"

namespace pasaplan::dbf {

// Spanish reason for an errno value, for "No se puede abrir la tabla X (ruta): <motivo>."
Utf8 Motivo(int error);

// Today's local date, for the header's date of last update.
Fecha Hoy();

// pread/pwrite until done; false on error or, for reads, at end of file (errno 0 then).
bool LeerEn(int fd, char* destino, size_t n, off_t posicion);
bool EscribirEn(int fd, const char* origen, size_t n, off_t posicion);

// An open-file-description lock over the whole file (F_RDLCK or F_WRLCK), without waiting;
// false with errno EAGAIN or EACCES when another holder conflicts.
bool Bloquear(int fd, short tipo);

// Whether another holder (another program, or another table object) has the file locked; the
// probe takes no lock. A missing or unreadable file is not held.
bool RetenidaPorOtro(const char* archivo);

// Closes the descriptor unless released.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

}  // namespace pasaplan::dbf
