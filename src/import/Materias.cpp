// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

void CargarMaterias(ContextoImportacion& /*ctx*/) {  }

}  // namespace pasaplan
