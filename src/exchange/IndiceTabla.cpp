#include "exchange/IndiceTabla.h"

#include <algorithm>
#include <utility>

namespace pasaplan::dbf {
namespace {

// A field value read from a record never exceeds the width byte of its descriptor, nor the
// scratch space of a decoded binary integer.
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
    ClaveDe(registro, clave_);
    Quitar(clave_, static_cast<uint32_t>(fila));
    pendiente_[fila] = true;
    pendientes_.push_back(static_cast<uint32_t>(fila));
}

void IndiceTabla::PonerAlDia(const char* datos, size_t largo, size_t filas) {
    for (const uint32_t fila : pendientes_) {
        ClaveDe(datos + fila * largo, clave_);
        Anadir(clave_, fila);
        pendiente_[fila] = false;
    }
    pendientes_.clear();
    if (indexadas_ == 0) grupos_.reserve(filas);
    for (size_t fila = indexadas_; fila < filas; ++fila) {
        ClaveDe(datos + fila * largo, clave_);
        Anadir(clave_, static_cast<uint32_t>(fila));
    }
    indexadas_ = filas;
    pendiente_.resize(filas, false);
}

void IndiceTabla::ClaveDe(const char* registro, std::string& clave) const {
    clave.clear();
    const bool conLargo = campos_.size() > 1;
    Hueco hueco;
    for (const CampoDbf* campo : campos_) {
        AnadirParte(clave, VistaValor(registro, *campo, hueco), conLargo);
    }
}

bool IndiceTabla::ClaveBuscada(const std::vector<std::string_view>& valores,
                               std::string& clave) const {
    clave.clear();
    const bool conLargo = campos_.size() > 1;
    for (std::string_view valor : valores) {
        if (valor.size() > kLargoMaximoValor) return false;
        AnadirParte(clave, valor, conLargo);
    }
    return true;
}

void IndiceTabla::Anadir(std::string_view clave, uint32_t fila) {
    const auto grupo = grupos_.find(clave);
    if (grupo == grupos_.end()) {
        grupos_.emplace(std::string(clave), Grupo{fila, {}});
        return;
    }
    Grupo& g = grupo->second;
    if (fila < g.primera) std::swap(fila, g.primera);
    // Rows are mostly appended, so the new one usually goes last.
    if (g.resto.empty() || g.resto.back() < fila) {
        g.resto.push_back(fila);
    } else {
        g.resto.insert(std::lower_bound(g.resto.begin(), g.resto.end(), fila), fila);
    }
}

void IndiceTabla::Quitar(std::string_view clave, uint32_t fila) {
    const auto grupo = grupos_.find(clave);
    if (grupo == grupos_.end()) return;
    Grupo& g = grupo->second;
    if (g.primera == fila) {
        if (g.resto.empty()) {
            grupos_.erase(grupo);
            return;
        }
        g.primera = g.resto.front();
        g.resto.erase(g.resto.begin());
        return;
    }
    const auto it = std::lower_bound(g.resto.begin(), g.resto.end(), fila);
    if (it != g.resto.end() && *it == fila) g.resto.erase(it);
}

std::optional<uint32_t> IndiceTabla::Primera(std::string_view clave) const {
    const auto grupo = grupos_.find(clave);
    if (grupo == grupos_.end()) return std::nullopt;
    return grupo->second.primera;
}

void IndiceTabla::Filas(std::string_view clave, std::vector<size_t>& filas) const {
    const auto grupo = grupos_.find(clave);
    if (grupo == grupos_.end()) return;
    filas.push_back(grupo->second.primera);
    filas.insert(filas.end(), grupo->second.resto.begin(), grupo->second.resto.end());
}

}  // namespace pasaplan::dbf
