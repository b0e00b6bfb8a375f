#pragma once
// dBase III/IV tables, our own codec. A table object loads its rows when it is opened and keeps
// them in memory. Posted rows are written in blocks: at close, when the block is full, before
// another table object of the process opens the same file, and whenever VolcarTodas is called
// (before every question to the person). The rows go first and the header's record count
// after them, so the count never runs ahead of the rows on disk. Rows are addressed by their
// position among the live (not deleted) rows, in stored order. Every error is an ErrorPasaplan
// naming the table.
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "exchange/Campo.h"
#include "text/Texto.h"

namespace pasaplan {

enum class Acceso { Compartido, Exclusivo };

// One field = one value pair for Buscar.
using Condicion = std::pair<std::string_view, std::string_view>;

class Tabla {
  public:
    // Creates (or truncates) an empty table with these fields: version 0x03, language driver
    // 0x57 (Windows ANSI), today's date, no index file.
    static void Crear(const std::filesystem::path& archivo, const std::vector<Campo>& campos);

    // Opens and loads archivo, holding it without waiting (Linux: an open-file-description lock,
    // a write lock for Exclusivo, a read lock for Compartido; Windows: share modes). A table held
    // by another program, a missing file, a damaged file: ErrorPasaplan naming the table.
    static std::unique_ptr<Tabla> Abrir(const std::filesystem::path& archivo, Acceso acceso);

    // The table "nombre" of directorio: a name without extension means its .DBF file, letter
    // case ignored ("CursosT" opens CURSOST.DBF).
    static std::unique_ptr<Tabla> AbrirEn(const std::filesystem::path& directorio,
                                          const Utf8& nombre, Acceso acceso);
    // Path of table "nombre" (same rules) whether or not it exists; new names get ".DBF".
    static std::filesystem::path RutaEn(const std::filesystem::path& directorio,
                                        const Utf8& nombre);
    // Whether another program holds archivo so that opening it for writing would fail; the
    // question holds nothing afterwards. A missing or unreadable file is not held.
    static bool RetenidaPorOtro(const std::filesystem::path& archivo);

    Tabla(const Tabla&) = delete;
    Tabla& operator=(const Tabla&) = delete;
    ~Tabla();  // writes the posted rows still held (errors then are lost: call Volcar first),
               // releases the lock and the file

    const Utf8& Nombre() const;  // file name without extension, for messages
    const std::filesystem::path& Archivo() const;
    const std::vector<Campo>& Campos() const;
    // Field names match without regard to case; a name longer than ten characters matches a
    // field of ten by its first ten.
    bool TieneCampo(std::string_view campo) const;
    size_t Filas() const;  // live rows, including appended ones

    // Text of a field: trailing pad blanks dropped (a leading blank stays); a number field gives
    // the number's own text ("01" and "1.00" read "1", a blank one ""); a logical field gives
    // "T", "F" or "".
    Texto LeerTexto(size_t fila, std::string_view campo) const;
    // The field must hold a whole number, optionally signed ("+480"): otherwise an error naming
    // table, field and value. A blank number field reads 0; a blank text field is an error.
    long long LeerEntero(size_t fila, std::string_view campo) const;
    double LeerFlotante(size_t fila, std::string_view campo) const;
    std::optional<bool> LeerLogico(size_t fila, std::string_view campo) const;

    // Appends a blank row in memory and returns its position; it reaches the file at Grabar.
    size_t Agregar();
    // Texts are cut to the field width. Into a number field a text must be a number that fits,
    // otherwise an error naming table and field (never a silently different value); a blank
    // text leaves the number unset. Into a logical field: "T"/"Y", "F"/"N" (either case), "?"
    // or blank for not set. An integer into a text field is its decimal digits; a logical
    // into a number field is an error.
    void PonerTexto(size_t fila, std::string_view campo, std::string_view valor);
    void PonerEntero(size_t fila, std::string_view campo, long long valor);
    void PonerFlotante(size_t fila, std::string_view campo, double valor);
    void PonerLogico(size_t fila, std::string_view campo, bool valor);
    // Post: the row joins the block of rows to write (a row already in the file is written
    // again in its place at once).
    void Grabar(size_t fila);
    // Writes the posted rows held, then the header's record count and date.
    void Volcar();
    // Volcar for every table open in this process: before a question to the person, who may
    // look at the tables meanwhile, and before an error is shown.
    static void VolcarTodas();

    // Locate: the first row, in stored order, whose fields equal the values. Comparison is
    // exact and case-sensitive; trailing blanks are never significant (neither the stored
    // ones nor the search value's).
    std::optional<size_t> Buscar(std::initializer_list<Condicion> condiciones) const;
    // Filter: every row whose field equals the value (same comparison), in stored order.
    std::vector<size_t> Filtrar(std::string_view campo, std::string_view valor) const;

  private:
    struct Impl;
    explicit Tabla(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace pasaplan
