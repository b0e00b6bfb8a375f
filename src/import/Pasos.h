#pragma once
// The ten steps of the import run, one file each, and the pattern they share.
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "ejecucion/EstadoPrincipal.h"
#include "ejecucion/Interlocutor.h"
#include "exchange/ExportacionSeneca.h"
#include "exchange/Tabla.h"

namespace pasaplan {

struct ContextoImportacion {
    EstadoPrincipal& estado;
    Interlocutor& interlocutor;
    const ExportacionSeneca& documento;

    const std::filesystem::path& Directorio() const { return estado.DirectorioIntercambio; }
    std::filesystem::path RutaTabla(const Utf8& nombre) const;
};

// Deletes NAME.DBF and NAME.MDX (result ignored). A table that another program holds is not
// deleted behind its back: an error naming it (where deleting an open file fails, the creation
// that follows would fail the same way).
void BorrarTablaPaso(const ContextoImportacion& ctx, const Utf8& nombre);
// Step pattern: delete NAME.DBF and NAME.MDX (result ignored), create the table with its
// fields, open it shared.
std::unique_ptr<Tabla> CrearTablaPaso(const ContextoImportacion& ctx, const Utf8& nombre,
                                      const std::vector<Campo>& campos);
// Closes a table the step wrote and tells the front end how many rows it holds.
void CerrarTablaPaso(const ContextoImportacion& ctx, std::unique_ptr<Tabla>& tabla);

// Field builders for the table definitions.
inline Campo CampoTexto(const char* nombre, int ancho) {
    return Campo{nombre, TipoCampo::Texto, ancho, 0};
}
inline Campo CampoEntero(const char* nombre) { return Campo{nombre, TipoCampo::Entero, 0, 0}; }
inline Campo CampoFlotante(const char* nombre) { return Campo{nombre, TipoCampo::Flotante, 0, 0}; }
inline Campo CampoLogico(const char* nombre) { return Campo{nombre, TipoCampo::Logico, 0, 0}; }

void CargarPeriodos(ContextoImportacion& ctx);      // 1: PERIODOS
bool CargarCursos(ContextoImportacion& ctx);        // 2: CURSOST; true on a forced exit
void CargarMaterias(ContextoImportacion& ctx);      // 3: ASIGNOMT, ASIGNOMT2
void CargarActividades(ContextoImportacion& ctx);   // 4: rows added to ASIGNOMT
void CargarEmpleados(ContextoImportacion& ctx);     // 5: PROFT
void CargarDependencias(ContextoImportacion& ctx);  // 6: AULAT
void CargarUnidades(ContextoImportacion& ctx);      // 7: GRUPOST
void CargarAsignaciones(ContextoImportacion& ctx);  // 8: ASIGT
void CargarTramos(ContextoImportacion& ctx);        // 9: DIASHORAST
void CargarCatalogos(ContextoImportacion& ctx);  // 10: ORIGENES_C, NIVELES_C, CUR_NIV_C, AUTORIZA_C

}  // namespace pasaplan
