// The import report against real import runs: an export holding every quirk the report knows,
// a clean one, the catalogue cases, and exchange folders that a run left missing or damaged.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "exchange/Tabla.h"
#include "import/Importacion.h"
#include "report/Informe.h"
#include "support/Apoyo.h"
#include "support/ExportacionXml.h"
#include "support/InterlocutorGuion.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::Bloque;
using prueba::Datos;
using prueba::DirectorioTemporal;
using prueba::InterlocutorGuion;
using prueba::Registro;
using T = TipoHallazgo;

std::string Curso(const std::string& clave, const std::string& nombre) {
    return Registro("CURSO", {{"X_OFERTAMATRIG", clave}, {"D_OFERTAMATRIG", nombre}});
}
std::string Materia(const std::string& curso, const std::string& codigo,
                    const std::string& nombre) {
    return Registro("MATERIA",
                    {{"X_OFERTAMATRIG", curso}, {"X_MATERIAOMG", codigo}, {"D_MATERIAC", nombre}});
}
std::string Actividad(const std::string& regular, const std::string& codigo,
                      const std::string& nombre) {
    return Registro("ACTIVIDAD", {{"L_REGULAR", regular},
                                  {"X_ACTIVIDAD", codigo},
                                  {"D_ACTIVIDAD", nombre},
                                  {"L_REQUNIDAD", "N"},
                                  {"L_REQMATERIA", "N"}});
}
std::string Empleado(const std::string& clave, const std::string& ap1, const std::string& ap2,
                     const std::string& nombre) {
    return Registro("PROFESOR", {{"X_EMPLEADO", clave},
                                 {"F_TOMAPOS", "01/09/2024"},
                                 {"D_PUESTO", "Inglés P.E.S."},
                                 {"APELLIDO1", ap1},
                                 {"APELLIDO2", ap2},
                                 {"NOMBRE", nombre}});
}
std::string Unidad(const std::string& clave, const std::string& nombre, const std::string& curso) {
    return Registro("UNIDAD_CURSO",
                    {{"X_UNIDAD", clave}, {"T_NOMBRE", nombre}, {"X_OFERTAMATRIG", curso}});
}
std::string Tramo(const std::string& clave, const std::string& nombre, const std::string& inicio,
                  const std::string& fin, const std::string& marco) {
    return Registro("TRAMO", {{"X_TRAMO", clave},
                              {"T_HORCEN", nombre},
                              {"N_INICIO", inicio},
                              {"N_FIN", fin},
                              {"X_PLAJORESCCEN", marco}});
}
std::string Jornada(const std::string& clave, const std::string& nombre) {
    return Registro("JORNADA", {{"X_PLAJORESCCEN", clave},
                                {"D_PLAJORESCCEN", nombre},
                                {"F_INICIO", "15/09/2026"},
                                {"F_FIN", "22/06/2027"}});
}
std::string Par(const std::string& seq, const std::vector<std::string>& valores) {
    Datos datos;
    for (const auto& v : valores) datos.emplace_back("V", v);
    return Registro(seq, datos);
}

std::string Anno() {
    return "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">2026</dato>"
           "<dato nombre_dato=\"F_INIHORREG\">15/09/2026</dato>"
           "<dato nombre_dato=\"F_FINHORREG\">22/06/2027</dato></grupo_datos>";
}

// Catalogues that give every course of the fixtures a level.
std::string Catalogos(const std::vector<std::string>& cursosConNivel) {
    std::vector<std::string> cn;
    for (const auto& c : cursosConNivel) cn.push_back(Par("CURSO_NIVEL", {c, "11"}));
    return Bloque("ORIGENES", {Par("ORIGEN", {"1", "ORD", "Horario ordinario"})}) +
           Bloque("NIVELES", {Par("NIVEL", {"11", "ESO", "Educación Secundaria Obligatoria"})}) +
           Bloque("CURSOS_NIVELES", cn) +
           Bloque("AUTORIZACIONES", {Par("AUTORIZACION", {"881", "1", "1", "11"})});
}

