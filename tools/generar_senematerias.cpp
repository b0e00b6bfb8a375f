// Turns data/senematerias.txt (UTF-8, "NOMBRE;COD;CODLARGO", one Séneca subject a line) into
// the reference table SENEMATERIAS.DBF that the subjects step reads beside the executable.
// Usage: generar_senematerias ENTRADA.txt SALIDA.DBF
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "exchange/Tabla.h"
#include "platform/Error.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace fs = std::filesystem;
using namespace pasaplan;

namespace {

struct Fila {
    Texto nombre, cod, codlargo;
};

std::vector<std::string> Partes(const std::string& linea) {
    std::vector<std::string> partes;
    size_t inicio = 0;
    for (;;) {
        const size_t fin = linea.find(';', inicio);
        partes.push_back(linea.substr(inicio, fin - inicio));
        if (fin == std::string::npos) break;
        inicio = fin + 1;
    }
    return partes;
}

// A field in UTF-8 to Windows-1252, refusing characters the table cannot hold.
Texto Convertir(const std::string& bytes, size_t ancho, const Utf8& donde) {
    const Utf8 utf8 = Utf8::DeBytes(bytes);
    const Texto texto = AllTrim(Utf8ACp1252(utf8));
    // Trimming the ASCII blanks of UTF-8 bytes keeps them UTF-8.
    if (Cp1252AUtf8(texto) != Utf8::DeBytes(AllTrim(bytes).Bytes())) {
        throw ErrorPasaplan(donde + ": «" + utf8 +
                            "» tiene caracteres que Windows-1252 no admite.");
    }
    if (texto.size() > ancho) {
        throw ErrorPasaplan(donde + ": «" + utf8 + "» pasa de " + Utf8::Numero(ancho) +
                            " caracteres.");
    }
    return texto;
}

std::vector<Fila> Leer(const fs::path& entrada) {
    std::ifstream archivo(entrada, std::ios::binary);
    if (!archivo)
        throw ErrorPasaplan("No se puede abrir «" + Utf8::DeBytes(entrada.string()) + "».");
    std::vector<Fila> filas;
    std::set<Texto> nombres, codigos;
    std::string linea;
    for (size_t numero = 1; std::getline(archivo, linea); ++numero) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        const Utf8 donde =
            Utf8::DeBytes(entrada.filename().string()) + ", línea " + Utf8::Numero(numero);
        if (numero == 1) {
            if (linea.rfind("\xEF\xBB\xBF", 0) == 0) linea.erase(0, 3);
            if (linea != "NOMBRE;COD;CODLARGO") {
                throw ErrorPasaplan(donde + ": se esperaba la cabecera «NOMBRE;COD;CODLARGO».");
            }
            continue;
        }
        if (AllTrim(linea).empty()) continue;
        const auto partes = Partes(linea);
        if (partes.size() != 3) {
            throw ErrorPasaplan(donde + ": se esperaban tres valores separados por «;».");
        }
        Fila fila{Convertir(partes[0], 80, donde), Convertir(partes[1], 10, donde),
                  Convertir(partes[2], 10, donde)};
        if (fila.nombre.empty() || fila.cod.empty() || fila.codlargo.empty()) {
            throw ErrorPasaplan(donde + ": ningún valor puede quedar vacío.");
        }
        // Only the first row of a name is ever found, and two subjects must not share a code.
        if (!nombres.insert(fila.nombre).second) {
            throw ErrorPasaplan(donde + ": materia repetida «" + Utf8::DeBytes(partes[0]) + "».");
        }
        if (!codigos.insert(fila.cod).second) {
            throw ErrorPasaplan(donde + ": código repetido «" + Utf8::DeBytes(partes[1]) + "».");
        }
        filas.push_back(std::move(fila));
    }
    return filas;
}

void Escribir(const std::vector<Fila>& filas, const fs::path& salida) {
    // Built beside the destination and renamed over it: a failed run leaves no half table.
    const fs::path temporal = salida.parent_path() / (salida.filename().string() + ".tmp.dbf");
    {
        Tabla::Crear(temporal, {{"NOMBRE", TipoCampo::Texto, 80, 0},
                                {"COD", TipoCampo::Texto, 10, 0},
                                {"CODLARGO", TipoCampo::Texto, 10, 0}});
        auto tabla = Tabla::Abrir(temporal, Acceso::Exclusivo);
        for (const Fila& f : filas) {
            const size_t fila = tabla->Agregar();
            tabla->PonerTexto(fila, "NOMBRE", f.nombre);
            tabla->PonerTexto(fila, "COD", f.cod);
            tabla->PonerTexto(fila, "CODLARGO", f.codlargo);
            tabla->Grabar(fila);
        }
    }
    fs::rename(temporal, salida);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Uso: generar_senematerias ENTRADA.txt SALIDA.DBF\n";
        return 2;
    }
    try {
        const auto filas = Leer(argv[1]);
        Escribir(filas, argv[2]);
        std::cout << "SENEMATERIAS: " << filas.size() << " materias\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "generar_senematerias: " << e.what() << "\n";
        return 1;
    }
}
