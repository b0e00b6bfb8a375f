#pragma once
// How the subjects step turns a Séneca subject name into Velmora's short and long codes, and
// how it keeps the short codes unique within one run.
#include <unordered_map>
#include <unordered_set>

#include "text/Texto.h"

namespace pasaplan {

// Widest code ASIGNOMT holds (COD and CODLARGO).
inline constexpr size_t kAnchoCodigoMateria = 10;

// The code built from a non-empty name: a first character outside A to Z, then every A to Z
// of the name; a one-character result becomes the first character plus the initials (name
// with blanks) or the first six characters (name without). Not yet cut to ten.
Texto CodigoDesdeNombre(std::string_view nombre);

// The long code when none was given: the name's first ten characters for a code of at most
// four characters, otherwise the code itself (before any cut).
Texto CodigoLargoDesdeCodigo(std::string_view codigo, std::string_view nombre);

// The first of codigo, then codigo without its last character followed by 1, 2, 3 ..., that
// is not in usados. A numbered variant longer than ten characters keeps the digits and as much
// of the front as fits (nine characters plus "10" becomes eight plus "10"), and is tested in
// that stored form, so no two subjects ever share a code.
//
// numerados, when given, remembers for every front the number below which every variant was
// found in usados; it stays right while usados only grows, and spares a run with many subjects
// of one front from testing their variants again each time.
using NumerosProbados = std::unordered_map<Texto, unsigned long long>;
Texto CodigoUnico(std::string_view codigo, const std::unordered_set<Texto>& usados,
                  NumerosProbados* numerados = nullptr);

}  // namespace pasaplan
