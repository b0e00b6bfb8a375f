#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>

#include "platform/Atomico.h"
#include "platform/Sistema.h"

namespace pasaplan::plataforma {
namespace {

namespace fs = std::filesystem;
using sistema::FallaEscritura;

Utf8 DescripcionErrno(int codigo) {
    switch (codigo) {
        case ENOSPC:
            return "no queda espacio en el disco";
#ifdef EDQUOT
        case EDQUOT:
            return "se ha agotado la cuota de disco";
#endif
        case EFBIG:
            return "el archivo supera el tamaño máximo permitido";
        case EACCES:
        case EPERM:
            return "permiso denegado";
        case EROFS:
            return "el disco es de solo lectura";
        case ENOENT:
            return "la carpeta no existe";
        case ENOTDIR:
            return "una parte de la ruta no es una carpeta";
        case EISDIR:
            return "es una carpeta";
        case EIO:
            return "error de entrada/salida del disco";
        case ENAMETOOLONG:
            return "el nombre es demasiado largo";
        default:
            return Utf8::DeBytes(std::strerror(codigo));
    }
}

// Past the file-size limit the kernel sends SIGXFSZ, whose default action ends the process.
// Ignored, the write fails with EFBIG instead and the caller gets an ordinary error. A handler
// that the program installed itself is left alone.
void IgnorarSenalTamano() {
    static const bool hecho = [] {
        struct sigaction actual {};
        if (sigaction(SIGXFSZ, nullptr, &actual) == 0 && actual.sa_handler == SIG_DFL) {
            struct sigaction ignorar {};
            ignorar.sa_handler = SIG_IGN;
            sigemptyset(&ignorar.sa_mask);
            sigaction(SIGXFSZ, &ignorar, nullptr);
        }
        return true;
    }();
    (void)hecho;
}

// Makes the rename itself durable. Some file systems refuse fsync on a directory; by then the
// new content is in place, so that is not reported as a failure.
void SincronizarCarpeta(const fs::path& carpeta) {
    const int fd = open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

using Productor = std::function<void(const EscribirTrozo&)>;

void Escribir(const fs::path& destino, const Productor& producir) {
    IgnorarSenalTamano();

    int fd = -1;
    fs::path temporal;
    for (int intento = 0; intento < 100 && fd < 0; ++intento) {
        temporal = NombreTemporalJunto(destino);
        fd = open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) FallaEscritura(destino, DescripcionErrno(errno));

    int fallo = 0;
    // Keep the permissions of the file being replaced (the umask applies to new ones).
    struct stat anterior {};
    if (stat(destino.c_str(), &anterior) == 0 && S_ISREG(anterior.st_mode)) {
        if (fchmod(fd, anterior.st_mode & 07777) != 0) fallo = errno;
    }

    const EscribirTrozo escribir = [&](std::string_view contenido) {
        size_t hecho = 0;
        while (fallo == 0 && hecho < contenido.size()) {
            const ssize_t n = write(fd, contenido.data() + hecho, contenido.size() - hecho);
            if (n < 0) {
                if (errno != EINTR) fallo = errno;
            } else if (n == 0) {
                fallo = ENOSPC;
            } else {
                hecho += static_cast<size_t>(n);
            }
        }
        return fallo == 0;
    };
    try {
        producir(escribir);
    } catch (...) {
        close(fd);
        unlink(temporal.c_str());
        throw;
    }
    if (fallo == 0 && fsync(fd) != 0) fallo = errno;
    // close can report a deferred write error (network file systems).
    if (close(fd) != 0 && fallo == 0 && errno != EINTR) fallo = errno;
    if (fallo == 0 && rename(temporal.c_str(), destino.c_str()) != 0) fallo = errno;
    if (fallo != 0) {
        unlink(temporal.c_str());
        FallaEscritura(destino, DescripcionErrno(fallo));
    }
    const fs::path carpeta = destino.parent_path();
    SincronizarCarpeta(carpeta.empty() ? fs::path(".") : carpeta);
}

}  // namespace

namespace sistema {

unsigned long IdProceso() { return static_cast<unsigned long>(getpid()); }

}  // namespace sistema

void EscribirArchivoAtomico(const fs::path& destino, std::string_view contenido) {
    Escribir(destino, [&](const EscribirTrozo& escribir) { escribir(contenido); });
}

void EscribirArchivoAtomicoPorTrozos(const fs::path& destino, const Productor& producir) {
    Escribir(destino, producir);
}

void SincronizarArchivo(const fs::path& archivo) noexcept {
    const int fd = open(archivo.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace pasaplan::plataforma
