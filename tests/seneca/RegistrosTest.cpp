// Séneca's records decoded from the export: the rules each block keeps, whichever way the file
// was read.
#include <gtest/gtest.h>

#include "exchange/ExportacionSeneca.h"
#include "seneca/Registros.h"
#include "support/ExportacionXml.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

using prueba::Bloque;
using prueba::Registro;
using prueba::XmlExportacion;
using Via = ExportacionSeneca::Via;

class Registros : public testing::TestWithParam<Via> {
  protected:
    std::unique_ptr<ExportacionSeneca> Leer(const std::string& bloques) {
        return ExportacionSeneca::DesdeMemoria(BytesUtf8ACp1252(XmlExportacion(bloques)),
                                               "prueba.xml", GetParam());
    }
};

TEST_P(Registros, ShortRecordsLeftOutButCountedAndEachBlockDecodedOnce) {
    const auto doc =
        Leer(Bloque("UNIDADES", {Registro("U", {{"X_UNIDAD", " 31 "}}),
                                 Registro("U", {{"X_UNIDAD", "32"}, {"T", "2A"}}),
                                 Registro("U", {{"X", "33"}, {"T", "3A"}, {"C", "7"}})}));
    const auto& unidades = seneca::Unidades(*doc);
    ASSERT_EQ(unidades.size(), 2u);
    EXPECT_EQ(unidades[0].numero, 2u);  // the place a person finds in the file
    EXPECT_EQ(unidades[0].claveCurso, "");
    EXPECT_EQ(unidades[1].claveCurso, "7");
    EXPECT_EQ(&seneca::Unidades(*doc), &unidades);
    EXPECT_TRUE(seneca::Empleados(*doc).empty());
    EXPECT_EQ(seneca::TotalRegistros(*doc, "UNIDADES"), 3u);
}

TEST_P(Registros, SchoolYearFromTheFirstTwoBlocksWithTwoValuesOfTheirOwn) {
    const auto doc =
        Leer(R"(<grupo_datos seq="A"><dato>2026</dato></grupo_datos>)"
             R"(<grupo_datos seq="B"><dato> 2027 </dato><dato>1/9</dato></grupo_datos>)"
             R"(<grupo_datos seq="C"><dato>2028</dato><dato>x</dato></grupo_datos>)");
    const auto& annos = seneca::AnnosAcademicos(*doc);
    ASSERT_EQ(annos.size(), 1u);
    EXPECT_EQ(annos[0].bloque, 1u);
    EXPECT_EQ(annos[0].anno, "2027");
    EXPECT_EQ(annos[0].fin, "");
}

TEST_P(Registros, SubjectCodeAndNameToldApartByTheNameTest) {
    const auto doc = Leer(Bloque(
        "MATERIAS", {Registro("M", {{"O", "1"}, {"X_MATERIAOMG", "7"}, {"D_MATERIAC", "Lengua"}}),
                     Registro("M", {{"O", "2"}, {"D_MATERIAC", "Lengua"}, {"X_MATERIAOMG", "7"}}),
                     // A prefix test: a longer name beginning with the expected one passes.
                     Registro("M", {{"O", "3"}, {"D_MATERIACX", "Arte"}, {"Z", "9"}}),
                     // Neither named: value 1 is the code; both named as the name: value 1 wins.
                     Registro("M", {{"O", "4"}, {"A", "8"}, {"B", "Dibujo"}}),
                     Registro("M", {{"O", "5"}, {"D_MATERIAC", "Uno"}, {"D", "Dos"}}),
                     Registro("M", {{"O", "6"}, {"X_MATERIAOMG", "5"}})}));
    const auto& m = seneca::Materias(*doc);
    ASSERT_EQ(m.size(), 6u);
    for (size_t i : {0, 1}) {
        EXPECT_EQ(m[i].codigo, "7");
        EXPECT_EQ(m[i].nombre, "Lengua");
    }
    EXPECT_EQ(m[2].nombre, "Arte");
    EXPECT_EQ(m[2].codigo, "");
    EXPECT_EQ(m[3].codigo, "8");
    EXPECT_EQ(m[3].nombre, "Dibujo");
    EXPECT_EQ(m[4].nombre, "Uno");
    EXPECT_EQ(m[5].valores, 2u);
    EXPECT_EQ(m[5].codigo, "5");
    EXPECT_EQ(m[5].oferta, "6");
}

TEST_P(Registros, NameTestReadsTheMarkupFromItsTwentiethCharacter) {
    // Another attribute before nombre_dato moves the name out of place: the test fails, and the
    // value is taken for the other of the pair.
    const auto doc =
        Leer(Bloque("MATERIAS", {"<grupo_datos><dato nombre_dato=\"O\">1</dato>"
                                 "<dato otro=\"1\" nombre_dato=\"D_MATERIAC\">Lengua</dato>"
                                 "<dato nombre_dato=\"X_MATERIAOMG\">7</dato></grupo_datos>"}));
    const auto& m = seneca::Materias(*doc);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].codigo, "Lengua");
    EXPECT_EQ(m[0].nombre, "");
}