// Every quirk the report knows, in one export.
std::string ExportacionConTodo() {
    return Anno() +
           Bloque("CURSOS_DEL_CENTRO",
                  {Curso("100323", "1º de E.S.O."), Curso("100324", "2º de E.S.O."),
                   Curso("100402", "2º Bachillerato (Ciencias y Tecnología)"),
                   Curso("100511", "1º F.P.I.G.M. (Sistemas Microinformáticos y Redes)")}) +
           Bloque("MATERIAS",
                  {Materia("100323", "7911", "Lengua Castellana y Literatura"),
                   Materia("100323", "7921", "Matemáticas"),
                   Materia("100324", "8110", "Lengua Castellana y Literatura"),
                   Materia("100402", "9050", "Matemáticas II"),
                   Materia("100999", "7901", "Proyecto Integrado"), Materia("100323", "7999", ""),
                   Materia("100511", "9084", "Montaje y mantenimiento de equipos"),
                   Materia("100888", "7950", "Taller de Teatro")}) +
           Bloque("ACTIVIDADES", {Actividad("S", "1", "Docencia"), Actividad("N", "2", "Guardia"),
                                  Actividad("N", "1234567890", "Guardia de biblioteca"),
                                  Actividad("N", "1234567899", "Guardia de patio"),
                                  Actividad("N", "2", "Guardia")}) +
           Bloque("EMPLEADOS",
                  {Empleado("412346", "García", "López", "María del Carmen"),
                   Empleado("412403", "Fernández", "Gómez", "Ana Isabel"),
                   Empleado("412385", "Martín", "Ruiz", "José Antonio"),
                   Empleado("412403", "Fernández", "Gómez", "Ana Isabel"),
                   Empleado("412385", "Martín", "Ruiz", "José"), Par("PROFESOR", {"412999"})}) +
           Bloque("DEPENDENCIAS", {Par("DEPENDENCIA", {"1408701", "Aula 1.1"})}) +
           Bloque("UNIDADES",
                  {Unidad("3174011", "1º ESO A", "100323"), Unidad("3174012", "1º ESO B", "100323"),
                   Unidad("3174014", "2º ESO A", "100324"),
                   Unidad("3174019", "1º-2º ESO Mixta", "100323"),
                   Unidad("3174019", "1º-2º ESO Mixta", "100324"),
                   Unidad("3174030", "Taller", "100888"), Unidad("3174022", "1º SMR", "100511"),
                   Par("UNIDAD_CURSO", {"3174040", "Grupo suelto"})}) +
           Bloque("JORNADAS_ESCOLARES",
                  {Jornada("2417", "Horario de mañana"), Jornada("2418", "Horario de tarde")}) +
           Bloque("TRAMOS_HORARIOS", {Tramo("61231", "1ª", "480", "540", "2417"),
                                      Tramo("61232", "2ª", "600", "540", "2417"),
                                      Tramo("61233", "Recreo", "540", "570", "2417"),
                                      Tramo("61234", "Recreo tarde", "1000", "1030", "2418"),
                                      Tramo("61235", "2º rEcReO", "660", "690", "2417")}) +
           Catalogos({"100323", "100324", "100402"});
}

class Informe : public testing::Test {
  protected:
    DirectorioTemporal dir;
    EstadoPrincipal estado;
    InterlocutorGuion persona;

    void SetUp() override {
        fs::create_directories(dir.Ruta() / "VTEMP");
        fs::create_directories(dir.Ruta() / "programa");
        estado.DirectorioIntercambio = dir.Ruta() / "VTEMP";
        estado.DirectorioPrograma = dir.Ruta() / "programa";
        Tabla::Crear(estado.DirectorioPrograma / "SENEMATERIAS.DBF",
                     {{"NOMBRE", TipoCampo::Texto, 80, 0},
                      {"COD", TipoCampo::Texto, 10, 0},
                      {"CODLARGO", TipoCampo::Texto, 10, 0}});
    }

    // The export as Séneca writes it: ISO-8859-1 declared and encoded.
    fs::path Escribir(const std::string& bloques) {
        const auto ruta = dir.Ruta() / "ExportacionHorarios.xml";
        prueba::EscribirArchivo(ruta, BytesUtf8ACp1252(prueba::XmlExportacion(bloques)));
        return ruta;
    }

