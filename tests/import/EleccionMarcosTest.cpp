// The time-frame choice shared by the dialog and the batch command.
#include <gtest/gtest.h>

#include "exchange/ExportacionSeneca.h"
#include "import/EleccionMarcos.h"
#include "support/NombresCasos.h"

namespace pasaplan {
namespace {

struct CasoJuicio {
    std::vector<Texto> seleccionados;
    bool valida;
    Texto elegidos;
    std::optional<Utf8> mensaje;
};

class Juicio : public testing::TestWithParam<CasoJuicio> {};

TEST_P(Juicio, BuildsTheChosenTextWhateverTheOutcome) {
    const auto& c = GetParam();
    const JuicioMarcos j = JuzgarEleccion(c.seleccionados);
    EXPECT_EQ(j.resultado.EleccionValida, c.valida);
    EXPECT_EQ(j.resultado.MarcosElegidos, c.elegidos);
    EXPECT_EQ(j.mensaje, c.mensaje);
}

INSTANTIATE_TEST_SUITE_P(
    EleccionMarcos, Juicio,
    testing::Values(CasoJuicio{{}, false, "", "Debe al menos seleccionar 1 Marco Horario."},
                    CasoJuicio{{"2417"}, true, "2417      ", std::nullopt},
                    CasoJuicio{{"A", "B"}, true, "A         B         ", std::nullopt},
                    CasoJuicio{
                        {"JORNADA_MAÑANA", " B"}, true, "JORNADA_MA B        ", std::nullopt},
                    CasoJuicio{{"A", "B", "C"},
                               false,
                               "A         B         C         ",
                               "Demasiados Marcos Horarios seleccionados.\r\nComo máximo puede "
                               "seleccionar 2 Marcos Horarios"}),
    [](const auto& info) {
        std::string nombre = "marcos";
        for (const auto& marco : info.param.seleccionados) nombre += "_" + marco.Bytes();
        return prueba::NombreDeCaso(nombre);
    });

TEST(EleccionMarcos, SplitsTheChosenText) {
    using Par = std::pair<Texto, Texto>;
    EXPECT_EQ(DividirMarcosElegidos("A         B         "), (Par{"A", "B"}));
    EXPECT_EQ(DividirMarcosElegidos(" 2417     2418      "), (Par{"2417", "2418"}));
    EXPECT_EQ(DividirMarcosElegidos("2417      "), (Par{"2417", ""}));
    EXPECT_EQ(DividirMarcosElegidos("JORNADA_MAÑANA"), (Par{"JORNADA_MA", ""}));
    EXPECT_EQ(DividirMarcosElegidos(""), (Par{"", ""}));
}

TEST(EleccionMarcos, ListsFramesAsStoredWithTheirSlots) {
    const auto doc = ExportacionSeneca::DesdeMemoria(
        "<SERVICIO><BLOQUE_DATOS>"
        "<grupo_datos seq=\"JORNADAS_ESCOLARES\">"
        "<grupo_datos><dato nombre_dato=\"X\"> 2417</dato><dato nombre_dato=\"D\">Mañana</dato>"
        "<dato nombre_dato=\"F1\">15/09/2025</dato><dato nombre_dato=\"F2\">22/06/2026</dato>"
        "</grupo_datos>"
        "<grupo_datos><dato nombre_dato=\"X\">2418</dato><dato nombre_dato=\"D\">Tarde</dato>"
        "</grupo_datos>"
        "<grupo_datos><dato nombre_dato=\"X\">2419</dato></grupo_datos>"
        "</grupo_datos>"
        "<grupo_datos seq=\"TRAMOS_HORARIOS\">"
        "<grupo_datos><dato nombre_dato=\"X\">1</dato><dato nombre_dato=\"T\">Tarde1</dato>"
        "<dato nombre_dato=\"I\">900</dato><dato nombre_dato=\"F\">960</dato>"
        "<dato nombre_dato=\"M\">2418</dato></grupo_datos>"
        "<grupo_datos><dato nombre_dato=\"X\">2</dato><dato nombre_dato=\"T\">1ª </dato>"
        "<dato nombre_dato=\"I\">480</dato><dato nombre_dato=\"F\">540</dato>"
        "<dato nombre_dato=\"M\"> 2417</dato></grupo_datos>"
        "</grupo_datos></BLOQUE_DATOS></SERVICIO>",
        "exp.xml");
    const auto marcos = ListaMarcos(*doc);
    ASSERT_EQ(marcos.size(), 3u);
    EXPECT_EQ(marcos[0].codigo, " 2417");
    EXPECT_EQ(marcos[0].nombre,
              "Ma\xF1"
              "ana");
    EXPECT_EQ(marcos[0].fechaFin, "22/06/2026");
    EXPECT_EQ(marcos[0].tramos, std::vector<Texto>{"1\xAA "});
    // A frame with only one slot shows it.
    EXPECT_EQ(marcos[1].tramos, std::vector<Texto>{"Tarde1"});
    EXPECT_EQ(marcos[2].nombre, "");
    EXPECT_TRUE(marcos[2].tramos.empty());

    // A code listed twice shows the last record with it.
    std::vector<MarcoHorario> repetidos = marcos;
    repetidos[2].codigo = " 2417";
    EXPECT_EQ(MarcoMostrado(repetidos, " 2417"), &repetidos[2]);
    EXPECT_EQ(MarcoMostrado(repetidos, "2417"), nullptr);

    EXPECT_EQ(DescribirMarcos(marcos),
              "Marcos horarios de la exportación (código, nombre, fechas, tramos):\n"
              "  2417  Mañana  (15/09/2025 - 22/06/2026), 1 tramo\n"
              "  2418  Tarde, 1 tramo\n"
              "  2419  , 0 tramos\n");
}

}  // namespace
}  // namespace pasaplan
