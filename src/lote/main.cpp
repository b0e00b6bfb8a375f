#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "lote/Lote.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file-size limit a write must fail with an error the tool reports, not kill it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
#if defined(__GLIBC__)
    // A run frees a whole parsed document at once. glibc's fast bins would keep its millions
    // of small nodes unmerged and then merge them all in one go at some later allocation or
    // at exit: up to a tenth of a large run. Without fast bins they merge as they are freed.
    mallopt(M_MXFAST, 0);
#endif
    std::vector<std::string> argumentos(argv + 1, argv + argc);
    return pasaplan::lote::EjecutarLote(argumentos, std::cout, std::cerr);
}
