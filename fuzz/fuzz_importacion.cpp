// The exchange document load and the ten import steps on one Séneca export, with the dialogs
// answered: courses completed, the first one or two frames chosen.
#include "Comun.h"

using namespace pasaplan::arnes;

namespace {

EntornoImportacion& Entorno() {
    static Espacio espacio;
    static EntornoImportacion entorno = [] {
        // A CURSOST2 of an earlier import, so that the recovery is exercised too.
        ImportarMuestra(espacio, espacio.seneca / "ExportacionHorarios.xml");
        EntornoImportacion e{espacio.programa, espacio.intercambio, espacio.seneca,
                             LeerBytes(espacio.intercambio / "CURSOST2.DBF")};
        return e;
    }();
    return entorno;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Entorno();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    Exigir(ProbarImportacion(std::string_view(reinterpret_cast<const char*>(datos), largo),
                             Entorno()));
    return 0;
}
