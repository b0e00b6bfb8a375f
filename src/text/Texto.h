#pragma once
// Two kinds of text travel through the program; their names say which is which.
#include <string>
#include <string_view>

namespace pasaplan {

// Windows-1252 bytes, one character per byte: every data text of the core (values of the
// exchange document, table fields, codes). Widths and positions count these bytes.
using Texto = std::string;

// UTF-8: messages for the person in front of the tool, file paths, what crosses to Qt, the
// terminal and libxml2.
using Utf8 = std::string;

}  // namespace pasaplan
