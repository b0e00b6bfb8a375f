// Courses of the centre (CURSOST), the dialog loop of the step, and the course levels dialog's
// work on the tables: recovery from CURSOST2, the completeness check, keeping codifications.
#include <gtest/gtest.h>

#include <array>

#include "import/ControlCursos.h"
#include "import/EntornoPaso.h"
#include "platform/Error.h"

namespace pasaplan {
namespace {

using prueba::Bloque;
using prueba::Fila;
using prueba::NombresEn;
using prueba::Registro;

std::string Curso(const std::string& clave, const std::string& estudios) {
    return Registro("CURSO", {{"X_OFERTAMATRIG", clave}, {"D_OFERTAMATRIG", estudios}});
}

// ABREV, TURNO, NIVEL, CURSO, CLAVE, ESTUD (UTF-8).
using FilaCurso = std::array<std::string, 6>;

class Cursos : public testing::Test, public prueba::EntornoPaso {
  protected:
    const std::filesystem::path& Dir() const { return estado.DirectorioIntercambio; }

    void EscribirTabla(const std::string& nombre, const std::vector<FilaCurso>& filas,
                       std::vector<Campo> campos = CamposCursos()) {
        const auto ruta = Dir() / (nombre + ".DBF");
        Tabla::Crear(ruta, campos);
        auto t = Tabla::Abrir(ruta, Acceso::Exclusivo);
        for (const FilaCurso& fila : filas) {
            const size_t f = t->Agregar();
            for (size_t c = 0; c < fila.size(); ++c) {
                t->PonerTexto(f, campos[c].nombre, BytesUtf8ACp1252(fila[c]));
            }
            t->Grabar(f);
        }
    }

    std::unique_ptr<Tabla> Abrir(const Utf8& nombre) {
        return Tabla::AbrirEn(Dir(), nombre, Acceso::Compartido);
    }

