// Writes a small sample table with every field kind, so that an independent dBase reader can
// check our files: escribir_tabla_prueba ARCHIVO.DBF
#include <cstdio>
#include <exception>

#include "exchange/Tabla.h"
#include "platform/Error.h"
#include "text/Cp1252.h"

using namespace pasaplan;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Uso: escribir_tabla_prueba ARCHIVO.DBF\n");
        return 2;
    }
    try {
        const std::filesystem::path archivo = argv[1];
        Tabla::Crear(archivo, {{"NOMBRE", TipoCampo::Texto, 20},
                               {"CODIGO", TipoCampo::Texto, 5},
                               {"HORAS", TipoCampo::Entero},
                               {"PESO", TipoCampo::Flotante},
                               {"ACTIVO", TipoCampo::Logico}});
        auto tabla = Tabla::Abrir(archivo, Acceso::Exclusivo);

        size_t f = tabla->Agregar();
        tabla->PonerTexto(f, "NOMBRE", Utf8ACp1252("Educación Física"));
        tabla->PonerTexto(f, "CODIGO", Utf8ACp1252("Ñ"));
        tabla->PonerEntero(f, "HORAS", 3);
        tabla->PonerFlotante(f, "PESO", 2.5);
        tabla->PonerLogico(f, "ACTIVO", true);
        tabla->Grabar(f);

        // Leading blank kept, text cut to the width, numbers and logical left unset.
        f = tabla->Agregar();
        tabla->PonerTexto(f, "NOMBRE", Utf8ACp1252(" Tecnología aplicada al diseño"));
        tabla->PonerEntero(f, "CODIGO", 1234567);
        tabla->Grabar(f);

        f = tabla->Agregar();
        tabla->PonerTexto(f, "NOMBRE", "Guardia");
        tabla->PonerTexto(f, "HORAS", " 007 ");
        tabla->PonerTexto(f, "PESO", "-0.25");
        tabla->PonerEntero(f, "CODIGO", -42);
        tabla->PonerLogico(f, "ACTIVO", false);
        tabla->Grabar(f);

        // An edited row is written back in its place.
        tabla->PonerEntero(0, "HORAS", 99999999999);
        tabla->Grabar(0);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
