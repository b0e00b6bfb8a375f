// The import run's frame (file choice, refusals before the first step, end of the run) and its
// first step, the school-year periods.
#include <gtest/gtest.h>

#include "ejecucion/InterlocutorVolcando.h"
#include "exchange/Tabla.h"
#include "import/Importacion.h"
#include "import/Pasos.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "support/ExportacionXml.h"
#include "support/FilasTabla.h"
#include "support/InterlocutorGuion.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;
using prueba::InterlocutorGuion;

class Importacion : public testing::Test {
  protected:
    DirectorioTemporal dir;
    EstadoPrincipal estado;
    InterlocutorGuion persona;

    void SetUp() override {
        fs::create_directories(dir.Ruta() / "VTEMP");
        fs::create_directories(dir.Ruta() / "programa");
        estado.DirectorioIntercambio = dir.Ruta() / "VTEMP";
        estado.DirectorioPrograma = dir.Ruta() / "programa";
    }

    fs::path Exportacion(const std::string& bloques, const std::string& nombre = "exp.xml") {
        const auto ruta = dir.Ruta() / nombre;
        prueba::EscribirArchivo(ruta, prueba::XmlExportacion(bloques));
        return ruta;
    }

    std::vector<std::vector<std::string>> Filas(const Utf8& tabla) {
        return prueba::FilasTabla(Tabla::RutaEn(estado.DirectorioIntercambio, tabla));
    }

    void Periodos(const std::string& bloques) {
        auto doc = ExportacionSeneca::DesdeMemoria(
            "<SERVICIO><BLOQUE_DATOS>" + bloques + "</BLOQUE_DATOS></SERVICIO>", "exp.xml");
        ContextoImportacion ctx{estado, persona, *doc};
        CargarPeriodos(ctx);
    }
};

std::string Bloque(const std::string& seq, const std::vector<std::string>& valores) {
    std::string s = "<grupo_datos seq=\"" + seq + "\">";
    for (const auto& v : valores) s += "<dato nombre_dato=\"V\">" + v + "</dato>";
    return s + "</grupo_datos>";
}

std::string Jornadas(const std::vector<std::string>& valores) {
    return "<grupo_datos seq=\"JORNADAS_ESCOLARES\">" + Bloque("JORNADA_1", valores) +
           "</grupo_datos>";
}

TEST_F(Importacion, CancelledDialogWithoutEarlierFileSaysNoFile) {
    EXPECT_EQ(EjecutarImportacion(estado, persona), FinImportacion::NoExisteArchivo);
    EXPECT_EQ(persona.mensajes, std::vector<Utf8>{"No existe archivo"});
    estado.ModoIncrustado = true;
    persona.archivos.push_back(dir.Ruta() / "falta.xml");
    EXPECT_EQ(EjecutarImportacion(estado, persona), FinImportacion::NoExisteArchivo);
    EXPECT_EQ(persona.vecesReloj, 0);
}

TEST_F(Importacion, UnparsableFileRefusedBeforeAnyTableIsTouched) {
    // An earlier import's table must survive a broken file.
    Tabla::Crear(estado.DirectorioIntercambio / "PERIODOS.DBF", {CampoTexto("CURSOANNO", 4)});
    const auto antes = prueba::LeerArchivo(estado.DirectorioIntercambio / "PERIODOS.DBF");
    const auto roto = dir.Ruta() / "roto.xml";
    prueba::EscribirArchivo(roto, "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"A\">");
    persona.archivos.push_back(roto);
    try {
        EjecutarImportacion(estado, persona);
        FAIL();
    } catch (const ErrorPasaplan& e) {
        EXPECT_NE(std::string(e.what()).find("roto.xml"), std::string::npos) << e.what();
    }
    EXPECT_EQ(prueba::LeerArchivo(estado.DirectorioIntercambio / "PERIODOS.DBF"), antes);
    EXPECT_TRUE(persona.mensajes.empty());
}

