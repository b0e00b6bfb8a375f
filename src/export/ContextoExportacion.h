#pragma once
// What the parts of the export run share: the open tables, the document being written
// and the period dates. Tables are owned here, so every end of the run closes them.
#include <memory>

#include "exchange/EscrituraDocumento.h"
#include "exchange/Tabla.h"
#include "export/HorasEscritas.h"
#include "export/OrigenHora.h"
#include "export/ResumenExportacion.h"
#include "text/Texto.h"

namespace pasaplan {

// The main window's table objects, opened exclusively in this order.
struct TablasExportacion {
    std::unique_ptr<Tabla> wwTableSoluc;     // SOLUC, Velmora's timetable
    std::unique_ptr<Tabla> wwTableGrupos;    // GRUPOST
    std::unique_ptr<Tabla> wwTableCursos;    // CURSOST, opened only
    std::unique_ptr<Tabla> wwTableProfesor;  // PROFT
    std::unique_ptr<Tabla> wwTableAulas;     // AULAT, opened only
    std::unique_ptr<Tabla> wwTableNomAsg;    // ASIGNOMT
    std::unique_ptr<Tabla> wwTableNomAsg_2;  // ASIGNOMT2
    std::unique_ptr<Tabla> wwTableTramos;    // DIASHORAST
    std::unique_ptr<Tabla> wwTableAsig;      // ASIGT
};

struct ContextoExportacion {
    EscrituraDocumento& salida;  // the result document's BLOQUE_DATOS, being written
    TablasExportacion& tablas;
    Texto inicioPeriodo;                         // F_INICIO of PERIODOS' first row
    Texto finPeriodo;                            // F_FIN
    const CatalogosOrigen* catalogos = nullptr;  // null when the catalogues are not available
    ResumenExportacion* resumen = nullptr;
};

enum class TipoSeccion { NoRegular, Regular };

// Writes one section group (and a professor group per PROFT row) into BLOQUE_DATOS.
void EscribirSeccion(ContextoExportacion& ctx, TipoSeccion tipo);

// The DIASHORAST row of SOLUC's row filaSoluc: DIHO equal to DIA (as text) followed by HORA
// (as a whole number) and MARCO equal to the first character of SOLUC's MARCO. With hora, its
// DIA, HORA and MARCO as the lookup read them, and the row found, are kept there.
std::optional<size_t> BuscarTramo(const ContextoExportacion& ctx, size_t filaSoluc,
                                  HoraEscrita* hora = nullptr);

// Writes the dato elements of the regular entry at SOLUC's row filaSoluc into the activity
// group being written; hora receives what was read and written.
void RellenarActividadRegular(ContextoExportacion& ctx, size_t filaSoluc, HoraEscrita& hora);

// The PROFT rows, the DIASHORAST rows and the SOLUC rows of a PROF no PROFT row carries, into
// the summary's record of what was written (after both sections).
void AnotarTablasEscritas(const TablasExportacion& tablas, HorasEscritas& escritas);

// Clock minutes of a time text ("08:30" and "8:30" give 510; the empty text gives 0). A part
// that is not a whole number is an error; donde says where the text comes from.
long long MinutosReloj(std::string_view hora, const Utf8& donde);

}  // namespace pasaplan