    // FormShow, then the course rows as the dialog shows them.
    std::vector<Fila> MostrarYLeer() {
        auto cursos = AbrirCursosYRecuperar(Dir(), persona);
        cursos.reset();
        return Filas("CURSOST");
    }
};

// ---- the step -------------------------------------------------------------------------------

TEST_F(Cursos, WritesOneRowPerCourseWithKeyAndStudiesOnly) {
    const std::string largo(90, 'x');
    Exportacion(Bloque("CURSOS_DEL_CENTRO",
                       {Curso("100323", "1º de E.S.O."), Curso("  100324 ", " 2º de E.S.O. "),
                        Registro("CURSO", {{"X_OFERTAMATRIG", "100999"}}),  // one value: skipped
                        Curso("100323", "Repetido"), Curso("12345678901", largo)}));
    Ejecutar(CargarCursos);

    EXPECT_EQ(NombresCampos("CURSOST"),
              (std::vector<std::string>{"ABREV", "TURNO", "NIVEL", "CURSO", "CLAVE", "ESTUD"}));
    EXPECT_EQ(Filas("CURSOST"), (std::vector<Fila>{
                                    {"", "", "", "", "100323", "1º de E.S.O."},
                                    {"", "", "", "", "100324", "2º de E.S.O."},
                                    {"", "", "", "", "100323", "Repetido"},
                                    {"", "", "", "", "1234567890", std::string(80, 'x')},
                                }));
    EXPECT_EQ(persona.mostradosCursos, 1);
    const auto leido = prueba::LeidoPorDbfread(Ruta("CURSOST.DBF"));
    if (!leido.empty()) {
        EXPECT_EQ(leido[1], "ABREV:C:3\tTURNO:C:1\tNIVEL:C:5\tCURSO:C:3\tCLAVE:C:10\tESTUD:C:80");
    }
}

TEST_F(Cursos, EmptyBlockStillShowsTheDialogOverAnEmptyTable) {
    Exportacion(Bloque("CURSOS_DEL_CENTRO", {}));
    bool cerrada = false;
    persona.dialogosCursos.push_back([&](const ContextoCursos& c) {
        // The table is written and closed before the dialog opens it.
        auto t = Tabla::AbrirEn(c.directorio, "CURSOST", Acceso::Exclusivo);
        cerrada = t->Filas() == 0;
        return ResultadoCursos{};
    });
    Ejecutar(CargarCursos);
    EXPECT_TRUE(cerrada);
    EXPECT_EQ(persona.mostradosCursos, 1);
}

TEST_F(Cursos, IncompleteOkShowsTheDialogAgainWithTheForcedExitOffered) {
    Exportacion(Bloque("CURSOS_DEL_CENTRO", {Curso("100323", "1º de E.S.O.")}));
    std::vector<bool> repetidos;
    const auto anota = [&](ResultadoCursos r) {
        return [&repetidos, r](const ContextoCursos& c) {
            repetidos.push_back(c.DialogoRepetido);
            return r;
        };
    };
    persona.dialogosCursos = {anota({1}), anota({1}), anota({0})};
    bool forzada = true;
    Ejecutar([&](ContextoImportacion& ctx) { forzada = CargarCursos(ctx); });
    EXPECT_FALSE(forzada);
    EXPECT_EQ(repetidos, (std::vector<bool>{false, true, true}));
    EXPECT_TRUE(estado.DialogoRepetido);
}

TEST_F(Cursos, ForcedExitInTheSecondShowingIsReported) {
    Exportacion(Bloque("CURSOS_DEL_CENTRO", {Curso("100323", "1º de E.S.O.")}));
    persona.dialogosCursos = {[](const ContextoCursos&) { return ResultadoCursos{1}; },
                              [](const ContextoCursos&) {
                                  return ResultadoCursos{0, MarcaSalida::Fuera};
                              }};
    bool forzada = false;
    Ejecutar([&](ContextoImportacion& ctx) { forzada = CargarCursos(ctx); });
    EXPECT_TRUE(forzada);
    EXPECT_EQ(persona.mostradosCursos, 2);
}

// ---- the dialog's tables ----------------------------------------------------------------------

TEST_F(Cursos, WithoutCursost2NoQuestionAndTheFirstCompleteOkCreatesIt) {
    EscribirTabla("CURSOST", {{"", "", "ESO", "1", "100324", "2º de E.S.O."},
                              {"", "", "ESO", "1", "100323", "1º de E.S.O."}});
    auto cursos = AbrirCursosYRecuperar(Dir(), persona);
    EXPECT_EQ(persona.preguntasRecuperacion, 0);
    EXPECT_EQ(AceptarCursos(*cursos, Dir()).FaltaDato, 0);
    cursos.reset();
    EXPECT_EQ(Filas("CURSOST2"),
              (std::vector<Fila>{{"", "", "ESO", "1", "100324", "2º de E.S.O."},
                                 {"", "", "ESO", "1", "100323", "1º de E.S.O."}}));
    EXPECT_EQ(NombresCampos("CURSOST2"), NombresCampos("CURSOST"));
    // Written through a temporary file that does not stay behind.
    EXPECT_EQ(NombresEn(Dir()), (std::vector<std::string>{"CURSOST.DBF", "CURSOST2.DBF"}));
}

TEST_F(Cursos, RecoveryFillsMatchingKeysOnlyAndCaseMatters) {
    EscribirTabla("CURSOST", {{"", "", "", "", "100323", "1º de E.S.O."},
                              {"", "", "", "", "ab12", "Ciclo"},
                              {"", "", "XX", "9", "100999", "Sin codificación previa"}});
    EscribirTabla("CURSOST2", {{"", "", "ESO", "1", "100323", "otro nombre"},
                               {"", "", "CF", "1", "AB12", "Ciclo"}});
    EXPECT_EQ(MostrarYLeer(),
              (std::vector<Fila>{{"", "", "ESO", "1", "100323", "1º de E.S.O."},
                                 {"", "", "", "", "ab12", "Ciclo"},
                                 {"", "", "XX", "9", "100999", "Sin codificación previa"}}));
    EXPECT_EQ(persona.preguntasRecuperacion, 1);
    EXPECT_TRUE(Existe("CURSOST2"));
}

TEST_F(Cursos, DecliningTheRecoveryDeletesCursost2AndKeepsTheCourses) {
    EscribirTabla("CURSOST", {{"", "", "", "", "100323", "1º de E.S.O."}});
    EscribirTabla("CURSOST2", {{"", "", "ESO", "1", "100323", "1º de E.S.O."}});
    persona.recuperaciones = {false};
    EXPECT_EQ(MostrarYLeer(), (std::vector<Fila>{{"", "", "", "", "100323", "1º de E.S.O."}}));
    EXPECT_FALSE(Existe("CURSOST2"));
}

TEST_F(Cursos, SavingUpdatesKnownKeysKeepingTheirOtherFieldsAndAppendsNewOnes) {
    EscribirTabla("CURSOST", {{"", "", "BCT", "2", "100402", "2º Bachillerato"},
                              {"", "", "ESO", "1", "100323", "1º de E.S.O."},
                              {"", "", "SMR", "1", "100511", "1º F.P.I.G.M."},
                              {"", "", "ESO", "2", "100323", "duplicado en CURSOST"}});
    EscribirTabla("CURSOST2", {{"A1", "M", "ESO", "9", "100323", "Nombre antiguo"},
                               {"B2", "T", "BCH", "2", "100402", "2º Bach."},
                               {"C3", "T", "OLD", "1", "777777", "Ya no se imparte"}});
    auto cursos = Abrir("CURSOST");
    EXPECT_EQ(AceptarCursos(*cursos, Dir()).FaltaDato, 0);
    EXPECT_EQ(Filas("CURSOST2"),
              (std::vector<Fila>{{"A1", "M", "ESO", "2", "100323", "Nombre antiguo"},
                                 {"B2", "T", "BCT", "2", "100402", "2º Bach."},
                                 {"C3", "T", "OLD", "1", "777777", "Ya no se imparte"},
                                 {"", "", "SMR", "1", "100511", "1º F.P.I.G.M."}}));
}

TEST_F(Cursos, CompletenessIgnoresBlanksAndControlCharactersOnly) {
    struct Caso {
        std::string nivel, curso;
        bool incompleto;
    };
    const std::vector<Caso> casos{
        {"ESO", "1", false}, {"", "1", true},      {"ESO", "", true},
        {"   ", "1", true},  {"ESO", "\t", true},  {"\x01\x1f", "1", true},
        {" ES", "1", false}, {"ESO", " 1", false}, {"\t0\t", "1", false},
    };
    std::vector<FilaCurso> filas;
    for (const Caso& c : casos) filas.push_back({"", "", c.nivel, c.curso, "1", "x"});
    EscribirTabla("CURSOST", filas);
    auto cursos = Abrir("CURSOST");
    std::vector<size_t> esperados;
    for (size_t i = 0; i < casos.size(); ++i) {
        EXPECT_EQ(CursoIncompleto(*cursos, i), casos[i].incompleto) << "fila " << i;
        if (casos[i].incompleto) esperados.push_back(i);
    }
    EXPECT_EQ(CursosIncompletos(*cursos), esperados);
    EXPECT_EQ(PrimerCursoIncompleto(*cursos), esperados.front());
}

TEST_F(Cursos, NoCoursesCreatesAnEmptyCursost2) {
    EscribirTabla("CURSOST", {});
    EXPECT_EQ(AceptarCursos(*Abrir("CURSOST"), Dir()).FaltaDato, 0);
    EXPECT_TRUE(Existe("CURSOST2"));
    EXPECT_TRUE(Filas("CURSOST2").empty());
}

TEST_F(Cursos, Cursost2WithoutAFieldIsAnErrorAndStaysAsItWas) {
    EscribirTabla("CURSOST", {{"", "", "ESO", "1", "100323", "1º de E.S.O."}});
    EscribirTabla("CURSOST2", {{"", "", "ESO", "1", "100323", "x"}},
                  {CampoTexto("ABREV", 3), CampoTexto("TURNO", 1), CampoTexto("NIVEL", 5),
                   CampoTexto("CURSO", 3), CampoTexto("CLAVE", 10), CampoTexto("ESTUDIOS", 80)});
    const std::string antes = prueba::LeerArchivo(Ruta("CURSOST2.DBF"));
    // OK closes the dialog all the same: the error comes back for the front end to show.
    const AceptacionCursos aceptacion = AceptarCursos(*Abrir("CURSOST"), Dir());
    EXPECT_EQ(aceptacion.FaltaDato, 0);
    ASSERT_TRUE(aceptacion.errorAlGuardar);
    EXPECT_NE(aceptacion.errorAlGuardar->find("CURSOST2"), std::string::npos);
    EXPECT_NE(aceptacion.errorAlGuardar->find("ESTUD"), std::string::npos);
    EXPECT_EQ(prueba::LeerArchivo(Ruta("CURSOST2.DBF")), antes);
    EXPECT_EQ(NombresEn(Dir()), (std::vector<std::string>{"CURSOST.DBF", "CURSOST2.DBF"}));
}

TEST_F(Cursos, Cursost2WithExtraFieldsKeepsThem) {
    const std::vector<Campo> campos{CampoTexto("ABREV", 3),  CampoTexto("TURNO", 1),
                                    CampoTexto("NIVEL", 5),  CampoTexto("CURSO", 3),
                                    CampoTexto("CLAVE", 10), CampoTexto("ESTUD", 80),
                                    CampoTexto("NOTA", 20)};
    const auto ruta = Dir() / "CURSOST2.DBF";
    Tabla::Crear(ruta, campos);
    {
        auto t = Tabla::Abrir(ruta, Acceso::Exclusivo);
        const size_t f = t->Agregar();
        t->PonerTexto(f, "CLAVE", "100323");
        t->PonerTexto(f, "NOTA", "revisado");
        t->Grabar(f);
    }
    EscribirTabla("CURSOST", {{"", "", "ESO", "1", "100323", "1º de E.S.O."}});
    EXPECT_EQ(AceptarCursos(*Abrir("CURSOST"), Dir()).FaltaDato, 0);
    EXPECT_EQ(Filas("CURSOST2"),
              (std::vector<Fila>{{"", "", "ESO", "1", "100323", "", "revisado"}}));
}

}  // namespace
}  // namespace pasaplan
