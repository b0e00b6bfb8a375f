// The report's check of the staff: the same employee listed more than once.
#include <unordered_map>

#include "report/Revision.h"

namespace pasaplan::informe {

void RevisarPersonal(Revision& r) {
    const auto& registros = seneca::Empleados(r.doc);
    // PROFT has one row per record of two values or more, in the same order.
    const Tabla* proft = r.Abrir("PROFT", {"ABREV"});
    auto abreviatura = [&](size_t i) -> std::optional<Texto> {
        if (!proft || i >= proft->Filas()) return std::nullopt;
        return proft->LeerTexto(i, "ABREV");
    };

    std::unordered_map<Texto, size_t> primero;
    for (size_t i = 0; i < registros.size(); ++i) {
        const Texto& clave = registros[i].clave;
        if (clave.empty()) continue;
        const auto [it, nuevo] = primero.emplace(clave, i);
        if (nuevo) continue;
        const seneca::Empleado& antes = registros[it->second];
        const seneca::Empleado& ahora = registros[i];
        const Texto nombreAntes = antes.NombreParaLeer();
        const Texto nombreAhora = ahora.NombreParaLeer();

        Utf8 frase;
        if (nombreAntes == nombreAhora) {
            frase =
                (nombreAhora.empty() ? Utf8("El empleado ") : Entre(nombreAhora) + " (empleado ") +
                U(clave) + (nombreAhora.empty() ? Utf8() : Utf8(")")) +
                " ya aparece en el registro " + Utf8::Numero(antes.numero) + " de EMPLEADOS";
        } else {
            frase = "El empleado " + U(clave) +
                    " aparece dos veces con nombres distintos: " + Entre(nombreAntes) +
                    " en el registro " + Utf8::Numero(antes.numero) + " y " + Entre(nombreAhora) +
                    " en el " + Utf8::Numero(ahora.numero);
        }
        const auto abrevAntes = abreviatura(it->second);
        const auto abrevAhora = abreviatura(i);
        if (abrevAntes && abrevAhora) {
            frase += ": Velmora tendrá dos profesores, " + Entre(*abrevAntes) + " y " +
                     Entre(*abrevAhora) +
                     (nombreAntes == nombreAhora ? Utf8(", para una sola persona.")
                                                 : Utf8(", con la misma clave de Séneca."));
        } else {
            frase += ".";
        }
        r.Anadir(TipoHallazgo::EmpleadoRepetido, "EMPLEADOS", NumeroRegistro(ahora.numero), frase);
    }
}

}  // namespace pasaplan::informe
