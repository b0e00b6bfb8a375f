// The review of the document for Séneca, built after a finished export run while the exchange
// directory is still held.
#include "run/Run.h"

namespace pasaplan {

std::vector<HallazgoHorario> RevisarDocumentoEscrito(const EstadoPrincipal& /*estado*/,
                                                     const ResumenExportacion& /*resumen*/) {
    // No check of the written document yet: it goes to Séneca as the run wrote it.
    return {};
}

}  // namespace pasaplan
