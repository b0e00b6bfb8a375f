#include "platform/Proceso.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs what windows.h declares first.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/Rutas.h"

namespace pasaplan::plataforma {

std::vector<std::string> ArgumentosUtf8(int argc, char** argv) {
    int n = 0;
    LPWSTR* anchos = CommandLineToArgvW(GetCommandLineW(), &n);
    if (anchos == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> argumentos;
    for (int i = 1; i < n; ++i)
        argumentos.push_back(Utf8DeRuta(std::filesystem::path(anchos[i])).Bytes());
    LocalFree(anchos);
    return argumentos;
}

// The streams carry the same bytes as on Linux (no CR added before LF): what a script reads from
// a redirected output does not depend on the system.
void PrepararProceso() {
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace pasaplan::plataforma
