// Placeholder until the export run is written.
#include "export/Exportacion.h"

#include "platform/Error.h"

namespace pasaplan {

FinExportacion EjecutarExportacion(EstadoPrincipal& /*estado*/, Interlocutor& /*interlocutor*/,
                                   ResumenExportacion* /*resumen*/) {
    throw ErrorPasaplan("La exportación hacia Séneca aún no está disponible.");
}

}  // namespace pasaplan
