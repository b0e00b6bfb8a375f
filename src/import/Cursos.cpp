// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

bool CargarCursos(ContextoImportacion& /*ctx*/) { return false; }

}  // namespace pasaplan
