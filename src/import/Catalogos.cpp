// Step 10: four of Séneca's code catalogues copied value for value, so that the export run can
// give Séneca the codes it expects. Block ORIGENES decides for all four.
#include <optional>
#include <string>

#include "import/Pasos.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "seneca/Registros.h"
#include "text/Cp1252.h"
#include "text/Numeros.h"

namespace pasaplan {

namespace {

// Field i of a catalogue's table takes the record's value i.
template <typename R>
struct CampoCatalogo {
    const char* nombre;
    int ancho;  // 0: integer
    Texto R::*valor;
};

template <typename R>
struct Catalogo {
    const char* bloque;
    const char* tabla;
    std::vector<CampoCatalogo<R>> campos;
};

const Catalogo<seneca::Origen> kOrigenes{"ORIGENES",
                                         "ORIGENES_C",
                                         {{"X_CATORIHOR", 0, &seneca::Origen::categoria},
                                          {"C_ORIHOR", 20, &seneca::Origen::codigo},
                                          {"D_ORIHOR", 50, &seneca::Origen::descripcion}}};
const Catalogo<seneca::Nivel> kNiveles{"NIVELES",
                                       "NIVELES_C",
                                       {{"X_NIVCONPAGLEG", 0, &seneca::Nivel::nivel},
                                        {"C_NIVCON", 30, &seneca::Nivel::codigo},
                                        {"D_NIVCON", 55, &seneca::Nivel::descripcion}}};
const Catalogo<seneca::CursoNivel> kCursosNiveles{
    "CURSOS_NIVELES",
    "CUR_NIV_C",
    {{"X_OFERTAMATRIG", 0, &seneca::CursoNivel::oferta},
     {"X_NIVCONPAGLEG", 0, &seneca::CursoNivel::nivel}}};
const Catalogo<seneca::Autorizacion> kAutorizaciones{
    "AUTORIZACIONES",
    "AUTORIZA_C",
    {{"X_ORIHORACTETP", 0, &seneca::Autorizacion::clave},
     {"X_ACTIVIDAD", 0, &seneca::Autorizacion::actividad},
     {"X_CATORIHOR", 0, &seneca::Autorizacion::categoria},
     {"X_NIVCONPAGLEG", 0, &seneca::Autorizacion::nivel}}};

template <typename R>
long long Entero(const ContextoImportacion& ctx, const Catalogo<R>& catalogo, const R& registro,
                 size_t pos) {
    const Texto& valor = registro.*catalogo.campos[pos].valor;
    if (const auto numero = LeerEntero(valor)) return *numero;

    const Utf8 donde = "En el bloque «" + Cp1252AUtf8(catalogo.bloque) + "» del archivo «" +
                       ctx.documento.Nombre() + "», registro " + Utf8::Numero(registro.numero) +
                       ", dato " + Utf8::Numero(pos) + " (" +
                       Utf8::DeBytes(catalogo.campos[pos].nombre) + "): ";
    if (valor.empty()) {
        throw ErrorPasaplan(donde + "falta el valor o está vacío, y debe ser un número entero.");
    }
    throw ErrorPasaplan(donde + "«" + Cp1252AUtf8(valor) + "» no es un número entero.");
}

template <typename R>
void CargarCatalogo(ContextoImportacion& ctx, const Catalogo<R>& catalogo,
                    const std::vector<R>& registros) {
    std::vector<Campo> campos;
    for (const auto& c : catalogo.campos) {
        campos.push_back(c.ancho == 0 ? CampoEntero(c.nombre) : CampoTexto(c.nombre, c.ancho));
    }
    auto tabla = CrearTablaPaso(ctx, Utf8::DeBytes(catalogo.tabla), campos);

    std::vector<long long> enteros(catalogo.campos.size());  // one for every record
    for (const R& registro : registros) {
        // Every integer is checked before the row exists: a bad value adds no half row.
        for (size_t pos = 0; pos < catalogo.campos.size(); ++pos) {
            if (catalogo.campos[pos].ancho == 0)
                enteros[pos] = Entero(ctx, catalogo, registro, pos);
        }
        const size_t fila = tabla->Agregar();
        for (size_t pos = 0; pos < catalogo.campos.size(); ++pos) {
            const auto& campo = catalogo.campos[pos];
            if (campo.ancho == 0) {
                tabla->PonerEntero(fila, campo.nombre, enteros[pos]);
            } else {
                tabla->PonerTexto(fila, campo.nombre, registro.*campo.valor);
            }
        }
        tabla->Grabar(fila);
    }

    CerrarTablaPaso(ctx, tabla);
}

}  // namespace

void CargarCatalogos(ContextoImportacion& ctx) {
    BorrarTablaPaso(ctx, Utf8::DeBytes(kOrigenes.tabla));
    // Without origins the export run works without catalogues: the other three stay as the
    // previous run left them. A block of short records only still counts as there.
    if (seneca::TotalRegistros(ctx.documento, kOrigenes.bloque) == 0) return;

    CargarCatalogo(ctx, kOrigenes, seneca::Origenes(ctx.documento));
    CargarCatalogo(ctx, kNiveles, seneca::Niveles(ctx.documento));
    CargarCatalogo(ctx, kCursosNiveles, seneca::CursosNiveles(ctx.documento));
    CargarCatalogo(ctx, kAutorizaciones, seneca::Autorizaciones(ctx.documento));
}

}  // namespace pasaplan
