#include "import/Pasos.h"

#include "platform/Error.h"
#include "platform/Rutas.h"

namespace pasaplan {

std::filesystem::path ContextoImportacion::RutaTabla(const Utf8& nombre) const {
    return Tabla::RutaEn(Directorio(), nombre);
}

void BorrarTablaPaso(const ContextoImportacion& ctx, const Utf8& nombre) {
    const Utf8& base = nombre;
    const auto dbf = Tabla::RutaEn(ctx.Directorio(), base + ".DBF");
    if (Tabla::RetenidaPorOtro(dbf)) {
        throw ErrorPasaplan("La tabla " + base + " está abierta en otro programa (" +
                            plataforma::Utf8DeRuta(dbf) + ").");
    }
    plataforma::BorrarArchivo(dbf);
    plataforma::BorrarArchivo(Tabla::RutaEn(ctx.Directorio(), base + ".MDX"));
}

std::unique_ptr<Tabla> CrearTablaPaso(const ContextoImportacion& ctx, const Utf8& nombre,
                                      const std::vector<Campo>& campos) {
    BorrarTablaPaso(ctx, nombre);
    const auto ruta = ctx.Directorio() / plataforma::RutaDeUtf8(nombre + ".DBF");
    Tabla::Crear(ruta, campos);
    return Tabla::Abrir(ruta, Acceso::Compartido);
}

void CerrarTablaPaso(const ContextoImportacion& ctx, std::unique_ptr<Tabla>& tabla) {
    if (!tabla) return;
    const Utf8 nombre = tabla->Nombre();
    const size_t filas = tabla->Filas();
    tabla->Volcar();  // here a failed write still ends the run with its message
    tabla.reset();
    ctx.interlocutor.TablaEscrita(nombre, filas);
}

}  // namespace pasaplan
