#pragma once
// What the course levels dialog does to the tables, shared by the window (TControlCursos) and
// the batch command: recovering earlier codifications from CURSOST2, the completeness check of
// CURSOST and keeping the confirmed codifications in CURSOST2.
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "ejecucion/Interlocutor.h"
#include "exchange/Tabla.h"

namespace pasaplan {

// The fields of CURSOST and CURSOST2, in order.
const std::vector<Campo>& CamposCursos();

// FormShow: opens CURSOST of directorio (RecuperarCodificaciones follows).
std::unique_ptr<Tabla> AbrirCursos(const std::filesystem::path& directorio);

// What the person answered in the course levels dialog: the recovery question (asked only when
// CURSOST2 exists) and NIVEL and CURSO per course key, in the order given. The window posts
// every cell as it is typed, so it reaches OK with no codes left to give; the batch command
// gives those of its --niveles file.
struct NivelCurso {
    Texto clave, nivel, curso;
};
struct RespuestasCursos {
    bool recuperar = false;
    std::vector<NivelCurso> niveles;
};

// Whether CURSOST2 exists, so that FormShow asks the recovery question.
bool HayCodificacionesAnteriores(const std::filesystem::path& directorio);

// FormShow with the recovery question answered (nothing when CURSOST2 does not exist): true
// copies NIVEL and CURSO of every course whose CLAVE is in CURSOST2 (first row, exact, case
// significant) and posts it; false deletes CURSOST2.DBF.
void RecuperarCodificaciones(Tabla& cursos, const std::filesystem::path& directorio,
                             bool recuperar);
// The same, asking the question through interlocutor when CURSOST2 exists.
void RecuperarCodificaciones(Tabla& cursos, const std::filesystem::path& directorio,
                             Interlocutor& interlocutor);

// The recovery as the dialog's FormShow makes it: an engine error ends only that event, told
// through interlocutor.ErrorEnDialogo, and the dialog goes on with CURSOST as it stands.
void RecuperarOAvisar(Tabla& cursos, const std::filesystem::path& directorio, bool recuperar,
                      Interlocutor& interlocutor);

// Both of the above.
std::unique_ptr<Tabla> AbrirCursosYRecuperar(const std::filesystem::path& directorio,
                                             Interlocutor& interlocutor);

// A course is incomplete when its NIVEL or its CURSO is empty once blanks and control
// characters are removed from both ends.
bool CursoIncompleto(const Tabla& cursos, size_t fila);
std::optional<size_t> PrimerCursoIncompleto(const Tabla& cursos);
std::vector<size_t> CursosIncompletos(const Tabla& cursos);

// Keeps the codifications of a complete CURSOST in CURSOST2: a key already there gets the new
// NIVEL and CURSO (its ABREV, TURNO and ESTUD stay), a new key is appended with the whole
// course. CURSOST2 is created when missing. The new table is written whole beside the old one
// and renamed over it, so an interrupted save leaves the old table or the new one.
void GuardarCodificaciones(const Tabla& cursos, const std::filesystem::path& directorio);

// What OK leaves: FaltaDato, the incomplete courses (rows of CURSOST, in table order) and the
// answers whose key no course has (positions in the answers). OK closes the dialog whatever
// saving CURSOST2 did, so an engine error there comes back here, for the front end to show.
struct AceptacionCursos {
    int FaltaDato = 0;
    std::vector<size_t> incompletos;
    std::vector<size_t> sinCurso;
    std::optional<Utf8> errorAlGuardar;
};

// OK, for both front ends: every course whose key was answered takes that NIVEL and CURSO and
// is posted; then FaltaDato 1 when a course is incomplete (CURSOST2 untouched), otherwise
// FaltaDato 0 and the codifications are kept in CURSOST2.
AceptacionCursos AceptarCursos(Tabla& cursos, const std::filesystem::path& directorio,
                               const std::vector<NivelCurso>& niveles = {});

// OK's failed save, told through interlocutor.ErrorEnDialogo; nothing when the save went well.
void AvisarErrorAlGuardar(const AceptacionCursos& aceptacion, Interlocutor& interlocutor);

}  // namespace pasaplan
