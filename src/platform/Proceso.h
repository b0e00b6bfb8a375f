#pragma once
// The process of a command-line front end: its arguments as UTF-8, its streams.
#include <string>
#include <vector>

namespace pasaplan::plataforma {

// The arguments after the program's name, as UTF-8 (Windows passes main() the ANSI code page's
// bytes, which cannot hold every file name).
std::vector<std::string> ArgumentosUtf8(int argc, char** argv);

// A write past a file-size limit fails with an error the tool reports instead of ending the
// process; the console shows UTF-8; the standard streams pass their bytes unchanged.
void PrepararProceso();

}  // namespace pasaplan::plataforma
