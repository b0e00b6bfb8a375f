#pragma once
// A table read back row by row, as the tests compare what a run wrote.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "exchange/Tabla.h"

namespace pasaplan::prueba {

// Every row of the table, every field read as text (Windows-1252, as stored); opened shared.
inline std::vector<std::vector<std::string>> FilasTabla(const std::filesystem::path& archivo) {
    const auto t = Tabla::Abrir(archivo, Acceso::Compartido);
    std::vector<std::vector<std::string>> filas;
    for (size_t f = 0; f < t->Filas(); ++f) {
        std::vector<std::string> fila;
        for (const Campo& c : t->Campos()) fila.push_back(t->LeerTexto(f, c.nombre).Bytes());
        filas.push_back(std::move(fila));
    }
    return filas;
}

}  // namespace pasaplan::prueba
