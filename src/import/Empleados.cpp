// Step 5: the staff of block "EMPLEADOS" into PROFT, each with an abbreviation unique without
// regard to letter case.
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "import/Pasos.h"
#include "seneca/Registros.h"
#include "text/Cp1252.h"

namespace pasaplan {

namespace {

std::vector<Campo> CamposProft() {
    return {CampoTexto("ABREV", 10), CampoTexto("NOMBRE", 80),     CampoTexto("DEPART", 40),
            CampoEntero("DNI"),      CampoTexto("X_EMPLEADO", 10), CampoTexto("F_TOMAPOS", 10),
            CampoTexto("EMAIL", 100)};
}

}  // namespace

void CargarEmpleados(ContextoImportacion& ctx) {
    auto proft = CrearTablaPaso(ctx, "PROFT", CamposProft());
    // Abbreviations given so far, folded to Windows-1252 upper case: "glm" and "GLM" are one.
    std::unordered_set<Texto> dadas;
    // For each base, the last number it was given: every lower one is in dadas, which only
    // grows, so the next search starts past it (a large staff repeats many initials).
    std::unordered_map<Texto, unsigned long> numeradas;

    for (const seneca::Empleado& empleado : seneca::Empleados(ctx.documento)) {
        const Texto base = empleado.BaseAbreviatura();
        Texto abreviatura = base;
        if (dadas.contains(MayusculasCp1252(abreviatura))) {
            unsigned long& n = numeradas[base];
            do {
                abreviatura = base + Texto::Numero(++n);
            } while (dadas.contains(MayusculasCp1252(abreviatura)));
        }
        dadas.insert(MayusculasCp1252(abreviatura));

        const size_t fila = proft->Agregar();
        proft->PonerTexto(fila, "ABREV", abreviatura);
        proft->PonerTexto(fila, "NOMBRE", empleado.NombreCompleto());
        proft->PonerTexto(fila, "X_EMPLEADO", empleado.clave);
        proft->PonerTexto(fila, "F_TOMAPOS", empleado.tomaPosesion);
        proft->PonerTexto(fila, "DEPART", empleado.puesto);
        proft->Grabar(fila);
    }

    CerrarTablaPaso(ctx, proft);
}

}  // namespace pasaplan