    // The whole import run: the course levels dialog fills the courses given (the others stay
    // blank, as when the dialog is closed by its frame); the frames dialog picks 2417.
    void Importar(const std::string& bloques,
                  std::map<std::string, std::pair<std::string, std::string>> niveles) {
        persona.archivos.push_back(Escribir(bloques));
        persona.dialogosCursos.push_back([niveles](const ContextoCursos& c) {
            auto t = Tabla::AbrirEn(c.directorio, "CURSOST", Acceso::Exclusivo);
            for (size_t f = 0; f < t->Filas(); ++f) {
                const auto it = niveles.find(t->LeerTexto(f, "CLAVE").Bytes());
                if (it == niveles.end()) continue;
                t->PonerTexto(f, "NIVEL", it->second.first);
                t->PonerTexto(f, "CURSO", it->second.second);
                t->Grabar(f);
            }
            return ResultadoCursos{};
        });
        persona.dialogosMarcos.push_back([](const ContextoMarcos&) {
            return ResultadoMarcos{true, "2417      "};
        });
        ASSERT_EQ(EjecutarImportacion(estado, persona), FinImportacion::Finalizado);
    }

    std::vector<Hallazgo> Elaborar() {
        return ElaborarInforme(*estado.documento, estado.DirectorioIntercambio);
    }
};

using Donde = std::tuple<TipoHallazgo, std::string, std::string>;

std::vector<Donde> Lugares(const std::vector<Hallazgo>& hallazgos) {
    std::vector<Donde> lugares;
    // The place as the person reads it, in UTF-8.
    for (const auto& h : hallazgos) {
        lugares.emplace_back(h.tipo, h.bloqueOTabla, Cp1252AUtf8(h.registro).Bytes());
    }
    return lugares;
}

// The sentence of the finding at that place ("" when there is none).
std::string Frase(const std::vector<Hallazgo>& hallazgos, TipoHallazgo tipo,
                  const std::string& registro) {
    for (const auto& h : hallazgos) {
        if (h.tipo == tipo && Cp1252AUtf8(h.registro).Bytes() == registro) return h.frase.Bytes();
    }
    return "";
}

const std::map<std::string, std::pair<std::string, std::string>> kNiveles = {
    {"100323", {"ESO", "1"}}, {"100324", {"ESO", "2"}}, {"100402", {"BCT", "2"}}};

