#pragma once
// One finding of the review of the timetable for Séneca: what the review produces, the batch
// command and the window list, and a teacher's week grid marks in its cells.
#include <cstddef>
#include <optional>

#include "export/HorasEscritas.h"
#include "text/Texto.h"

namespace pasaplan {

enum class NivelRevision {
    Rechazo,  // Séneca will refuse it, or it is not in the document
    Revisar,  // it deserves a look
};

// In the order the review lists their counts: the refusals and losses first.
enum class TipoRevision {
    ProfesorDesconocido,      // placed hours of a PROF no PROFT row carries: not written
    EmpleadoDesconocido,      // an X_EMPLEADO the chosen file's EMPLEADOS lacks
    TablasDeOtraExportacion,  // most employees missing: the tables come from another export
    OtroCursoEscolar,         // C_ANNO against PERIODOS' CURSOANNO
    EmpleadoEnDosGrupos,      // one X_EMPLEADO in two professor groups
    HoraSinTramo,             // a regular hour with X_TRAMO empty
    NoRegularSinTramo,        // a non-regular hour whose slot is not found: 0 minutes
    HoraSinFechas,            // a regular hour with F_INICIO or F_FIN empty
    HoraSinUnidad,            // its activity needs a unit and X_UNIDAD is empty
    HoraSinMateria,           // its activity needs a subject and X_MATERIAOMG is empty
    MateriaDeOtroCurso,       // (X_OFERTAMATRIG, X_MATERIAOMG) is not a pair of MATERIAS
    UnidadDeOtroCurso,        // (X_UNIDAD, X_OFERTAMATRIG) is not a pair of UNIDADES
    DependenciaDesconocida,   // X_DEPENDENCIA not a key of DEPENDENCIAS
    ActividadDesconocida,     // X_ACTIVIDAD not a key of ACTIVIDADES
    ActividadDeOtraSeccion,   // a regular hour of a non-regular activity, or the reverse
    HoraRepetida,             // one teacher, the same day, slot, unit, subject and room twice
    HorasSinColocar,          // a teacher's hours with DIA 0 or blank, which no section writes
};

struct HallazgoHorario {
    TipoRevision tipo = TipoRevision::HoraSinTramo;
    NivelRevision nivel = NivelRevision::Rechazo;
    // Velmora's codes of the hour; day and slot empty for a finding about a teacher or a code.
    ClaveHora clave;
    Texto nombreProfesor;             // NOMBRE of PROFT; empty when no PROFT row carries the code
    Utf8 dia;                         // "Lunes" (DIA 1 is Monday), or DIA as read
    Utf8 tramo;                       // "08:00-09:00", or HORA as read
    std::optional<size_t> filaSoluc;  // SOLUC row (0-based) of an hour
    Utf8 frase;                       // one Spanish sentence: what is wrong, what Séneca will do
};

}  // namespace pasaplan
