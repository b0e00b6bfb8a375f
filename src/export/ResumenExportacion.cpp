// The summary's counts of regular hours written without a key Séneca needs.
#include "export/ResumenExportacion.h"

#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {

Utf8 DescribirHora(const HoraEscrita& h) {
    return "profesor «" + Cp1252AUtf8(h.prof) + "», día " + Cp1252AUtf8(h.dia) + ", hora " +
           Cp1252AUtf8(h.hora) + ", marco «" + Cp1252AUtf8(h.marco) + "», ASIG «" +
           Cp1252AUtf8(h.asig) + "», CODGRUPO «" + Cp1252AUtf8(h.grupo) + "»";
}

void ContarVacios(ResumenExportacion& resumen,
                  const std::function<RequisitosActividad(const Texto&)>& requisitos) {
    resumen.vacios = {{"X_TRAMO", 0, {}},
                      {"X_UNIDAD", 0, {}},
                      {"X_OFERTAMATRIG", 0, {}},
                      {"X_MATERIAOMG", 0, {}}};
    auto anotar = [&](ResumenExportacion::Vacios& vacio, const HoraEscrita& hora) {
        if (vacio.cuantas++ == 0) vacio.primera = DescribirHora(hora);
    };
    for (const HoraEscrita& hora : resumen.escritas.horas) {
        if (hora.seccion != SeccionHora::Regular) continue;
        const RequisitosActividad pide =
            requisitos ? requisitos(hora.actividad) : RequisitosActividad{};
        if (EnBlanco(hora.xTramo)) anotar(resumen.vacios[0], hora);
        if (pide.unidad && EnBlanco(hora.unidad)) anotar(resumen.vacios[1], hora);
        if ((pide.unidad || pide.materia) && EnBlanco(hora.curso)) {
            anotar(resumen.vacios[2], hora);
        }
        if (pide.materia && EnBlanco(hora.materia)) anotar(resumen.vacios[3], hora);
    }
}

}  // namespace pasaplan
