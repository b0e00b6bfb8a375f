#pragma once
// Inside the table engine only: what an open table object holds, shared by the file side
// (Tabla.cpp: opening, posting, writing) and the value side (TablaCampos.cpp).
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "exchange/CodecDbf.h"
#include "exchange/IndiceTabla.h"
#include "exchange/Tabla.h"
#include "platform/ArchivoTabla.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Cp1252.h"

namespace pasaplan {

inline constexpr uint32_t kSinPosicion = UINT32_MAX;

struct Tabla::Impl {
    std::filesystem::path archivo;
    Utf8 nombre;
    plataforma::ArchivoTabla abierto;
    plataforma::IdentidadArchivo identidad;  // which file this is, however it was named
    bool soloLectura = false;
    dbf::Cabecera cabecera;  // registros: the records in the file, as its header counts them
    std::array<char, 3> fechaArchivo{};  // the header's date of last update, as in the file
    std::vector<dbf::CampoDbf> campos;
    std::vector<Campo> camposPublicos;
    bool nombresDistintos = true;  // no two field names equal without regard to case
    std::string datos;             // live rows, each a whole record with its deletion flag
    std::vector<uint32_t> fisica;  // record number in the file, kSinPosicion until posted
    // Posted rows not written yet: the records from cabecera.registros on, in posting order.
    std::string bloque;

    // Indexes for Buscar and Filtrar, one per field list, built on first use; told of every
    // write to one of their fields and brought up to date before every lookup.
    mutable std::vector<std::unique_ptr<dbf::IndiceTabla>> indices;

    // Writes the block of posted rows, then the header's count and date (Tabla.cpp).
    void Volcar();
    void EscribirCabecera();
    [[noreturn]] void ErrorEscritura() const;

    // The value side (TablaCampos.cpp).
    const dbf::CampoDbf& CampoLlamado(std::string_view nombreCampo) const;
    const dbf::CampoDbf& CampoEscribible(std::string_view nombreCampo) const;
    std::string_view Vista(const char* registro, const dbf::CampoDbf& campo,
                           dbf::Hueco& hueco) const;
    void Poner(size_t fila, const dbf::CampoDbf& campo, std::string_view bytes);
    // The index over these fields, up to date with every row now in memory.
    dbf::IndiceTabla& Indice(const std::vector<const dbf::CampoDbf*>& sobre) const;
    [[noreturn]] void NoEsValor(const dbf::CampoDbf& campo, std::string_view valor,
                                const char* clase) const;
    [[noreturn]] void NoCabe(const dbf::CampoDbf& campo, const Utf8& valor) const;
    [[noreturn]] void NoAdmite(const dbf::CampoDbf& campo, const Utf8& que) const;

    Utf8 Ruta() const { return plataforma::Utf8DeRuta(archivo); }
    size_t Filas() const { return fisica.size(); }
    size_t Largo() const { return cabecera.longitudRegistro; }

    const char* Registro(size_t fila) const {
        if (fila >= Filas()) SinFila(fila);
        return datos.data() + fila * Largo();
    }
    [[noreturn]] void SinFila(size_t fila) const {
        throw ErrorPasaplan("La tabla " + nombre + " no tiene la fila " + Utf8::Numero(fila + 1) +
                            " (tiene " + Utf8::Numero(Filas()) + ").");
    }
};

}  // namespace pasaplan
