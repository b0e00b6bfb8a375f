#pragma once
// The two modal dialogs of the import run, each shown by a function of its own unit.
#include "ejecucion/Interlocutor.h"

class QWidget;

namespace pasaplan {

// Unit Cursos: one showing of TControlCursos over CURSOST; the recovery question goes through
// interlocutor.
ResultadoCursos MostrarControlCursos(QWidget* propietario, const ContextoCursos& contexto,
                                     Interlocutor& interlocutor);

// Unit Plantihoras: one showing of TPlantillas.
ResultadoMarcos MostrarPlantillas(QWidget* propietario, const ContextoMarcos& contexto,
                                  Interlocutor& interlocutor);

}  // namespace pasaplan
