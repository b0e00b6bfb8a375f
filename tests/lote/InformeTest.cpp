// pasaplan-lote exportar and the import report: printed after a finished run, written as CSV
// with --informe, absent when the run did not finish.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "exchange/Tabla.h"
#include "lote/Lote.h"
#include "platform/Rutas.h"
#include "support/Apoyo.h"
#include "support/LoteEnProceso.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;

using prueba::Salida;

// A small export with a subject of a course the centre lacks and a mixed unit.
const char* const kExportacion =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\"><BLOQUE_DATOS>"
    "<grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">2026</dato>"
    "<dato nombre_dato=\"F_INIHORREG\">15/09/2026</dato>"
    "<dato nombre_dato=\"F_FINHORREG\">22/06/2027</dato></grupo_datos>"
    "<grupo_datos seq=\"CURSOS_DEL_CENTRO\">"
    "<grupo_datos seq=\"CURSO_1\"><dato nombre_dato=\"X_OFERTAMATRIG\">100323</dato>"
    "<dato nombre_dato=\"D_OFERTAMATRIG\">1º de E.S.O.</dato></grupo_datos>"
    "<grupo_datos seq=\"CURSO_2\"><dato nombre_dato=\"X_OFERTAMATRIG\">100324</dato>"
    "<dato nombre_dato=\"D_OFERTAMATRIG\">2º de E.S.O.</dato></grupo_datos></grupo_datos>"
    "<grupo_datos seq=\"MATERIAS\">"
    "<grupo_datos seq=\"MATERIA_1\"><dato nombre_dato=\"X_OFERTAMATRIG\">100323</dato>"
    "<dato nombre_dato=\"X_MATERIAOMG\">7921</dato>"
    "<dato nombre_dato=\"D_MATERIAC\">Matemáticas</dato></grupo_datos>"
    "<grupo_datos seq=\"MATERIA_2\"><dato nombre_dato=\"X_OFERTAMATRIG\">100324</dato>"
    "<dato nombre_dato=\"X_MATERIAOMG\">8137</dato>"
    "<dato nombre_dato=\"D_MATERIAC\">Matemáticas</dato></grupo_datos>"
    "<grupo_datos seq=\"MATERIA_3\"><dato nombre_dato=\"X_OFERTAMATRIG\">100999</dato>"
    "<dato nombre_dato=\"X_MATERIAOMG\">9001</dato>"
    "<dato nombre_dato=\"D_MATERIAC\">Proyecto; \"Integrado\"</dato></grupo_datos>"
    "</grupo_datos>"
    "<grupo_datos seq=\"UNIDADES\">"
    "<grupo_datos seq=\"UNIDAD_CURSO_1\"><dato nombre_dato=\"X_UNIDAD\">3174011</dato>"
    "<dato nombre_dato=\"T_NOMBRE\">1º ESO A</dato>"
    "<dato nombre_dato=\"X_OFERTAMATRIG\">100323</dato></grupo_datos>"
    "<grupo_datos seq=\"UNIDAD_CURSO_2\"><dato nombre_dato=\"X_UNIDAD\">3174011</dato>"
    "<dato nombre_dato=\"T_NOMBRE\">1º ESO A</dato>"
    "<dato nombre_dato=\"X_OFERTAMATRIG\">100324</dato></grupo_datos>"
    "</grupo_datos>"
    "<grupo_datos seq=\"JORNADAS_ESCOLARES\"><grupo_datos seq=\"JORNADA_1\">"
    "<dato nombre_dato=\"X_PLAJORESCCEN\">2417</dato>"
    "<dato nombre_dato=\"D_PLAJORESCCEN\">Horario de mañana</dato>"
    "<dato nombre_dato=\"F_INICIO\">15/09/2026</dato>"
    "<dato nombre_dato=\"F_FIN\">22/06/2027</dato></grupo_datos></grupo_datos>"
    "<grupo_datos seq=\"ORIGENES\"><grupo_datos seq=\"ORIGEN_1\">"
    "<dato nombre_dato=\"X_CATORIHOR\">1</dato><dato nombre_dato=\"C_ORIHOR\">ORD</dato>"
    "<dato nombre_dato=\"D_ORIHOR\">Horario ordinario</dato></grupo_datos></grupo_datos>"
    "<grupo_datos seq=\"CURSOS_NIVELES\">"
    "<grupo_datos seq=\"CURSO_NIVEL_1\"><dato nombre_dato=\"X_OFERTAMATRIG\">100323</dato>"
    "<dato nombre_dato=\"X_NIVCONPAGLEG\">11</dato></grupo_datos>"
    "<grupo_datos seq=\"CURSO_NIVEL_2\"><dato nombre_dato=\"X_OFERTAMATRIG\">100324</dato>"
    "<dato nombre_dato=\"X_NIVCONPAGLEG\">11</dato></grupo_datos></grupo_datos>"
    "<grupo_datos seq=\"AUTORIZACIONES\"><grupo_datos seq=\"AUTORIZACION_1\">"
    "<dato nombre_dato=\"X_ORIHORACTETP\">881</dato><dato nombre_dato=\"X_ACTIVIDAD\">1</dato>"
    "<dato nombre_dato=\"X_CATORIHOR\">1</dato><dato nombre_dato=\"X_NIVCONPAGLEG\">11</dato>"
    "</grupo_datos></grupo_datos>"
    "</BLOQUE_DATOS></SERVICIO>\n";

