#pragma once
// The import report: what the head of studies should check before building the timetable,
// read after an import run from the run's document and the tables it wrote. It changes
// nothing; a table the run did not get to write is simply not looked at.
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/ExportacionSeneca.h"
#include "report/Hallazgo.h"
#include "text/Texto.h"

namespace pasaplan {

// Builds the report for the document of a run and the exchange directory it wrote into.
std::vector<Hallazgo> ElaborarInforme(const ExportacionSeneca& doc,
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
Utf8 CampoCsv(const Utf8& valor);

}  // namespace pasaplan
