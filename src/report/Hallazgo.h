#pragma once
// One finding of the import report: what the checks produce and the report lists.
#include <string>

#include "text/Texto.h"

namespace pasaplan {

// In the order the report lists them (the order in which the run meets the data).
enum class TipoHallazgo {
    NivelesSinGuardar,       // the course levels dialog could not recover from or save to CURSOST2
    MateriaSinCurso,         // a MATERIAS record whose course is not among the courses
    MateriaSinNombre,        // a MATERIAS record skipped for its empty name
    CodigoActividadCortado,  // an activity code longer than COD's ten characters
    CodigoRepetido,          // one COD on several ASIGNOMT rows
    EmpleadoRepetido,        // the same X_EMPLEADO twice
    UnidadSinCurso,          // a unit whose course key matched no course
    UnidadSinNivel,          // a unit whose course was left without NIVEL or CURSO
    UnidadMixta,             // one unit key under several course keys
    CursoSinUnidades,        // a course that no unit belongs to
    MateriaSinAsignacion,    // an ASIGNOMT subject that no ASIGT row uses
    TramoInvertido,          // a slot in use whose end lies before its start
    TramoRecreo,             // a break slot in use: it is an ordinary hour in DIASHORAST
    CatalogoAusente,         // a catalogue the export run needs is missing
    CursoSinNivelSeneca,     // a course missing from the CURSOS_NIVELES catalogue
    TablaIlegible,           // a table the report could not read
};

struct Hallazgo {
    TipoHallazgo tipo;
    std::string bloqueOTabla;  // "MATERIAS", "GRUPOST"...
    Texto registro;            // "registro 57", "fila 3", "clave 3174019"; may be empty
    Utf8 frase;                // one Spanish sentence for the person in front of the tool
};

}  // namespace pasaplan
