#include "import/EstadoPrincipal.h"

#include "platform/Rutas.h"

namespace pasaplan {

EstadoPrincipal EstadoPrincipal::PorDefecto() {
    EstadoPrincipal estado;
    estado.DirectorioIntercambio = plataforma::RutaLocal("C:\\VTEMP");
    estado.DirectorioPrograma = plataforma::DirectorioEjecutable();
    return estado;
}

}  // namespace pasaplan
