#include <iostream>
#include <string>
#include <vector>

#include "lote/Lote.h"

int main(int argc, char** argv) {
    std::vector<std::string> argumentos(argv + 1, argv + argc);
    return pasaplan::lote::EjecutarLote(argumentos, std::cout, std::cerr);
}
