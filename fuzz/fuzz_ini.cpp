// The ini writer: the first byte picks value and spelling, the rest is the ini file.
#include "Comun.h"

using namespace pasaplan::arnes;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    static Carpeta carpeta;
    Exigir(ProbarIni(std::string_view(reinterpret_cast<const char*>(datos), largo),
                     carpeta.Ruta() / "Velmora.ini"));
    return 0;
}
