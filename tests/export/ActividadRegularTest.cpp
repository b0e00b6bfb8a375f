// One regular activity: Séneca's keys found again through the import run's tables, the clock
// minutes and the hour-origin authorisation.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include "export/ContextoExportacion.h"
#include "export/EscenarioExportacion.h"
#include "platform/Error.h"
#include "support/NombresCasos.h"

namespace pasaplan::prueba {
namespace {

using Datos = std::vector<std::pair<std::string, std::string>>;

// The value of one dato of the first regular activity of the first professor.
std::string Valor(const DocumentoLeido& doc, const std::string& nombre) {
    for (const auto& [n, v] : doc.Datos(Actividad(true, 1, 1))) {
        if (n == nombre) return v;
    }
    return "(no está)";
}

// ---- course and subject keys ----------------------------------------------------------------

struct CasoClaves {
    const char* nombre;
    std::vector<FilaPrueba> asigt;
    std::vector<FilaPrueba> grupost;
    std::vector<FilaPrueba> asignomt2;
    const char* unidad;
    const char* curso;
    const char* materia;
};

FilaPrueba Asignacion(const char* grupo, const char* clave, const char* curso) {
    return {{"CASIG", "FIS"}, {"CGRUP", grupo}, {"CLAVE", clave}, {"CLAVECURSO", curso}};
}
FilaPrueba Grupo(const char* clave, const char* curso) {
    return {{"ABREV", "3ESOB"}, {"CLAVE", clave}, {"CLAVECURSO", curso}};
}
FilaPrueba MateriaCurso(const char* materia, const char* curso) {
    return {{"COD", "FIS"}, {"MATERIA", materia}, {"OFERTAMATRI", curso}};
}

class ClavesDeLaActividad : public ::testing::TestWithParam<CasoClaves> {};

TEST_P(ClavesDeLaActividad, SeBuscanEnAsignacionesGruposYMaterias) {
    const CasoClaves& caso = GetParam();
    EscenarioExportacion e;
    e.tablas["PROFT"].filas.resize(1);
    e.tablas["SOLUC"].filas = {Entrada("GLM", "1", "1", "FIS", "", "3ESOB")};
    e.tablas["ASIGT"].filas = caso.asigt;
    e.tablas["GRUPOST"].filas = caso.grupost;
    e.tablas["ASIGNOMT2"].filas = caso.asignomt2;
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    EXPECT_EQ(Valor(doc, "X_UNIDAD"), caso.unidad);
    EXPECT_EQ(Valor(doc, "X_OFERTAMATRIG"), caso.curso);
    EXPECT_EQ(Valor(doc, "X_MATERIAOMG"), caso.materia);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ClavesDeLaActividad,
    ::testing::Values(
        CasoClaves{"AsignacionCompleta",
                   {Asignacion("3ESOB", "210300", "100500")},
                   {Grupo("3174030", "100999")},
                   {},
                   "3174030",
                   "100500",
                   "210300"},
        // The pair (subject, group) must match; the course then comes from the group.
        CasoClaves{"SinAsignacion",
                   {Asignacion("3ESOA", "210300", "100500")},
                   {Grupo("3174030", "100500")},
                   {MateriaCurso("210399", "100999"), MateriaCurso("210301", "100500")},
                   "3174030",
                   "100500",
                   "210301"},
        CasoClaves{"SinAsignacionNiGrupo",
                   {},
                   {},
                   {MateriaCurso("210301", "100500"), MateriaCurso("210302", "")},
                   "",
                   "",
                   "210302"},
        CasoClaves{"AsignacionSinCurso",
                   {Asignacion("3ESOB", "210300", "")},
                   {Grupo("3174030", "100500")},
                   {MateriaCurso("210301", "100500")},
                   "3174030",
                   "100500",
                   "210300"},
        CasoClaves{"AsignacionSinMateria",
                   {Asignacion("3ESOB", "", "100500")},
                   {Grupo("3174030", "100999")},
                   {MateriaCurso("210399", "100999"), MateriaCurso("210301", "100500")},
                   "3174030",
                   "100500",
                   "210301"}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ---- activity code and hour-origin authorisation -------------------------------------------

struct CasoOrigen {
    const char* nombre;
    const char* tarea;            // TAREA of SOLUC
    const char* codtarea;         // CODTAREA of MAT in ASIGNOMT; nullptr: no MAT row at all
    const char* concierto;        // CCONCIERTO of SOLUC
    const char* cursoAsignacion;  // CLAVECURSO of MAT/1ESOA in ASIGT
    const char* actividad;        // X_ACTIVIDAD written
    const char* autorizacion;     // X_ORIHORACTETP written; nullptr: none
};

class OrigenDeLaHora : public ::testing::TestWithParam<CasoOrigen> {};

TEST_P(OrigenDeLaHora, ActividadYAutorizacion) {
    const CasoOrigen& caso = GetParam();
    EscenarioExportacion e;
    e.tablas["PROFT"].filas.resize(1);
    e.tablas["SOLUC"].filas = {
        Entrada("GLM", "1", "1", "MAT", caso.tarea, "1ESOA", "4521", caso.concierto)};
    auto& asignomt = e.tablas["ASIGNOMT"].filas;
    if (caso.codtarea) {
        asignomt[0].emplace_back("CODTAREA", caso.codtarea);
    } else {
        asignomt.erase(asignomt.begin());
    }
    e.tablas["ASIGT"].filas[0][3].second = caso.cursoAsignacion;
    // Level 5 for the course (its first row), category 1 for "ORD"; activities 1, 5 and 9 are
    // authorised.
    auto& cursosNiveles = e.tablas["CUR_NIV_C"].filas;
    cursosNiveles.insert(cursosNiveles.begin(),
                         FilaPrueba{{"X_OFERTAMATRIG", "999"}, {"X_NIVCONPAGLEG", ""}});
    cursosNiveles.push_back({{"X_OFERTAMATRIG", "100323"}, {"X_NIVCONPAGLEG", "6"}});  // not first
    e.tablas["AUTORIZA_C"].filas = {
        {{"X_ORIHORACTETP", "17"},
         {"X_ACTIVIDAD", "1"},
         {"X_CATORIHOR", "1"},
         {"X_NIVCONPAGLEG", "5"}},
        {{"X_ORIHORACTETP", "25"},
         {"X_ACTIVIDAD", "5"},
         {"X_CATORIHOR", "1"},
         {"X_NIVCONPAGLEG", "5"}},
        {{"X_ORIHORACTETP", "26"},
         {"X_ACTIVIDAD", "5"},
         {"X_CATORIHOR", "1"},
         {"X_NIVCONPAGLEG", "5"}},
        {{"X_ORIHORACTETP", "29"},
         {"X_ACTIVIDAD", "9"},
         {"X_CATORIHOR", "1"},
         {"X_NIVCONPAGLEG", "5"}},
        {{"X_ORIHORACTETP", "30"},
         {"X_ACTIVIDAD", "9"},
         {"X_CATORIHOR", "2"},
         {"X_NIVCONPAGLEG", "5"}},
    };
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    const Datos datos = doc.Datos(Actividad(true, 1, 1));
    ASSERT_EQ(datos.size(), caso.autorizacion ? 12u : 11u);
    EXPECT_EQ(datos[10], (std::pair<std::string, std::string>{"X_ACTIVIDAD", caso.actividad}));
    if (caso.autorizacion) {
        EXPECT_EQ(datos[11],
                  (std::pair<std::string, std::string>{"X_ORIHORACTETP", caso.autorizacion}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, OrigenDeLaHora,
    ::testing::Values(
        // The timetable's activity wins over the subject's, without "#".
        CasoOrigen{"TareaDelHorario", "5", "9", "ORD", "100323", "5", "25"},
        CasoOrigen{"TareaConAlmohadilla", "#5", "9", "ORD", "100323", "5", "25"},
        CasoOrigen{"TareaDeLaMateria", "", "9", "ORD", "100323", "9", "29"},
        CasoOrigen{"MateriaSinTarea", "", "", "ORD", "100323", "1", "17"},
        CasoOrigen{"SinMateria", "", nullptr, "ORD", "100323", "1", "17"},
        CasoOrigen{"OtraCategoria", "9", "", "RED", "100323", "9", "30"},
        // Whole-number keys compare by value.
        CasoOrigen{"CerosALaIzquierda", "005", "", "ORD", "0100323", "005", "25"},
        // Keys that are no whole number, or find no row, give no authorisation and no error.
        CasoOrigen{"ActividadConLetras", "GUARD", "", "ORD", "100323", "GUARD", nullptr},
        CasoOrigen{"CursoConLetras", "", "", "ORD", "C100323", "1", nullptr},
        CasoOrigen{"NivelEnBlanco", "", "", "ORD", "999", "1", nullptr},
        CasoOrigen{"CursoSinNivel", "", "", "ORD", "100777", "1", nullptr},
        CasoOrigen{"OrigenDesconocido", "", "", "XX", "100323", "1", nullptr},
        CasoOrigen{"SinOrigen", "", "", "", "100323", "1", nullptr},
        CasoOrigen{"NoAutorizada", "7", "", "ORD", "100323", "7", nullptr}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ---- room, slot and times -------------------------------------------------------------------

TEST(ActividadRegular, AulaComoSeLee) {
    EscenarioExportacion e;
    e.tablas["PROFT"].filas.resize(1);
    e.tablas["SOLUC"].filas = {Entrada("GLM", "1", "1", "MAT", "", "1ESOA", "   "),
                               Entrada("GLM", "1", "2", "MAT", "", "1ESOA", " 12"),
                               Entrada("GLM", "1", "3", "MAT", "", "1ESOA", "")};
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const DocumentoLeido doc = e.Leer();
    const std::vector<std::string> esperadas = {"", " 12", ""};
    for (int m = 1; m <= 3; ++m) {
        const auto aulas = doc.Nodos(Actividad(true, 1, m) + "/dato[@nombre_dato='X_DEPENDENCIA']");
        ASSERT_EQ(aulas.size(), 1u);
        if (esperadas[m - 1].empty()) {
            EXPECT_EQ(aulas[0]->children, nullptr) << "un dato vacío no tiene contenido";
        } else {
            EXPECT_EQ(doc.Datos(Actividad(true, 1, m)).at(2).second, esperadas[m - 1]);
        }
    }
}

TEST(ActividadRegular, TramoQueNoExisteSeEscribeIgual) {
    EscenarioExportacion e;
    e.tablas["PROFT"].filas.resize(1);
    e.tablas["SOLUC"].filas = {Entrada("GLM", "5", "1", "MAT", "", "1ESOA", "4521")};
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const Datos esperados = {{"N_DIASEMANA", ""},
                             {"X_TRAMO", ""},
                             {"X_DEPENDENCIA", "4521"},
                             {"X_UNIDAD", "3174012"},
                             {"X_OFERTAMATRIG", "100323"},
                             {"X_MATERIAOMG", "210045"},
                             {"F_INICIO", "15/09/2024"},
                             {"F_FIN", "23/06/2025"},
                             {"N_HORINI", "0"},
                             {"N_HORFIN", "0"},
                             {"X_ACTIVIDAD", "1"}};
    EXPECT_EQ(e.Leer().Datos(Actividad(true, 1, 1)), esperados);
    ASSERT_EQ(e.resumen.vacios.at(0).dato, "X_TRAMO");
    EXPECT_EQ(e.resumen.vacios.at(0).cuantas, 1u);
    EXPECT_EQ(e.resumen.vacios.at(0).primera,
              "profesor «GLM», día 5, hora 1, marco «0», ASIG «MAT», CODGRUPO «1ESOA»");
}

struct CasoMinutos {
    const char* hora;
    long long minutos;
};

class MinutosDeReloj : public ::testing::TestWithParam<CasoMinutos> {};

TEST_P(MinutosDeReloj, HorasPorSesentaMasMinutos) {
    EXPECT_EQ(MinutosReloj(GetParam().hora, "de prueba"), GetParam().minutos);
}

INSTANTIATE_TEST_SUITE_P(Casos, MinutosDeReloj,
                         ::testing::Values(CasoMinutos{"08:30", 510}, CasoMinutos{"8:30", 510},
                                           CasoMinutos{"14:05", 845}, CasoMinutos{"", 0},
                                           CasoMinutos{"23:59", 1439},
                                           CasoMinutos{"08:30:00", 480}),
                         [](const auto& info) { return NombreDeCaso(info.param.hora); });

TEST(MinutosDeReloj, UnaParteQueNoEsNumeroEsUnError) {
    for (const char* hora : {"8h:30", "ab:cd", "08:3x"}) {
        try {
            MinutosReloj(hora, "del tramo «11» de DIASHORAST");
            ADD_FAILURE() << hora;
        } catch (const ErrorPasaplan& error) {
            EXPECT_NE(std::string(error.what()).find(hora), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("DIASHORAST"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace pasaplan::prueba
