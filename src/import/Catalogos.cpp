// Placeholder until this step is written.
#include "import/Pasos.h"

namespace pasaplan {

void CargarCatalogos(ContextoImportacion& /*ctx*/) {  }

}  // namespace pasaplan