const char* const kReportado =
    "Proceso finalizado\n"
    "\n"
    "Informe de la importación: 3 avisos\n"
    "  Materia sin curso: 1\n"
    "  Unidad mixta: 1\n"
    "  Materia sin asignaciones: 1\n"
    "\n"
    "Materia sin curso · MATERIAS, registro 3\n"
    "  La materia «Proyecto; \"Integrado\"» (9001) pertenece al curso 100999, que no está entre "
    "los cursos del centro: no tendrá filas en ASIGT.\n"
    "\n"
    "Unidad mixta · UNIDADES, clave 3174011\n"
    "  La unidad «1º ESO A» (3174011) figura en dos cursos, 100323 («1º de E.S.O.») y 100324 "
    "(«2º de E.S.O.»): es una unidad mixta, y en GRUPOST queda repartida en dos unidades "
    "distintas, «ESO1A» y «ESO2A».\n"
    "\n"
    "Materia sin asignaciones · ASIGNOMT, fila 2\n"
    "  La materia «Proyecto; \"Integrado\"» (código PI, curso 100999) no está asignada a "
    "ninguna unidad: no tiene filas en ASIGT.\n";

class InformeLote : public testing::Test {
  protected:
    DirectorioTemporal dir;
    fs::path exportacion, niveles, intercambio;

    void SetUp() override {
        exportacion = dir.Ruta() / "ExportacionHorarios.xml";
        niveles = dir.Ruta() / "niveles.csv";
        intercambio = dir.Ruta() / "VTEMP";
        fs::create_directories(intercambio);
        prueba::EscribirArchivo(exportacion, BytesUtf8ACp1252(kExportacion));
        prueba::EscribirArchivo(niveles, "CLAVE;NIVEL;CURSO\n100323;ESO;1\n100324;ESO;2\n");
    }

