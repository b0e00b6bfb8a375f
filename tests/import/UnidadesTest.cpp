// Teaching units (GRUPOST): abbreviations from the course's level and course number with one
// letter sequence per prefix, compared without regard to letter case.
#include <gtest/gtest.h>

#include <array>

#include "import/EntornoPaso.h"
#include "platform/Error.h"

namespace pasaplan {
namespace {

using prueba::Bloque;
using prueba::Fila;
using prueba::Registro;

struct CursoCodificado {
    std::string clave, nivel, curso, estudios;
};

std::string Unidad(const std::string& clave, const std::string& curso) {
    return Registro("UNIDAD_CURSO",
                    {{"X_UNIDAD", clave}, {"T_NOMBRE", "nombre"}, {"X_OFERTAMATRIG", curso}});
}

class Unidades : public testing::Test, public prueba::EntornoPaso {
  protected:
    // CURSOST as the course levels dialog leaves it.
    void CursosCodificados(const std::vector<CursoCodificado>& cursos) {
        const auto ruta = estado.DirectorioIntercambio / "CURSOST.DBF";
        Tabla::Crear(ruta,
                     {CampoTexto("ABREV", 3), CampoTexto("TURNO", 1), CampoTexto("NIVEL", 5),
                      CampoTexto("CURSO", 3), CampoTexto("CLAVE", 10), CampoTexto("ESTUD", 80)});
        auto t = Tabla::Abrir(ruta, Acceso::Exclusivo);
        for (const auto& c : cursos) {
            const size_t f = t->Agregar();
            t->PonerTexto(f, "CLAVE", BytesUtf8ACp1252(c.clave));
            t->PonerTexto(f, "NIVEL", BytesUtf8ACp1252(c.nivel));
            t->PonerTexto(f, "CURSO", BytesUtf8ACp1252(c.curso));
            t->PonerTexto(f, "ESTUD", BytesUtf8ACp1252(c.estudios));
            t->Grabar(f);
        }
    }

    void CargarSoloUnidades(const std::vector<std::string>& registros) {
        Exportacion(Bloque("UNIDADES", registros));
        Ejecutar(CargarUnidades);
    }

