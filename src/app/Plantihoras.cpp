// Placeholder until the time-frame selection dialog is written.
#include "app/Dialogos.h"

namespace pasaplan {

ResultadoMarcos MostrarPlantillas(QWidget*, const ContextoMarcos&, Interlocutor&) { return {}; }

}  // namespace pasaplan
