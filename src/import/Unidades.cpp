// Step 7: the teaching units (GRUPOST), named from their course's level and course number.
#include <set>

#include "import/Pasos.h"
#include "platform/Error.h"
#include "seneca/Registros.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

// Abbreviations given so far in this step, compared without regard to letter case: the set
// holds them folded, so a lower-case letter counts as taken by its upper-case twin.
class AbreviaturasDadas {
  public:
    // The prefix followed by the first character, from "A" up to code 255, not yet given.
    Texto Siguiente(const Texto& prefijo) {
        for (int codigo = 'A'; codigo <= 255; ++codigo) {
            Texto candidata = prefijo + static_cast<char>(codigo);
            if (dadas_.insert(MayusculasCp1252(candidata)).second) return candidata;
        }
        throw ErrorPasaplan("No quedan letras de grupo para las unidades de abreviatura «" +
                            Cp1252AUtf8(prefijo) +
                            "»: hay demasiadas unidades con el mismo NIVEL y primer carácter "
                            "de CURSO. Revise los niveles y cursos (CURSOST).");
    }

  private:
    std::set<Texto> dadas_;
};

}  // namespace

void CargarUnidades(ContextoImportacion& ctx) {
    // The main window's own table object on CURSOST, opened exclusively.
    const auto cursos = Tabla::AbrirEn(ctx.Directorio(), "CursosT", Acceso::Exclusivo);
    auto grupos = CrearTablaPaso(
        ctx, "GRUPOST",
        {CampoTexto("ABREV", 10), CampoTexto("TURNO", 1), CampoTexto("NIVEL", 5),
         CampoTexto("CURSO", 3), CampoTexto("GRUPO", 2), CampoTexto("CLAVE", 10),
         CampoTexto("CLAVECURSO", 10), CampoTexto("DESCRIP", 80), CampoTexto("MARCO", 1)});
    AbreviaturasDadas dadas;
    for (const seneca::Unidad& unidadLeida : seneca::Unidades(ctx.documento)) {
        const Texto& unidad = unidadLeida.clave;
        const Texto& claveCurso = unidadLeida.claveCurso;

        Texto nivel, curso, estudios;
        if (const auto fila = cursos->Buscar({{"CLAVE", claveCurso}})) {
            nivel = cursos->LeerTexto(*fila, "NIVEL");
            curso = cursos->LeerTexto(*fila, "CURSO");
            estudios = cursos->LeerTexto(*fila, "ESTUD");
        }
        const Texto abreviatura = dadas.Siguiente(Left(nivel, 5) + Left(curso, 1));
        if (nivel.empty()) nivel = "NIV";

        const size_t fila = grupos->Agregar();
        grupos->PonerTexto(fila, "ABREV", abreviatura);
        grupos->PonerTexto(fila, "TURNO", "");
        grupos->PonerTexto(fila, "NIVEL", nivel);
        grupos->PonerTexto(fila, "CURSO", curso);
        grupos->PonerTexto(fila, "GRUPO", Right(abreviatura, 1));
        grupos->PonerTexto(fila, "CLAVE", unidad);
        grupos->PonerTexto(fila, "CLAVECURSO", claveCurso);
        grupos->PonerTexto(fila, "DESCRIP", estudios);
        grupos->PonerTexto(fila, "MARCO", "0");
        grupos->Grabar(fila);
    }
    CerrarTablaPaso(ctx, grupos);
}

}  // namespace pasaplan