TEST_P(Registros, ValuesNoStepReadsFoundByTheirExactNameOrEmpty) {
    const auto doc =
        Leer(Bloque("ACTIVIDADES",
                    {Registro("A", {{"L_REGULAR", "N"},
                                    {"X", "12"},
                                    {"D", "Guardia"},
                                    {"L_REQMATERIA", " N "},
                                    {"L_REQUNIDAD", "S"}}),
                     Registro("A", {{"L_REGULAR", "n"}, {"X", "13"}, {"L_REQUNIDADX", "S"}})}) +
             Bloque("DEPENDENCIAS", {Registro("D", {{"X", "1408"}, {"C_DEPENDENCIA", "A11"}}),
                                     Registro("D", {{"X", "1409"}, {"D", "Aula"}})}));
    const auto& a = seneca::Actividades(*doc);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].requiereUnidad, "S");
    EXPECT_EQ(a[0].requiereMateria, "N");
    EXPECT_EQ(a[0].CodigoVelmora(), "#12");
    EXPECT_EQ(a[1].requiereUnidad, "");     // a longer name is another value
    EXPECT_EQ(a[1].CodigoVelmora(), "13");  // only an upper-case N
    const auto& d = seneca::Dependencias(*doc);
    EXPECT_EQ(d[0].codigo, "A11");
    EXPECT_EQ(d[0].nombre, "A11");  // by position, whatever its name
    EXPECT_EQ(d[1].codigo, "");
}

TEST_P(Registros, FramesAndSlotsKeepShortRecordsAndCutFrameCodesToTen) {
    const auto doc = Leer(
        Bloque("JORNADAS_ESCOLARES",
               {Registro("J", {{"X", " 2417 "}, {"D", "Mañana "}}), Registro("J", {{"X", "9"}})}) +
        Bloque(
            "TRAMOS_HORARIOS",
            {Registro(
                 "T",
                 {{"X", "1"}, {"T", " 1ª"}, {"I", ""}, {"F", "535"}, {"M", " JORNADA_MAÑANA"}}),
             Registro("T",
                      {{"X", "2"}, {"T", "2ª"}, {"I", "8h"}, {"F", "600"}, {"M", "ABCDEFGHI K"}}),
             Registro("T", {{"X", "3"}})}));
    const auto& j = seneca::Jornadas(*doc);
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[0].codigo, "2417");
    EXPECT_EQ(j[0].guardado.codigo, " 2417 ");
    EXPECT_EQ(j[0].guardado.nombre,
              "Ma\xF1"
              "ana ");
    EXPECT_EQ(j[1].valores, 1u);

    const auto& t = seneca::Tramos(*doc);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].marco, "JORNADA_MA");
    EXPECT_EQ(t[0].guardado.marco,
              " JORNADA_MA\xD1"
              "ANA");
    EXPECT_EQ(t[0].nombre, "1\xAA");
    EXPECT_EQ(t[0].minutosInicio, 0);  // empty reads as 0
    EXPECT_EQ(t[0].minutosFin, 535);
    EXPECT_EQ(t[1].marco, "ABCDEFGHI");  // its tenth character, a blank, trimmed
    EXPECT_EQ(t[1].minutosInicio, std::nullopt);
    EXPECT_EQ(t[1].inicio, "8h");
    EXPECT_EQ(t[2].numero, 3u);
    EXPECT_EQ(t[2].marco, "");
}

TEST(Empleado, NamePartsAsTheTableAndAPersonReadThem) {
    const seneca::Empleado e{1,
                             "41",
                             "01/09/2024",
                             "P.E.S.",
                             "Garc\xED"
                             "a",
                             "",
                             "Mar\xED"
                             "a"};
    EXPECT_EQ(e.NombreCompleto(),
              "Garc\xED"
              "a  Mar\xED"
              "a");
    EXPECT_EQ(e.BaseAbreviatura(), "GM");
    EXPECT_EQ(e.NombreParaLeer(),
              "Mar\xED"
              "a Garc\xED"
              "a");
    EXPECT_EQ(seneca::Empleado{}.BaseAbreviatura(), "");
}

INSTANTIATE_TEST_SUITE_P(Seneca, Registros, testing::Values(Via::Automatica, Via::Arbol),
                         [](const testing::TestParamInfo<Via>& info) {
                             return info.param == Via::Arbol ? "arbol" : "una_pasada";
                         });

}  // namespace
}  // namespace pasaplan
