#include "platform/Proceso.h"

#include <csignal>

namespace pasaplan::plataforma {

std::vector<std::string> ArgumentosUtf8(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void PrepararProceso() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace pasaplan::plataforma
