#include "platform/ArchivoTabla.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace pasaplan::plataforma {
namespace {

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

bool EsArchivoRegular(int fd) {
    struct stat estado {};
    return ::fstat(fd, &estado) == 0 && S_ISREG(estado.st_mode);
}

}  // namespace

ArchivoTabla::~ArchivoTabla() { Cerrar(); }

void ArchivoTabla::Cerrar() {
    if (manejador_ >= 0) ::close(static_cast<int>(manejador_));
    manejador_ = -1;
}

Apertura ArchivoTabla::Abrir(const std::filesystem::path& archivo, Reserva reserva) {
    Cerrar();
    // O_NONBLOCK: a FIFO put where a table should be must not hang the opening.
    int fd = ::open(archivo.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    soloLectura_ = false;
    if (fd < 0 && reserva == Reserva::Compartida &&
        (errno == EACCES || errno == EPERM || errno == EROFS)) {
        // A reference table in a read-only folder can still be read.
        fd = ::open(archivo.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        soloLectura_ = fd >= 0;
    }
    if (fd < 0) {
        error_ = static_cast<unsigned long>(errno);
        return errno == ENOENT || errno == ENOTDIR ? Apertura::NoExiste : Apertura::Fallida;
    }
    manejador_ = fd;
    if (!EsArchivoRegular(fd)) return Apertura::NoEsArchivo;
    if (!Bloquear(fd, reserva == Reserva::Exclusiva ? F_WRLCK : F_RDLCK)) {
        error_ = static_cast<unsigned long>(errno);
        return errno == EAGAIN || errno == EACCES ? Apertura::Retenida : Apertura::SinBloqueo;
    }
    return Apertura::Abierta;
}

Apertura ArchivoTabla::Crear(const std::filesystem::path& archivo) {
    Cerrar();
    soloLectura_ = false;
    const int fd = ::open(archivo.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        error_ = static_cast<unsigned long>(errno);
        return Apertura::Fallida;
    }
    manejador_ = fd;
    if (!EsArchivoRegular(fd)) return Apertura::NoEsArchivo;
    if (!Bloquear(fd, F_WRLCK)) {
        error_ = static_cast<unsigned long>(errno);
        return Apertura::Retenida;
    }
    return Apertura::Abierta;
}

std::optional<uint64_t> ArchivoTabla::Tamano() {
    struct stat estado {};
    if (::fstat(static_cast<int>(manejador_), &estado) != 0) {
        error_ = static_cast<unsigned long>(errno);
        return std::nullopt;
    }
    return static_cast<uint64_t>(estado.st_size);
}

std::optional<IdentidadArchivo> ArchivoTabla::Identidad() {
    struct stat estado {};
    if (::fstat(static_cast<int>(manejador_), &estado) != 0) {
        error_ = static_cast<unsigned long>(errno);
        return std::nullopt;
    }
    return IdentidadArchivo{static_cast<uint64_t>(estado.st_dev),
                            static_cast<uint64_t>(estado.st_ino)};
}

bool ArchivoTabla::Vaciar() {
    if (::ftruncate(static_cast<int>(manejador_), 0) == 0) return true;
    error_ = static_cast<unsigned long>(errno);
    return false;
}

bool ArchivoTabla::LeerEn(char* destino, size_t n, uint64_t posicion) {
    const int fd = static_cast<int>(manejador_);
    while (n > 0) {
        const ssize_t r = ::pread(fd, destino, n, static_cast<off_t>(posicion));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            error_ = r == 0 ? 0 : static_cast<unsigned long>(errno);
            return false;
        }
        destino += r;
        n -= static_cast<size_t>(r);
        posicion += static_cast<uint64_t>(r);
    }
    return true;
}

bool ArchivoTabla::EscribirEn(const char* origen, size_t n, uint64_t posicion) {
    const int fd = static_cast<int>(manejador_);
    while (n > 0) {
        const ssize_t r = ::pwrite(fd, origen, n, static_cast<off_t>(posicion));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            error_ = r == 0 ? ENOSPC : static_cast<unsigned long>(errno);
            return false;
        }
        origen += r;
        n -= static_cast<size_t>(r);
        posicion += static_cast<uint64_t>(r);
    }
    return true;
}

Utf8 ArchivoTabla::Motivo() const {
    const int error = static_cast<int>(error_);
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
            return Utf8::DeBytes(std::error_code(error, std::generic_category()).message());
    }
}

bool RetenidaPorOtro(const std::filesystem::path& archivo) {
    const int fd = ::open(archivo.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct flock bloqueo {};
    bloqueo.l_type = F_WRLCK;
    bloqueo.l_whence = SEEK_SET;
    const bool retenida = ::fcntl(fd, F_OFD_GETLK, &bloqueo) == 0 && bloqueo.l_type != F_UNLCK;
    ::close(fd);
    return retenida;
}

}  // namespace pasaplan::plataforma
