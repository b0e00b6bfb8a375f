#pragma once
// The names of a value-parameterised suite's cases: what ctest lists and --gtest_filter takes, so
// a case that CI names can be run again by that name. GoogleTest takes letters, digits and '_'.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace pasaplan::prueba {

// A text as a case's name: any other character becomes '_'; an empty text is "vacio".
inline std::string NombreDeCaso(std::string_view texto) {
    if (texto.empty()) return "vacio";
    std::string nombre(texto);
    for (char& c : nombre) {
        const bool valido =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!valido) c = '_';
    }
    return nombre;
}

// A case named by its own field `nombre`.
struct PorNombre {
    template <class Caso>
    std::string operator()(const testing::TestParamInfo<Caso>& info) const {
        return NombreDeCaso(info.param.nombre);
    }
};

}  // namespace pasaplan::prueba
