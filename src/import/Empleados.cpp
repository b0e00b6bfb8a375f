// Step 5: the staff of block "EMPLEADOS" into PROFT, each with an abbreviation unique without
// regard to letter case.
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "import/Pasos.h"
#include "text/Cp1252.h"

namespace pasaplan {

namespace {

std::vector<Campo> CamposProft() {
    return {CampoTexto("ABREV", 10), CampoTexto("NOMBRE", 80),     CampoTexto("DEPART", 40),
            CampoEntero("DNI"),      CampoTexto("X_EMPLEADO", 10), CampoTexto("F_TOMAPOS", 10),
            CampoTexto("EMAIL", 100)};
}

Texto PrimeraLetra(const Texto& parte) { return parte.substr(0, 1); }

}  // namespace

void CargarEmpleados(ContextoImportacion& ctx) {
    auto proft = CrearTablaPaso(ctx, "PROFT", CamposProft());
    // Abbreviations given so far, folded to Windows-1252 upper case: "glm" and "GLM" are one.
    std::unordered_set<Texto> dadas;
    // For each base, the last number it was given: every lower one is in dadas, which only
    // grows, so the next search starts past it (a large staff repeats many initials).
    std::unordered_map<Texto, unsigned long> numeradas;

    for (const Grupo& registro : ctx.documento.Registros("EMPLEADOS")) {
        const auto& datos = registro.Datos();
        if (datos.size() < 2) continue;
        // Positions a short record lacks read as empty text.
        const Texto parte1 = Valor(datos, 3);
        const Texto parte2 = Valor(datos, 4);
        const Texto parte3 = Valor(datos, 5);

        const Texto base = PrimeraLetra(parte1) + PrimeraLetra(parte2) + PrimeraLetra(parte3);
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
        proft->PonerTexto(fila, "NOMBRE", parte1 + " " + parte2 + " " + parte3);
        proft->PonerTexto(fila, "X_EMPLEADO", Valor(datos, 0));
        proft->PonerTexto(fila, "F_TOMAPOS", Valor(datos, 1));
        proft->PonerTexto(fila, "DEPART", Valor(datos, 2));
        proft->Grabar(fila);
    }

    CerrarTablaPaso(ctx, proft);
}

}  // namespace pasaplan
