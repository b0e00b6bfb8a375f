#pragma once
// The import report: what the head of studies should check before building the timetable,
// read after an import run from the run's document and the tables it wrote. It changes
// nothing; a table the run did not get to write is simply not looked at.
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/Documento.h"
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

// Builds the report for the document of a run and the exchange directory it wrote into.
std::vector<Hallazgo> ElaborarInforme(const Documento& doc,
                                      const std::filesystem::path& directorioIntercambio);

// The short Spanish name of a kind ("Unidad mixta").
Utf8 NombreTipo(TipoHallazgo tipo);

// The report as text: the total, a count per kind present, then every finding.
Utf8 TextoInforme(const std::vector<Hallazgo>& hallazgos);

// The report as CSV: UTF-8 with a byte-order mark, ";" between fields, CRLF line ends, a header
// line "Tipo;Bloque o tabla;Registro;Descripción"; fields quoted where needed.
Utf8 CsvInforme(const std::vector<Hallazgo>& hallazgos);

// One CSV field: quoted (inner quotes doubled) when it holds ';', '"', CR or LF, or starts or
// ends with a blank.
Utf8 CampoCsv(std::string_view valor);

}  // namespace pasaplan
