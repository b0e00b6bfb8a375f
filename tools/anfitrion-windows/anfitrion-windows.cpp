// The stand-in host on Windows, with the plain Win32 API as Velmora's own window: it starts
// "pasaplan.exe DIRECCION HANDLE" with its window's handle in hexadecimal, checks while the tool
// runs that the tool's window became one of its child windows (Windows) or a window it owns
// (Wine draws no child window of another process, so the tool embeds so there), follows a move
// of its own window, waits for the tool to end and reads Transformado from Velmora.ini beside
// pasaplan.exe.
//
//   anfitrion-windows [--plazo SEGUNDOS] [--mover] [PASAPLAN.EXE [DIRECCION]]
//
// Prints one "clave=valor" line per finding on stdout. Exit status: 0 the tool's window belonged
// to ours and the tool ended by itself; 1 it never did; 2 the tool could not be started;
// 3 the time ran out (the tool is then ended).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Hallazgo {
    DWORD proceso = 0;
    HWND ventana = nullptr;
};

BOOL CALLBACK BuscarHija(HWND w, LPARAM p) {
    auto* h = reinterpret_cast<Hallazgo*>(p);
    DWORD proceso = 0;
    GetWindowThreadProcessId(w, &proceso);
    if (proceso != h->proceso) return TRUE;
    h->ventana = w;
    return FALSE;
}

struct Propia {
    Hallazgo hallazgo;
    HWND dueno = nullptr;
};

BOOL CALLBACK BuscarPropia(HWND w, LPARAM p) {
    auto* b = reinterpret_cast<Propia*>(p);
    DWORD proceso = 0;
    GetWindowThreadProcessId(w, &proceso);
    if (proceso != b->hallazgo.proceso || GetWindow(w, GW_OWNER) != b->dueno ||
        !IsWindowVisible(w)) {
        return TRUE;
    }
    b->hallazgo.ventana = w;
    return FALSE;
}

LRESULT CALLBACK Procedimiento(HWND w, UINT mensaje, WPARAM wp, LPARAM lp) {
    if (mensaje == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        r.top = r.bottom - 28;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, L"Velmora (anfitrión de prueba)", -1, &r, DT_CENTER | DT_SINGLELINE);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcW(w, mensaje, wp, lp);
}

// Handles messages until the process ends or the milliseconds pass; true when it ended.
bool Atender(HANDLE proceso, DWORD milisegundos) {
    const ULONGLONG fin = GetTickCount64() + milisegundos;
    for (;;) {
        const ULONGLONG ahora = GetTickCount64();
        const DWORD resto = ahora >= fin ? 0 : static_cast<DWORD>(fin - ahora);
        const DWORD r = MsgWaitForMultipleObjects(1, &proceso, FALSE, resto, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r == WAIT_OBJECT_0 + 1) {
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
            continue;
        }
        return false;  // timeout (or a failed wait: the caller looks again)
    }
}

std::wstring Carpeta(const std::wstring& ruta) {
    const auto barra = ruta.find_last_of(L"\\/");
    return barra == std::wstring::npos ? L"." : ruta.substr(0, barra);
}

std::wstring RutaDeEsteEjecutable() {
    std::wstring ruta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (n < ruta.size()) {
            ruta.resize(n);
            return ruta;
        }
        ruta.resize(ruta.size() * 2);
    }
}

// Where the tool's window stands against our client area's top left corner.
POINT Desplazamiento(HWND anfitrion, HWND herramienta) {
    POINT origen{0, 0};
    ClientToScreen(anfitrion, &origen);
    RECT r;
    GetWindowRect(herramienta, &r);
    return POINT{r.left - origen.x, r.top - origen.y};
}

void Linea(const char* clave, const std::string& valor) {
    std::printf("%s=%s\n", clave, valor.c_str());
    std::fflush(stdout);
}

