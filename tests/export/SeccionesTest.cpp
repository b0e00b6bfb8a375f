// The two timetable sections: which SOLUC rows go where, the professor groups and the
// non-regular activities.
#include <gtest/gtest.h>

#include "export/EscenarioExportacion.h"

namespace pasaplan::prueba {
namespace {

using Datos = std::vector<std::pair<std::string, std::string>>;

// The small school with only its first professor (GLM) and these timetable rows.
void UnProfesor(EscenarioExportacion& e, std::vector<FilaPrueba> soluc) {
    e.tablas["PROFT"].filas.resize(1);
    e.tablas["SOLUC"].filas = std::move(soluc);
}

TEST(Secciones, SinProfesoresAmbasSeccionesVacias) {
    EscenarioExportacion e;
    e.tablas["PROFT"].filas.clear();
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    for (bool regular : {false, true}) {
        EXPECT_EQ(doc.Atributo(Seccion(regular), "registros"), "0");
        EXPECT_EQ(doc.Contar(Seccion(regular) + "/*"), 0u);
    }
    EXPECT_EQ(e.resumen.profesores, 0u);
}

TEST(Secciones, CadaEntradaVaASuSeccion) {
    EscenarioExportacion e;
    UnProfesor(e,
               {
                   Entrada("GLM", "1", "1", "MAT", "", "1ESOA"),
                   Entrada("GLM", "0", "2", "MAT", "", "1ESOA"),  // not placed: in neither section
                   Entrada("GLM", "0", "3", "#29", "#29"),
                   Entrada("GLM", "1", "2", ""),              // an empty ASIG is regular
                   Entrada("GLM", "2", "1", "#29", "#"),      // "#" alone: empty activity
                   Entrada("GLM", "2", "2", "#G", "##x"),     // only the first "#" goes
                   Entrada("GLM", "4", "1", "#G", "29"),      // no such slot: 0 minutes
                   Entrada("GLM", "1", "3", "#G", "A&B<1>"),  // text, never markup
                   Entrada("OTRO", "1", "1", "#29", "#29"),
               });
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    ComprobarInvariantes(doc, {"48213"});

    EXPECT_EQ(doc.Atributo(Profesor(false, 1), "registros"), "4");
    const std::vector<Datos> noRegulares = {
        {{"X_ACTIVIDAD", ""}, {"N_MINSEN", "60"}},
        {{"X_ACTIVIDAD", "#x"}, {"N_MINSEN", "60"}},
        {{"X_ACTIVIDAD", "29"}, {"N_MINSEN", "0"}},
        {{"X_ACTIVIDAD", "A&B<1>"}, {"N_MINSEN", "55"}},
    };
    for (int m = 1; m <= 4; ++m) {
        EXPECT_EQ(doc.Datos(Actividad(false, 1, m)), noRegulares[m - 1]) << m;
    }
    EXPECT_EQ(doc.Atributo(Profesor(true, 1), "registros"), "2");
    EXPECT_EQ(doc.Datos(Actividad(true, 1, 1))[1].second, "3501");
    EXPECT_EQ(doc.Datos(Actividad(true, 1, 2))[1].second, "3502");
    EXPECT_EQ(e.resumen.regulares, 2u);
    EXPECT_EQ(e.resumen.noRegulares, 4u);
}

// The selection compares the abbreviation as it stands: quotes select their own rows only,
// two professors with one abbreviation both get its rows.
TEST(Secciones, SeleccionPorAbreviatura) {
    EscenarioExportacion e;
    e.tablas["PROFT"].filas = {
        {{"ABREV", "O'DR"}, {"X_EMPLEADO", "1"}},  {{"ABREV", "ODR"}, {"X_EMPLEADO", "2"}},
        {{"ABREV", "O''DR"}, {"X_EMPLEADO", "3"}}, {{"ABREV", "ODR"}, {"X_EMPLEADO", "4"}},
        {{"ABREV", "odr"}, {"X_EMPLEADO", "5"}},
    };
    e.tablas["SOLUC"].filas = {
        Entrada("ODR", "1", "1", "#A", "sin"),    Entrada("O'DR", "1", "2", "#A", "una"),
        Entrada("O''DR", "1", "3", "#A", "dos"),  Entrada("O'DR", "2", "1", "#A", "una2"),
        Entrada("O'DR'", "2", "2", "#A", "otra"),
    };
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    ComprobarInvariantes(doc, {"1", "2", "3", "4", "5"});
    const std::vector<std::vector<std::string>> esperadas = {
        {"una", "una2"}, {"sin"}, {"dos"}, {"sin"}, {}};
    for (int n = 1; n <= 5; ++n) {
        std::vector<std::string> tareas;
        for (int m = 1; doc.Contar(Actividad(false, n, m)); ++m) {
            tareas.push_back(doc.Datos(Actividad(false, n, m)).at(0).second);
        }
        EXPECT_EQ(tareas, esperadas[n - 1]) << "profesor " << n;
    }
}

// The slot key is DIA as read followed by HORA as a whole number; the frame is MARCO's first
// character. SOLUC's DIA and HORA may be numbers or texts holding whole numbers.
class ClaveDelTramo : public ::testing::TestWithParam<bool> {};

TEST_P(ClaveDelTramo, EligeDiaHoraYMarco) {
    const bool comoTexto = GetParam();
    EscenarioExportacion e;
    UnProfesor(e, {
                      Entrada("GLM", "3", "11", "MAT"),
                      Entrada("GLM", "3", comoTexto ? "05" : "5", "MAT"),
                      Entrada("GLM", "3", "5", "MAT", "", "", "", "", "1"),
                      Entrada("GLM", "3", "5", "MAT", "", "", "", "", ""),
                  });
    if (comoTexto) {
        e.tablas["SOLUC"].campos[1] = Campo{"DIA", TipoCampo::Texto, 2, 0};
        e.tablas["SOLUC"].campos[2] = Campo{"HORA", TipoCampo::Texto, 3, 0};
    }
    auto& tramos = e.tablas["DIASHORAST"].filas;
    tramos.clear();
    tramos.push_back({{"DIHO", "35"},
                      {"CODDIHO", "T35a"},
                      {"DIA", "3"},
                      {"MARCO", "0"},
                      {"HORADESDE", "11:30"},
                      {"HORAHASTA", "12:30"},
                      {"MINUTOS", "60"}});
    tramos.push_back({{"DIHO", "311"},
                      {"CODDIHO", "T311"},
                      {"DIA", "3"},
                      {"MARCO", "0"},
                      {"HORADESDE", "17:00"},
                      {"HORAHASTA", "18:00"},
                      {"MINUTOS", "60"}});
    tramos.push_back({{"DIHO", "35"},
                      {"CODDIHO", "T35b"},
                      {"DIA", "3"},
                      {"MARCO", "1"},
                      {"HORADESDE", "16:00"},
                      {"HORAHASTA", "17:00"},
                      {"MINUTOS", "60"}});
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    const std::vector<std::string> tramosEsperados = {"T311", "T35a", "T35b", ""};
    for (int m = 1; m <= 4; ++m) {
        EXPECT_EQ(doc.Datos(Actividad(true, 1, m)).at(1).second, tramosEsperados[m - 1]) << m;
    }
}

INSTANTIATE_TEST_SUITE_P(Tipos, ClaveDelTramo, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Texto" : "Numero"; });

}  // namespace
}  // namespace pasaplan::prueba
