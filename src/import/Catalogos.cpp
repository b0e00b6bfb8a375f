// Step 10: four of Séneca's code catalogues copied value for value, so that the export run can
// give Séneca the codes it expects. Block ORIGENES decides for all four.
#include <optional>
#include <string>

#include "import/Pasos.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Cp1252.h"
#include "text/Numeros.h"

namespace pasaplan {

namespace {

struct CampoCatalogo {
    const char* nombre;
    int ancho;  // 0: integer
};

struct Catalogo {
    const char* bloque;
    const char* tabla;
    std::vector<CampoCatalogo> campos;  // field i takes dato i
};

const std::vector<Catalogo>& Catalogos() {
    static const std::vector<Catalogo> catalogos{
        {"ORIGENES", "ORIGENES_C", {{"X_CATORIHOR", 0}, {"C_ORIHOR", 20}, {"D_ORIHOR", 50}}},
        {"NIVELES", "NIVELES_C", {{"X_NIVCONPAGLEG", 0}, {"C_NIVCON", 30}, {"D_NIVCON", 55}}},
        {"CURSOS_NIVELES", "CUR_NIV_C", {{"X_OFERTAMATRIG", 0}, {"X_NIVCONPAGLEG", 0}}},
        {"AUTORIZACIONES",
         "AUTORIZA_C",
         {{"X_ORIHORACTETP", 0}, {"X_ACTIVIDAD", 0}, {"X_CATORIHOR", 0}, {"X_NIVCONPAGLEG", 0}}},
    };
    return catalogos;
}

long long Entero(const ContextoImportacion& ctx, const Catalogo& catalogo, size_t registro,
                 size_t pos, const Texto& valor) {
    if (const auto numero = LeerEntero(valor)) return *numero;

    const Utf8 donde = "En el bloque «" + Cp1252AUtf8(catalogo.bloque) + "» del archivo «" +
                       ctx.documento.Nombre() + "», registro " + Utf8::Numero(registro + 1) +
                       ", dato " + Utf8::Numero(pos) + " (" +
                       Utf8::DeBytes(catalogo.campos[pos].nombre) + "): ";
    if (valor.empty()) {
        throw ErrorPasaplan(donde + "falta el valor o está vacío, y debe ser un número entero.");
    }
    throw ErrorPasaplan(donde + "«" + Cp1252AUtf8(valor) + "» no es un número entero.");
}

void CargarCatalogo(ContextoImportacion& ctx, const Catalogo& catalogo,
                    const std::vector<Grupo>& registros) {
    std::vector<Campo> campos;
    for (const auto& c : catalogo.campos) {
        campos.push_back(c.ancho == 0 ? CampoEntero(c.nombre) : CampoTexto(c.nombre, c.ancho));
    }
    auto tabla = CrearTablaPaso(ctx, Utf8::DeBytes(catalogo.tabla), campos);

    // One set of vectors for every record.
    std::vector<Texto> valores(catalogo.campos.size());
    std::vector<long long> enteros(catalogo.campos.size());
    for (size_t i = 0; i < registros.size(); ++i) {
        const auto& datos = registros[i].Datos();
        if (datos.size() < 2) continue;
        // Read and check every value before the row exists: a bad value adds no half row.
        for (size_t pos = 0; pos < catalogo.campos.size(); ++pos) {
            valores[pos] = Valor(datos, pos);
            if (catalogo.campos[pos].ancho == 0) {
                enteros[pos] = Entero(ctx, catalogo, i, pos, valores[pos]);
            }
        }
        const size_t fila = tabla->Agregar();
        for (size_t pos = 0; pos < catalogo.campos.size(); ++pos) {
            const auto& campo = catalogo.campos[pos];
            if (campo.ancho == 0) {
                tabla->PonerEntero(fila, campo.nombre, enteros[pos]);
            } else {
                tabla->PonerTexto(fila, campo.nombre, valores[pos]);
            }
        }
        tabla->Grabar(fila);
    }

    CerrarTablaPaso(ctx, tabla);
}

}  // namespace

void CargarCatalogos(ContextoImportacion& ctx) {
    const auto& catalogos = Catalogos();
    BorrarTablaPaso(ctx, Utf8::DeBytes(catalogos.front().tabla));
    // Without origins the export run works without catalogues: the other three stay as the
    // previous run left them.
    if (ctx.documento.Registros(catalogos.front().bloque).empty()) return;

    for (const Catalogo& catalogo : catalogos) {
        CargarCatalogo(ctx, catalogo, ctx.documento.Registros(catalogo.bloque));
    }
}

}  // namespace pasaplan
