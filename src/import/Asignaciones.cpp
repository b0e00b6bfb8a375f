// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

void CargarAsignaciones(ContextoImportacion& /*ctx*/) {  }

}  // namespace pasaplan
