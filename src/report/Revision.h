#pragma once
// What the checks of the import report share: the document's blocks, the tables of the
// exchange directory (each opened once, only when it exists), and the findings so far.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "exchange/ExportacionSeneca.h"
#include "exchange/Tabla.h"
#include "report/Hallazgo.h"
#include "seneca/Registros.h"

namespace pasaplan::informe {

// A course as the run knows it: from CURSOST when the run wrote it, else from the export.
struct Curso {
    Texto clave;
    Texto estudios;
    Texto nivel;  // empty when only the export was read
    Texto curso;
    bool deTabla = false;
    size_t numero = 0;  // CURSOST row or CURSOS_DEL_CENTRO record, 1-based
};

class Revision {
  public:
    Revision(const ExportacionSeneca& doc, std::filesystem::path directorio);

    const ExportacionSeneca& doc;

    // The records of MATERIAS, as the subjects step reads them.
    const std::vector<seneca::Materia>& Materias() const { return seneca::Materias(doc); }

    // The table when its file exists and holds every field named; nullptr otherwise. A file
    // that cannot be read becomes a finding of its own and counts as missing.
    const Tabla* Abrir(const std::string& nombre, std::initializer_list<const char*> campos);

    // The courses (CURSOST when present, else CURSOS_DEL_CENTRO) and the first one per key.
    const std::vector<Curso>& Cursos();
    const Curso* CursoDeClave(const Texto& clave);

    void Anadir(TipoHallazgo tipo, std::string bloqueOTabla, Texto registro, Utf8 frase);
    std::vector<Hallazgo> Tomar();

  private:
    std::filesystem::path directorio_;
    std::map<std::string, std::unique_ptr<Tabla>> tablas_;  // nullptr: missing
    std::optional<std::vector<Curso>> cursos_;
    struct HashTexto {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<Texto, size_t, HashTexto, std::equal_to<>> cursoPorClave_;
    std::vector<Hallazgo> hallazgos_;
};

// ---- texts of the sentences ----
// «text», the Windows-1252 text turned into UTF-8.
Utf8 Entre(const Texto& texto);
Utf8 U(const Texto& texto);
Texto NumeroRegistro(size_t n);  // "registro 57"
Texto NumeroFila(size_t n);      // "fila 3"
// "a", "a y b", "a, b y c"
Utf8 Enumerar(const std::vector<Utf8>& partes);
// "dos", "tres"... up to "diez", then digits.
Utf8 Cantidad(size_t n);
// A subject, a unit or a course named for a person: «name» (key), or the key alone.
Utf8 ConNombre(const Texto& nombre, const Texto& clave);

// The checks, one family per file.
void RevisarMaterias(Revision& r);   // subjects, activities, codes, assignments
void RevisarPersonal(Revision& r);   // staff
void RevisarUnidades(Revision& r);   // courses and units
void RevisarTramos(Revision& r);     // time slots
void RevisarCatalogos(Revision& r);  // Séneca catalogues

}  // namespace pasaplan::informe
