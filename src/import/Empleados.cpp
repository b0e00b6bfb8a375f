// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

void CargarEmpleados(ContextoImportacion& /*ctx*/) {  }

}  // namespace pasaplan
