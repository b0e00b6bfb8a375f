#include "text/Numeros.h"

#include "text/Clipper.h"

namespace pasaplan {

std::optional<long long> LeerEntero(std::string_view texto, Blancos blancos, long long minimo,
                                    long long maximo) {
    if (blancos != Blancos::Ninguno) {
        while (!texto.empty() && texto.front() == ' ') texto.remove_prefix(1);
    }
    if (blancos == Blancos::Alrededor) {
        while (!texto.empty() && texto.back() == ' ') texto.remove_suffix(1);
    }
    const bool negativo = !texto.empty() && texto.front() == '-';
    if (!texto.empty() && (texto.front() == '-' || texto.front() == '+')) texto.remove_prefix(1);
    if (texto.empty()) return std::nullopt;

    // The magnitude may not pass the larger bound's; checked digit by digit, so that no text
    // overflows, however long.
    const unsigned long long tope =
        negativo ? 0ULL - static_cast<unsigned long long>(minimo < 0 ? minimo : 0)
                 : static_cast<unsigned long long>(maximo > 0 ? maximo : 0);
    unsigned long long magnitud = 0;
    for (char c : texto) {
        if (c < '0' || c > '9') return std::nullopt;
        const unsigned cifra = static_cast<unsigned>(c - '0');
        if (magnitud > (tope - cifra) / 10 || cifra > tope) return std::nullopt;
        magnitud = magnitud * 10 + cifra;
    }
    const long long valor =
        negativo ? static_cast<long long>(0ULL - magnitud) : static_cast<long long>(magnitud);
    if (valor < minimo || valor > maximo) return std::nullopt;
    return valor;
}

std::optional<int> LeerMinutos(std::string_view valor) {
    const Texto escrito = valor.size() < 4 ? "0" + Texto::DeBytes(valor) : Texto::DeBytes(valor);
    constexpr long long kNueveCifras = 999'999'999;
    const auto minutos = LeerEntero(escrito, Blancos::Ninguno, -kNueveCifras, kNueveCifras);
    if (!minutos) return std::nullopt;
    return static_cast<int>(*minutos);
}

MinutosDeReloj LeerMinutosReloj(std::string_view hora) {
    Texto texto = Texto::DeBytes(hora);
    if (texto.size() < 5) texto.insert(0, 1, '0');
    const Texto partes[2] = {Left(texto, 2), Right(texto, 2)};
    long long valores[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const auto valor = LeerEntero(partes[i], Blancos::Delante, -99, 99);
        if (!valor) return {std::nullopt, partes[i]};
        valores[i] = *valor;
    }
    return {valores[0] * 60 + valores[1], {}};
}

}  // namespace pasaplan
