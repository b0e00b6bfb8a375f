// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

void CargarUnidades(ContextoImportacion& /*ctx*/) {  }

}  // namespace pasaplan
