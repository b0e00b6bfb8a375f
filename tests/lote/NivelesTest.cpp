// pasaplan-lote exportar --niveles / --recuperar / --no-recuperar: the course levels dialog
// answered from a file, a course left incomplete stopping the run as the forced exit does.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

#include "exchange/Tabla.h"
#include "import/EntornoPaso.h"
#include "lote/Lote.h"
#include "support/Apoyo.h"
#include "support/ExportacionXml.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::Dato;
using prueba::DirectorioTemporal;
using prueba::Grupo;

// A small school: three courses, two subjects, four units, one time frame.
std::string Exportacion() {
    const std::string bloques =
        Grupo("ANNO_ACADEMICO", Dato("C_ANNO", "2025") + Dato("F_INIHORREG", "15/09/2025") +
                                    Dato("F_FINHORREG", "22/06/2026")) +
        Grupo("CURSOS_DEL_CENTRO",
              Grupo("CURSO_1",
                    Dato("X_OFERTAMATRIG", "100323") + Dato("D_OFERTAMATRIG", "1º de E.S.O.")) +
                  Grupo("CURSO_2",
                        Dato("X_OFERTAMATRIG", "100324") + Dato("D_OFERTAMATRIG", "2º de E.S.O.")) +
                  Grupo("CURSO_3",
                        Dato("X_OFERTAMATRIG", "100511") +
                            Dato("D_OFERTAMATRIG", "1º F.P.I.G.M. (Sistemas Microinformáticos)"))) +
        Grupo(
            "MATERIAS",
            Grupo("MATERIA_1", Dato("X_OFERTAMATRIG", "100323") + Dato("X_MATERIAOMG", "7921") +
                                   Dato("D_MATERIAC", "Matemáticas")) +
                Grupo("MATERIA_2", Dato("X_OFERTAMATRIG", "100324") + Dato("X_MATERIAOMG", "7922") +
                                       Dato("D_MATERIAC", "Matemáticas"))) +
        Grupo(
            "UNIDADES",
            Grupo("UNIDAD_CURSO_1", Dato("X_UNIDAD", "3174011") + Dato("T_NOMBRE", "1º ESO A") +
                                        Dato("X_OFERTAMATRIG", "100323")) +
                Grupo("UNIDAD_CURSO_2", Dato("X_UNIDAD", "3174012") + Dato("T_NOMBRE", "1º ESO B") +
                                            Dato("X_OFERTAMATRIG", "100323")) +
                Grupo("UNIDAD_CURSO_3", Dato("X_UNIDAD", "3174014") + Dato("T_NOMBRE", "2º ESO A") +
                                            Dato("X_OFERTAMATRIG", "100324")) +
                Grupo("UNIDAD_CURSO_4", Dato("X_UNIDAD", "3174022") + Dato("T_NOMBRE", "1º SMR A") +
                                            Dato("X_OFERTAMATRIG", "100511"))) +
        Grupo("JORNADAS_ESCOLARES",
              Grupo("JORNADA_1",
                    Dato("X_PLAJORESCCEN", "2417") + Dato("D_PLAJORESCCEN", "Horario de mañana") +
                        Dato("F_INICIO", "15/09/2025") + Dato("F_FIN", "22/06/2026"))) +
        Grupo("TRAMOS_HORARIOS",
              Grupo("TRAMO_1", Dato("X_TRAMO", "61231") + Dato("T_HORCEN", "1ª") +
                                   Dato("N_INICIO", "480") + Dato("N_FIN", "540") +
                                   Dato("X_PLAJORESCCEN", "2417")));
    return BytesUtf8ACp1252(prueba::XmlExportacion(bloques)).Bytes();
}

class Niveles : public testing::Test {
  protected:
    DirectorioTemporal dir;
    fs::path archivo, intercambio, niveles;
    int estado = 0;
    std::string out, err;

    void SetUp() override {
        intercambio = dir.Ruta() / "VTEMP";
        fs::create_directories(intercambio);
        archivo = dir.Ruta() / "ExportacionHorarios.xml";
        prueba::EscribirArchivo(archivo, Exportacion());
        niveles = dir.Ruta() / "niveles.csv";
    }

