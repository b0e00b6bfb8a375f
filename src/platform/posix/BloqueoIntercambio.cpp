#include "platform/BloqueoIntercambio.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Atomico.h"
#include "platform/Error.h"

namespace pasaplan::plataforma {
namespace fs = std::filesystem;

std::unique_ptr<BloqueoIntercambio> BloqueoIntercambio::Tomar(const fs::path& directorio) {
    const fs::path archivo = directorio / fs::path(std::string(kArchivoBloqueo));
    const auto fallo = [&](int error) {
        return ErrorPasaplan("No se puede reservar el directorio de intercambio «" +
                             Utf8::DeBytes(directorio.string()) + "» para esta ejecución (" +
                             Utf8::DeBytes(archivo.string()) +
                             "): " + Utf8::DeBytes(std::strerror(error)) + ".");
    };
    // The run that holds the lock removes the file as it ends: a file opened just before that
    // is no longer the directory's, and is opened again.
    for (int intento = 0; intento < 100; ++intento) {
        const int fd =
            ::open(archivo.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
        if (fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR || errno == EACCES || errno == EPERM ||
                errno == EROFS) {
                return nullptr;
            }
            throw fallo(errno);
        }
        struct flock bloqueo {};
        bloqueo.l_type = F_WRLCK;
        bloqueo.l_whence = SEEK_SET;
        struct stat abierto {
        }, nombrado{};
        if (::fstat(fd, &abierto) != 0 || !S_ISREG(abierto.st_mode)) {
            ::close(fd);
            throw fallo(EINVAL);
        }
        if (::fcntl(fd, F_OFD_SETLK, &bloqueo) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EAGAIN || error == EACCES) {
                throw ErrorPasaplan(
                    "Otra ejecución de Pasaplan está usando el directorio de intercambio «" +
                    Utf8::DeBytes(directorio.string()) +
                    "». Espere a que termine y vuelva a intentarlo; no se ha modificado nada.");
            }
            throw fallo(error);
        }
        if (::stat(archivo.c_str(), &nombrado) == 0 && nombrado.st_ino == abierto.st_ino &&
            nombrado.st_dev == abierto.st_dev) {
            std::unique_ptr<BloqueoIntercambio> tomado(
                new BloqueoIntercambio(directorio, archivo, fd));
            BorrarTemporalesAbandonados(directorio);
            return tomado;
        }
        ::close(fd);
    }
    throw fallo(EAGAIN);
}

BloqueoIntercambio::~BloqueoIntercambio() {
    // Removed while still held, so no other run can be holding this file meanwhile.
    ::unlink(archivo_.c_str());
    ::close(static_cast<int>(manejador_));
}

bool ProcesoVivo(unsigned long id) {
    if (id == 0 || id > static_cast<unsigned long>(INT32_MAX)) return false;
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

}  // namespace pasaplan::plataforma
