#include "exchange/ArchivoDbf.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <system_error>

namespace pasaplan::dbf {

Utf8 Motivo(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "no hay permiso";
        case EROFS:
            return "el disco es de solo lectura";
        case EISDIR:
            return "es una carpeta";
        case ENOSPC:
            return "no queda espacio en el disco";
#ifdef EDQUOT
        case EDQUOT:
            return "se ha agotado la cuota de disco";
#endif
        case EFBIG:
            return "el archivo supera el tamaño máximo permitido";
        case EIO:
            return "error de entrada/salida del disco";
        case ENOENT:
            return "no existe";
        default:
            return std::error_code(error, std::generic_category()).message();
    }
}

dbf::Fecha Hoy() {
    const std::time_t ahora = std::time(nullptr);
    std::tm partes{};
    localtime_r(&ahora, &partes);
    return {partes.tm_year + 1900, partes.tm_mon + 1, partes.tm_mday};
}

bool LeerEn(int fd, char* destino, size_t n, off_t posicion) {
    while (n > 0) {
        const ssize_t r = ::pread(fd, destino, n, posicion);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            if (r == 0) errno = 0;
            return false;
        }
        destino += r;
        n -= static_cast<size_t>(r);
        posicion += r;
    }
    return true;
}

bool EscribirEn(int fd, const char* origen, size_t n, off_t posicion) {
    while (n > 0) {
        const ssize_t r = ::pwrite(fd, origen, n, posicion);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        origen += r;
        n -= static_cast<size_t>(r);
        posicion += r;
    }
    return true;
}

// The lock is taken on an open file description, so it is ours until the descriptor closes;
// Wine's byte-range locks of Windows programs conflict with it.
bool Bloquear(int fd, short tipo) {
    struct flock bloqueo {};
    bloqueo.l_type = tipo;
    bloqueo.l_whence = SEEK_SET;
    bloqueo.l_start = 0;
    bloqueo.l_len = 0;  // the whole file, however far it grows
    return ::fcntl(fd, F_OFD_SETLK, &bloqueo) == 0;
}

bool RetenidaPorOtro(const char* archivo) {
    const int fd = ::open(archivo, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct flock bloqueo {};
    bloqueo.l_type = F_WRLCK;
    bloqueo.l_whence = SEEK_SET;
    const bool retenida = ::fcntl(fd, F_OFD_GETLK, &bloqueo) == 0 && bloqueo.l_type != F_UNLCK;
    ::close(fd);
    return retenida;
}

Descriptor::~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace pasaplan::dbf
