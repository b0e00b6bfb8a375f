#pragma once
// The hour-origin authorisation of a regular activity, from Séneca's catalogues ORIGENES_C,
// CUR_NIV_C and AUTORIZA_C.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <tuple>

#include "exchange/Tabla.h"
#include "text/Texto.h"

namespace pasaplan {

// A text compared with a whole-number catalogue field: its value when it is one (blanks around
// it allowed, an optional sign, decimal digits), nothing otherwise. "007" is 7.
std::optional<long long> EnteroDeClave(std::string_view texto);

class CatalogosOrigen {
  public:
    // The catalogues are available when ORIGENES_C.DBF exists and has rows; CUR_NIV_C and
    // AUTORIZA_C are then opened too (missing ones are an error). Otherwise nothing.
    static std::unique_ptr<CatalogosOrigen> Abrir(const std::filesystem::path& directorio);

    // X_ORIHORACTETP for the course key, the hour-origin code (CCONCIERTO) and the activity
    // code; empty as soon as the level, the category or the authorisation is blank or not
    // found. A key that is not a whole number finds nothing in the whole-number fields.
    Texto Autorizacion(std::string_view curso, std::string_view concierto,
                       std::string_view actividad) const;

  private:
    CatalogosOrigen(std::unique_ptr<Tabla> origenes, std::unique_ptr<Tabla> cursosNiveles,
                    std::unique_ptr<Tabla> autorizaciones);

    Texto Nivel(std::string_view curso) const;
    Texto Categoria(std::string_view concierto) const;
    Texto Autorizada(std::string_view actividad, std::string_view categoria,
                     std::string_view nivel) const;

    std::unique_ptr<Tabla> origenes_;
    std::unique_ptr<Tabla> cursosNiveles_;
    std::unique_ptr<Tabla> autorizaciones_;
    // First row per numeric key, built on first use (the tables do not change during a run).
    mutable std::optional<std::map<long long, size_t>> porCurso_;
    mutable std::optional<std::map<std::tuple<long long, long long, long long>, size_t>>
        porAutorizacion_;
};

}  // namespace pasaplan
