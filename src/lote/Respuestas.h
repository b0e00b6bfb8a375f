#pragma once
// How pasaplan-lote answers the dialogs and reports, each in a file of its own.
#include <ostream>

#include "ejecucion/Interlocutor.h"
#include "export/Exportacion.h"
#include "lote/Opciones.h"

namespace pasaplan::lote {

// Before the first step: checks the answers that can be checked against the export (--marcos).
// Throws ErrorPasaplan, so no table is touched.
void ComprobarRespuestas(const ExportacionSeneca& documento, const OpcionesLote& opciones);

// Before the first step: the --niveles file can be read and has the header CLAVE;NIVEL;CURSO.
// Throws ErrorPasaplan naming the file and the line.
void ComprobarNiveles(const OpcionesLote& opciones);

// One "showing" of the course levels dialog, answered from --niveles / --recuperar.
class InterlocutorLote;
ResultadoCursos ResponderDialogoCursos(const ContextoCursos& contexto, const OpcionesLote& opciones,
                                       InterlocutorLote& interlocutor, std::ostream& salida);

// One "showing" of the time-frame dialog, answered from --marcos.
ResultadoMarcos ResponderDialogoMarcos(const ContextoMarcos& contexto, const OpcionesLote& opciones,
                                       Interlocutor& interlocutor);

// The summary printed after an export run.
void ImprimirResumenExportacion(const ResumenExportacion& resumen, std::ostream& salida);

}  // namespace pasaplan::lote
