// Placeholder until the course levels answers are written.
#include "lote/Respuestas.h"

namespace pasaplan::lote {

ResultadoCursos ResponderDialogoCursos(const ContextoCursos&, const OpcionesLote&, Interlocutor&,
                                       std::ostream&) {
    return {};
}

}  // namespace pasaplan::lote
