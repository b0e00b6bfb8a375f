// The real pasaplan-lote.exe takes its arguments as the system's wide text: a path with
// accents reaches the run as it was typed.
#include <gtest/gtest.h>

#include "exchange/Tabla.h"
#include "platform/Rutas.h"
#include "support/Apoyo.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;

TEST(BinarioWindows, RutaConAcentosEnLaLineaDeOrdenes) {
    prueba::DirectorioTemporal tmp;
    const fs::path carpeta =
        tmp.Ruta() / plataforma::RutaDeUtf8("A\xC3\xB1o \xC3\xB1 \xE2\x82\xAC");
    fs::create_directory(carpeta);
    const fs::path tabla = carpeta / "AULAT.DBF";
    Tabla::Crear(tabla, {{"NOMBRE", TipoCampo::Texto, 10}});
    {
        auto t = Tabla::Abrir(tabla, Acceso::Exclusivo);
        const size_t f = t->Agregar();
        t->PonerTexto(f, "NOMBRE", "Aula 1");
        t->Grabar(f);
    }
    const auto r =
        prueba::EjecutarPrograma(prueba::Programa("pasaplan-lote"),
                                 {"tabla", plataforma::Utf8DeRuta(tabla).Bytes()}, tmp.Ruta());
    EXPECT_EQ(r.estado, 0) << r.err;
    EXPECT_EQ(r.out, "NOMBRE\nAula 1\n");

    const auto falta = prueba::EjecutarPrograma(
        prueba::Programa("pasaplan-lote"),
        {"tabla", plataforma::Utf8DeRuta(carpeta / "FALTA.DBF").Bytes()}, tmp.Ruta());
    EXPECT_EQ(falta.estado, 1);
    EXPECT_NE(falta.err.find("A\xC3\xB1o \xC3\xB1 \xE2\x82\xAC"), std::string::npos) << falta.err;
}

}  // namespace
}  // namespace pasaplan
