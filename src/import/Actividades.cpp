// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

void CargarActividades(ContextoImportacion& /*ctx*/) {  }

}  // namespace pasaplan
