#include "exchange/IndiceTabla.h"

#include <algorithm>
#include <utility>

namespace pasaplan::dbf {
namespace {

// A field value read from a record never exceeds the width byte of its descriptor, nor the
// scratch space of a decoded binary integer: a longer search value matches nothing, and the
// one-byte length before each part of a key cannot wrap.
constexpr size_t kLargoMaximoValor = 255;
static_assert(sizeof(Hueco) <= kLargoMaximoValor);

void AnadirParte(std::string& clave, std::string_view valor, bool conLargo) {
    if (conLargo) clave += static_cast<char>(static_cast<unsigned char>(valor.size()));
    clave += valor;
}

}  // namespace

IndiceTabla::IndiceTabla(std::vector<const CampoDbf*> campos) : campos_(std::move(campos)) {}

bool IndiceTabla::Usa(const CampoDbf& campo) const {
    return std::find(campos_.begin(), campos_.end(), &campo) != campos_.end();
}

void IndiceTabla::AntesDeEscribir(size_t fila, const char* registro) {
    // A row not indexed yet, or already taken out, is indexed afresh by PonerAlDia.
    if (fila >= indexadas_ || pendiente_[fila]) return;
    Quitar(ClaveDe(registro), static_cast<uint32_t>(fila));
    pendiente_[fila] = true;
    pendientes_.push_back(static_cast<uint32_t>(fila));
}

void IndiceTabla::PonerAlDia(const char* datos, size_t largo, size_t filas) {
    for (const uint32_t fila : pendientes_) {
        std::vector<uint32_t>& grupo = grupos_[ClaveDe(datos + fila * largo)];
        grupo.insert(std::lower_bound(grupo.begin(), grupo.end(), fila), fila);
        pendiente_[fila] = false;
    }
    pendientes_.clear();
    if (indexadas_ == 0) grupos_.reserve(filas);
    // Rows taken in at the end come after every row already indexed.
    for (size_t fila = indexadas_; fila < filas; ++fila) {
        grupos_[ClaveDe(datos + fila * largo)].push_back(static_cast<uint32_t>(fila));
    }
    indexadas_ = filas;
    pendiente_.resize(filas, false);
}

std::string IndiceTabla::ClaveDe(const char* registro) const {
    std::string clave;
    const bool conLargo = campos_.size() > 1;
    Hueco hueco;
    for (const CampoDbf* campo : campos_) {
        AnadirParte(clave, VistaValor(registro, *campo, hueco), conLargo);
    }
    return clave;
}

void IndiceTabla::Quitar(const std::string& clave, uint32_t fila) {
    const auto grupo = grupos_.find(clave);
    if (grupo == grupos_.end()) return;
    std::vector<uint32_t>& filas = grupo->second;
    const auto it = std::lower_bound(filas.begin(), filas.end(), fila);
    if (it != filas.end() && *it == fila) filas.erase(it);
}

const std::vector<uint32_t>* IndiceTabla::Filas(
    const std::vector<std::string_view>& valores) const {
    std::string clave;
    const bool conLargo = campos_.size() > 1;
    for (std::string_view valor : valores) {
        if (valor.size() > kLargoMaximoValor) return nullptr;
        AnadirParte(clave, valor, conLargo);
    }
    const auto grupo = grupos_.find(clave);
    if (grupo == grupos_.end() || grupo->second.empty()) return nullptr;
    return &grupo->second;
}

}  // namespace pasaplan::dbf
