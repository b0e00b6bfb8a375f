// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

void CargarTramos(ContextoImportacion& /*ctx*/) {  }

}  // namespace pasaplan
