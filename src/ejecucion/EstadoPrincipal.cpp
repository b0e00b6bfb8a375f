#include "ejecucion/EstadoPrincipal.h"

#include "platform/Rutas.h"

namespace pasaplan {

EstadoPrincipal EstadoPrincipal::PorDefecto() {
    EstadoPrincipal estado;
    estado.DirectorioIntercambio = plataforma::RutaLocal("C:\\VTEMP");
    estado.DirectorioPrograma = plataforma::DirectorioEjecutable();
    return estado;
}

std::shared_ptr<plataforma::BloqueoIntercambio> TomarBloqueo(const EstadoPrincipal& estado) {
    if (estado.Bloqueo && estado.Bloqueo->Directorio() == estado.DirectorioIntercambio) {
        return estado.Bloqueo;
    }
    return plataforma::BloqueoIntercambio::Tomar(estado.DirectorioIntercambio);
}

}  // namespace pasaplan