    std::vector<std::string> Abreviaturas() {
        std::vector<std::string> abreviaturas;
        for (const Fila& f : Filas("GRUPOST")) abreviaturas.push_back(f[0]);
        return abreviaturas;
    }
};

TEST_F(Unidades, ThreeUnitsOfOneCourseInDocumentOrder) {
    CursosCodificados({{"100323", "ESO", "1", "1º de E.S.O."}});
    CargarSoloUnidades(
        {Unidad("3174011", "100323"), Unidad("3174012", "100323"), Unidad("3174013", "100323")});
    EXPECT_EQ(NombresCampos("GRUPOST"),
              (std::vector<std::string>{"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "CLAVE",
                                        "CLAVECURSO", "DESCRIP", "MARCO"}));
    EXPECT_EQ(Filas("GRUPOST"),
              (std::vector<Fila>{
                  {"ESO1A", "", "ESO", "1", "A", "3174011", "100323", "1º de E.S.O.", "0"},
                  {"ESO1B", "", "ESO", "1", "B", "3174012", "100323", "1º de E.S.O.", "0"},
                  {"ESO1C", "", "ESO", "1", "C", "3174013", "100323", "1º de E.S.O.", "0"},
              }));
    const auto leido = prueba::LeidoPorDbfread(Ruta("GRUPOST.DBF"));
    if (!leido.empty()) {
        EXPECT_EQ(leido[1],
                  "ABREV:C:10\tTURNO:C:1\tNIVEL:C:5\tCURSO:C:3\tGRUPO:C:2\tCLAVE:C:10\t"
                  "CLAVECURSO:C:10\tDESCRIP:C:80\tMARCO:C:1");
    }
}

TEST_F(Unidades, OnePrefixSharesOneLetterSequence) {
    struct Caso {
        const char* nombre;
        std::vector<CursoCodificado> cursos;
        std::vector<std::string> unidades;  // course key of each unit, in order
        std::vector<std::string> esperadas;
    };
    const std::vector<Caso> casos{
        {"courses 1 and 1B of one level",
         {{"A", "ESO", "1", ""}, {"B", "ESO", "1B", ""}},
         {"A", "B", "A"},
         {"ESO1A", "ESO1B", "ESO1C"}},
        {"two courses with the same level and course",
         {{"A", "BCT", "1", ""}, {"B", "BCT", "1", ""}},
         {"B", "A"},
         {"BCT1A", "BCT1B"}},
        {"levels differing only in case",
         {{"A", "ESO", "1", ""}, {"B", "eso", "1", ""}},
         {"A", "B"},
         {"ESO1A", "eso1B"}},
        {"accented levels differing only in case",
         {{"A", "ÑAÑ", "1", ""}, {"B", "ñañ", "1", ""}},
         {"A", "B"},
         {"ÑAÑ1A", "ñañ1B"}},
        {"empty course", {{"A", "ESO", "", ""}}, {"A", "A"}, {"ESOA", "ESOB"}},
        {"five-character level",
         {{"A", "EDSO1", "2", ""}, {"B", "EDSO1", "3", ""}},
         {"A", "B"},
         {"EDSO12A", "EDSO13A"}},
        {"different prefixes keep their own sequences",
         {{"A", "ESO", "1", ""}, {"B", "ESO", "2", ""}},
         {"A", "B", "A", "B"},
         {"ESO1A", "ESO2A", "ESO1B", "ESO2B"}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        CursosCodificados(caso.cursos);
        std::vector<std::string> registros;
        for (size_t i = 0; i < caso.unidades.size(); ++i) {
            registros.push_back(Unidad(std::to_string(i), caso.unidades[i]));
        }
        CargarSoloUnidades(registros);
        EXPECT_EQ(Abreviaturas(), caso.esperadas);
    }
}

TEST_F(Unidades, UnitWithoutItsCourseGetsABareLetterAndLevelNiv) {
    CursosCodificados({{"100323", "ESO", "1", "1º de E.S.O."}, {"", "", "", ""}});
    CargarSoloUnidades({Unidad("1", "999999"), Unidad("2", "12345678901"), Unidad("3", "100323"),
                        Unidad("4", "999999")});
    EXPECT_EQ(Filas("GRUPOST"),
              (std::vector<Fila>{
                  {"A", "", "NIV", "", "A", "1", "999999", "", "0"},
                  // Longer than CLAVE can hold: never a course, whatever its first ten characters.
                  {"B", "", "NIV", "", "B", "2", "1234567890", "", "0"},
                  {"ESO1A", "", "ESO", "1", "A", "3", "100323", "1º de E.S.O.", "0"},
                  {"C", "", "NIV", "", "C", "4", "999999", "", "0"},
              }));
}

TEST_F(Unidades, CourseWithoutLevelIsStoredAsNiv) {
    CursosCodificados({{"100323", "", "1", "1º de E.S.O."}});
    CargarSoloUnidades({Unidad("1", "100323")});
    EXPECT_EQ(Filas("GRUPOST"),
              (std::vector<Fila>{{"1A", "", "NIV", "1", "A", "1", "100323", "1º de E.S.O.", "0"}}));
}

TEST_F(Unidades, AfterZComeTheNextCodesAndLowerCaseCountsAsTaken) {
    CursosCodificados({{"100323", "ESO", "1", ""}});
    std::vector<std::string> registros;
    for (int i = 0; i < 40; ++i) registros.push_back(Unidad(std::to_string(i), "100323"));
    CargarSoloUnidades(registros);
    const auto abreviaturas = Abreviaturas();
    ASSERT_EQ(abreviaturas.size(), 40u);
    EXPECT_EQ(abreviaturas[25], "ESO1Z");
    EXPECT_EQ(abreviaturas[26], "ESO1[");
    EXPECT_EQ(abreviaturas[27], "ESO1\\");
    EXPECT_EQ(abreviaturas[31], "ESO1`");
    // a to z are taken by A to Z: the sequence goes on with {.
    EXPECT_EQ(abreviaturas[32], "ESO1{");
    EXPECT_EQ(Filas("GRUPOST")[26][4], "[");
}

TEST_F(Unidades, APrefixThatRunsOutOfCodesStopsTheRunNamingIt) {
    CursosCodificados({{"100323", "ESO", "1", ""}});
    std::vector<std::string> registros;
    // From A to code 255 there are 191 codes; 60 of them are lower-case twins of earlier ones.
    for (int i = 0; i < 200; ++i) registros.push_back(Unidad(std::to_string(i), "100323"));
    Exportacion(Bloque("UNIDADES", registros));
    try {
        Ejecutar(CargarUnidades);
        FAIL() << "sin error";
    } catch (const ErrorPasaplan& e) {
        EXPECT_NE(std::string(e.what()).find("«ESO1»"), std::string::npos) << e.what();
    }
    // The rows posted before the error stay in the table.
    const auto abreviaturas = Abreviaturas();
    ASSERT_FALSE(abreviaturas.empty());
    EXPECT_EQ(abreviaturas.size(), 131u);
    // The last code without an upper-case twin: the division sign.
    EXPECT_EQ(abreviaturas.back(), "ESO1÷");
}

TEST_F(Unidades, CursostIsOpenedExclusively) {
    CursosCodificados({{"100323", "ESO", "1", ""}});
    const auto otra = Tabla::AbrirEn(estado.DirectorioIntercambio, "CURSOST", Acceso::Compartido);
    Exportacion(Bloque("UNIDADES", {Unidad("1", "100323")}));
    EXPECT_THROW(Ejecutar(CargarUnidades), ErrorPasaplan);
}

}  // namespace
}  // namespace pasaplan
