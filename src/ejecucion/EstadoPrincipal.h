#pragma once
// The state the main window keeps for the runs, in one object that both front ends own.
#include <filesystem>
#include <memory>
#include <unordered_set>

#include "exchange/ExportacionSeneca.h"
#include "platform/BloqueoIntercambio.h"
#include "text/Texto.h"

namespace pasaplan {

// The four sorted lists of the subjects step: exact, case-sensitive; adding a present text
// changes nothing. Only membership is ever asked, so they are hash sets.
struct ListasMaterias {
    std::unordered_set<Texto> ListaCodigos;
    std::unordered_set<Texto> ListaCodLargos;
    std::unordered_set<Texto> ListaNombres;
    std::unordered_set<Texto> ListaCodLargoNombre;
};

struct EstadoPrincipal {
    std::filesystem::path ArchivoXML;  // the Séneca file chosen last by either run
    bool DialogoRepetido = false;      // never switched off again in the process
    bool ModoIncrustado = false;       // the host's result itself is the main window's (TMForm)
    std::unique_ptr<ListasMaterias> Listas = std::make_unique<ListasMaterias>();
    std::unique_ptr<ExportacionSeneca> documento;  // the run's exchange document

    std::filesystem::path DirectorioIntercambio;  // "C:\VTEMP", mapped
    // The exchange directory's lock while EjecutarRun holds it over a run and its report; a run
    // called by itself takes it and lets it go at its end.
    std::shared_ptr<plataforma::BloqueoIntercambio> Bloqueo;
    std::filesystem::path DirectorioPrograma;  // beside the executable

    // The defaults: the mapped "C:\VTEMP" and the directory of the running binary.
    static EstadoPrincipal PorDefecto();
};

// The lock of the exchange directory for one run: the front end's when it holds it, else taken
// now (ErrorPasaplan when another run holds it).
std::shared_ptr<plataforma::BloqueoIntercambio> TomarBloqueo(const EstadoPrincipal& estado);

}  // namespace pasaplan
