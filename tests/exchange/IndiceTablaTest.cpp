// Locate and filter against a plain scan written here, on random tables: duplicates, values
// that differ only in trailing or leading blanks, values cut to the field width, rows appended
// (posted or not) and edited between the lookups.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "exchange/Tabla.h"
#include "support/Apoyo.h"

namespace pasaplan {
namespace {

using prueba::DirectorioTemporal;

const std::vector<Campo> kCampos = {{"COD", TipoCampo::Texto, 3},
                                    {"NOMBRE", TipoCampo::Texto, 6},
                                    {"DIA", TipoCampo::Entero},
                                    {"ACTIVA", TipoCampo::Logico}};

// Texts short enough to collide often; some longer than COD's width, some with blanks.
const std::vector<std::string> kTextos = {
    "",        " ",    "A", "A ",  " A",    "AB",      "AB ", "ABC",
    "ABCD",    "ABC ", "a", "b c", "\xD1u", "\xD1u  ", "x'y", std::string("AB\0", 3),
    "ABCDEFGH"};
const std::vector<std::string> kNumeros = {"", "0", "1", "2", "-1", " 2", "10"};
const std::vector<std::string> kLogicos = {"", "T", "F", "t", "N", "?"};

class Azar {
  public:
    explicit Azar(unsigned semilla) : motor_(semilla) {}
    size_t Hasta(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(motor_); }
    template <typename T>
    const T& De(const std::vector<T>& v) {
        return v[Hasta(v.size())];
    }

