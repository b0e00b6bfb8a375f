// Séneca's four code catalogues: integer fields, ORIGENES deciding for the others, and a value
// that is not a whole number stopping the run with the place it was found.
#include <gtest/gtest.h>

#include "import/EntornoPaso.h"
#include "platform/Error.h"
#include "support/NombresCasos.h"

namespace pasaplan {
namespace {

using prueba::Bloque;
using prueba::Fila;
using prueba::Registro;

std::string Origen(const std::string& x, const std::string& c, const std::string& d) {
    return Registro("ORIGEN", {{"X_CATORIHOR", x}, {"C_ORIHOR", c}, {"D_ORIHOR", d}});
}
std::string Nivel(const std::string& x, const std::string& c, const std::string& d) {
    return Registro("NIVEL", {{"X_NIVCONPAGLEG", x}, {"C_NIVCON", c}, {"D_NIVCON", d}});
}
std::string CursoNivel(const std::string& curso, const std::string& nivel) {
    return Registro("CURSO_NIVEL", {{"X_OFERTAMATRIG", curso}, {"X_NIVCONPAGLEG", nivel}});
}
std::string Autorizacion(const std::string& x, const std::string& act, const std::string& cat,
                         const std::string& niv) {
    return Registro("AUTORIZACION", {{"X_ORIHORACTETP", x},
                                     {"X_ACTIVIDAD", act},
                                     {"X_CATORIHOR", cat},
                                     {"X_NIVCONPAGLEG", niv}});
}

class Catalogos : public testing::Test, public prueba::EntornoPaso {
  protected:
    std::string Completo(const std::string& origenes =
                             Bloque("ORIGENES", {Origen(" 007 ", "ORD", "Ordinario"),
                                                 Origen("8", "CMP", "Compensatoria"),
                                                 Registro("ORIGEN", {{"X_CATORIHOR", "9"}})})) {
        return origenes +
               Bloque("NIVELES", {Nivel("41", "ESO", "Educación Secundaria Obligatoria"),
                                  Nivel("-2", "BACH", "Bachillerato")}) +
               Bloque("CURSOS_NIVELES", {CursoNivel("100323", "41")}) +
               Bloque("AUTORIZACIONES", {Autorizacion("5501", "1", "7", "41")});
    }

