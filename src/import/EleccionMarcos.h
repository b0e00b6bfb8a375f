#pragma once
// The choice of one or two time frames ("Marcos Horarios"): the frame list that the dialog and
// pasaplan-lote show, building MarcosElegidos from a selection and judging it, and splitting the
// chosen text for the days-and-slots step. Shared by both front ends.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ejecucion/Interlocutor.h"
#include "text/Texto.h"

namespace pasaplan {

class ExportacionSeneca;

// One record of "JORNADAS_ESCOLARES", texts as stored (the dialog shows them untrimmed).
struct MarcoHorario {
    Texto codigo;               // dato 0
    Texto nombre;               // dato 1
    Texto fechaInicio;          // dato 2
    Texto fechaFin;             // dato 3
    std::vector<Texto> tramos;  // dato 1 of every slot whose dato 4 equals the code exactly
};

// Every frame record in document order, with its slot names.
std::vector<MarcoHorario> ListaMarcos(const ExportacionSeneca& documento);

extern const Utf8 kMensajeDemasiadosMarcos;
extern const Utf8 kMensajeNingunMarco;

// What closing the dialog with a selection gives: the fields of the dialog and the message to
// show when the choice is not valid.
struct JuicioMarcos {
    ResultadoMarcos resultado;
    std::optional<Utf8> mensaje;
};

// seleccionados: the codes of the selected list items, in list order. MarcosElegidos is built
// whatever the outcome, each code padded with blanks and cut to 10 characters.
JuicioMarcos JuzgarEleccion(const std::vector<Texto>& seleccionados);

// The code as it stands in MarcosElegidos: padded with blanks and cut to 10 characters.
Texto CodigoDiez(const Texto& codigo);

// The two frames named by a chosen text, trimmed: 20 characters give two, anything else one
// (the first 10 characters) and an empty second.
std::pair<Texto, Texto> DividirMarcosElegidos(const Texto& elegidos);

// "  CODE  name  (start - end), N tramos" one line per frame, UTF-8, for the batch messages.
Utf8 DescribirMarcos(const std::vector<MarcoHorario>& marcos);

}  // namespace pasaplan
