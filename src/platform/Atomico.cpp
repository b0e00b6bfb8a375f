#include "platform/Atomico.h"

#include <atomic>
#include <string>
#include <system_error>

#include "platform/BloqueoIntercambio.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "platform/Sistema.h"

namespace pasaplan::plataforma {

namespace fs = std::filesystem;

namespace sistema {

void FallaEscritura(const fs::path& destino, const Utf8& causa) {
    throw ErrorPasaplan("No se puede escribir el archivo " + Utf8DeRuta(destino) + ": " + causa);
}

}  // namespace sistema

fs::path NombreTemporalJunto(const fs::path& destino) {
    static std::atomic<unsigned long> contador{0};
    fs::path nombre(".");
    nombre += destino.filename();
    nombre += ".tmp-" + std::to_string(sistema::IdProceso()) + "-" + std::to_string(++contador);
    return destino.parent_path() / nombre;
}

int BorrarTemporalesAbandonados(const fs::path& carpeta, const fs::path& destino) {
    const std::string propio = std::to_string(sistema::IdProceso());
    const std::string soloDe =
        destino.empty() ? "" : ("." + Utf8DeRuta(destino.filename()) + ".tmp-").Bytes();
    int borrados = 0;
    std::error_code error;
    for (fs::directory_iterator it(carpeta, error), fin; !error && it != fin; it.increment(error)) {
        // ".NAME.tmp-PID-N", as NombreTemporalJunto makes it.
        const std::string nombre = Utf8DeRuta(it->path().filename()).Bytes();
        const size_t marca = nombre.rfind(".tmp-");
        if (nombre.size() < 2 || nombre[0] != '.' || marca == std::string::npos || marca < 2) {
            continue;
        }
        const std::string cola = nombre.substr(marca + 5);
        const size_t guion = cola.find('-');
        const bool cifras = guion != std::string::npos && guion > 0 && guion + 1 < cola.size() &&
                            cola.find_first_not_of("0123456789-") == std::string::npos &&
                            cola.find('-', guion + 1) == std::string::npos;
        if (!cifras || !it->is_regular_file(error)) continue;
        const std::string proceso = cola.substr(0, guion);
        if (proceso == propio) continue;
        if (!soloDe.empty()) {
            if (!nombre.starts_with(soloDe) || nombre.size() != soloDe.size() + cola.size())
                continue;
            if (proceso.size() > 9 || ProcesoVivo(std::stoul(proceso))) continue;
        }
        std::error_code borrado;
        if (fs::remove(it->path(), borrado)) ++borrados;
    }
    return borrados;
}

}  // namespace pasaplan::plataforma
