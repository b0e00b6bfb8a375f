// Subject assignments (ASIGT): one row for every unit of a subject's course, the subject found
// by name in ASIGNOMT.
#include <gtest/gtest.h>

#include "import/EntornoPaso.h"

namespace pasaplan {
namespace {

using prueba::Bloque;
using prueba::Fila;
using prueba::Registro;

struct Asignatura {
    std::string cod, nombre;
};
struct Grupo {
    std::string abrev, nivel, curso, grupo, clavecurso;
};

std::string Materia(const std::string& curso, const std::string& clave, const std::string& nombre) {
    return Registro("MATERIA",
                    {{"X_OFERTAMATRIG", curso}, {"X_MATERIAOMG", clave}, {"D_MATERIAC", nombre}});
}

class Asignaciones : public testing::Test, public prueba::EntornoPaso {
  protected:
    void Tablas(const std::vector<Asignatura>& asignaturas, const std::vector<Grupo>& grupos) {
        const auto dir = estado.DirectorioIntercambio;
        Tabla::Crear(dir / "ASIGNOMT.DBF",
                     {CampoTexto("COD", 10), CampoTexto("CODLARGO", 10), CampoTexto("NOMBRE", 80),
                      CampoTexto("CODTAREA", 10), CampoLogico("ESTAREA")});
        auto a = Tabla::Abrir(dir / "ASIGNOMT.DBF", Acceso::Exclusivo);
        for (const auto& s : asignaturas) {
            const size_t f = a->Agregar();
            a->PonerTexto(f, "COD", BytesUtf8ACp1252(s.cod));
            a->PonerTexto(f, "NOMBRE", BytesUtf8ACp1252(s.nombre));
            a->PonerLogico(f, "ESTAREA", false);
            a->Grabar(f);
        }
        Tabla::Crear(
            dir / "GRUPOST.DBF",
            {CampoTexto("ABREV", 10), CampoTexto("TURNO", 1), CampoTexto("NIVEL", 5),
             CampoTexto("CURSO", 3), CampoTexto("GRUPO", 2), CampoTexto("CLAVE", 10),
             CampoTexto("CLAVECURSO", 10), CampoTexto("DESCRIP", 80), CampoTexto("MARCO", 1)});
        auto g = Tabla::Abrir(dir / "GRUPOST.DBF", Acceso::Exclusivo);
        for (const auto& u : grupos) {
            const size_t f = g->Agregar();
            g->PonerTexto(f, "ABREV", u.abrev);
            g->PonerTexto(f, "NIVEL", u.nivel);
            g->PonerTexto(f, "CURSO", u.curso);
            g->PonerTexto(f, "GRUPO", u.grupo);
            g->PonerTexto(f, "CLAVECURSO", u.clavecurso);
            g->Grabar(f);
        }
    }

    std::vector<Fila> Cargar(const std::vector<std::string>& registros) {
        Exportacion(Bloque("MATERIAS", registros));
        Ejecutar(CargarAsignaciones);
        return Filas("ASIGT");
    }

