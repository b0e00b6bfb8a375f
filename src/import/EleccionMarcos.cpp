#include "import/EleccionMarcos.h"

#include "seneca/Registros.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {

const Utf8 kMensajeDemasiadosMarcos =
    "Demasiados Marcos Horarios seleccionados.\r\nComo máximo puede seleccionar 2 Marcos Horarios";
const Utf8 kMensajeNingunMarco = "Debe al menos seleccionar 1 Marco Horario.";

std::vector<MarcoHorario> ListaMarcos(const ExportacionSeneca& documento) {
    std::vector<MarcoHorario> marcos;
    for (const seneca::Jornada& j : seneca::Jornadas(documento)) {
        marcos.push_back(MarcoHorario{
            j.guardado.codigo, j.guardado.nombre, j.guardado.inicio, j.guardado.fin, {}});
    }
    // A lone slot is listed too: hiding the only slot of an export helps nobody.
    for (const seneca::Tramo& t : seneca::Tramos(documento)) {
        for (MarcoHorario& m : marcos) {
            if (m.codigo == t.guardado.marco) m.tramos.push_back(t.guardado.nombre);
        }
    }
    return marcos;
}

const MarcoHorario* MarcoMostrado(const std::vector<MarcoHorario>& marcos, const Texto& codigo) {
    const MarcoHorario* mostrado = nullptr;
    for (const MarcoHorario& m : marcos) {
        if (m.codigo == codigo) mostrado = &m;
    }
    return mostrado;
}

Texto CodigoDiez(const Texto& codigo) { return Left(codigo + "          ", 10); }

JuicioMarcos JuzgarEleccion(const std::vector<Texto>& seleccionados) {
    JuicioMarcos juicio;
    juicio.resultado.EleccionValida = true;
    if (seleccionados.size() > 2) {
        juicio.mensaje = kMensajeDemasiadosMarcos;
        juicio.resultado.EleccionValida = false;
    } else if (seleccionados.empty()) {
        juicio.mensaje = kMensajeNingunMarco;
        juicio.resultado.EleccionValida = false;
    }
    for (const Texto& codigo : seleccionados) juicio.resultado.MarcosElegidos += CodigoDiez(codigo);
    return juicio;
}

std::pair<Texto, Texto> DividirMarcosElegidos(const Texto& elegidos) {
    if (elegidos.size() == 20) {
        return {AllTrim(elegidos.substr(0, 10)), AllTrim(elegidos.substr(10, 10))};
    }
    return {AllTrim(Left(elegidos, 10)), Texto()};
}

Utf8 DescribirMarcos(const std::vector<MarcoHorario>& marcos) {
    Utf8 texto = "Marcos horarios de la exportación (código, nombre, fechas, tramos):\n";
    for (const MarcoHorario& m : marcos) {
        const size_t n = m.tramos.size();
        texto += "  " + Cp1252AUtf8(AllTrim(m.codigo)) + "  " + Cp1252AUtf8(AllTrim(m.nombre));
        if (!EnBlanco(m.fechaInicio) || !EnBlanco(m.fechaFin)) {
            texto += "  (" + Cp1252AUtf8(AllTrim(m.fechaInicio)) + " - " +
                     Cp1252AUtf8(AllTrim(m.fechaFin)) + ")";
        }
        texto += ", " + Utf8::Numero(n) + (n == 1 ? Utf8(" tramo\n") : Utf8(" tramos\n"));
    }
    return texto;
}

}  // namespace pasaplan
