#include "import/CodigosMaterias.h"

#include <string>

#include "text/Clipper.h"

namespace pasaplan {

namespace {
bool EsMayusculaAscii(char c) { return c >= 'A' && c <= 'Z'; }
}  // namespace

Texto CodigoDesdeNombre(std::string_view nombre) {
    if (nombre.empty()) return Texto();
    Texto codigo;
    if (!EsMayusculaAscii(nombre.front())) codigo += nombre.front();
    codigo += Mayusculas(nombre);
    if (codigo.size() == 1) {
        if (nombre.find(' ') != std::string_view::npos) {
            codigo = Texto::DeBytes(1, nombre.front()) + Iniciales(nombre);
        } else {
            codigo = Left(nombre, 6);
        }
    }
    return codigo;
}

Texto CodigoLargoDesdeCodigo(std::string_view codigo, std::string_view nombre) {
    if (codigo.size() <= 4) return Left(nombre, static_cast<long>(kAnchoCodigoMateria));
    return Texto::DeBytes(codigo);
}

Texto CodigoUnico(std::string_view codigo, const std::unordered_set<Texto>& usados,
                  NumerosProbados* numerados) {
    if (!usados.contains(Texto::DeBytes(codigo))) return Texto::DeBytes(codigo);
    const std::string_view base = codigo.empty() ? codigo : codigo.substr(0, codigo.size() - 1);
    // A variant depends on the front and the number only.
    unsigned long long primero = 1;
    unsigned long long* probado = nullptr;
    if (numerados) {
        probado = &numerados->try_emplace(Texto::DeBytes(base), 1).first->second;
        primero = *probado;
    }
    // Every number gives a different suffix and usados is finite, so this ends.
    for (unsigned long long n = primero;; ++n) {
        const std::string cifras = std::to_string(n);
        Texto candidato = Texto::DeBytes(base) + Texto::DeBytes(cifras);
        if (candidato.size() > kAnchoCodigoMateria) {
            const size_t cabeza =
                cifras.size() < kAnchoCodigoMateria ? kAnchoCodigoMateria - cifras.size() : 0;
            candidato = Texto::DeBytes(base.substr(0, cabeza)) + Texto::DeBytes(cifras);
        }
        if (!usados.contains(candidato)) {
            if (probado) *probado = n;
            return candidato;
        }
    }
}

}  // namespace pasaplan
