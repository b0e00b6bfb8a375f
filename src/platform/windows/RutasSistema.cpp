#include "platform/Rutas.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/Sistema.h"

namespace pasaplan::plataforma {

fs::path RutaDeUtf8(const Utf8& texto) {
    const std::string_view utf8 = texto.Bytes();
    if (utf8.empty()) return fs::path();
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring ancho(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), ancho.data(), n);
    return fs::path(std::move(ancho));
}

Utf8 Utf8DeRuta(const fs::path& ruta) {
    const std::wstring& ancho = ruta.native();
    if (ancho.empty()) return Utf8();
    const int n = WideCharToMultiByte(CP_UTF8, 0, ancho.data(), static_cast<int>(ancho.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string texto(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, ancho.data(), static_cast<int>(ancho.size()), texto.data(), n,
                        nullptr, nullptr);
    return Utf8::DeBytes(std::move(texto));
}

// The tool's paths are Windows paths: used as they stand.
fs::path RutaLocal(const Utf8& rutaWindows) { return RutaDeUtf8(rutaWindows); }

fs::path DirectorioEjecutable() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) break;
        if (n < buffer.size()) return fs::path(std::wstring(buffer.data(), n)).parent_path();
        buffer.resize(buffer.size() * 2);
    }
    throw ErrorPasaplan("No se puede saber la carpeta del programa");
}

// Access rights on Windows come from lists that only an attempt reads rightly: a file is
// created there and deleted when closed.
Escritura PermisoEscritura(const fs::path& carpeta) {
    for (int intento = 0; intento < 100; ++intento) {
        const fs::path prueba =
            carpeta / (L".pasaplan-escritura-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(GetTickCount64() + static_cast<unsigned>(intento)));
        HANDLE h = CreateFileW(prueba.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return Escritura::Permitida;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS) continue;
        return error == ERROR_WRITE_PROTECT ? Escritura::SoloLectura : Escritura::SinPermiso;
    }
    return Escritura::SinPermiso;
}

namespace sistema {

fs::path ComoEstaGuardado(const fs::path& existente) {
    WIN32_FIND_DATAW datos{};
    HANDLE h = FindFirstFileW(existente.c_str(), &datos);
    if (h == INVALID_HANDLE_VALUE) return existente;
    FindClose(h);
    return existente.parent_path() / datos.cFileName;
}

std::tm HoraLocal() {
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &ahora);
    return local;
}

}  // namespace sistema
}  // namespace pasaplan::plataforma
