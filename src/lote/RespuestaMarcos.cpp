// Placeholder until the time-frame answers are written.
#include "lote/Respuestas.h"

namespace pasaplan::lote {

void ComprobarRespuestas(const Documento&, const OpcionesLote&) {}

ResultadoMarcos ResponderDialogoMarcos(const ContextoMarcos&, const OpcionesLote&, Interlocutor&) {
    return {};
}

}  // namespace pasaplan::lote
