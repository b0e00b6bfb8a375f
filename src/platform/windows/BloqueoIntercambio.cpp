#include "platform/BloqueoIntercambio.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/Atomico.h"
#include "platform/Error.h"

namespace pasaplan::plataforma {
namespace fs = std::filesystem;

namespace {
Utf8 RutaUtf8(const fs::path& ruta) {
    const std::u8string u = ruta.u8string();
    return Utf8::DeBytes(std::string(u.begin(), u.end()));
}
}  // namespace

std::unique_ptr<BloqueoIntercambio> BloqueoIntercambio::Tomar(const fs::path& directorio) {
    const fs::path archivo = directorio / fs::path(std::string(kArchivoBloqueo));
    // No sharing, as a table opened exclusively; the system deletes the file when the handle
    // closes, the end of a killed process included.
    HANDLE h = CreateFileW(archivo.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
            throw ErrorPasaplan(
                "Otra ejecución de Pasaplan está usando el directorio de intercambio «" +
                RutaUtf8(directorio) +
                "». Espere a que termine y vuelva a intentarlo; no se ha modificado nada.");
        }
        if (error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND ||
            error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) {
            return nullptr;
        }
        throw ErrorPasaplan("No se puede reservar el directorio de intercambio «" +
                            RutaUtf8(directorio) + "» para esta ejecución (error de Windows " +
                            Utf8::Numero(error) + ").");
    }
    std::unique_ptr<BloqueoIntercambio> tomado(
        new BloqueoIntercambio(directorio, archivo, reinterpret_cast<std::intptr_t>(h)));
    BorrarTemporalesAbandonados(directorio);
    return tomado;
}

BloqueoIntercambio::~BloqueoIntercambio() { CloseHandle(reinterpret_cast<HANDLE>(manejador_)); }

bool ProcesoVivo(unsigned long id) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (h == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD codigo = 0;
    const bool viva = GetExitCodeProcess(h, &codigo) && codigo == STILL_ACTIVE;
    CloseHandle(h);
    return viva;
}

}  // namespace pasaplan::plataforma
