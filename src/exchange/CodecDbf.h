#pragma once
// The byte layout of dBase III/IV files: header, field descriptors and field values. No I/O and
// no table names here: a malformed file gives FormatoDbfInvalido with the detail of what is
// wrong, and the table object turns it into a message naming the table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/Campo.h"
#include "text/Texto.h"

namespace pasaplan::dbf {

inline constexpr size_t kLongitudCabeceraFija = 32;
inline constexpr size_t kLongitudDescriptor = 32;
inline constexpr char kTerminadorCampos = 0x0D;
inline constexpr char kFinArchivo = 0x1A;
inline constexpr char kMarcaViva = ' ';
inline constexpr char kMarcaBorrada = '*';
inline constexpr unsigned char kVersionDbase3 = 0x03;
inline constexpr unsigned char kControladorWindowsAnsi = 0x57;

// Spanish detail, UTF-8, completing "La tabla X (ruta) ...".
class FormatoDbfInvalido : public std::runtime_error {
  public:
    explicit FormatoDbfInvalido(const Utf8& detalle) : std::runtime_error(detalle.Bytes()) {}
};

struct CampoDbf {
    Campo campo;
    char tipo = 'C';       // the descriptor's type letter
    size_t posicion = 0;   // offset in the record; the deletion flag is byte 0
    bool binario = false;  // stored as binary (FoxPro I, B, O ...): not text at all
};

struct Cabecera {
    unsigned char version = 0;
    uint32_t registros = 0;
    size_t longitudCabecera = 0;
    size_t longitudRegistro = 0;
};

struct Fecha {
    int anio = 2000;
    int mes = 1;
    int dia = 1;
};

// The first 32 bytes: version, record count, header and record lengths. Refuses dBase 7 and
// unknown versions.
Cabecera LeerCabeceraFija(std::string_view bytes);

// The field descriptors of the header (all of its longitudCabecera bytes): checks the
// terminator, the header length and that the widths add up to the record length.
std::vector<CampoDbf> LeerDescriptores(std::string_view cabecera, const Cabecera& datos);

// Fields of a new table: fixed widths for numbers and logicals, names and text widths checked.
std::vector<CampoDbf> PrepararCampos(const std::vector<Campo>& campos);
size_t LongitudRegistro(const std::vector<CampoDbf>& campos);

// Header of an empty table of version 0x03, its terminator and the end-of-file mark.
std::string CodificarTablaVacia(const std::vector<CampoDbf>& campos, const Fecha& fecha);

// Bytes 1..7 of the header: date of last update and record count.
std::array<char, 7> CodificarFechaYCuenta(const Fecha& fecha, uint32_t registros);

// ---- values ----------------------------------------------------------------------------

// Scratch space for values that are not the stored bytes themselves (logicals, binary ints,
// numbers rewritten as their own text). A field is at most 255 bytes wide.
using Hueco = std::array<char, 255>;

// A field's value as text, without copying where possible: a text field without its trailing
// pad (blanks, NULs), a number as its own text (TextoDeNumero), a logical as "T", "F" or ""
// (another byte as it stands). Throws FormatoDbfInvalido for a binary kind we cannot show.
std::string_view VistaValor(const char* registro, const CampoDbf& campo, Hueco& hueco);

// A stored number as the number's own text, as the platform's engine gives it: no padding,
// no leading zeros, no trailing decimal zeros or point ("01", " 1", "1.00" give "1"; "1.50"
// gives "1.5"; "-0.00" gives "0"; ".5" gives "0.5"). Blank gives the empty text; what is not a
// number comes back trimmed, as stored.
std::string_view TextoDeNumero(std::string_view almacenado, Hueco& hueco);

// Without the blanks and NULs that pad a stored value: at the end, and at the start too when
// inicio.
std::string_view SinRelleno(std::string_view texto, bool inicio);

// The parts of a written decimal number: "-007.50" gives negativo, "007", "50"; nullopt when
// the text is no such number (no blanks allowed).
struct PartesNumero {
    bool negativo = false;
    std::string_view entera;
    std::string_view fraccion;
};
std::optional<PartesNumero> Descomponer(std::string_view texto);

// Trailing blanks are never significant in comparisons.
std::string_view SinBlancosFinales(std::string_view texto);
std::string_view SinBlancos(std::string_view texto);

// A whole number: optional sign, digits, optionally a fraction of zeros ("4.0000").
std::optional<long long> ParsearEntero(std::string_view texto);
// A decimal number: optional sign, digits with an optional fraction.
std::optional<double> ParsearFlotante(std::string_view texto);
// "T"/"t"/"Y"/"y" true, "F"/"f"/"N"/"n" false, "", "?" not set; anything else nullopt.
std::optional<std::optional<bool>> ParsearLogico(std::string_view texto);

// Blank, or a decimal number as ParsearFlotante reads it, however many digits.
bool EsNumeroEscrito(std::string_view texto);

// The field's bytes for a number; nullopt when it does not fit the width.
std::optional<std::string> FormatearEntero(long long valor, const Campo& campo);
std::optional<std::string> FormatearFlotante(double valor, const Campo& campo);
// A text holding a number, normalised to the field's decimals; blank text is the unset
// number. nullopt when it is no number, loses digits of the fraction or does not fit.
std::optional<std::string> FormatearNumeroTexto(std::string_view texto, const Campo& campo);

}  // namespace pasaplan::dbf
