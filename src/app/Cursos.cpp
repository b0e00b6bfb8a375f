// Placeholder until the course levels dialog is written.
#include "app/Dialogos.h"

namespace pasaplan {

ResultadoCursos MostrarControlCursos(QWidget*, const ContextoCursos&, Interlocutor&) { return {}; }

}  // namespace pasaplan
