#pragma once
// Block MATERIAS as the subjects step, the assignments step and the import report read it,
// worked out once per document and shared by the three: at a large school's scale each
// reading of the block costs as much as a step.
#include <cstddef>
#include <vector>

#include "exchange/ExportacionSeneca.h"
#include "text/Texto.h"

namespace pasaplan {

struct MateriaLeida {
    size_t numero = 0;   // 1-based, counting every record of the block
    size_t valores = 0;  // how many values the record has: two or more
    Texto oferta;        // value 1, the course offer
    // Values 2 and 3 are the code and the name in either order, told apart by their names:
    // value 3 is the code when so named, else the name; value 2 is the name when so named,
    // else the code, and is read last, so it wins when both land on the same text.
    Texto codigo;
    Texto nombre;
    bool conNombre = false;  // some value was taken as the name, even an empty one
};

// The records of two values or more, in document order; values trimmed as Valor trims them.
const std::vector<MateriaLeida>& MateriasLeidas(const ExportacionSeneca& doc);

}  // namespace pasaplan