    // CASIG, CGRUP, CLAVE, CLAVECURSO of every row.
    std::vector<std::vector<std::string>> Claves(const std::vector<std::string>& registros) {
        std::vector<std::vector<std::string>> claves;
        for (const Fila& f : Cargar(registros)) claves.push_back({f[0], f[2], f[11], f[12]});
        return claves;
    }
};

TEST_F(Asignaciones, ThreeUnitsAndFiveSubjectsGiveFifteenRows) {
    Tablas({{"LCL", "Lengua Castellana y Literatura"},
            {"MAT", "Matemáticas"},
            {"ING", "Inglés"},
            {"EF", "Educación Física"},
            {"BG", "Biología y Geología"}},
           {{"ESO1A", "ESO", "1", "A", "100323"},
            {"ESO1B", "ESO", "1", "B", "100323"},
            {"ESO2A", "ESO", "2", "A", "100324"},
            {"ESO1C", "ESO", "1", "C", "100323"}});
    const auto filas =
        Cargar({Materia("100323", "7911", "Lengua Castellana y Literatura"),
                Materia("100323", "7921", "Matemáticas"), Materia("100323", "7931", "Inglés"),
                Materia("100323", "7941", "Educación Física"),
                Materia("100323", "7951", "Biología y Geología")});
    EXPECT_EQ(NombresCampos("ASIGT"),
              (std::vector<std::string>{"CASIG", "CPROF", "CGRUP", "CAULA", "TURNO", "NIVEL",
                                        "CURSO", "GRUPO", "HORAS", "SESIONES", "NCONEX", "CLAVE",
                                        "CLAVECURSO", "CTAREA"}));
    ASSERT_EQ(filas.size(), 15u);
    EXPECT_EQ(filas[0], (Fila{"LCL", "", "ESO1A", "", "", "ESO", "1", "A", "4", "1111", "", "7911",
                              "100323", "1"}));
    EXPECT_EQ(filas[2], (Fila{"LCL", "", "ESO1C", "", "", "ESO", "1", "C", "4", "1111", "", "7911",
                              "100323", "1"}));
    EXPECT_EQ(filas[14][0], "BG");
    EXPECT_EQ(filas[14][2], "ESO1C");
    auto asigt = Tabla::AbrirEn(estado.DirectorioIntercambio, "ASIGT", Acceso::Compartido);
    for (size_t f = 0; f < asigt->Filas(); ++f) EXPECT_EQ(asigt->LeerFlotante(f, "HORAS"), 4.0);

    const auto leido = prueba::LeidoPorDbfread(Ruta("ASIGT.DBF"));
    if (!leido.empty()) {
        EXPECT_EQ(leido[1],
                  "CASIG:C:10\tCPROF:C:10\tCGRUP:C:10\tCAULA:C:10\tTURNO:C:1\tNIVEL:C:5\t"
                  "CURSO:C:3\tGRUPO:C:2\tHORAS:N:20\tSESIONES:C:20\tNCONEX:C:4\tCLAVE:C:10\t"
                  "CLAVECURSO:C:10\tCTAREA:C:10");
        ASSERT_EQ(leido.size(), 17u);
        EXPECT_EQ(leido[2], "LCL\t\tESO1A\t\t\tESO\t1\tA\t4.0\t1111\t\t7911\t100323\t1");
    }
}

TEST_F(Asignaciones, RecordsThatNameNoSubjectAddNothing) {
    Tablas({{"MAT", "Matemáticas"}}, {{"ESO1A", "ESO", "1", "A", "100323"}});
    EXPECT_EQ(Claves({Materia("100323", "7921", "Matemáticas")}),
              (std::vector<std::vector<std::string>>{{"MAT", "ESO1A", "7921", "100323"}}));
    // Two codes and no name: nothing to look up.
    EXPECT_TRUE(Claves({Registro("MATERIA", {{"X_OFERTAMATRIG", "100323"},
                                             {"OTRO", "Matemáticas"},
                                             {"X_MATERIAOMG", "7921"}})})
                    .empty());
    // Records with fewer than three values name no subject.
    EXPECT_TRUE(
        Claves({Registro("MATERIA", {{"X_OFERTAMATRIG", "100323"}, {"D_MATERIAC", "Matemáticas"}})})
            .empty());
}

TEST_F(Asignaciones, NamesMatchFoldingOnlyUnaccentedLetters) {
    Tablas(
        {{"LCL", "LENGUA CASTELLANA"}, {"ALG", "ÁLGEBRA"}, {"FIS", "FÍSICA"}, {"LAT", "  Latín  "}},
        {{"ESO1A", "ESO", "1", "A", "1"}});
    struct Caso {
        std::string nombre;
        std::string cod;  // empty: no row
    };
    const std::vector<Caso> casos{
        {"lengua castellana", "LCL"},
        {"Lengua Castellana", "LCL"},
        {"Álgebra", "ALG"},
        {"álgebra", ""},
        {"física", ""},
        {"FÍSICA", "FIS"},
        {"LATÍN", ""},
        {"latín", "LAT"},
        {"lengua  castellana", ""},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const auto claves = Claves({Materia("1", "9", caso.nombre)});
        if (caso.cod.empty()) {
            EXPECT_TRUE(claves.empty());
        } else {
            ASSERT_EQ(claves.size(), 1u);
            EXPECT_EQ(claves[0][0], caso.cod);
        }
    }
}

TEST_F(Asignaciones, TheFirstRowWithTheNameGivesTheCode) {
    Tablas({{"", "Tutoría"}, {"TUT", "Tutoría"}, {"MAT", "Matemáticas"}, {"MAT2", "Matemáticas"}},
           {{"ESO1A", "ESO", "1", "A", "100323"}, {"ESO2A", "ESO", "2", "A", "100324"}});
    EXPECT_EQ(Claves({Materia("100323", "1", "Matemáticas"), Materia("100324", "2", "Matemáticas"),
                      Materia("100323", "3", "Tutoría")}),
              (std::vector<std::vector<std::string>>{{"MAT", "ESO1A", "1", "100323"},
                                                     {"MAT", "ESO2A", "2", "100324"}}));
}

TEST_F(Asignaciones, LongNamesMatchOnTheirFirstEightyCharacters) {
    const std::string nombre(80, 'n');
    Tablas({{"LARGA", nombre}}, {{"ESO1A", "ESO", "1", "A", "100323"}});
    const auto claves = Claves({Materia("100323", "1", nombre + " y algo más")});
    ASSERT_EQ(claves.size(), 1u);
    EXPECT_EQ(claves[0][0], "LARGA");
}

TEST_F(Asignaciones, CoursesWithoutUnitsAddNothingAndRepeatsRepeat) {
    Tablas({{"MAT", "Matemáticas"}}, {{"ESO1A", "ESO", "1", "A", "100323"}});
    EXPECT_EQ(Claves({Materia("999999", "1", "Matemáticas"), Materia("100323", "1", "Matemáticas"),
                      Materia("100323", "1", "Matemáticas")}),
              (std::vector<std::vector<std::string>>{{"MAT", "ESO1A", "1", "100323"},
                                                     {"MAT", "ESO1A", "1", "100323"}}));
}

}  // namespace
}  // namespace pasaplan
