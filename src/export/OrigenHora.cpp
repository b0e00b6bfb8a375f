#include "export/OrigenHora.h"

#include <climits>

#include "platform/Rutas.h"
#include "text/Clipper.h"
#include "text/Numeros.h"

namespace pasaplan {

std::optional<long long> EnteroDeClave(std::string_view texto) {
    return LeerEntero(texto, Blancos::Alrededor, -LLONG_MAX, LLONG_MAX);
}

std::unique_ptr<CatalogosOrigen> CatalogosOrigen::Abrir(const std::filesystem::path& directorio) {
    if (!plataforma::ExisteArchivo(Tabla::RutaEn(directorio, "ORIGENES_C"))) return nullptr;
    auto origenes = Tabla::AbrirEn(directorio, "ORIGENES_C", Acceso::Compartido);
    if (origenes->Filas() == 0) return nullptr;
    auto cursosNiveles = Tabla::AbrirEn(directorio, "CUR_NIV_C", Acceso::Compartido);
    auto autorizaciones = Tabla::AbrirEn(directorio, "AUTORIZA_C", Acceso::Compartido);
    return std::unique_ptr<CatalogosOrigen>(new CatalogosOrigen(
        std::move(origenes), std::move(cursosNiveles), std::move(autorizaciones)));
}

CatalogosOrigen::CatalogosOrigen(std::unique_ptr<Tabla> origenes,
                                 std::unique_ptr<Tabla> cursosNiveles,
                                 std::unique_ptr<Tabla> autorizaciones)
    : origenes_(std::move(origenes)),
      cursosNiveles_(std::move(cursosNiveles)),
      autorizaciones_(std::move(autorizaciones)) {}

Texto CatalogosOrigen::Autorizacion(std::string_view curso, std::string_view concierto,
                                    std::string_view actividad) const {
    if (EnBlanco(concierto)) return {};
    const Texto nivel = Nivel(curso);
    if (EnBlanco(nivel)) return {};
    const Texto categoria = Categoria(concierto);
    if (EnBlanco(categoria)) return {};
    const Texto autorizacion = Autorizada(actividad, categoria, nivel);
    if (EnBlanco(autorizacion)) return {};
    return autorizacion;
}

Texto CatalogosOrigen::Nivel(std::string_view curso) const {
    if (!porCurso_) {
        porCurso_.emplace();
        for (size_t f = 0; f < cursosNiveles_->Filas(); ++f) {
            // A row whose key is no whole number can match nothing; emplace keeps the first.
            if (auto clave = EnteroDeClave(cursosNiveles_->LeerTexto(f, "X_OFERTAMATRIG"))) {
                porCurso_->emplace(*clave, f);
            }
        }
    }
    const auto clave = EnteroDeClave(curso);
    if (!clave) return {};
    const auto fila = porCurso_->find(*clave);
    if (fila == porCurso_->end()) return {};
    return cursosNiveles_->LeerTexto(fila->second, "X_NIVCONPAGLEG");
}

Texto CatalogosOrigen::Categoria(std::string_view concierto) const {
    const auto fila = origenes_->Buscar({{"C_ORIHOR", concierto}});
    return fila ? origenes_->LeerTexto(*fila, "X_CATORIHOR") : Texto();
}

Texto CatalogosOrigen::Autorizada(std::string_view actividad, std::string_view categoria,
                                  std::string_view nivel) const {
    if (!porAutorizacion_) {
        porAutorizacion_.emplace();
        for (size_t f = 0; f < autorizaciones_->Filas(); ++f) {
            const auto a = EnteroDeClave(autorizaciones_->LeerTexto(f, "X_ACTIVIDAD"));
            const auto c = EnteroDeClave(autorizaciones_->LeerTexto(f, "X_CATORIHOR"));
            const auto n = EnteroDeClave(autorizaciones_->LeerTexto(f, "X_NIVCONPAGLEG"));
            if (a && c && n) porAutorizacion_->emplace(std::make_tuple(*a, *c, *n), f);
        }
    }
    const auto a = EnteroDeClave(actividad);
    const auto c = EnteroDeClave(categoria);
    const auto n = EnteroDeClave(nivel);
    if (!a || !c || !n) return {};
    const auto fila = porAutorizacion_->find(std::make_tuple(*a, *c, *n));
    if (fila == porAutorizacion_->end()) return {};
    return autorizaciones_->LeerTexto(fila->second, "X_ORIHORACTETP");
}

}  // namespace pasaplan
