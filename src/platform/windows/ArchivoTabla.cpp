#include "platform/ArchivoTabla.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <string>

namespace pasaplan::plataforma {
namespace {

// Windows programs hold their files with share modes: an exclusive opening shares nothing, a
// shared one lets others read and write. No byte-range lock is taken over the data: Windows
// enforces those against every handle, the holder's own writes included.
DWORD Comparticion(Reserva reserva) {
    return reserva == Reserva::Exclusiva ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
}

HANDLE Manejador(intptr_t m) { return reinterpret_cast<HANDLE>(m); }

bool EsArchivoEnDisco(HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
           !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

Apertura Clasificar(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return Apertura::NoExiste;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return Apertura::Retenida;
        default:
            return Apertura::Fallida;
    }
}

bool EsCarpeta(const std::filesystem::path& archivo) {
    const DWORD atributos = GetFileAttributesW(archivo.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

ArchivoTabla::~ArchivoTabla() { Cerrar(); }

void ArchivoTabla::Cerrar() {
    if (manejador_ != -1) CloseHandle(Manejador(manejador_));
    manejador_ = -1;
}

Apertura ArchivoTabla::Abrir(const std::filesystem::path& archivo, Reserva reserva) {
    Cerrar();
    soloLectura_ = false;
    HANDLE h = CreateFileW(archivo.c_str(), GENERIC_READ | GENERIC_WRITE, Comparticion(reserva),
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        // A folder in the table's place is refused as access denied: say what it is.
        if (EsCarpeta(archivo)) return Apertura::NoEsArchivo;
        if (reserva == Reserva::Compartida) {
            // A read-only reference table can still be read.
            h = CreateFileW(archivo.c_str(), GENERIC_READ, Comparticion(reserva), nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            soloLectura_ = h != INVALID_HANDLE_VALUE;
        }
    }
    if (h == INVALID_HANDLE_VALUE) {
        error_ = GetLastError();
        return Clasificar(error_);
    }
    manejador_ = reinterpret_cast<intptr_t>(h);
    if (!EsArchivoEnDisco(h)) return Apertura::NoEsArchivo;
    return Apertura::Abierta;
}

Apertura ArchivoTabla::Crear(const std::filesystem::path& archivo) {
    Cerrar();
    soloLectura_ = false;
    // OPEN_ALWAYS keeps the content: it is emptied only once the file is ours alone.
    HANDLE h = CreateFileW(archivo.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = GetLastError();
        if (error_ == ERROR_ACCESS_DENIED && EsCarpeta(archivo)) return Apertura::NoEsArchivo;
        const Apertura a = Clasificar(error_);
        return a == Apertura::NoExiste ? Apertura::Fallida : a;
    }
    manejador_ = reinterpret_cast<intptr_t>(h);
    if (!EsArchivoEnDisco(h)) return Apertura::NoEsArchivo;
    return Apertura::Abierta;
}

std::optional<uint64_t> ArchivoTabla::Tamano() {
    LARGE_INTEGER tamano{};
    if (!GetFileSizeEx(Manejador(manejador_), &tamano)) {
        error_ = GetLastError();
        return std::nullopt;
    }
    return static_cast<uint64_t>(tamano.QuadPart);
}

std::optional<IdentidadArchivo> ArchivoTabla::Identidad() {
    BY_HANDLE_FILE_INFORMATION datos{};
    if (!GetFileInformationByHandle(Manejador(manejador_), &datos)) {
        error_ = GetLastError();
        return std::nullopt;
    }
    return IdentidadArchivo{datos.dwVolumeSerialNumber,
                            (uint64_t{datos.nFileIndexHigh} << 32) | datos.nFileIndexLow};
}

bool ArchivoTabla::Vaciar() {
    LARGE_INTEGER cero{};
    if (SetFilePointerEx(Manejador(manejador_), cero, nullptr, FILE_BEGIN) &&
        SetEndOfFile(Manejador(manejador_))) {
        return true;
    }
    error_ = GetLastError();
    return false;
}

bool ArchivoTabla::LeerEn(char* destino, size_t n, uint64_t posicion) {
    while (n > 0) {
        OVERLAPPED donde{};
        donde.Offset = static_cast<DWORD>(posicion);
        donde.OffsetHigh = static_cast<DWORD>(posicion >> 32);
        const DWORD pedido = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
        DWORD leidos = 0;
        if (!ReadFile(Manejador(manejador_), destino, pedido, &leidos, &donde)) {
            error_ = GetLastError();
            if (error_ == ERROR_HANDLE_EOF) error_ = 0;
            return false;
        }
        if (leidos == 0) {
            error_ = 0;
            return false;
        }
        destino += leidos;
        n -= leidos;
        posicion += leidos;
    }
    return true;
}

bool ArchivoTabla::EscribirEn(const char* origen, size_t n, uint64_t posicion) {
    while (n > 0) {
        OVERLAPPED donde{};
        donde.Offset = static_cast<DWORD>(posicion);
        donde.OffsetHigh = static_cast<DWORD>(posicion >> 32);
        const DWORD pedido = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
        DWORD escritos = 0;
        if (!WriteFile(Manejador(manejador_), origen, pedido, &escritos, &donde)) {
            error_ = GetLastError();
            return false;
        }
        if (escritos == 0) {
            error_ = ERROR_DISK_FULL;
            return false;
        }
        origen += escritos;
        n -= escritos;
        posicion += escritos;
    }
    return true;
}

Utf8 ArchivoTabla::Motivo() const {
    switch (error_) {
        case ERROR_ACCESS_DENIED:
            return "no hay permiso";
        case ERROR_WRITE_PROTECT:
            return "el disco es de solo lectura";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "no queda espacio en el disco";
        case ERROR_FILE_TOO_LARGE:
            return "el archivo supera el tamaño máximo permitido";
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_IO_DEVICE:
            return "error de entrada/salida del disco";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "no existe";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "otro programa tiene el archivo abierto";
        default:
            return "error de Windows " + Utf8::Numero(error_);
    }
}

bool RetenidaPorOtro(const std::filesystem::path& archivo) {
    // Any other holder, shared or exclusive, refuses an opening that shares nothing.
    HANDLE h = CreateFileW(archivo.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace pasaplan::plataforma
