#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include "platform/Rutas.h"
#include "support/Apoyo.h"

namespace pasaplan::prueba {

DirectorioTemporal::DirectorioTemporal() {
    static std::atomic<unsigned> contador{0};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int intento = 0; intento < 1000; ++intento) {
        const std::filesystem::path candidato =
            base / ("pasaplan-prueba-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(++contador) + "-" + std::to_string(GetTickCount64() % 100000));
        if (CreateDirectoryW(candidato.c_str(), nullptr)) {
            ruta_ = candidato;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("No se puede crear una carpeta temporal");
}

DirectorioTemporal::~DirectorioTemporal() {
    // A test may have left files read-only; make them writable so the removal can go through.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(ruta_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(ruta_, ec);
}

VariableEntorno::VariableEntorno(std::string nombre, std::optional<std::string> valor)
    : nombre_(std::move(nombre)) {
    if (const char* actual = std::getenv(nombre_.c_str())) anterior_ = actual;
    // An empty value removes the variable from the C runtime's environment.
    _putenv_s(nombre_.c_str(), valor ? valor->c_str() : "");
}

VariableEntorno::~VariableEntorno() {
    _putenv_s(nombre_.c_str(), anterior_ ? anterior_->c_str() : "");
}

std::filesystem::path Programa(std::string_view nombre) {
    return std::filesystem::path(PASAPLAN_BIN_DIR) / (std::string(nombre) + ".exe");
}

const bool kHayLimiteDeArchivos = false;

namespace {

// One argument of a command line as CommandLineToArgvW reads it back.
std::wstring Citado(const std::wstring& a) {
    std::wstring r = L"\"";
    size_t barras = 0;
    for (wchar_t c : a) {
        if (c == L'\\') {
            ++barras;
            continue;
        }
        if (c == L'"')
            r.append(barras * 2 + 1, L'\\');
        else
            r.append(barras, L'\\');
        barras = 0;
        r += c;
    }
    r.append(barras * 2, L'\\');
    return r + L"\"";
}

HANDLE ArchivoHeredable(const std::filesystem::path& ruta) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileW(ruta.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

SalidaPrograma EjecutarPrograma(const std::filesystem::path& programa,
                                const std::vector<std::string>& argumentos,
                                const std::filesystem::path& carpeta, uint64_t limiteArchivos) {
    if (limiteArchivos != 0) throw std::runtime_error("Windows no limita el tamaño de archivo");
    const std::filesystem::path out = carpeta / "salida.txt", err = carpeta / "errores.txt";
    std::wstring linea = Citado(programa.native());
    for (const auto& a : argumentos)
        linea += L" " + Citado(plataforma::RutaDeUtf8(Utf8::DeBytes(a)).native());
    SalidaPrograma r;
    {
        HANDLE fo = ArchivoHeredable(out);
        HANDLE fe = ArchivoHeredable(err);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = INVALID_HANDLE_VALUE;
        si.hStdOutput = fo;
        si.hStdError = fe;
        PROCESS_INFORMATION pi{};
        const BOOL creado = CreateProcessW(programa.c_str(), linea.data(), nullptr, nullptr, TRUE,
                                           CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
        CloseHandle(fo);
        CloseHandle(fe);
        if (!creado) throw std::runtime_error("CreateProcessW: " + std::to_string(GetLastError()));
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD codigo = 0;
        GetExitCodeProcess(pi.hProcess, &codigo);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        r.estado = static_cast<int>(codigo);
    }
    r.out = LeerArchivo(out);
    r.err = LeerArchivo(err);
    // Wine lets the ended child's files go a moment after the process is gone.
    for (int intento = 0; intento < 100; ++intento) {
        std::error_code e1, e2;
        std::filesystem::remove(out, e1);
        std::filesystem::remove(err, e2);
        if (!e1 && !e2) break;
        Sleep(20);
    }
    return r;
}

bool QuitarEscritura(const std::filesystem::path&) { return false; }

// Under Wine run by root a read-only file can still be opened for writing.
bool PermisosAtan() {
    DirectorioTemporal dir;
    const std::filesystem::path archivo = dir.Ruta() / "solo-lectura";
    EscribirArchivo(archivo, "x");
    SetFileAttributesW(archivo.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE h = CreateFileW(archivo.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool atan = h == INVALID_HANDLE_VALUE;
    if (!atan) CloseHandle(h);
    SetFileAttributesW(archivo.c_str(), FILE_ATTRIBUTE_NORMAL);
    return atan;
}

}  // namespace pasaplan::prueba
