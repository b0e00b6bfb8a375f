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
    if (indexadas_ == 0 && filas > ranuras_.size() / 2) Redistribuir(filas * 2);
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

void IndiceTabla::Redistribuir(size_t ranuras) {
    size_t n = 16;
    while (n < ranuras) n *= 2;
    ranuras_.assign(n, 0);
    for (size_t g = 0; g < grupos_.size(); ++g) {
        size_t i = grupos_[g].hash & (n - 1);
        while (ranuras_[i] != 0) i = (i + 1) & (n - 1);
        ranuras_[i] = static_cast<uint32_t>(g + 1);
    }
}

size_t IndiceTabla::Ranura(std::string_view clave, size_t hash) const {
    const size_t mascara = ranuras_.size() - 1;
    size_t i = hash & mascara;
    for (; ranuras_[i] != 0; i = (i + 1) & mascara) {
        const Grupo& g = grupos_[ranuras_[i] - 1];
        if (g.hash == hash && std::string_view(claves_).substr(g.desde, g.largo) == clave) break;
    }
    return i;
}

const IndiceTabla::Grupo* IndiceTabla::Buscado(std::string_view clave) const {
    if (ranuras_.empty()) return nullptr;
    const uint32_t ranura = ranuras_[Ranura(clave, std::hash<std::string_view>{}(clave))];
    return ranura == 0 ? nullptr : &grupos_[ranura - 1];
}

IndiceTabla::Grupo& IndiceTabla::GrupoPara(std::string_view clave) {
    if (ranuras_.empty()) Redistribuir(16);
    const size_t hash = std::hash<std::string_view>{}(clave);
    const size_t i = Ranura(clave, hash);
    if (ranuras_[i] != 0) return grupos_[ranuras_[i] - 1];
    grupos_.push_back(Grupo{hash, claves_.size(), static_cast<uint32_t>(clave.size())});
    claves_ += clave;
    ranuras_[i] = static_cast<uint32_t>(grupos_.size());
    // At most half full, so that a search for a missing key stops soon.
    if (grupos_.size() * 2 > ranuras_.size()) Redistribuir(ranuras_.size() * 2);
    return grupos_.back();
}

void IndiceTabla::Anadir(std::string_view clave, uint32_t fila) {
    Grupo& g = GrupoPara(clave);
    if (g.primera == kNinguna) {
        g.primera = fila;
        return;
    }
    if (fila < g.primera) std::swap(fila, g.primera);
    if (g.resto == kNinguna) {
        g.resto = static_cast<uint32_t>(restos_.size());
        restos_.emplace_back();
    }
    std::vector<uint32_t>& resto = restos_[g.resto];
    // Rows are mostly appended, so the new one usually goes last.
    if (resto.empty() || resto.back() < fila) {
        resto.push_back(fila);
    } else {
        resto.insert(std::lower_bound(resto.begin(), resto.end(), fila), fila);
    }
}

void IndiceTabla::Quitar(std::string_view clave, uint32_t fila) {
    if (ranuras_.empty()) return;
    const uint32_t ranura = ranuras_[Ranura(clave, std::hash<std::string_view>{}(clave))];
    if (ranura == 0) return;
    Grupo& g = grupos_[ranura - 1];
    if (g.primera == kNinguna) return;
    std::vector<uint32_t>* resto = g.resto == kNinguna ? nullptr : &restos_[g.resto];
    if (g.primera == fila) {
        if (resto == nullptr || resto->empty()) {
            g.primera = kNinguna;
        } else {
            g.primera = resto->front();
            resto->erase(resto->begin());
        }
        return;
    }
    if (resto == nullptr) return;
    const auto it = std::lower_bound(resto->begin(), resto->end(), fila);
    if (it != resto->end() && *it == fila) resto->erase(it);
}

std::optional<uint32_t> IndiceTabla::Primera(std::string_view clave) const {
    const Grupo* g = Buscado(clave);
    if (g == nullptr || g->primera == kNinguna) return std::nullopt;
    return g->primera;
}

void IndiceTabla::Filas(std::string_view clave, std::vector<size_t>& filas) const {
    const Grupo* g = Buscado(clave);
    if (g == nullptr || g->primera == kNinguna) return;
    filas.push_back(g->primera);
    if (g->resto != kNinguna) {
        filas.insert(filas.end(), restos_[g->resto].begin(), restos_[g->resto].end());
    }
}

}  // namespace pasaplan::dbf
