#pragma once
// Pieces of a Séneca export written inline by the tests, in UTF-8 (they write "&amp;" themselves).
#include <string>
#include <utility>
#include <vector>

namespace pasaplan::prueba {

// A whole export around these blocks, its encoding declared as Séneca declares it (the text is
// still UTF-8: Utf8ACp1252 gives the file's bytes).
inline std::string XmlExportacion(const std::string& bloques) {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
           "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\"><BLOQUE_DATOS>" +
           bloques + "</BLOQUE_DATOS></SERVICIO>\n";
}

// {nombre_dato, value} of the data of one record.
using Datos = std::vector<std::pair<std::string, std::string>>;

inline std::string Dato(const std::string& nombre, const std::string& valor) {
    return "<dato nombre_dato=\"" + nombre + "\">" + valor + "</dato>";
}

// <grupo_datos seq="seq"> around what it holds.
inline std::string Grupo(const std::string& seq, const std::string& contenido) {
    return "<grupo_datos seq=\"" + seq + "\">" + contenido + "</grupo_datos>";
}

// A record: one <dato> per value.
inline std::string Registro(const std::string& seq, const Datos& datos) {
    std::string contenido;
    for (const auto& [nombre, valor] : datos) contenido += Dato(nombre, valor);
    return Grupo(seq, contenido);
}

// A block of records, with their count as Séneca writes it.
inline std::string Bloque(const std::string& seq, const std::vector<std::string>& registros) {
    std::string s =
        "<grupo_datos seq=\"" + seq + "\" registros=\"" + std::to_string(registros.size()) + "\">";
    for (const auto& r : registros) s += r;
    return s + "</grupo_datos>";
}

}  // namespace pasaplan::prueba
