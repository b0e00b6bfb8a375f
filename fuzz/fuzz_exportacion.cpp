// The export run over a fuzzed SOLUC and DIASHORAST (input: SOLUC's bytes, optionally the
// separator and DIASHORAST's bytes); the other tables come from an import of the sample.
#include "Comun.h"

using namespace pasaplan::arnes;

namespace {

EntornoExportacion& Entorno() {
    static Espacio espacio;
    static EntornoExportacion entorno = [] {
        const fs::path archivo = espacio.seneca / "ExportacionHorarios.xml";
        ImportarMuestra(espacio, archivo);
        return EntornoExportacion{espacio.intercambio, archivo,
                                  LeerBytes(espacio.intercambio / "DIASHORAST.DBF")};
    }();
    return entorno;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Entorno();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    Exigir(ProbarExportacion(std::string_view(reinterpret_cast<const char*>(datos), largo),
                             Entorno()));
    return 0;
}
