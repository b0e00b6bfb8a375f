// Holds a file the way another Windows program does, for tests: retener_tabla ARCHIVO LISTO FIN
// opens ARCHIVO sharing nothing, creates LISTO, and keeps the file until FIN exists (at most a
// minute).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs what windows.h declares first.
#include <shellapi.h>

int main() {
    int n = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &n);
    if (args == nullptr || n != 4) return 2;
    HANDLE h = CreateFileW(args[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    HANDLE listo = CreateFileW(args[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (listo != INVALID_HANDLE_VALUE) CloseHandle(listo);
    for (int i = 0; i < 3000 && GetFileAttributesW(args[3]) == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(20);
    }
    CloseHandle(h);
    LocalFree(args);
    return 0;
}
