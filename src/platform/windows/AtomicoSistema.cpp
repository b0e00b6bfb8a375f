#include "platform/Atomico.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

#include "platform/Sistema.h"

namespace pasaplan::plataforma {
namespace {

namespace fs = std::filesystem;
using sistema::FallaEscritura;

Utf8 DescripcionErrorWindows(DWORD codigo) {
    switch (codigo) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "no queda espacio en el disco";
        case ERROR_ACCESS_DENIED:
            return "permiso denegado";
        case ERROR_PATH_NOT_FOUND:
            return "la carpeta no existe";
        case ERROR_WRITE_PROTECT:
            return "el disco está protegido contra escritura";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "otro programa tiene el archivo abierto";
        default:
            return "error de Windows " + Utf8::Numero(codigo);
    }
}

using Productor = std::function<void(const EscribirTrozo&)>;

void Escribir(const fs::path& destino, const Productor& producir) {
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
    const EscribirTrozo escribir = [&](std::string_view contenido) {
        size_t hecho = 0;
        while (fallo == 0 && hecho < contenido.size()) {
            const DWORD trozo =
                static_cast<DWORD>(std::min<size_t>(contenido.size() - hecho, 1u << 30));
            DWORD escritos = 0;
            if (!WriteFile(h, contenido.data() + hecho, trozo, &escritos, nullptr) ||
                escritos == 0) {
                fallo = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
            }
            hecho += escritos;
        }
        return fallo == 0;
    };
    try {
        producir(escribir);
    } catch (...) {
        CloseHandle(h);
        DeleteFileW(temporal.c_str());
        throw;
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

}  // namespace

namespace sistema {

unsigned long IdProceso() { return GetCurrentProcessId(); }

}  // namespace sistema

void EscribirArchivoAtomico(const fs::path& destino, std::string_view contenido) {
    Escribir(destino, [&](const EscribirTrozo& escribir) { escribir(contenido); });
}

void EscribirArchivoAtomicoPorTrozos(const fs::path& destino, const Productor& producir) {
    Escribir(destino, producir);
}

// MoveFileEx with MOVEFILE_WRITE_THROUGH flushes the renamed file.
void SincronizarArchivo(const fs::path&) noexcept {}

}  // namespace pasaplan::plataforma