TEST_F(Informe, EveryQuirkFoundInTheTablesOfARealRun) {
    Importar(ExportacionConTodo(), kNiveles);
    const auto h = Elaborar();
    EXPECT_EQ(Lugares(h), (std::vector<Donde>{
                              {T::MateriaSinCurso, "MATERIAS", "registro 5"},
                              {T::MateriaSinCurso, "MATERIAS", "registro 8"},
                              {T::MateriaSinNombre, "MATERIAS", "registro 6"},
                              {T::CodigoActividadCortado, "ACTIVIDADES", "registro 3"},
                              {T::CodigoActividadCortado, "ACTIVIDADES", "registro 4"},
                              {T::CodigoRepetido, "ASIGNOMT", "código #2"},
                              {T::CodigoRepetido, "ASIGNOMT", "código #123456789"},
                              {T::EmpleadoRepetido, "EMPLEADOS", "registro 4"},
                              {T::EmpleadoRepetido, "EMPLEADOS", "registro 5"},
                              {T::UnidadSinCurso, "GRUPOST", "fila 6"},
                              {T::UnidadSinCurso, "GRUPOST", "fila 8"},
                              {T::UnidadSinNivel, "GRUPOST", "fila 7"},
                              {T::UnidadMixta, "UNIDADES", "clave 3174019"},
                              {T::CursoSinUnidades, "CURSOST", "fila 3"},
                              {T::MateriaSinAsignacion, "ASIGNOMT", "fila 3"},
                              {T::MateriaSinAsignacion, "ASIGNOMT", "fila 4"},
                              {T::TramoInvertido, "TRAMOS_HORARIOS", "registro 2"},
                              {T::TramoRecreo, "TRAMOS_HORARIOS", "registro 3"},
                              {T::TramoRecreo, "TRAMOS_HORARIOS", "registro 5"},
                              {T::CursoSinNivelSeneca, "CURSOST", "fila 4"},
                          }));

    // The sentences say what happened with the names and codes the person knows.
    EXPECT_EQ(Frase(h, T::MateriaSinCurso, "registro 5"),
              "La materia «Proyecto Integrado» (7901) pertenece al curso 100999, que no está "
              "entre los cursos del centro: no tendrá filas en ASIGT.");
    EXPECT_EQ(Frase(h, T::MateriaSinCurso, "registro 8"),
              "La materia «Taller de Teatro» (7950) pertenece al curso 100888, que no está entre "
              "los cursos del centro: sus filas de ASIGT serán de unidades sin nivel ni curso.");
    EXPECT_EQ(Frase(h, T::MateriaSinNombre, "registro 6"),
              "La materia 7999 del curso 100323 no tiene nombre: no se ha importado (no está en "
              "ASIGNOMT ni en ASIGT).");
    EXPECT_EQ(Frase(h, T::CodigoActividadCortado, "registro 3"),
              "La actividad «Guardia de biblioteca» tiene el código 1234567890, que con la «#» "
              "delante pasa de los 10 caracteres de COD: ASIGNOMT guarda «#123456789», y sus "
              "horas irán a Séneca como la actividad 123456789, no la 1234567890.");
    EXPECT_EQ(Frase(h, T::CodigoRepetido, "código #123456789"),
              "El código «#123456789» está en dos filas de ASIGNOMT: la actividad «Guardia de "
              "biblioteca» (fila 9) y la actividad «Guardia de patio» (fila 10). Velmora no podrá "
              "distinguirlas.");
    EXPECT_EQ(Frase(h, T::EmpleadoRepetido, "registro 4"),
              "«Ana Isabel Fernández Gómez» (empleado 412403) ya aparece en el registro 2 de "
              "EMPLEADOS: Velmora tendrá dos profesores, «FGA» y «FGA1», para una sola persona.");
    EXPECT_EQ(Frase(h, T::EmpleadoRepetido, "registro 5"),
              "El empleado 412385 aparece dos veces con nombres distintos: «José Antonio Martín "
              "Ruiz» en el registro 3 y «José Martín Ruiz» en el 5: Velmora tendrá dos profesores, "
              "«MRJ» y «MRJ1», con la misma clave de Séneca.");
    EXPECT_EQ(Frase(h, T::UnidadSinCurso, "fila 6"),
              "La unidad «Taller» (3174030) es del curso 100888, que no está entre los cursos del "
              "centro: su abreviatura «A» no lleva nivel ni curso, y su NIVEL es «NIV».");
    EXPECT_EQ(Frase(h, T::UnidadSinCurso, "fila 8"),
              "La unidad «Grupo suelto» (3174040) no indica su curso: su abreviatura «C» no lleva "
              "nivel ni curso, y su NIVEL es «NIV».");
    EXPECT_EQ(Frase(h, T::UnidadSinNivel, "fila 7"),
              "La unidad «1º SMR» (3174022) es del curso «1º F.P.I.G.M. (Sistemas "
              "Microinformáticos y Redes)» (100511), que quedó sin NIVEL ni CURSO en el diálogo "
              "de niveles: su abreviatura es «B» y su NIVEL es «NIV».");
    EXPECT_EQ(Frase(h, T::UnidadMixta, "clave 3174019"),
              "La unidad «1º-2º ESO Mixta» (3174019) figura en dos cursos, 100323 («1º de "
              "E.S.O.») y 100324 («2º de E.S.O.»): es una unidad mixta, y en GRUPOST queda "
              "repartida en dos unidades distintas, «ESO1C» y «ESO2B».");
    EXPECT_EQ(Frase(h, T::CursoSinUnidades, "fila 3"),
              "El curso «2º Bachillerato (Ciencias y Tecnología)» (100402) no tiene unidades en la "
              "exportación: su materia no tendrá filas en ASIGT.");
    EXPECT_EQ(Frase(h, T::MateriaSinAsignacion, "fila 3"),
              "La materia «Matemáticas II» (código MII, curso 100402) no está asignada a ninguna "
              "unidad: no tiene filas en ASIGT.");
    EXPECT_EQ(Frase(h, T::TramoInvertido, "registro 2"),
              "El tramo «2ª» (61232) del marco 2417 termina a las 09:00, antes de empezar a las "
              "10:00: en DIASHORAST dura -60 minutos.");
    EXPECT_EQ(Frase(h, T::TramoRecreo, "registro 5"),
              "El tramo «2º rEcReO» (61235) del marco 2417, de 11:00 a 11:30, es un recreo: en "
              "DIASHORAST es la hora 4 de cada día, y Velmora puede poner clases en ella si no se "
              "bloquea.");
    EXPECT_EQ(Frase(h, T::CursoSinNivelSeneca, "fila 4"),
              "El curso «1º F.P.I.G.M. (Sistemas Microinformáticos y Redes)» (100511) no está en "
              "el catálogo CURSOS_NIVELES: sus horas irán a Séneca sin origen.");
}

