#pragma once
// The export run's summary, filled by its parts and read by the front ends and the review of
// the timetable.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "export/HorasEscritas.h"
#include "text/Texto.h"

namespace pasaplan {

// What the run wrote.
struct ResumenExportacion {
    std::filesystem::path documento;  // the result file
    bool reemplazado = false;         // an earlier result file of that name was replaced
    size_t profesores = 0;
    size_t regulares = 0;
    size_t noRegulares = 0;
    // Regular activities that went out with an empty value Séneca needs, by dato name
    // (X_TRAMO, X_UNIDAD, X_OFERTAMATRIG, X_MATERIAOMG), with a description of the first one.
    // The review of the timetable counts them, knowing which activities need what.
    struct Vacios {
        std::string dato;
        size_t cuantas = 0;
        Utf8 primera;
    };
    std::vector<Vacios> vacios;
    // Every hour as written, with the rows it points into.
    HorasEscritas escritas;
};

}  // namespace pasaplan

namespace pasaplan {

// What an activity needs besides its slot: a unit (and so a course), a subject.
struct RequisitosActividad {
    bool unidad = true;
    bool materia = true;
};

// Counts the regular hours written without X_TRAMO, and without X_UNIDAD, X_OFERTAMATRIG or
// X_MATERIAOMG where their activity needs them (a course where it needs a unit or a subject),
// into resumen.vacios, with the first of each. requisitos: what an X_ACTIVIDAD needs; without
// it every activity needs both.
void ContarVacios(ResumenExportacion& resumen,
                  const std::function<RequisitosActividad(const Texto&)>& requisitos = {});

// Where a regular hour came from, as the summary names it: "profesor «GLM», día 5, hora 1,
// marco «0», ASIG «MAT», CODGRUPO «1ESOA»".
Utf8 DescribirHora(const HoraEscrita& hora);

}  // namespace pasaplan
