#pragma once
// What the export run wrote, hour by hour, as the sections emitted it, with the tables' rows
// the hours point into. The review of the timetable and each teacher's week grid read these
// values instead of working them out a second time.
#include <compare>
#include <cstddef>
#include <optional>
#include <vector>

#include "text/Texto.h"

namespace pasaplan {

enum class SeccionHora { NoRegular, Regular };

// A PROFT row, in stored order: professor group n of both sections is row n - 1.
struct ProfesorEscrito {
    Texto abrev;            // ABREV, Velmora's code, selecting SOLUC's PROF
    Texto nombre;           // NOMBRE
    Texto empleado;         // X_EMPLEADO as written
    Texto tomaPosesion;     // F_TOMAPOS as written
    size_t sinColocar = 0;  // its SOLUC rows with DIA 0 or blank, which neither section writes
};

// A DIASHORAST row, in stored order, as the slot lookup reads it.
struct TramoLeido {
    Texto diho;     // DIHO: DIA followed by HORA
    Texto coddiho;  // CODDIHO: Séneca's X_TRAMO
    Texto dia;      // DIA: N_DIASEMANA
    Texto hora;     // HORA
    Texto desde;    // HORADESDE, "08:00"
    Texto hasta;    // HORAHASTA
    Texto marco;    // MARCO
};

// One activity group as written, with the SOLUC row it came from.
struct HoraEscrita {
    SeccionHora seccion = SeccionHora::Regular;
    size_t profesor = 0;   // PROFT row (0-based) of the professor group it went into
    size_t filaSoluc = 0;  // SOLUC row, 0-based
    size_t numero = 0;     // m of its seq ACTIVIDAD_m
    // SOLUC's row as read (DIA and HORA as the numbers' own texts, "1" however stored).
    Texto prof, dia, hora, marco, asig, grupo;
    std::optional<size_t> tramo;  // TramoLeido (DIASHORAST row) of the slot lookup
    // The values written. A non-regular hour has only actividad and minutos.
    Texto diaSemana;           // N_DIASEMANA
    Texto xTramo;              // X_TRAMO
    Texto dependencia;         // X_DEPENDENCIA
    Texto unidad;              // X_UNIDAD
    Texto curso;               // X_OFERTAMATRIG
    Texto materia;             // X_MATERIAOMG
    Texto actividad;           // X_ACTIVIDAD
    Texto autorizacion;        // X_ORIHORACTETP; empty when not written
    long long horaInicio = 0;  // N_HORINI
    long long horaFin = 0;     // N_HORFIN
    long long minutos = 0;     // N_MINSEN
    // F_INICIO and F_FIN are the run's period, the same for every regular hour.
};

// A SOLUC row of a PROF that no PROFT row carries: no section writes it.
struct HoraSinProfesor {
    size_t filaSoluc = 0;
    Texto prof, dia, hora, marco, asig, grupo;
    bool colocada = false;  // DIA neither 0 nor blank
};

struct HorasEscritas {
    Texto anno;           // C_ANNO as written
    Texto inicioPeriodo;  // F_INICIO of every regular hour
    Texto finPeriodo;     // F_FIN
    bool periodosConFilas = false;
    Texto cursoPeriodos;  // CURSOANNO of PERIODOS' first row, when it has the field
    std::vector<ProfesorEscrito> profesores;
    std::vector<TramoLeido> tramos;
    std::vector<HoraEscrita> horas;  // in document order: the non-regular section, then the regular
    std::vector<HoraSinProfesor> sinProfesor;  // in SOLUC's order
};

// How a finding names an hour, and how a teacher's week grid finds the findings of a cell:
// Velmora's codes as SOLUC holds them. Empty day and slot for a finding about a teacher or a code.
struct ClaveHora {
    Texto prof;   // PROF
    Texto dia;    // DIA as read
    Texto hora;   // HORA as read
    Texto marco;  // first character of MARCO: the slot's time frame
    Texto grupo;  // CODGRUPO
    Texto asig;   // ASIG
    auto operator<=>(const ClaveHora&) const = default;
};

inline ClaveHora ClaveDe(const HoraEscrita& h) {
    return {h.prof, h.dia, h.hora, h.marco, h.grupo, h.asig};
}
inline ClaveHora ClaveDe(const HoraSinProfesor& h) {
    return {h.prof, h.dia, h.hora, h.marco, h.grupo, h.asig};
}

}  // namespace pasaplan