    std::string Bytes(const Utf8& tabla) { return prueba::LeerArchivo(Ruta(tabla + ".DBF")); }
};

TEST_F(Catalogos, FourTablesWithIntegerFields) {
    Exportacion(Completo());
    Ejecutar(CargarCatalogos);
    EXPECT_EQ(Filas("ORIGENES_C"),
              (std::vector<Fila>{{"7", "ORD", "Ordinario"}, {"8", "CMP", "Compensatoria"}}));
    EXPECT_EQ(Filas("NIVELES_C"),
              (std::vector<Fila>{{"41", "ESO", "Educación Secundaria Obligatoria"},
                                 {"-2", "BACH", "Bachillerato"}}));
    EXPECT_EQ(Filas("CUR_NIV_C"), (std::vector<Fila>{{"100323", "41"}}));
    EXPECT_EQ(Filas("AUTORIZA_C"), (std::vector<Fila>{{"5501", "1", "7", "41"}}));
    EXPECT_EQ(NombresCampos("AUTORIZA_C"),
              (std::vector<std::string>{"X_ORIHORAC", "X_ACTIVIDA", "X_CATORIHO", "X_NIVCONPA"}));

    const auto lineas = prueba::LeidoPorDbfread(Ruta("ORIGENES_C.DBF"));
    if (lineas.empty()) GTEST_SKIP() << "/usr/bin/python3 con dbfread no disponible";
    EXPECT_EQ(lineas,
              (std::vector<std::string>{"cp1252", "X_CATORIHO:N:11\tC_ORIHOR:C:20\tD_ORIHOR:C:50",
                                        "7\tORD\tOrdinario", "8\tCMP\tCompensatoria"}));
}

TEST_F(Catalogos, WithoutOriginsTheOtherCataloguesStayAsTheyWere) {
    Exportacion(Completo());
    Ejecutar(CargarCatalogos);
    const std::string niveles = Bytes("NIVELES_C"), cursos = Bytes("CUR_NIV_C"),
                      autorizaciones = Bytes("AUTORIZA_C");

    for (const std::string& origenes : {std::string(), Bloque("ORIGENES", {})}) {
        Exportacion(Completo(origenes) + Bloque("NIVELES", {Nivel("1", "X", "Otro")}));
        Ejecutar(CargarCatalogos);
        EXPECT_FALSE(Existe("ORIGENES_C"));
        EXPECT_EQ(Bytes("NIVELES_C"), niveles);
        EXPECT_EQ(Bytes("CUR_NIV_C"), cursos);
        EXPECT_EQ(Bytes("AUTORIZA_C"), autorizaciones);
    }
}

TEST_F(Catalogos, BadValueStopsTheRunNamingBlockRecordAndValue) {
    Exportacion(Completo());
    Ejecutar(CargarCatalogos);
    const std::string autorizaciones = Bytes("AUTORIZA_C");

    Exportacion(Bloque("ORIGENES", {Origen("7", "ORD", "Ordinario")}) +
                Bloque("NIVELES", {Nivel("41", "ESO", "ESO"), Nivel("42", "BACH", "Bachillerato"),
                                   Nivel("4x", "FPB", "FP Básica"), Nivel("44", "CFGM", "")}) +
                Bloque("AUTORIZACIONES", {Autorizacion("1", "1", "1", "1")}));
    try {
        Ejecutar(CargarCatalogos);
        FAIL() << "valor no numérico aceptado";
    } catch (const ErrorPasaplan& e) {
        const std::string mensaje = e.what();
        for (const char* parte :
             {"«NIVELES»", "registro 3", "«4x»", "X_NIVCONPAGLEG", "ExportacionHorarios.xml"}) {
            EXPECT_NE(mensaje.find(parte), std::string::npos) << parte << " en: " << mensaje;
        }
    }
    // Rows posted before stay; later catalogues are as the previous run left them.
    EXPECT_EQ(Filas("ORIGENES_C").size(), 1u);
    EXPECT_EQ(Filas("NIVELES_C"),
              (std::vector<Fila>{{"41", "ESO", "ESO"}, {"42", "BACH", "Bachillerato"}}));
    EXPECT_EQ(Bytes("AUTORIZA_C"), autorizaciones);
}

struct CasoEntero {
    const char* nombre;
    std::string valor;
    std::string guardado;  // empty: the value is refused
};

class EnteroCatalogo : public Catalogos, public testing::WithParamInterface<CasoEntero> {};

TEST_P(EnteroCatalogo, WholeDecimalNumbersOnly) {
    const CasoEntero& caso = GetParam();
    Exportacion(Bloque("ORIGENES", {Origen(caso.valor, "ORD", "Ordinario")}));
    if (caso.guardado.empty()) {
        EXPECT_THROW(Ejecutar(CargarCatalogos), ErrorPasaplan);
        EXPECT_TRUE(Filas("ORIGENES_C").empty());
    } else {
        Ejecutar(CargarCatalogos);
        EXPECT_EQ(Filas("ORIGENES_C"), (std::vector<Fila>{{caso.guardado, "ORD", "Ordinario"}}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Valores, EnteroCatalogo,
    testing::Values(CasoEntero{"Blancos", " 007 ", "7"}, CasoEntero{"Mas", "+12", "12"},
                    CasoEntero{"Menos", "-3", "-3"},
                    CasoEntero{"Maximo", "2147483647", "2147483647"},
                    CasoEntero{"MayorQueElMaximo", "2147483648", ""}, CasoEntero{"Vacio", "", ""},
                    CasoEntero{"Decimal", "3.0", ""}, CasoEntero{"Exponente", "1e3", ""},
                    CasoEntero{"Hexadecimal", "0x1A", ""},
                    CasoEntero{"BlancoTrasElSigno", "- 3", ""}, CasoEntero{"DosSignos", "+-3", ""},
                    CasoEntero{"Tabulador", "\t5", ""}),
    prueba::PorNombre());

TEST_F(Catalogos, MissingIntegerOfAShortRecordIsNamedAsMissing) {
    Exportacion(Bloque("ORIGENES", {Origen("7", "ORD", "Ordinario")}) +
                Bloque("AUTORIZACIONES", {Registro("AUTORIZACION", {{"X_ORIHORACTETP", "1"},
                                                                    {"X_ACTIVIDAD", "2"}})}));
    try {
        Ejecutar(CargarCatalogos);
        FAIL() << "registro incompleto aceptado";
    } catch (const ErrorPasaplan& e) {
        const std::string mensaje = e.what();
        EXPECT_NE(mensaje.find("«AUTORIZACIONES»"), std::string::npos) << mensaje;
        EXPECT_NE(mensaje.find("X_CATORIHOR"), std::string::npos) << mensaje;
        EXPECT_NE(mensaje.find("falta"), std::string::npos) << mensaje;
    }
}

}  // namespace
}  // namespace pasaplan
