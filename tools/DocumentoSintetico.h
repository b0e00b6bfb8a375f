#pragma once
// The synthetic export as Séneca writes it: ISO-8859-1 declared, CRLF, one space of indent per
// level, each block with its record count and its records numbered PREFIJO_1, PREFIJO_2, ...
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace generacion {

struct Dato {
    std::string_view nombre;
    std::string valor;  // UTF-8
};
using Registro = std::vector<Dato>;

struct Bloque {
    std::string_view seq;
    std::string_view prefijo;  // records are PREFIJO_1, PREFIJO_2, ...
    std::vector<Registro> registros;
};

inline std::string Escapar(std::string_view s) {
    std::string r;
    for (char c : s) {
        switch (c) {
            case '&':
                r += "&amp;";
                break;
            case '<':
                r += "&lt;";
                break;
            case '>':
                r += "&gt;";
                break;
            default:
                r += c;
        }
    }
    return r;
}

inline std::string DocumentoSeneca(std::initializer_list<const Bloque*> bloques, size_t reserva) {
    std::string x;
    x.reserve(reserva);
    const char* fin = "\r\n";
    x += "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
    x += fin;
    x += "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\" autor=\"SENECA\" fecha=\"02/09/2026 10:14:33\">";
    x += fin;
    x += std::string(" <BLOQUE_DATOS>") + fin;
    x += std::string("  <grupo_datos seq=\"ANNO_ACADEMICO\">") + fin;
    x += std::string("   <dato nombre_dato=\"C_ANNO\">2026</dato>") + fin;
    x += std::string("   <dato nombre_dato=\"F_INIHORREG\">15/09/2026</dato>") + fin;
    x += std::string("   <dato nombre_dato=\"F_FINHORREG\">22/06/2027</dato>") + fin;
    x += std::string("  </grupo_datos>") + fin;
    for (const Bloque* b : bloques) {
        x += "  <grupo_datos seq=\"" + std::string(b->seq) + "\" registros=\"" +
             std::to_string(b->registros.size()) + "\">" + fin;
        for (size_t i = 0; i < b->registros.size(); ++i) {
            x += "   <grupo_datos seq=\"" + std::string(b->prefijo) + "_" + std::to_string(i + 1) +
                 "\">" + fin;
            for (const Dato& d : b->registros[i]) {
                x += "    <dato nombre_dato=\"";
                x += d.nombre;
                x += "\">" + Escapar(d.valor) + "</dato>" + fin;
            }
            x += std::string("   </grupo_datos>") + fin;
        }
        x += std::string("  </grupo_datos>") + fin;
    }
    x += std::string(" </BLOQUE_DATOS>") + fin;
    x += std::string("</SERVICIO>") + fin;
    return x;
}

}  // namespace generacion