  private:
    std::mt19937 motor_;
};

const std::vector<std::string>& ValoresDe(const std::string& campo) {
    if (campo == "DIA") return kNumeros;
    if (campo == "ACTIVA") return kLogicos;
    return kTextos;
}

// What a dBase locate means, read through LeerTexto only: the stored value equals the search
// value without its trailing blanks.
bool Coincide(const Tabla& t, size_t fila, const std::vector<Condicion>& condiciones) {
    for (const auto& [campo, valor] : condiciones) {
        std::string_view buscado = valor;
        while (!buscado.empty() && buscado.back() == ' ') buscado.remove_suffix(1);
        if (t.LeerTexto(fila, campo) != buscado) return false;
    }
    return true;
}

std::optional<size_t> PrimeraPorRecorrido(const Tabla& t, const std::vector<Condicion>& c) {
    for (size_t fila = 0; fila < t.Filas(); ++fila) {
        if (Coincide(t, fila, c)) return fila;
    }
    return std::nullopt;
}

std::vector<size_t> TodasPorRecorrido(const Tabla& t, const Condicion& c) {
    std::vector<size_t> filas;
    for (size_t fila = 0; fila < t.Filas(); ++fila) {
        if (Coincide(t, fila, {c})) filas.push_back(fila);
    }
    return filas;
}

std::optional<size_t> BuscarCon(const Tabla& t, const std::vector<Condicion>& c) {
    switch (c.size()) {
        case 1:
            return t.Buscar({c[0]});
        case 2:
            return t.Buscar({c[0], c[1]});
        default:
            return t.Buscar({c[0], c[1], c[2]});
    }
}

void Escribir(Tabla& t, Azar& azar, size_t fila) {
    const Campo& campo = azar.De(kCampos);
    const std::string& valor = azar.De(ValoresDe(campo.nombre));
    switch (azar.Hasta(campo.tipo == TipoCampo::Texto ? 3 : 1)) {
        case 1:
            t.PonerEntero(fila, campo.nombre, static_cast<long long>(azar.Hasta(3)));
            break;
        case 2:
            t.PonerTexto(fila, campo.nombre, azar.Hasta(2) ? "AB" : "A ");
            break;
        default:
            t.PonerTexto(fila, campo.nombre, valor);
            break;
    }
}

class IndiceAzar : public ::testing::TestWithParam<unsigned> {};

TEST_P(IndiceAzar, BuscarYFiltrarDanLoMismoQueUnRecorrido) {
    DirectorioTemporal dir;
    const auto archivo = dir.Ruta() / "AZAR.DBF";
    Tabla::Crear(archivo, kCampos);
    Azar azar(GetParam());

    // Some rows posted to the file, so that the table opens with rows already loaded.
    {
        auto t = Tabla::Abrir(archivo, Acceso::Exclusivo);
        for (size_t i = azar.Hasta(30); i > 0; --i) {
            const size_t fila = t->Agregar();
            for (size_t j = azar.Hasta(5); j > 0; --j) Escribir(*t, azar, fila);
            t->Grabar(fila);
        }
    }
    auto t = Tabla::Abrir(archivo, Acceso::Exclusivo);
    for (int paso = 0; paso < 2000; ++paso) {
        const size_t accion = azar.Hasta(10);
        if (accion == 0 || t->Filas() == 0) {
            // Appended rows are visible to lookups before they are posted, as in a scan.
            const size_t fila = t->Agregar();
            if (azar.Hasta(2)) t->Grabar(fila);
        } else if (accion <= 3) {
            const size_t fila = azar.Hasta(t->Filas());
            Escribir(*t, azar, fila);
            if (azar.Hasta(2)) t->Grabar(fila);
        } else if (accion <= 7) {
            std::vector<Condicion> condiciones;
            for (size_t n = 1 + azar.Hasta(3); n > 0; --n) {
                const Campo& campo = azar.De(kCampos);
                condiciones.emplace_back(campo.nombre, azar.De(ValoresDe(campo.nombre)));
            }
            ASSERT_EQ(BuscarCon(*t, condiciones), PrimeraPorRecorrido(*t, condiciones))
                << "paso " << paso;
        } else {
            const Campo& campo = azar.De(kCampos);
            const Condicion condicion(campo.nombre, azar.De(ValoresDe(campo.nombre)));
            ASSERT_EQ(t->Filtrar(condicion.first, condicion.second),
                      TodasPorRecorrido(*t, condicion))
                << "paso " << paso;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Semillas, IndiceAzar, ::testing::Range(1u, 9u),
                         [](const auto& info) { return "semilla" + std::to_string(info.param); });

// The appending pattern of the import steps: search, then append a row that a later search of
// the same values must find, with other rows of the same values before it.
TEST(Indice, LaFilaAgregadaSeEncuentraAntesDeGrabarYLaPrimeraSigueGanando) {
    DirectorioTemporal dir;
    const auto archivo = dir.Ruta() / "ASIG.DBF";
    Tabla::Crear(archivo, kCampos);
    auto t = Tabla::Abrir(archivo, Acceso::Exclusivo);
    EXPECT_EQ(t->Buscar({{"COD", "X"}, {"NOMBRE", "Uno"}}), std::nullopt);
    EXPECT_EQ(t->Buscar({{"COD", ""}}), std::nullopt);

    const size_t primera = t->Agregar();
    EXPECT_EQ(t->Buscar({{"COD", ""}}), primera);  // blank, not yet posted
    t->PonerTexto(primera, "COD", "X");
    EXPECT_EQ(t->Buscar({{"COD", "  "}}), std::nullopt);
    t->PonerTexto(primera, "NOMBRE", "Uno");
    EXPECT_EQ(t->Buscar({{"COD", "X  "}, {"NOMBRE", "Uno"}}), primera);

    const size_t segunda = t->Agregar();
    t->PonerTexto(segunda, "COD", "X");
    t->PonerTexto(segunda, "NOMBRE", "Uno");
    t->Grabar(segunda);
    EXPECT_EQ(t->Buscar({{"COD", "X"}, {"NOMBRE", "Uno"}}), primera);
    EXPECT_EQ(t->Filtrar("COD", "X"), (std::vector<size_t>{primera, segunda}));

    // Editing the first row away hands the lookup to the second; editing it back restores it.
    t->PonerTexto(primera, "NOMBRE", "Dos");
    EXPECT_EQ(t->Buscar({{"COD", "X"}, {"NOMBRE", "Uno"}}), segunda);
    t->PonerTexto(primera, "NOMBRE", "Uno");
    EXPECT_EQ(t->Buscar({{"COD", "X"}, {"NOMBRE", "Uno"}}), primera);

    // Two fields whose values run together still tell "AB"+"C" from "A"+"BC".
    t->PonerTexto(segunda, "COD", "AB");
    t->PonerTexto(segunda, "NOMBRE", "C");
    EXPECT_EQ(t->Buscar({{"COD", "A"}, {"NOMBRE", "BC"}}), std::nullopt);
    EXPECT_EQ(t->Buscar({{"COD", "AB"}, {"NOMBRE", "C"}}), segunda);

    // A search value longer than anything a field can hold finds nothing.
    EXPECT_EQ(t->Buscar({{"NOMBRE", std::string(300, 'U')}}), std::nullopt);
}

}  // namespace
}  // namespace pasaplan
