// The dBase reader: open a table, read every field of every row in every way, locate and
// filter by what was read.
#include "Comun.h"

using namespace pasaplan::arnes;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    static Carpeta carpeta;
    Exigir(ProbarTabla(std::string_view(reinterpret_cast<const char*>(datos), largo),
                       carpeta.Ruta() / "TABLA.DBF"));
    return 0;
}
