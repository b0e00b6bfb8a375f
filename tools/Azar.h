#pragma once
// A seeded generator for the synthetic data tools: splitmix64, so the same seed gives the same
// data on every platform and standard library (std:: distributions differ between them).
#include <cstdint>
#include <utility>
#include <vector>

namespace generacion {

class Azar {
  public:
    explicit Azar(uint64_t semilla) : estado_(semilla) {}
    uint64_t Siguiente() {
        uint64_t z = (estado_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // desde..hasta, both included.
    int Entre(int desde, int hasta) {
        return desde + static_cast<int>(Siguiente() % static_cast<uint64_t>(hasta - desde + 1));
    }
    bool Porcentaje(int p) { return Entre(0, 99) < p; }
    template <class C>
    auto Elegir(const C& c) -> decltype(c[0]) {
        return c[Siguiente() % c.size()];
    }
    template <class T>
    void Barajar(std::vector<T>& v) {
        for (size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[Siguiente() % i]);
    }

  private:
    uint64_t estado_;
};

}  // namespace generacion
