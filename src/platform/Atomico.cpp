#include "platform/Atomico.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/BloqueoIntercambio.h"
#include "platform/Error.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pasaplan::plataforma {
namespace {

namespace fs = std::filesystem;

Utf8 RutaUtf8(const fs::path& ruta) {
    const std::u8string u = ruta.u8string();
    return Utf8(u.begin(), u.end());
}

unsigned long IdProceso() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

[[noreturn]] void FallaEscritura(const fs::path& destino, const Utf8& causa) {
    throw ErrorPasaplan("No se puede escribir el archivo " + RutaUtf8(destino) + ": " + causa);
}

#ifdef _WIN32

Utf8 DescripcionErrorWindows(DWORD codigo) {
    switch (codigo) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return "no queda espacio en el disco";
        case ERROR_ACCESS_DENIED: return "permiso denegado";
        case ERROR_PATH_NOT_FOUND: return "la carpeta no existe";
        case ERROR_WRITE_PROTECT: return "el disco está protegido contra escritura";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return "otro programa tiene el archivo abierto";
        default: return "error de Windows " + std::to_string(codigo);
    }
}

void Escribir(const fs::path& destino, std::string_view contenido) {
    HANDLE h = INVALID_HANDLE_VALUE;
    fs::path temporal;
    for (int intento = 0; intento < 100 && h == INVALID_HANDLE_VALUE; ++intento) {
        temporal = NombreTemporalJunto(destino);
        h = CreateFileW(temporal.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (h == INVALID_HANDLE_VALUE) FallaEscritura(destino, DescripcionErrorWindows(GetLastError()));

    DWORD fallo = 0;
    size_t hecho = 0;
    while (fallo == 0 && hecho < contenido.size()) {
        const DWORD trozo =
            static_cast<DWORD>(std::min<size_t>(contenido.size() - hecho, 1u << 30));
        DWORD escritos = 0;
        if (!WriteFile(h, contenido.data() + hecho, trozo, &escritos, nullptr) || escritos == 0) {
            fallo = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        }
        hecho += escritos;
    }
    if (fallo == 0 && !FlushFileBuffers(h)) fallo = GetLastError();
    if (!CloseHandle(h) && fallo == 0) fallo = GetLastError();
    if (fallo == 0 && !MoveFileExW(temporal.c_str(), destino.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        fallo = GetLastError();
    }
    if (fallo != 0) {
        DeleteFileW(temporal.c_str());
        FallaEscritura(destino, DescripcionErrorWindows(fallo));
    }
}

#else

Utf8 DescripcionErrno(int codigo) {
    switch (codigo) {
        case ENOSPC: return "no queda espacio en el disco";
#ifdef EDQUOT
        case EDQUOT: return "se ha agotado la cuota de disco";
#endif
        case EFBIG: return "el archivo supera el tamaño máximo permitido";
        case EACCES:
        case EPERM: return "permiso denegado";
        case EROFS: return "el disco es de solo lectura";
        case ENOENT: return "la carpeta no existe";
        case ENOTDIR: return "una parte de la ruta no es una carpeta";
        case EISDIR: return "es una carpeta";
        case EIO: return "error de entrada/salida del disco";
        case ENAMETOOLONG: return "el nombre es demasiado largo";
        default: return std::strerror(codigo);
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

void Escribir(const fs::path& destino, std::string_view contenido) {
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

#endif

}  // namespace

fs::path NombreTemporalJunto(const fs::path& destino) {
    static std::atomic<unsigned long> contador{0};
    fs::path nombre(".");
    nombre += destino.filename();
    nombre += ".tmp-" + std::to_string(IdProceso()) + "-" + std::to_string(++contador);
    return destino.parent_path() / nombre;
}

int BorrarTemporalesAbandonados(const fs::path& carpeta, const fs::path& destino) {
    const std::string propio = std::to_string(IdProceso());
    const std::string soloDe = destino.empty() ? "" : "." + destino.filename().string() + ".tmp-";
    int borrados = 0;
    std::error_code error;
    for (fs::directory_iterator it(carpeta, error), fin; !error && it != fin;
         it.increment(error)) {
        // ".NAME.tmp-PID-N", as NombreTemporalJunto makes it.
        const std::string nombre = it->path().filename().string();
        const size_t marca = nombre.rfind(".tmp-");
        if (nombre.size() < 2 || nombre[0] != '.' || marca == std::string::npos || marca < 2) {
            continue;
        }
        const std::string cola = nombre.substr(marca + 5);
        const size_t guion = cola.find('-');
        const bool cifras = guion != std::string::npos && guion > 0 && guion + 1 < cola.size() &&
                            cola.find_first_not_of("0123456789-") == std::string::npos &&
                            cola.find('-', guion + 1) == std::string::npos;
        if (!cifras || !it->is_regular_file(error)) continue;
        const std::string proceso = cola.substr(0, guion);
        if (proceso == propio) continue;
        if (!soloDe.empty()) {
            if (!nombre.starts_with(soloDe) || nombre.size() != soloDe.size() + cola.size()) continue;
            if (proceso.size() > 9 || ProcesoVivo(std::stoul(proceso))) continue;
        }
        std::error_code borrado;
        if (fs::remove(it->path(), borrado)) ++borrados;
    }
    return borrados;
}

void EscribirArchivoAtomico(const fs::path& destino, std::string_view contenido) {
    Escribir(destino, contenido);
}

void SincronizarArchivo(const fs::path& archivo) noexcept {
#ifndef _WIN32
    const int fd = open(archivo.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
#else
    (void)archivo;  // MoveFileEx with MOVEFILE_WRITE_THROUGH flushes there
#endif
}

}  // namespace pasaplan::plataforma