TEST_F(Informe, CleanExportHasNothingToCheck) {
    Importar(Anno() + Bloque("CURSOS_DEL_CENTRO", {Curso("100323", "1º de E.S.O.")}) +
                 Bloque("MATERIAS", {Materia("100323", "7921", "Matemáticas")}) +
                 Bloque("ACTIVIDADES", {Actividad("N", "2", "Guardia")}) +
                 Bloque("EMPLEADOS", {Empleado("412346", "García", "López", "María")}) +
                 Bloque("UNIDADES", {Unidad("3174011", "1º ESO A", "100323")}) +
                 Bloque("JORNADAS_ESCOLARES", {Jornada("2417", "Mañana")}) +
                 Bloque("TRAMOS_HORARIOS", {Tramo("61231", "1ª", "480", "540", "2417")}) +
                 Catalogos({"100323"}),
             {{"100323", {"ESO", "1"}}});
    const auto h = Elaborar();
    EXPECT_TRUE(h.empty()) << testing::PrintToString(Lugares(h));
    EXPECT_EQ(TextoInforme(h), "Informe de la importación: nada que revisar.\n");
}

struct CasoCatalogo {
    const char* nombre;
    std::string bloques;
    std::vector<Donde> esperados;
};

class InformeCatalogos : public Informe, public testing::WithParamInterface<CasoCatalogo> {};

