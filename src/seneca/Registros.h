#pragma once
// Séneca's records as the tool reads them: one struct per block, decoded once per document and
// shared by the import steps, the time-frame dialog, the batch command and the reports. Nothing
// outside this layer reads a value by its position.
//
// What every block keeps:
// - Values the tool has always read are taken by their position in the record, whatever their
//   name, as Séneca lists them in a fixed order per block; the comment of each field gives its
//   position and the name Séneca gives it. Values that no step reads are found by their name
//   (nombre_dato, compared exactly, the first such value of the record), and are empty when the
//   record has none: no position was ever fixed for them.
// - Every value is trimmed of blanks (character 32) at both ends; tabs and line breaks stay. An
//   absent position reads as the empty text.
// - A record with fewer than two values is left out, as every step skips it, except in the
//   frames and the slots (see there). numero counts every record of the block, short ones too,
//   so that a message points at the record a person finds in the file.
// - A block that is absent, or appears twice, gives the records of every block of that name,
//   in document order.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "text/Texto.h"

namespace pasaplan {

class ExportacionSeneca;

namespace seneca {

// The school year: the first two blocks of the document, whatever their name, with their own
// values (Séneca's first block, ANNO_ACADEMICO, carries them directly). Only those of the two
// with at least two values of their own are listed, in document order.
struct AnnoAcademico {
    size_t bloque = 0;  // 0 or 1
    Texto anno;         // 0: C_ANNO, the starting year (PERIODOS' CURSOANNO)
    Texto inicio;       // 1: F_INIHORREG, first day, dd/mm/yyyy as written
    Texto fin;          // 2: F_FINHORREG, last day; empty in a block of two values
};

// CURSOS_DEL_CENTRO.
struct Curso {
    size_t numero = 0;
    Texto clave;     // 0: X_OFERTAMATRIG, Séneca's course key
    Texto estudios;  // 1: D_OFERTAMATRIG, the name of the studies
};

// MATERIAS. Values 1 and 2 are the subject's code and name in either order, told apart by the
// name test (the value's markup from its 20th character, a prefix test, case counting): value
// 2 is the code when it passes the test for X_MATERIAOMG, else the name; then value 1 is the
// name when it passes the test for D_MATERIAC, else the code. Value 1 is taken last, so it wins
// when both land on the same field, and a record of two values has no value 2 to test.
struct Materia {
    size_t numero = 0;
    size_t valores = 0;      // how many values the record has: two or more
    Texto oferta;            // 0: X_OFERTAMATRIG, the course offer
    Texto codigo;            // X_MATERIAOMG, Séneca's subject code
    Texto nombre;            // D_MATERIAC, the subject's name
    bool conNombre = false;  // some value was taken as the name, even an empty one
};

// ACTIVIDADES.
struct Actividad {
    size_t numero = 0;
    Texto regular;  // 0: L_REGULAR, "S" or "N"
    Texto codigo;   // 1: X_ACTIVIDAD, Séneca's activity code
    Texto nombre;   // 2: D_ACTIVIDAD
    // By name: whether Séneca asks a unit and a subject of the activity's hours ("S"/"N").
    Texto requiereUnidad;   // L_REQUNIDAD
    Texto requiereMateria;  // L_REQMATERIA

    // Only an upper-case "N" marks an activity whose code Velmora keeps with "#" in front.
    bool ConAlmohadilla() const { return regular == "N"; }
    // The code as ASIGNOMT stores it (before the cut to the field's width).
    Texto CodigoVelmora() const;
};

// EMPLEADOS.
struct Empleado {
    size_t numero = 0;
    Texto clave;         // 0: X_EMPLEADO, Séneca's employee key
    Texto tomaPosesion;  // 1: F_TOMAPOS, dd/mm/yyyy as written
    Texto puesto;        // 2: D_PUESTO, the post
    Texto apellido1;     // 3: name part 1
    Texto apellido2;     // 4: name part 2
    Texto nombre;        // 5: name part 3, the first name

