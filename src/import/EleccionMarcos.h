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

// A frame as the dialog lists it: one record of "JORNADAS_ESCOLARES" (seneca::Jornada), its
// texts as stored, untrimmed, with the names of its slots.
struct MarcoHorario {
    Texto codigo;
    Texto nombre;
    Texto fechaInicio;
    Texto fechaFin;
    // The name of every slot whose frame code, as stored, equals the code exactly: the dialog
    // compares them uncut.
    std::vector<Texto> tramos;
};

// Every frame record in document order, with its slot names.
std::vector<MarcoHorario> ListaMarcos(const ExportacionSeneca& documento);

// The frame whose name, dates and slots the dialog shows for a code: the last frame in the list
// with that code exactly, as the dialog reads every record and keeps the last that matches; nullptr
// when none has it.
const MarcoHorario* MarcoMostrado(const std::vector<MarcoHorario>& marcos, const Texto& codigo);

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