TEST_P(InformeCatalogos, MissingCataloguesNamed) {
    Importar(Anno() + Bloque("CURSOS_DEL_CENTRO", {Curso("100323", "1º de E.S.O.")}) +
                 Bloque("UNIDADES", {Unidad("3174011", "1º ESO A", "100323")}) +
                 Bloque("JORNADAS_ESCOLARES", {Jornada("2417", "Mañana")}) + GetParam().bloques,
             {{"100323", {"ESO", "1"}}});
    const auto h = Elaborar();
    EXPECT_EQ(Lugares(h), GetParam().esperados);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, InformeCatalogos,
    testing::Values(
        CasoCatalogo{"SinOrigenes", "", {{T::CatalogoAusente, "ORIGENES", ""}}},
        CasoCatalogo{"OrigenesSinDatos",
                     Bloque("ORIGENES", {Par("ORIGEN", {"1"})}),
                     {{T::CatalogoAusente, "ORIGENES", ""}}},
        CasoCatalogo{"SinAutorizaciones",
                     Bloque("ORIGENES", {Par("ORIGEN", {"1", "ORD", "Horario ordinario"})}) +
                         Bloque("CURSOS_NIVELES", {Par("CURSO_NIVEL", {" 0100323 ", "11"})}),
                     {{T::CatalogoAusente, "AUTORIZACIONES", ""}}},
        CasoCatalogo{"SinCursosNiveles",
                     Bloque("ORIGENES", {Par("ORIGEN", {"1", "ORD", "Horario ordinario"})}) +
                         Bloque("AUTORIZACIONES", {Par("AUTORIZACION", {"881", "1", "1", "11"})}),
                     {{T::CatalogoAusente, "CURSOS_NIVELES", ""}}}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Informe, NoOriginsSentence) {
    Importar(Anno() + Bloque("JORNADAS_ESCOLARES", {Jornada("2417", "Mañana")}), {});
    const auto h = Elaborar();
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(h[0].frase,
              "La exportación no trae el catálogo de orígenes de las horas (bloque ORIGENES): no "
              "se ha escrito ORIGENES_C, y el documento para Séneca no llevará el origen de "
              "ninguna hora.");
}

// A run that stopped early leaves tables missing: what needs them is left out, what the
// export alone shows is still there.
TEST_F(Informe, MissingTablesLeaveOutOnlyWhatNeedsThem) {
    Importar(ExportacionConTodo(), kNiveles);
    for (const char* tabla :
         {"CURSOST", "ASIGNOMT", "ASIGNOMT2", "PROFT", "GRUPOST", "ASIGT", "DIASHORAST"}) {
        fs::remove(estado.DirectorioIntercambio / (std::string(tabla) + ".DBF"));
    }
    const auto h = Elaborar();
    EXPECT_EQ(Lugares(h), (std::vector<Donde>{
                              {T::MateriaSinCurso, "MATERIAS", "registro 5"},
                              {T::MateriaSinCurso, "MATERIAS", "registro 8"},
                              {T::CodigoActividadCortado, "ACTIVIDADES", "registro 3"},
                              {T::CodigoActividadCortado, "ACTIVIDADES", "registro 4"},
                              {T::EmpleadoRepetido, "EMPLEADOS", "registro 4"},
                              {T::EmpleadoRepetido, "EMPLEADOS", "registro 5"},
                              {T::UnidadMixta, "UNIDADES", "clave 3174019"},
                              {T::CursoSinUnidades, "CURSOS_DEL_CENTRO", "registro 3"},
                              {T::CursoSinNivelSeneca, "CURSOS_DEL_CENTRO", "registro 4"},
                          }));
    // Without the tables the sentences claim nothing about them.
    EXPECT_EQ(Frase(h, T::MateriaSinCurso, "registro 5"),
              "La materia «Proyecto Integrado» (7901) pertenece al curso 100999, que no está "
              "entre los cursos del centro.");
    EXPECT_EQ(Frase(h, T::EmpleadoRepetido, "registro 4"),
              "«Ana Isabel Fernández Gómez» (empleado 412403) ya aparece en el registro 2 de "
              "EMPLEADOS.");
    EXPECT_EQ(Frase(h, T::UnidadMixta, "clave 3174019"),
              "La unidad «1º-2º ESO Mixta» (3174019) figura en dos cursos, 100323 («1º de "
              "E.S.O.») y 100324 («2º de E.S.O.»): es una unidad mixta.");
}

// Tables cut short (rows posted before the run stopped): only the rows present are read.
TEST_F(Informe, PartlyWrittenTablesReadAsFarAsTheyGo) {
    Importar(ExportacionConTodo(), kNiveles);
    const auto grupost = estado.DirectorioIntercambio / "GRUPOST.DBF";
    Tabla::Crear(grupost, {{"ABREV", TipoCampo::Texto, 10, 0},
                           {"NIVEL", TipoCampo::Texto, 5, 0},
                           {"CLAVECURSO", TipoCampo::Texto, 10, 0}});
    {
        auto t = Tabla::Abrir(grupost, Acceso::Exclusivo);
        for (const char* abrev : {"ESO1A", "ESO1B", "ESO2A", "ESO1C"}) {
            const size_t f = t->Agregar();
            t->PonerTexto(f, "ABREV", abrev);
            t->Grabar(f);
        }
    }
    const auto h = Elaborar();
    for (const auto& hallazgo : h) {
        EXPECT_NE(hallazgo.tipo, T::UnidadSinCurso) << hallazgo.frase;
        EXPECT_NE(hallazgo.tipo, T::UnidadSinNivel) << hallazgo.frase;
    }
    // The mixed unit's second row was never written: no abbreviations claimed.
    EXPECT_EQ(Frase(h, T::UnidadMixta, "clave 3174019"),
              "La unidad «1º-2º ESO Mixta» (3174019) figura en dos cursos, 100323 («1º de "
              "E.S.O.») y 100324 («2º de E.S.O.»): es una unidad mixta.");
}

TEST_F(Informe, DamagedTableBecomesAFindingNotACrash) {
    Importar(ExportacionConTodo(), kNiveles);
    prueba::EscribirArchivo(estado.DirectorioIntercambio / "GRUPOST.DBF", "no es una tabla");
    const auto h = Elaborar();
    ASSERT_FALSE(h.empty());
    EXPECT_EQ(h.back().tipo, T::TablaIlegible);
    EXPECT_EQ(h.back().bloqueOTabla, "GRUPOST");
    EXPECT_NE(h.back().frase.find("No se ha podido leer la tabla GRUPOST"), std::string::npos)
        << h.back().frase;
    // Checks that need no GRUPOST still ran.
    EXPECT_FALSE(Frase(h, T::EmpleadoRepetido, "registro 4").empty());
}

// ---- presentation ----

TEST(PresentacionInforme, TextCountsPerKindThenFindings) {
    const std::vector<Hallazgo> h{
        {T::MateriaSinCurso, "MATERIAS", "registro 5", "Primera."},
        {T::MateriaSinCurso, "MATERIAS", "registro 8", "Segunda."},
        {T::CatalogoAusente, "ORIGENES", "", "Tercera."},
    };
    EXPECT_EQ(TextoInforme(h),
              "Informe de la importación: 3 avisos\n"
              "  Materia sin curso: 2\n"
              "  Catálogo ausente: 1\n"
              "\nMateria sin curso · MATERIAS, registro 5\n  Primera.\n"
              "\nMateria sin curso · MATERIAS, registro 8\n  Segunda.\n"
              "\nCatálogo ausente · ORIGENES\n  Tercera.\n");
}

TEST(PresentacionInforme, CsvFieldsQuotedWhereNeeded) {
    const std::vector<std::pair<std::string, std::string>> casos{
        {"", ""},
        {"Unidad mixta", "Unidad mixta"},
        {"a;b", "\"a;b\""},
        {"dijo \"hola\"", "\"dijo \"\"hola\"\"\""},
        {"dos\nlíneas", "\"dos\nlíneas\""},
        {"retorno\r", "\"retorno\r\""},
        {" blanco", "\" blanco\""},
        {"blanco ", "\"blanco \""},
    };
    for (const auto& [valor, esperado] : casos) {
        EXPECT_EQ(CampoCsv(Utf8::DeBytes(valor)).Bytes(), esperado) << valor;
    }

    // The registro is Windows-1252 and comes out as UTF-8.
    const std::vector<Hallazgo> h{
        {T::CodigoRepetido, "ASIGNOMT", BytesUtf8ACp1252("código «Educación»"), "Uno; \"dos\"."}};
    EXPECT_EQ(CsvInforme(h),
              "\xEF\xBB\xBFTipo;Bloque o tabla;Registro;Descripción\r\n"
              "Código repetido;ASIGNOMT;código «Educación»;\"Uno; \"\"dos\"\".\"\r\n");
    EXPECT_EQ(CsvInforme({}), "\xEF\xBB\xBFTipo;Bloque o tabla;Registro;Descripción\r\n");
}

TEST(PresentacionInforme, EveryKindHasItsOwnName) {
    std::set<std::string> nombres;
    for (int t = 0; t <= static_cast<int>(T::TablaIlegible); ++t) {
        const auto nombre = NombreTipo(static_cast<T>(t));
        EXPECT_NE(nombre, "Aviso");
        EXPECT_TRUE(nombres.insert(nombre.Bytes()).second) << nombre;
    }
}

}  // namespace
}  // namespace pasaplan
