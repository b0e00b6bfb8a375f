// pasaplan-lote exportar --marcos: the time-frame dialog answered from the flag, checked before
// the first step.
#include <gtest/gtest.h>

#include <sstream>

#include "exchange/ExportacionSeneca.h"
#include "exchange/Tabla.h"
#include "lote/Lote.h"
#include "lote/Respuestas.h"
#include "support/Apoyo.h"
#include "support/ExportacionXml.h"
#include "support/InterlocutorGuion.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::Dato;
using prueba::DirectorioTemporal;
using prueba::Grupo;

std::string Tramo(const std::string& codigo, const std::string& inicio, const std::string& marco) {
    return Grupo("TRAMO", Dato("X_TRAMO", codigo) + Dato("T_HORCEN", codigo) +
                              Dato("N_INICIO", inicio) +
                              Dato("N_FIN", std::to_string(std::stoi(inicio) + 60)) +
                              Dato("X_PLAJORESCCEN", marco));
}

std::string Jornada(const std::string& seq, const std::string& codigo, const std::string& nombre) {
    return Grupo(seq, Dato("X_PLAJORESCCEN", codigo) + Dato("D_PLAJORESCCEN", nombre) +
                          Dato("F_INICIO", "15/09/2025") + Dato("F_FIN", "22/06/2026"));
}

// An export with the given frames; the afternoon frame 2418 stands first in the list.
std::string Exportacion(bool dosMarcos) {
    std::string marcos = Jornada("JORNADA_1", "2418", "Tarde");
    if (dosMarcos) marcos += Jornada("JORNADA_2", "2417", "Ma\361ana");
    return prueba::XmlExportacion(
        Grupo("ANNO_ACADEMICO", Dato("C_ANNO", "2025") + Dato("F_INIHORREG", "15/09/2025") +
                                    Dato("F_FINHORREG", "22/06/2026")) +
        Grupo("JORNADAS_ESCOLARES", marcos) +
        Grupo("TRAMOS_HORARIOS", Tramo("61241", "900", "2418") + Tramo("61231", "480", "2417") +
                                     Tramo("61232", "540", "2417")));
}

class Marcos : public testing::Test {
  protected:
    DirectorioTemporal dir;
    fs::path archivo, intercambio;
    int estado = 0;
    std::string out, err;

    void SetUp() override {
        intercambio = dir.Ruta() / "VTEMP";
        fs::create_directories(intercambio);
    }

    void Ejecutar(bool dosMarcos, const std::vector<std::string>& extra) {
        archivo = dir.Ruta() / "ExportacionHorarios.xml";
        prueba::EscribirArchivo(archivo, Exportacion(dosMarcos));
        std::vector<std::string> args = {"exportar", archivo.string(), "--intercambio",
                                         intercambio.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream o, e;
        estado = lote::EjecutarLote(args, o, e);
        out = o.str();
        err = e.str();
    }

    // MARCOXML/MARCO of the rows of day 1.
    std::vector<std::string> PrimerDia() {
        auto t = Tabla::AbrirEn(intercambio, "DIASHORAST", Acceso::Compartido);
        std::vector<std::string> filas;
        for (size_t f = 0; f < t->Filas(); ++f) {
            if (t->LeerTexto(f, "DIA") != "1") continue;
            filas.push_back((t->LeerTexto(f, "DIHO") + "/" + t->LeerTexto(f, "MARCOXML") + "/" +
                             t->LeerTexto(f, "MARCO"))
                                .Bytes());
        }
        return filas;
    }
};

struct CasoRechazo {
    const char* nombre;
    std::vector<std::string> opciones;
    std::string mensaje;
};

class Rechazo : public Marcos, public testing::WithParamInterface<CasoRechazo> {};

TEST_P(Rechazo, StopsBeforeAnyTableWithTheMessageAndTheFrameList) {
    Ejecutar(true, GetParam().opciones);
    EXPECT_EQ(estado, 1);
    EXPECT_TRUE(err.starts_with(GetParam().mensaje + "\n")) << err;
    EXPECT_NE(err.find("  2418  Tarde  (15/09/2025 - 22/06/2026), 1 tramo\n"), std::string::npos)
        << err;
    EXPECT_NE(err.find("  2417  Mañana  (15/09/2025 - 22/06/2026), 2 tramos\n"), std::string::npos)
        << err;
    EXPECT_TRUE(fs::is_empty(intercambio));
}

INSTANTIATE_TEST_SUITE_P(
    Lote, Rechazo,
    testing::Values(
        CasoRechazo{"SinOpcion", {}, "Debe al menos seleccionar 1 Marco Horario."},
        CasoRechazo{"Vacia", {"--marcos", " , "}, "Debe al menos seleccionar 1 Marco Horario."},
        CasoRechazo{"Tres",
                    {"--marcos", "2417,2418,2419"},
                    "Demasiados Marcos Horarios seleccionados.\r\nComo máximo puede "
                    "seleccionar 2 Marcos Horarios"},
        CasoRechazo{"Desconocido", {"--marcos", "2417,9999"}, "Marco horario desconocido: 9999"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Marcos, CodesTakenInListOrderWhateverTheFlagOrder) {
    Ejecutar(true, {"--marcos", "2417, 2418"});
    ASSERT_EQ(estado, 0) << err;
    // 2418 stands first in the list: frame 1; the morning frame starts earlier: MARCO "0".
    EXPECT_EQ(PrimerDia(), (std::vector<std::string>{"11/2418/1", "11/2417/0", "12/2417/0"}));
}

TEST_F(Marcos, OneChosenFrame) {
    Ejecutar(true, {"--marcos", "2417"});
    ASSERT_EQ(estado, 0) << err;
    EXPECT_EQ(PrimerDia(), (std::vector<std::string>{"11/2417/0", "12/2417/0"}));
    EXPECT_NE(out.find("DIASHORAST: 14 filas"), std::string::npos) << out;
}

TEST_F(Marcos, IgnoredWithASingleFrame) {
    Ejecutar(false, {"--marcos", "9999"});
    ASSERT_EQ(estado, 0) << err;
    EXPECT_EQ(PrimerDia(), (std::vector<std::string>{"11/2418/0"}));
}

TEST(RespuestaMarcos, AnswersFromTheRunDocumentInListOrder) {
    const auto doc = ExportacionSeneca::DesdeMemoria(Exportacion(true), "ExportacionHorarios.xml");
    // The file named in the context does not exist: the answer never reads it.
    const ContextoMarcos contexto{*doc, "/no/existe.xml"};
    lote::OpcionesLote opciones;
    opciones.marcos = "2417,2418";
    prueba::InterlocutorGuion persona;
    const ResultadoMarcos r = lote::ResponderDialogoMarcos(contexto, opciones, persona);
    EXPECT_TRUE(r.EleccionValida);
    EXPECT_EQ(r.MarcosElegidos, "2418      2417      ");
}

}  // namespace
}  // namespace pasaplan
