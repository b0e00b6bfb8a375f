// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

void CargarDependencias(ContextoImportacion& /*ctx*/) {  }

}  // namespace pasaplan
