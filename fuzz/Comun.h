#pragma once
// Set-up shared by the fuzz targets: folders that live as long as the fuzzing process, the
// sample export imported once, and the way a broken invariant is reported to libFuzzer.
#include <cstdio>
#include <cstdlib>

#include "Arneses.h"

namespace pasaplan::arnes {

// A broken invariant is a crash for libFuzzer: it keeps the input.
inline void Exigir(const Fallo& fallo) {
    if (!fallo) return;
    std::fprintf(stderr, "INVARIANTE ROTO: %s\n", fallo->c_str());
    std::abort();
}

inline fs::path Fuente(const char* relativa) { return fs::path(PASAPLAN_SOURCE_DIR) / relativa; }

// A folder with SENEMATERIAS.DBF, an exchange directory and a Séneca folder.
struct Espacio {
    Carpeta raiz;
    fs::path programa = raiz.Ruta() / "programa";
    fs::path intercambio = raiz.Ruta() / "VTEMP";
    fs::path seneca = raiz.Ruta() / "seneca";

    Espacio() {
        fs::create_directories(programa);
        fs::create_directories(intercambio);
        fs::create_directories(seneca);
        CrearSenematerias(programa / "SENEMATERIAS.DBF", Fuente("data/senematerias.txt"));
    }
};

// The sample export imported into espacio's exchange directory; aborts if it cannot be.
inline void ImportarMuestra(const Espacio& espacio, const fs::path& archivo) {
    fs::copy_file(Fuente("samples/ExportacionHorarios.xml"), archivo,
                  fs::copy_options::overwrite_existing);
    EstadoPrincipal estado;
    estado.DirectorioIntercambio = espacio.intercambio;
    estado.DirectorioPrograma = espacio.programa;
    PersonaArnes persona;
    persona.archivo = archivo;
    if (EjecutarImportacion(estado, persona) != FinImportacion::Finalizado) {
        std::fprintf(stderr, "la muestra no se importa\n");
        std::abort();
    }
}

}  // namespace pasaplan::arnes
