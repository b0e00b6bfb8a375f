#include "exchange/CodificacionXml.h"

#include <libxml/encoding.h>
#include <libxml/parser.h>

#include <mutex>

#include "text/Cp1252.h"

namespace pasaplan {
namespace {

// Windows-1252 -> UTF-8: as many whole characters as fit in the output.
int DesdeCp1252(unsigned char* salida, int* largoSalida, const unsigned char* entrada,
                int* largoEntrada) {
    if (entrada == nullptr || *largoEntrada <= 0) {
        *largoSalida = 0;
        *largoEntrada = 0;
        return 0;
    }
    int i = 0;
    int o = 0;
    for (; i < *largoEntrada; ++i) {
        const char32_t cp = PuntoCp1252(entrada[i]);
        if (cp < 0x80) {
            if (o + 1 > *largoSalida) break;
            salida[o++] = static_cast<unsigned char>(cp);
        } else if (cp < 0x800) {
            if (o + 2 > *largoSalida) break;
            salida[o++] = static_cast<unsigned char>(0xC0 | (cp >> 6));
            salida[o++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        } else {
            if (o + 3 > *largoSalida) break;
            salida[o++] = static_cast<unsigned char>(0xE0 | (cp >> 12));
            salida[o++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            salida[o++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        }
    }
    *largoEntrada = i;
    *largoSalida = o;
    return o;
}

// UTF-8 -> Windows-1252. An incomplete last character waits for the next call; a character that
// Windows-1252 lacks stops here with -2, so that libxml2 writes it as a character reference.
int HaciaCp1252(unsigned char* salida, int* largoSalida, const unsigned char* entrada,
                int* largoEntrada) {
    if (entrada == nullptr) {  // start of a conversion: nothing to write
        *largoSalida = 0;
        *largoEntrada = 0;
        return 0;
    }
    int i = 0;
    int o = 0;
    int resultado = 0;
    while (i < *largoEntrada && o < *largoSalida) {
        const unsigned char b = entrada[i];
        int largo = 1;
        char32_t cp = b;
        if (b >= 0x80) {
            if ((b & 0xE0) == 0xC0) {
                largo = 2;
                cp = b & 0x1F;
            } else if ((b & 0xF0) == 0xE0) {
                largo = 3;
                cp = b & 0x0F;
            } else if ((b & 0xF8) == 0xF0) {
                largo = 4;
                cp = b & 0x07;
            } else {
                resultado = -2;
                break;
            }
            if (i + largo > *largoEntrada) break;
            bool valido = true;
            for (int k = 1; k < largo; ++k) {
                valido = valido && (entrada[i + k] & 0xC0) == 0x80;
                cp = (cp << 6) | (entrada[i + k] & 0x3F);
            }
            if (!valido) {
                resultado = -2;
                break;
            }
        }
        const int byte = ByteCp1252(cp);
        if (byte < 0) {
            resultado = -2;
            break;
        }
        salida[o++] = static_cast<unsigned char>(byte);
        i += largo;
    }
    *largoEntrada = i;
    *largoSalida = o;
    return resultado == 0 ? o : resultado;
}

}  // namespace

void RegistrarCodificacionesXml() {
    static std::once_flag una;
    std::call_once(una, [] {
        xmlInitParser();
        for (const char* nombre : {"windows-1252", "cp1252"}) {
            // libxml2 keeps the handler (its name upper-cased) for the life of the process.
            xmlCharEncodingHandlerPtr h =
                xmlNewCharEncodingHandler(nombre, DesdeCp1252, HaciaCp1252);
            (void)h;
        }
    });
}

}  // namespace pasaplan
