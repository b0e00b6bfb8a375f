#pragma once
// Windows-1252 <-> UTF-8, by table. Used at the borders only (document, widgets, terminal).
#include "text/Texto.h"

namespace pasaplan {

// A character that Windows-1252 lacks gets the platform's best fit: a precomposed Latin letter
// its base letter (Ł -> L, ś -> s, ő -> o), the hyphens and minus "-", the primes ' and ";
// anything else one '?', as does every malformed UTF-8 byte. With sinEquivalente, tells
// whether any such '?' was written.
Texto Utf8ACp1252(const Utf8& utf8, bool* sinEquivalente = nullptr);
// Same for bytes that are UTF-8 by their source (libxml2, Qt, a UTF-8 file) without making a
// Utf8 of them first.
Texto BytesUtf8ACp1252(std::string_view utf8, bool* sinEquivalente = nullptr);

// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the
// C1 control with the same number.
Utf8 Cp1252AUtf8(std::string_view cp1252);

// One character, exactly: the code point of a Windows-1252 byte, and the byte of a code point
// (-1 when Windows-1252 lacks it; no best fit).
char32_t PuntoCp1252(unsigned char b);
int ByteCp1252(char32_t cp);

// Windows-1252 letter folding as the platform's case-insensitive comparison does it: ASCII
// letters and the accented ones (á/Á, ñ/Ñ, ü/Ü, š/Š, œ/Œ, ž/Ž, ÿ/Ÿ).
char MayusculaCp1252(char c);
Texto MayusculasCp1252(std::string_view texto);
bool IgualesSinMayusculas(std::string_view a, std::string_view b);

// Only the letters a to z turn to upper case; every other byte stays.
Texto MayusculasAscii(std::string_view texto);

}  // namespace pasaplan
