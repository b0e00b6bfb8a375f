// The time-frame dialog answered from --marcos, checked against the export before any table is
// touched.
#include <algorithm>

#include "exchange/ExportacionSeneca.h"
#include "import/EleccionMarcos.h"
#include "lote/Respuestas.h"
#include "platform/Error.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan::lote {
namespace {

// The codes of the flag, Windows-1252, trimmed, without empty pieces or repetitions.
std::vector<Texto> CodigosDeOpcion(const OpcionesLote& opciones) {
    std::vector<Texto> codigos;
    if (!opciones.marcos) return codigos;
    const Texto texto = Utf8ACp1252(*opciones.marcos);
    size_t desde = 0;
    for (;;) {
        const size_t coma = texto.find(',', desde);
        const Texto codigo = AllTrim(texto.substr(desde, coma - desde));
        if (!codigo.empty() && std::find(codigos.begin(), codigos.end(), codigo) == codigos.end()) {
            codigos.push_back(codigo);
        }
        if (coma == Texto::npos) break;
        desde = coma + 1;
    }
    return codigos;
}

[[noreturn]] void Rechazar(const Utf8& mensaje, const std::vector<MarcoHorario>& marcos) {
    throw ErrorPasaplan(mensaje + "\n" + DescribirMarcos(marcos));
}

// The dialog's selection made from the flag: the list items named by the codes, in list order,
// each item once. Throws with the dialog's message and the frame list when the flag does not
// make a valid choice.
ResultadoMarcos Elegir(const std::vector<MarcoHorario>& marcos, const OpcionesLote& opciones) {
    const auto codigos = CodigosDeOpcion(opciones);
    if (codigos.empty()) Rechazar(kMensajeNingunMarco, marcos);
    if (codigos.size() > 2) Rechazar(kMensajeDemasiadosMarcos, marcos);
    std::vector<Texto> seleccionados;
    for (const Texto& codigo : codigos) {
        const bool existe = std::any_of(marcos.begin(), marcos.end(), [&](const MarcoHorario& m) {
            return AllTrim(m.codigo) == codigo;
        });
        if (!existe) Rechazar("Marco horario desconocido: " + Cp1252AUtf8(codigo), marcos);
    }
    std::vector<Texto> tomados;
    for (const MarcoHorario& m : marcos) {
        const Texto codigo = AllTrim(m.codigo);
        const bool pedido = std::find(codigos.begin(), codigos.end(), codigo) != codigos.end();
        const bool repetido = std::find(tomados.begin(), tomados.end(), codigo) != tomados.end();
        if (pedido && !repetido) {
            seleccionados.push_back(m.codigo);
            tomados.push_back(codigo);
        }
    }
    const JuicioMarcos juicio = JuzgarEleccion(seleccionados);
    if (juicio.mensaje) Rechazar(*juicio.mensaje, marcos);
    return juicio.resultado;
}

}  // namespace

void ComprobarRespuestas(const ExportacionSeneca& documento, const OpcionesLote& opciones) {
    const auto marcos = ListaMarcos(documento);
    // With a single frame (or none) the dialog is not shown and the flag is not needed.
    if (marcos.size() < 2) return;
    Elegir(marcos, opciones);
}

ResultadoMarcos ResponderDialogoMarcos(const ContextoMarcos& contexto, const OpcionesLote& opciones,
                                       Interlocutor&) {
    // An answer that is not valid would make the step ask forever: it ends the run instead.
    return Elegir(ListaMarcos(contexto.documento), opciones);
}

}  // namespace pasaplan::lote
