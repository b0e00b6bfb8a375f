#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "lote/Lote.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file-size limit a write must fail with an error the tool reports, not kill it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::vector<std::string> argumentos(argv + 1, argv + argc);
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