std::string Hex(HWND w) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)));
    return texto;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int plazo = 120;
    bool mover = false;
    std::wstring programa, direccion = L"exportar";
    int posicional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--plazo" && i + 1 < argc) {
            plazo = _wtoi(argv[++i]);
        } else if (a == L"--mover") {
            mover = true;
        } else if (posicional == 0) {
            programa = a, ++posicional;
        } else if (posicional == 1) {
            direccion = a, ++posicional;
        } else {
            std::fprintf(stderr,
                         "uso: anfitrion-windows [--plazo SEGUNDOS] [--mover] "
                         "[PASAPLAN.EXE [DIRECCION]]\n");
            return 2;
        }
    }
    if (programa.empty()) programa = Carpeta(RutaDeEsteEjecutable()) + L"\\pasaplan.exe";

    const HINSTANCE instancia = GetModuleHandleW(nullptr);
    WNDCLASSW clase{};
    clase.lpfnWndProc = Procedimiento;
    clase.hInstance = instancia;
    clase.lpszClassName = L"AnfitrionVelmora";
    clase.hCursor = LoadCursor(nullptr, IDC_ARROW);
    clase.hbrBackground = CreateSolidBrush(RGB(0, 96, 128));
    RegisterClassW(&clase);
    HWND ventana =
        CreateWindowExW(0, clase.lpszClassName, L"Velmora", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        40, 40, 720, 420, nullptr, nullptr, instancia, nullptr);
    if (!ventana) {
        std::fprintf(stderr, "CreateWindowEx: error %lu\n", GetLastError());
        return 2;
    }
    ShowWindow(ventana, SW_SHOWNORMAL);
    UpdateWindow(ventana);
    Linea("anfitrion", Hex(ventana));

    wchar_t manejador[32];
    std::swprintf(manejador, 32, L"%llx",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(ventana)));
    std::wstring orden = L"\"" + programa + L"\" " + direccion + L" " + manejador;
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(programa.c_str(), orden.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Carpeta(programa).c_str(), &inicio, &pi)) {
        std::fprintf(stderr, "no se pudo arrancar %ls: error %lu\n", programa.c_str(),
                     GetLastError());
        return 2;
    }
    CloseHandle(pi.hThread);

    // While the tool runs: is its window ours, as a child or as an owned window?
    const ULONGLONG fin = GetTickCount64() + static_cast<ULONGLONG>(plazo) * 1000;
    const char* relacion = "ninguna";
    HWND herramienta = nullptr;
    bool termino = false, comprobado = false;
    while (!termino && GetTickCount64() < fin) {
        termino = Atender(pi.hProcess, 100);
        if (termino || herramienta) continue;
        Hallazgo hija{pi.dwProcessId, nullptr};
        EnumChildWindows(ventana, BuscarHija, reinterpret_cast<LPARAM>(&hija));
        if (hija.ventana) {
            herramienta = hija.ventana, relacion = "hija";
        } else {
            Propia propia{{pi.dwProcessId, nullptr}, ventana};
            EnumWindows(BuscarPropia, reinterpret_cast<LPARAM>(&propia));
            if (propia.hallazgo.ventana) herramienta = propia.hallazgo.ventana, relacion = "propia";
        }
        if (!herramienta) continue;
        Linea("relacion", relacion);
        Linea("ventana", Hex(herramienta));
        // Let it settle over our client area, then move and see it follow.
        termino = Atender(pi.hProcess, 1000);
        if (termino || comprobado) continue;
        comprobado = true;
        POINT antes = Desplazamiento(ventana, herramienta);
        Linea("posicion", std::to_string(antes.x) + "," + std::to_string(antes.y));
        if (mover) {
            RECT r;
            GetWindowRect(ventana, &r);
            SetWindowPos(ventana, nullptr, r.left + 60, r.top + 40, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            termino = Atender(pi.hProcess, 1500);
            if (!termino && IsWindow(herramienta)) {
                POINT despues = Desplazamiento(ventana, herramienta);
                Linea("sigue", despues.x == antes.x && despues.y == antes.y ? "si" : "no");
            }
        }
    }
    if (!termino) {
        Linea("plazo", "agotado");
        TerminateProcess(pi.hProcess, 3);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
        return 3;
    }
    DWORD salida = 0;
    GetExitCodeProcess(pi.hProcess, &salida);
    CloseHandle(pi.hProcess);
    Linea("salida", std::to_string(salida));

    const std::wstring ini = Carpeta(programa) + L"\\Velmora.ini";
    const int transformado = static_cast<int>(
        GetPrivateProfileIntW(L"Transformadores", L"Transformado", -99, ini.c_str()));
    Linea("Transformado", std::to_string(transformado));
    DestroyWindow(ventana);
    return herramienta ? 0 : 1;
}
