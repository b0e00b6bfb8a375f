#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "lote/Lote.h"
#include "platform/Proceso.h"

int main(int argc, char** argv) {
    pasaplan::plataforma::PrepararProceso();
    const std::vector<std::string> argumentos = pasaplan::plataforma::ArgumentosUtf8(argc, argv);
    pasaplan::lote::Sobrantes sobrantes;
    const int codigo = pasaplan::lote::EjecutarLote(argumentos, std::cout, std::cerr, &sobrantes);
    if (!sobrantes.documentos.empty()) {
        // The run has closed its tables and files. The process ends here without freeing the
        // parsed documents: the kernel takes their memory back at once. What was written to
        // the standard streams goes out first.
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(codigo);
    }
    return codigo;
}