    // The three name parts in their order joined by single blanks, an empty part kept (two
    // blanks in a row): PROFT's NOMBRE.
    Texto NombreCompleto() const;
    // The first character of each name part, an empty part adding nothing: the abbreviation
    // before it is made unique.
    Texto BaseAbreviatura() const;
    // As a person reads a name: the first name, then the surnames, empty parts left out.
    Texto NombreParaLeer() const;
};

// DEPENDENCIAS.
struct Dependencia {
    size_t numero = 0;
    Texto clave;   // 0: X_DEPENDENCIA, Séneca's room key, Velmora's room code
    Texto nombre;  // 1: D_DEPENDENCIA
    Texto codigo;  // by name: C_DEPENDENCIA, the centre's own code, when Séneca gives it
};

// UNIDADES.
struct Unidad {
    size_t numero = 0;
    Texto clave;       // 0: X_UNIDAD, Séneca's unit key
    Texto nombre;      // 1: T_NOMBRE, e.g. "1º ESO A"; the steps do not read it
    Texto claveCurso;  // 2: X_OFERTAMATRIG; empty in a record of two values: no course
};

// A frame code as the slots step compares it: trimmed, cut to its first ten characters and
// trimmed again, so that codes alike in their first ten characters are one frame and a code
// whose tenth character is a blank still matches the chosen frame.
Texto CodigoMarcoCortado(std::string_view codigo);

// JORNADAS_ESCOLARES, one record per time frame. Every record is listed, short ones too: the
// frame list shows every record, and the slots step counts them all to decide whether to ask.
// The dialog shows the texts as stored, untrimmed.
struct Jornada {
    size_t numero = 0;
    size_t valores = 0;
    Texto codigo;  // 0: X_PLAJORESCCEN, the frame code
    Texto nombre;  // 1: the frame's name
    Texto inicio;  // 2: the frame's first day
    Texto fin;     // 3: its last day
    struct {
        Texto codigo, nombre, inicio, fin;
    } guardado;  // the same, untrimmed
};

// TRAMOS_HORARIOS, one record per time slot. Every record is listed, short ones too: the slots
// step takes the records as they come.
struct Tramo {
    size_t numero = 0;
    size_t valores = 0;
    Texto codigo;  // 0: X_TRAMO, the slot key
    Texto nombre;  // 1: T_HORCEN, the label ("1ª", "Recreo")
    Texto inicio;  // 2: N_INICIO, minutes after midnight, as written
    Texto fin;     // 3: N_FIN
    // The same as numbers (LeerMinutos: a "0" in front of a text shorter than four characters,
    // so the empty text is 0); empty when not a whole number of minutes.
    std::optional<int> minutosInicio;
    std::optional<int> minutosFin;
    Texto marco;  // 4: X_PLAJORESCCEN, the frame's code, cut as CodigoMarcoCortado cuts it
    struct {
        Texto nombre, marco;
    } guardado;  // values 1 and 4 untrimmed and uncut: the dialog compares them so
};

// The four catalogues, copied value for value; their integers are converted by the step that
// writes them, which names a value that is not one.
struct Origen {  // ORIGENES
    size_t numero = 0;
    Texto categoria;    // 0: X_CATORIHOR
    Texto codigo;       // 1: C_ORIHOR
    Texto descripcion;  // 2: D_ORIHOR
};
struct Nivel {  // NIVELES
    size_t numero = 0;
    Texto nivel;        // 0: X_NIVCONPAGLEG
    Texto codigo;       // 1: C_NIVCON
    Texto descripcion;  // 2: D_NIVCON
};
struct CursoNivel {  // CURSOS_NIVELES
    size_t numero = 0;
    Texto oferta;  // 0: X_OFERTAMATRIG, the course key
    Texto nivel;   // 1: X_NIVCONPAGLEG
};
struct Autorizacion {  // AUTORIZACIONES
    size_t numero = 0;
    Texto clave;      // 0: X_ORIHORACTETP
    Texto actividad;  // 1: X_ACTIVIDAD
    Texto categoria;  // 2: X_CATORIHOR
    Texto nivel;      // 3: X_NIVCONPAGLEG
};

// The records of each block, decoded the first time they are asked for and kept with the
// document: later readers of the same block share them.
const std::vector<AnnoAcademico>& AnnosAcademicos(const ExportacionSeneca& doc);
const std::vector<Curso>& Cursos(const ExportacionSeneca& doc);
const std::vector<Materia>& Materias(const ExportacionSeneca& doc);
const std::vector<Actividad>& Actividades(const ExportacionSeneca& doc);
const std::vector<Empleado>& Empleados(const ExportacionSeneca& doc);
const std::vector<Dependencia>& Dependencias(const ExportacionSeneca& doc);
const std::vector<Unidad>& Unidades(const ExportacionSeneca& doc);
const std::vector<Jornada>& Jornadas(const ExportacionSeneca& doc);
const std::vector<Tramo>& Tramos(const ExportacionSeneca& doc);
const std::vector<Origen>& Origenes(const ExportacionSeneca& doc);
const std::vector<Nivel>& Niveles(const ExportacionSeneca& doc);
const std::vector<CursoNivel>& CursosNiveles(const ExportacionSeneca& doc);
const std::vector<Autorizacion>& Autorizaciones(const ExportacionSeneca& doc);

// How many records a block has, short ones too: ORIGENES decides for the four catalogues by
// whether it has any at all.
size_t TotalRegistros(const ExportacionSeneca& doc, std::string_view bloque);

}  // namespace seneca
}  // namespace pasaplan
