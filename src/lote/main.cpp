#include <csignal>
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
    return pasaplan::lote::EjecutarLote(argumentos, std::cout, std::cerr);
}