    void Exportar(std::vector<std::string> extra) {
        std::vector<std::string> args{"exportar", archivo.string(), "--intercambio",
                                      intercambio.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream o, e;
        estado = lote::EjecutarLote(args, o, e);
        out = o.str();
        err = e.str();
    }

    void ExportarCon(const std::string& csv, std::vector<std::string> extra = {}) {
        prueba::EscribirArchivo(niveles, csv);
        extra.insert(extra.begin(), {"--niveles", niveles.string()});
        Exportar(extra);
    }

    // Each row of a table as "A;B;C" in UTF-8.
    std::vector<std::string> Tabla(const Utf8& nombre, std::vector<std::string> campos) {
        auto t = pasaplan::Tabla::AbrirEn(intercambio, nombre, Acceso::Compartido);
        std::vector<std::string> filas;
        for (size_t f = 0; f < t->Filas(); ++f) {
            std::string fila;
            for (size_t c = 0; c < campos.size(); ++c) {
                fila += (c ? ";" : "") + Cp1252AUtf8(t->LeerTexto(f, campos[c])).Bytes();
            }
            filas.push_back(fila);
        }
        return filas;
    }

    bool Existe(const Utf8& tabla) {
        return fs::exists(pasaplan::Tabla::RutaEn(intercambio, tabla));
    }
};

TEST_F(Niveles, CompleteAnswersFinishTheRunAndKeepTheCodifications) {
    ExportarCon(
        "CLAVE;NIVEL;CURSO\r\n100323;ESO;1\r\n100324;ESO;2\r\n\r\n999999;XX;1\r\n"
        "100511; SMR;1º\r\n");
    ASSERT_EQ(estado, 0) << err;
    EXPECT_NE(out.find("«999999»"), std::string::npos) << out;
    EXPECT_NE(out.find("línea 5"), std::string::npos) << out;
    EXPECT_NE(out.find("Proceso finalizado"), std::string::npos) << out;
    EXPECT_TRUE(err.empty()) << err;

    const std::vector<std::string> cursos{"ESO;1;100323", "ESO;2;100324", " SMR;1º;100511"};
    EXPECT_EQ(Tabla("CURSOST", {"NIVEL", "CURSO", "CLAVE"}), cursos);
    EXPECT_EQ(Tabla("CURSOST2", {"NIVEL", "CURSO", "CLAVE"}), cursos);
    EXPECT_EQ(Tabla("GRUPOST", {"ABREV", "NIVEL", "CLAVECURSO"}),
              (std::vector<std::string>{"ESO1A;ESO;100323", "ESO1B;ESO;100323", "ESO2A;ESO;100324",
                                        " SMR1A; SMR;100511"}));
    EXPECT_EQ(Tabla("ASIGT", {"CGRUP", "CLAVE"}),
              (std::vector<std::string>{"ESO1A;7921", "ESO1B;7921", "ESO2A;7922"}));
}

TEST_F(Niveles, AnIncompleteCourseStopsTheRunListingWhatIsMissing) {
    ExportarCon("CLAVE;NIVEL;CURSO\n100323;ESO;1\n100324;   ;2\n");
    EXPECT_EQ(estado, 1);
    // The list is the run's last message, on stderr, with key and studies of each course.
    EXPECT_NE(err.find("100324  2º de E.S.O."), std::string::npos) << err;
    EXPECT_NE(err.find("100511  1º F.P.I.G.M. (Sistemas Microinformáticos)"), std::string::npos)
        << err;
    EXPECT_EQ(err.find("100323"), std::string::npos) << err;
    EXPECT_EQ(out.find("Proceso finalizado"), std::string::npos) << out;
    // As the forced exit: no later step, CURSOST2 untouched, CURSOST as answered.
    EXPECT_FALSE(Existe("ASIGNOMT"));
    EXPECT_FALSE(Existe("CURSOST2"));
    EXPECT_EQ(Tabla("CURSOST", {"NIVEL", "CLAVE"}),
              (std::vector<std::string>{"ESO;100323", ";100324", ";100511"}));
}

TEST_F(Niveles, RecoveryAnswersFromAnEarlierImport) {
    ExportarCon("CLAVE;NIVEL;CURSO\n100323;ESO;1\n100324;ESO;2\n100511;SMR;1\n");
    ASSERT_EQ(estado, 0) << err;

    // --recuperar is the default: without --niveles the codifications come back.
    Exportar({});
    ASSERT_EQ(estado, 0) << err;
    EXPECT_EQ(Tabla("CURSOST", {"NIVEL", "CLAVE"}),
              (std::vector<std::string>{"ESO;100323", "ESO;100324", "SMR;100511"}));

    // A file on top of the recovery changes only the courses it names.
    ExportarCon("CLAVE;NIVEL;CURSO\n100511;CFGM;1\n", {"--recuperar"});
    ASSERT_EQ(estado, 0) << err;
    EXPECT_EQ(Tabla("CURSOST2", {"NIVEL", "CLAVE"}),
              (std::vector<std::string>{"ESO;100323", "ESO;100324", "CFGM;100511"}));

    // Declining deletes CURSOST2 even though the run then stops.
    ExportarCon("CLAVE;NIVEL;CURSO\n100511;CFGM;1\n", {"--no-recuperar"});
    EXPECT_EQ(estado, 1);
    EXPECT_FALSE(Existe("CURSOST2"));
}

TEST_F(Niveles, KeysMatchExactly) {
    std::string xml = Exportacion();
    xml.replace(xml.find("100511"), 6, "ab12");  // the course's key, not its unit's
    prueba::EscribirArchivo(archivo, xml);
    ExportarCon("CLAVE;NIVEL;CURSO\n100323;ESO;1\n100324;ESO;2\nAB12;CF;1\n 100323;XXX;9\n");
    EXPECT_EQ(estado, 1);
    EXPECT_NE(out.find("«AB12»"), std::string::npos) << out;
    EXPECT_NE(out.find("« 100323»"), std::string::npos) << out;
    EXPECT_NE(err.find("ab12"), std::string::npos) << err;
}

// An engine error on CURSOST2 ends only the dialog's event, as in the window: the error goes to
// stderr, the run finishes with the courses as answered, and the report lists the problem.
TEST_F(Niveles, ACursost2TheEngineCannotUseDoesNotStopTheRun) {
    const auto sinNivel = pasaplan::Tabla::RutaEn(intercambio, "CURSOST2");
    pasaplan::Tabla::Crear(sinNivel, {{"ABREV", TipoCampo::Texto, 3},
                                      {"CLAVE", TipoCampo::Texto, 10},
                                      {"CURSO", TipoCampo::Texto, 3}});
    {
        auto t = pasaplan::Tabla::Abrir(sinNivel, Acceso::Exclusivo);
        const size_t f = t->Agregar();
        t->PonerTexto(f, "CLAVE", "100323");
        t->Grabar(f);
    }
    const std::string csv = "CLAVE;NIVEL;CURSO\n100323;ESO;1\n100324;ESO;2\n100511;SMR;1\n";
    ExportarCon(csv);
    ASSERT_EQ(estado, 0) << err;
    EXPECT_NE(out.find("Proceso finalizado"), std::string::npos) << out;
    EXPECT_TRUE(Existe("DIASHORAST"));
    EXPECT_EQ(Tabla("CURSOST", {"NIVEL", "CLAVE"}),
              (std::vector<std::string>{"ESO;100323", "ESO;100324", "SMR;100511"}));
    // Both events failed: the recovery and the save, each said once on stderr and in the report.
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_EQ(err.rfind("La tabla CURSOST2 no tiene el campo NIVEL.\n", 0), 0u) << err;
    EXPECT_NE(err.find(sinNivel.string() + ") no tiene el campo TURNO."), std::string::npos);
    EXPECT_NE(out.find("Error en los niveles de los cursos: 2"), std::string::npos) << out;
    EXPECT_NE(
        out.find("No se pudieron recuperar los niveles y cursos anteriores: La tabla CURSOST2"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("No se pudieron guardar los niveles y cursos para la próxima importación"),
              std::string::npos)
        << out;
    EXPECT_LT(out.find("Proceso finalizado"), out.find("Informe de la importación")) << out;

    // A CURSOST2 another program holds: the same, and the file stays as that program has it.
    fs::remove(sinNivel);
    ExportarCon(csv);
    ASSERT_EQ(estado, 0) << err;
    const std::string antes = prueba::LeerArchivo(sinNivel);
    {
        auto ocupada = pasaplan::Tabla::Abrir(sinNivel, Acceso::Exclusivo);
        ExportarCon(csv);
    }
    ASSERT_EQ(estado, 0) << err;
    EXPECT_NE(err.find("está abierta en otro programa"), std::string::npos) << err;
    EXPECT_NE(out.find("Error en los niveles de los cursos: 2"), std::string::npos) << out;
    EXPECT_EQ(prueba::LeerArchivo(sinNivel), antes);
}

struct NivelesMalos {
    const char* nombre;
    std::optional<std::string> contenido;  // nothing: the file does not exist
    const char* mensaje;
};

class NivelesRechazados : public Niveles, public testing::WithParamInterface<NivelesMalos> {};

TEST_P(NivelesRechazados, BeforeAnyTableIsTouched) {
    const NivelesMalos& caso = GetParam();
    if (caso.contenido) prueba::EscribirArchivo(niveles, *caso.contenido);
    Exportar({"--niveles", niveles.string()});
    EXPECT_EQ(estado, 1);
    EXPECT_NE(err.find(niveles.string()), std::string::npos) << err;
    EXPECT_NE(err.find(caso.mensaje), std::string::npos) << err;
    EXPECT_TRUE(fs::is_empty(intercambio));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, NivelesRechazados,
    testing::Values(NivelesMalos{"inexistente", std::nullopt, "No se puede leer"},
                    NivelesMalos{"vacio", "", "falta la cabecera"},
                    NivelesMalos{"sin_cabecera", "100323;ESO;1\n", "Falta la cabecera"},
                    NivelesMalos{"cabecera_con_comas", "CLAVE,NIVEL,CURSO\n100323,ESO,1\n",
                                 "Falta la cabecera"},
                    NivelesMalos{"dos_valores", "CLAVE;NIVEL;CURSO\n100323;ESO;1\n100324;ESO\n",
                                 "línea 3: se esperan tres valores"},
                    NivelesMalos{"cuatro_valores", "CLAVE;NIVEL;CURSO\n100323;ESO;1;A\n",
                                 "línea 2: se esperan tres valores"},
                    NivelesMalos{"latin1",
                                 "CLAVE;NIVEL;CURSO\n100323;\xD1"
                                 "A;1\n",
                                 "línea 2 tiene texto"},
                    NivelesMalos{"fuera_de_1252", "CLAVE;NIVEL;CURSO\n100323;ESO→;1\n",
                                 "línea 2 tiene texto"}),
    [](const testing::TestParamInfo<NivelesMalos>& info) { return info.param.nombre; });

TEST_F(Niveles, Utf8WithByteOrderMarkIsConvertedToTheTablesCharacterSet) {
    ExportarCon(
        "\xEF\xBB\xBF"
        "CLAVE;NIVEL;CURSO\n100323;ÑÜ€;1º\n100324;ŞO‐Ł;2\n100511;SMR;1\n");
    ASSERT_EQ(estado, 0) << err;
    auto t = pasaplan::Tabla::AbrirEn(intercambio, "CURSOST", Acceso::Compartido);
    EXPECT_EQ(t->LeerTexto(0, "NIVEL"), "\xD1\xDC\x80");
    EXPECT_EQ(t->LeerTexto(0, "CURSO"), "1\xBA");
    // Letters the set lacks take their best fit, as typed into the dialog.
    EXPECT_EQ(t->LeerTexto(1, "NIVEL"), "SO-L");
}

// The sample that ships with the project, answered by its own course levels file.
TEST(NivelesMuestra, SampleExportWithItsLevelsFile) {
    DirectorioTemporal dir;
    const fs::path vtemp = dir.Ruta() / "VTEMP";
    fs::create_directories(vtemp);
    const fs::path xml = dir.Ruta() / "ExportacionHorarios.xml";
    fs::copy_file(PASAPLAN_SOURCE_DIR "/samples/ExportacionHorarios.xml", xml);
    std::ostringstream out, err;
    const int estado =
        lote::EjecutarLote({"exportar", xml.string(), "--intercambio", vtemp.string(), "--niveles",
                            PASAPLAN_SOURCE_DIR "/samples/niveles.csv", "--marcos", "2417"},
                           out, err);
    ASSERT_EQ(estado, 0) << err.str();

    const auto grupos = prueba::LeidoPorDbfread(vtemp / "GRUPOST.DBF");
    const auto asignaciones = prueba::LeidoPorDbfread(vtemp / "ASIGT.DBF");
    if (grupos.empty()) GTEST_SKIP() << "/usr/bin/python3 con dbfread no está disponible";
    std::vector<std::string> abreviaturas;
    for (size_t i = 2; i < grupos.size(); ++i) {
        abreviaturas.push_back(grupos[i].substr(0, grupos[i].find('\t')));
    }
    EXPECT_EQ(abreviaturas, (std::vector<std::string>{"ESO1A", "ESO1B", "ESO1C", "ESO2A", "ESO2B",
                                                      "ESO3A", "ESO3B", "ESO4A", "ESO4B", "BCT1A",
                                                      "BCT2A", "SMR1A", "BCT1B"}));
    ASSERT_GT(asignaciones.size(), 2u);
    for (size_t i = 2; i < asignaciones.size(); ++i) {
        EXPECT_NE(asignaciones[i].find("\t4.0\t1111\t"), std::string::npos) << asignaciones[i];
    }
}

}  // namespace
}  // namespace pasaplan