    Salida Exportar(std::vector<std::string> extra) {
        std::vector<std::string> args{"exportar",           exportacion.string(), "--intercambio",
                                      intercambio.string(), "--niveles",          niveles.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return prueba::EnProceso(args);
    }
};

TEST_F(InformeLote, PrintedAfterTheRunAndWrittenAsCsv) {
    const auto informe = dir.Ruta() / "informe.csv";
    prueba::EscribirArchivo(informe, "un informe anterior, más largo que el nuevo\n");
    const auto r = Exportar({"--informe", informe.string()});
    ASSERT_EQ(r.estado, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto fin = r.out.find("Proceso finalizado");
    ASSERT_NE(fin, std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(fin),
              std::string(kReportado) + "\nInforme escrito en «" + informe.string() + "».\n");

    EXPECT_EQ(prueba::LeerArchivo(informe),
              "\xEF\xBB\xBFTipo;Bloque o tabla;Registro;Descripción\r\n"
              "Materia sin curso;MATERIAS;registro 3;\"La materia «Proyecto; \"\"Integrado\"\"» "
              "(9001) pertenece al curso 100999, que no está entre los cursos del centro: no "
              "tendrá filas en ASIGT.\"\r\n"
              "Unidad mixta;UNIDADES;clave 3174011;La unidad «1º ESO A» (3174011) figura en dos "
              "cursos, 100323 («1º de E.S.O.») y 100324 («2º de E.S.O.»): es una unidad mixta, y "
              "en GRUPOST queda repartida en dos unidades distintas, «ESO1A» y «ESO2A».\r\n"
              "Materia sin asignaciones;ASIGNOMT;fila 2;\"La materia «Proyecto; "
              "\"\"Integrado\"\"» (código PI, curso 100999) no está asignada a ninguna "
              "unidad: no tiene filas en ASIGT.\"\r\n");
    // Nothing but the report is left beside it (no temporary file).
    EXPECT_EQ(prueba::NombresEn(dir.Ruta()),
              (std::vector<std::string>{"ExportacionHorarios.xml", "VTEMP", "informe.csv",
                                        "niveles.csv"}));
}

TEST_F(InformeLote, WithoutTheOptionOnlyPrinted) {
    const auto r = Exportar({});
    ASSERT_EQ(r.estado, 0) << r.err;
    const auto fin = r.out.find("Proceso finalizado");
    ASSERT_NE(fin, std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(fin), kReportado);
}

TEST_F(InformeLote, NoReportWhenTheRunDidNotFinish) {
    const auto informe = dir.Ruta() / "informe.csv";
    // A course left without its level stops the run as a forced exit.
    prueba::EscribirArchivo(niveles, "CLAVE;NIVEL;CURSO\n100323;ESO;1\n");
    const auto r = Exportar({"--informe", informe.string()});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.out.find("Informe de la importación"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(informe));
}

TEST_F(InformeLote, ReportThatCannotBeWrittenFailsNamingTheFile) {
    const auto informe = dir.Ruta() / "no-existe" / "informe.csv";
    const auto r = Exportar({"--informe", informe.string()});
    EXPECT_EQ(r.estado, 1);
    EXPECT_NE(r.err.find("informe.csv"), std::string::npos) << r.err;
    // The run itself finished: its tables and the printed report stay.
    EXPECT_NE(r.out.find("Informe de la importación: 3 avisos"), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(Tabla::RutaEn(intercambio, "ASIGT")));
    EXPECT_FALSE(fs::exists(informe.parent_path()));
}

// The real binary ends without freeing its document: what it printed, written to files (so
// fully buffered), and its exit status are those of the same run in-process, finished or not.
TEST_F(InformeLote, RealBinaryPrintsAllOfItAndKeepsTheStatus) {
    const auto binario = [&](const fs::path& vtemp) {
        fs::create_directories(vtemp);
        const auto r =
            prueba::EjecutarPrograma(prueba::Programa("pasaplan-lote"),
                                     {"exportar", plataforma::Utf8DeRuta(exportacion).Bytes(),
                                      "--intercambio", plataforma::Utf8DeRuta(vtemp).Bytes(),
                                      "--niveles", plataforma::Utf8DeRuta(niveles).Bytes()},
                                     dir.Ruta());
        return Salida{r.estado, r.out, r.err};
    };
    int caso = 0;
    for (const char* lineas :
         {"CLAVE;NIVEL;CURSO\n100323;ESO;1\n100324;ESO;2\n", "CLAVE;NIVEL;CURSO\n100323;ESO;1\n"}) {
        prueba::EscribirArchivo(niveles, lineas);
        intercambio = dir.Ruta() / ("VTEMP-" + std::to_string(++caso));
        fs::create_directories(intercambio);
        const Salida enProceso = Exportar({});
        const Salida real = binario(dir.Ruta() / ("VTEMP-real-" + std::to_string(caso)));
        EXPECT_EQ(real.estado, caso == 1 ? 0 : 1);
        EXPECT_EQ(real.estado, enProceso.estado);
        EXPECT_EQ(real.out, enProceso.out);
        EXPECT_EQ(real.err, enProceso.err);
    }
}

}  // namespace
}  // namespace pasaplan