TEST_F(Importacion, MissingExchangeDirectoryRefusedByName) {
    estado.DirectorioIntercambio = dir.Ruta() / "NOEXISTE";
    persona.archivos.push_back(Exportacion(Bloque("ANNO_ACADEMICO", {"2026", "a", "b"})));
    try {
        EjecutarImportacion(estado, persona);
        FAIL();
    } catch (const ErrorPasaplan& e) {
        EXPECT_NE(std::string(e.what()).find("NOEXISTE"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(estado.DirectorioIntercambio));
}

TEST_F(Importacion, CancelAfterAnEarlierChoiceReusesThatFile) {
    estado.ArchivoXML = Exportacion(Bloque("ANNO_ACADEMICO", {"2026", "15/09/2026", "22/06/2027"}));
    // A missing SENEMATERIAS may stop a later step; the first table is written all the same.
    try {
        EjecutarImportacion(estado, persona);
    } catch (const ErrorPasaplan&) {
    }
    EXPECT_EQ(Filas("PERIODOS"),
              (std::vector<std::vector<std::string>>{{"2026", "15/09/2026", "22/06/2027"}}));
    EXPECT_FALSE(persona.relojActivo);  // back to normal even after an error
}

TEST_F(Importacion, PeriodsFromTheFirstBlockTrimmedAndCut) {
    Periodos(Bloque("ANNO_ACADEMICO", {" 2026 ", "15/09/2026", "22/06/2027 10:00"}) +
             "<grupo_datos seq=\"CURSOS_DEL_CENTRO\"><grupo_datos/></grupo_datos>");
    EXPECT_EQ(Filas("PERIODOS"),
              (std::vector<std::vector<std::string>>{{"2026", "15/09/2026", "22/06/2027"}}));
}

TEST_F(Importacion, PeriodDatesFromTheFirstFrameReplaceBothWhenOneIsEmpty) {
    Periodos(Bloque("ANNO_ACADEMICO", {"2026", "15/09/2026", ""}) +
             Jornadas({"2417", "Mañana", "01/09/2026", "30/06/2027"}));
    EXPECT_EQ(Filas("PERIODOS"),
              (std::vector<std::vector<std::string>>{{"2026", "01/09/2026", "30/06/2027"}}));
    // Two values only: the end date is absent, read as empty; no frame: dates stay.
    Periodos(Bloque("ANNO_ACADEMICO", {"20267", "15/09/2026"}));
    EXPECT_EQ(Filas("PERIODOS"),
              (std::vector<std::vector<std::string>>{{"2026", "15/09/2026", ""}}));
}

TEST_F(Importacion, TwoBlocksWithOwnValuesGiveTwoRows) {
    Periodos(Bloque("A", {"2025", "x", "y"}) + Bloque("B", {"2026", "", ""}) +
             Jornadas({"2417", "Mañana", "01/09/2026", "30/06/2027"}));
    EXPECT_EQ(Filas("PERIODOS"), (std::vector<std::vector<std::string>>{
                                     {"2025", "x", "y"}, {"2026", "01/09/2026", "30/06/2027"}}));
}

TEST_F(Importacion, NoSchoolYearLeavesPeriodsEmptyAndSaysWhy) {
    try {
        Periodos("<grupo_datos seq=\"CURSOS_DEL_CENTRO\"/>");
        FAIL();
    } catch (const ErrorPasaplan& e) {
        EXPECT_NE(std::string(e.what()).find("curso académico"), std::string::npos);
    }
    EXPECT_TRUE(Filas("PERIODOS").empty());
}

// Every question finds the rows posted so far in the file, counted by its header.
TEST_F(Importacion, EveryQuestionFindsThePostedRowsInTheFile) {
    const fs::path archivo = dir.Ruta() / "T.DBF";
    Tabla::Crear(archivo, {{"A", TipoCampo::Entero}});
    auto tabla = Tabla::Abrir(archivo, Acceso::Compartido);
    InterlocutorVolcando volcando(persona);
    const auto enArchivo = [&] { return prueba::LeerArchivo(archivo)[4]; };  // the count's low byte
    std::vector<int> vistas;
    persona.dialogosMarcos.push_back([&](const ContextoMarcos&) {
        vistas.push_back(enArchivo());
        tabla->Grabar(tabla->Agregar());
        return ResultadoMarcos{};
    });
    persona.dialogosCursos.push_back([&](const ContextoCursos&) {
        vistas.push_back(enArchivo());
        return ResultadoCursos{};
    });
    tabla->Grabar(tabla->Agregar());
    const auto documento = ExportacionSeneca::Cargar(Exportacion(""));
    volcando.MostrarDialogoMarcos({*documento, {}});
    volcando.MostrarDialogoCursos({});
    tabla->Grabar(tabla->Agregar());
    volcando.Mensaje("x");
    EXPECT_EQ(vistas, (std::vector<int>{1, 2}));
    EXPECT_EQ(enArchivo(), 3);
}

}  // namespace
}  // namespace pasaplan
