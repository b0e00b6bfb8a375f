// Step 9: DIASHORAST from the time frames and their slots.
#include <gtest/gtest.h>

#include <map>

#include "exchange/Tabla.h"
#include "import/Pasos.h"
#include "platform/Error.h"
#include "support/Apoyo.h"
#include "support/ExportacionXml.h"
#include "support/InterlocutorGuion.h"
#include "support/NombresCasos.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::Dato;
using prueba::DirectorioTemporal;
using prueba::Grupo;
using prueba::InterlocutorGuion;

struct Slot {
    std::string codigo, nombre, inicio, fin, marco;
};

std::string Marcos(const std::vector<std::string>& codigos) {
    std::string jornadas;
    for (size_t i = 0; i < codigos.size(); ++i) {
        jornadas += Grupo("JORNADA_" + std::to_string(i + 1),
                          Dato("X_PLAJORESCCEN", codigos[i]) +
                              Dato("D_PLAJORESCCEN", "Jornada " + codigos[i]) +
                              Dato("F_INICIO", "15/09/2025") + Dato("F_FIN", "22/06/2026"));
    }
    return Grupo("JORNADAS_ESCOLARES", jornadas);
}

std::string Tramos(const std::vector<Slot>& tramos) {
    std::string s;
    for (const Slot& t : tramos) {
        s += Grupo("TRAMO", Dato("X_TRAMO", t.codigo) + Dato("T_HORCEN", t.nombre) +
                                Dato("N_INICIO", t.inicio) + Dato("N_FIN", t.fin) +
                                Dato("X_PLAJORESCCEN", t.marco));
    }
    return Grupo("TRAMOS_HORARIOS", s);
}

// Six morning slots of frame "2417" with a break, and four afternoon slots of frame "2418".
const std::vector<Slot> kManana = {
    {"61231", "1ª", "480", "540", "2417"}, {"61232", "2ª", "540", "600", "2417"},
    {"61233", "3ª", "600", "660", "2417"}, {"61234", "Recreo", "660", "690", "2417"},
    {"61235", "4ª", "690", "750", "2417"}, {"61236", "5ª", "750", "810", "2417"}};
const std::vector<Slot> kTarde = {{"61241", "Tarde1", "900", "960", "2418"},
                                  {"61242", "Tarde2", "960", "1020", "2418"},
                                  {"61243", "Tarde3", "1020", "1080", "2418"},
                                  {"61244", "Tarde4", "1080", "1140", "2418"}};

std::vector<Slot> Unir(std::vector<Slot> a, const std::vector<Slot>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::function<ResultadoMarcos(const ContextoMarcos&)> Elige(Texto elegidos, bool valida = true) {
    return [=](const ContextoMarcos&) { return ResultadoMarcos{valida, elegidos}; };
}

class CargaTramos : public testing::Test {
  protected:
    DirectorioTemporal dir;
    EstadoPrincipal estado;
    InterlocutorGuion persona;
    std::unique_ptr<ExportacionSeneca> doc;

    void SetUp() override {
        estado.DirectorioIntercambio = dir.Ruta();
        estado.ArchivoXML = dir.Ruta() / "ExportacionHorarios.xml";
    }

    void Cargar(const std::string& bloques) {
        doc = ExportacionSeneca::DesdeMemoria("<?xml version=\"1.0\"?><SERVICIO><BLOQUE_DATOS>" +
                                                  bloques + "</BLOQUE_DATOS></SERVICIO>",
                                              "ExportacionHorarios.xml");
        ContextoImportacion ctx{estado, persona, *doc};
        CargarTramos(ctx);
    }

    // Rows as field -> value maps, in stored order.
    std::vector<std::map<std::string, std::string>> Filas() {
        auto t = Tabla::AbrirEn(dir.Ruta(), "DIASHORAST", Acceso::Compartido);
        std::vector<std::map<std::string, std::string>> filas;
        for (size_t f = 0; f < t->Filas(); ++f) {
            std::map<std::string, std::string> fila;
            for (const auto& c : t->Campos()) fila[c.nombre] = t->LeerTexto(f, c.nombre);
            filas.push_back(fila);
        }
        return filas;
    }

    // MARCO of the rows of each frame code; a frame whose rows disagree shows "?".
    std::map<std::string, std::string> MarcoPorCodigo() {
        std::map<std::string, std::string> m;
        for (auto& f : Filas()) {
            auto [it, nuevo] = m.emplace(f["MARCOXML"], f["MARCO"]);
            if (!nuevo && it->second != f["MARCO"]) it->second = "?";
        }
        return m;
    }
};

TEST_F(CargaTramos, OneFrameSixSlotsGivesSevenDaysWithoutDialog) {
    // A slot of an unknown frame and one without frame code belong to nothing.
    auto tramos =
        Unir(kManana, {{"9", "Otro", "480", "540", "9999"}, {"8", "Suelto", "0", "60", ""}});
    Cargar(Marcos({"2417"}) + Tramos(tramos));
    EXPECT_EQ(persona.mostradosMarcos, 0);
    const auto filas = Filas();
    ASSERT_EQ(filas.size(), 42u);
    for (int d = 1; d <= 7; ++d) {
        for (int h = 1; h <= 6; ++h) {
            const auto& f = filas[(d - 1) * 6 + (h - 1)];
            EXPECT_EQ(f.at("DIHO"), std::to_string(d) + std::to_string(h));
            EXPECT_EQ(f.at("DIA"), std::to_string(d));
            EXPECT_EQ(f.at("HORA"), std::to_string(h));
            EXPECT_EQ(f.at("MARCO"), "0");
            EXPECT_EQ(f.at("MARCOXML"), "2417");
        }
    }
    const std::map<std::string, std::string> recreo = {
        {"DIHO", "34"},    {"CODDIHO", "61234"},   {"DIA", "3"},           {"TEXTODIA", ""},
        {"HORA", "4"},     {"TEXTOHOR", "Recreo"}, {"HORADESDE", "11:00"}, {"HORAHASTA", "11:30"},
        {"MINUTOS", "30"}, {"MARCO", "0"},         {"MARCOXML", "2417"}};
    EXPECT_EQ(filas[2 * 6 + 3], recreo);
    ASSERT_EQ(persona.tablas.size(), 1u);
    EXPECT_EQ(persona.tablas[0], (std::pair<std::string, size_t>{"DIASHORAST", 42}));

    auto t = Tabla::AbrirEn(dir.Ruta(), "DIASHORAST", Acceso::Compartido);
    std::vector<std::pair<std::string, int>> campos;
    for (const auto& c : t->Campos()) {
        EXPECT_EQ(c.tipo, TipoCampo::Texto) << c.nombre;
        campos.emplace_back(c.nombre, c.ancho);
    }
    EXPECT_EQ(campos, (std::vector<std::pair<std::string, int>>{{"DIHO", 10},
                                                                {"CODDIHO", 10},
                                                                {"DIA", 20},
                                                                {"TEXTODIA", 20},
                                                                {"HORA", 8},
                                                                {"TEXTOHOR", 15},
                                                                {"HORADESDE", 8},
                                                                {"HORAHASTA", 8},
                                                                {"MINUTOS", 8},
                                                                {"MARCO", 1},
                                                                {"MARCOXML", 10}}));
}

struct CasoNumeracion {
    const char* nombre;
    std::vector<std::string> marcos;  // the frame list, in document order
    std::vector<Slot> tramos;
    Texto elegidos;                               // MarcosElegidos as the dialog gives it
    std::map<std::string, std::string> esperado;  // MARCOXML -> MARCO
};

class Numeracion : public CargaTramos, public testing::WithParamInterface<CasoNumeracion> {};

TEST_P(Numeracion, MarcoOfEachFrame) {
    const auto& c = GetParam();
    persona.dialogosMarcos.push_back(Elige(c.elegidos));
    Cargar(Marcos(c.marcos) + Tramos(c.tramos));
    EXPECT_EQ(persona.mostradosMarcos, 1);
    EXPECT_EQ(MarcoPorCodigo(), c.esperado);
}

const CasoNumeracion kNumeracion[] = {
    {"MorningFirstInList",
     {"2417", "2418"},
     Unir(kManana, kTarde),
     "2417      2418      ",
     {{"2417", "0"}, {"2418", "1"}}},
    {"AfternoonFirstInList",
     {"2418", "2417"},
     Unir(kTarde, kManana),
     "2418      2417      ",
     {{"2417", "0"}, {"2418", "1"}}},
    {"SameStartFirstInListWins",
     {"B", "A"},
     {{"1", "b1", "480", "540", "B"}, {"2", "a1", "480", "540", "A"}},
     "B         A         ",
     {{"B", "0"}, {"A", "1"}}},
    {"FirstFrameWithoutSlotsGivesOtherOne",
     {"2419", "2418"},
     kTarde,
     "2419      2418      ",
     {{"2418", "1"}}},
    {"SecondFrameWithoutSlots", {"2417", "2419"}, kManana, "2417      2419      ", {{"2417", "0"}}},
    {"UnchosenFrameIgnored",
     {"2417", "2418", "2419"},
     Unir(Unir(kManana, kTarde), {{"7", "x", "420", "480", "2419"}}),
     "2418      ",
     {{"2418", "0"}}},
    // One frame chosen among several: its empty-coded neighbours are not a second frame.
    {"OneChosenSkipsEmptyFrameCode",
     {"2417", "2418"},
     Unir(kTarde, {{"7", "x", "420", "480", ""}}),
     "2418      ",
     {{"2418", "0"}}},
};

INSTANTIATE_TEST_SUITE_P(Tramos, Numeracion, testing::ValuesIn(kNumeracion),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(CargaTramos, TwoFramesNumberTheirOwnSlots) {
    persona.dialogosMarcos.push_back(Elige("2417      2418      "));
    Cargar(Marcos({"2417", "2418"}) + Tramos(Unir(kManana, kTarde)));
    const auto filas = Filas();
    ASSERT_EQ(filas.size(), 70u);
    // Day 1: the six morning slots then the four afternoon ones, each counted from 1.
    std::vector<std::string> diho;
    for (size_t i = 0; i < 10; ++i)
        diho.push_back(filas[i].at("DIHO") + "/" + filas[i].at("MARCOXML"));
    EXPECT_EQ(diho,
              (std::vector<std::string>{"11/2417", "12/2417", "13/2417", "14/2417", "15/2417",
                                        "16/2417", "11/2418", "12/2418", "13/2418", "14/2418"}));
    EXPECT_EQ(filas[69].at("DIHO"), "74");
    EXPECT_FALSE(estado.DialogoRepetido);  // a valid first choice is no repetition
}

TEST_F(CargaTramos, RepeatedDialogMarksItAndPassesTheRunDocument) {
    const ExportacionSeneca* visto = nullptr;
    fs::path archivo;
    persona.dialogosMarcos.push_back(Elige("", false));
    persona.dialogosMarcos.push_back([&](const ContextoMarcos& c) {
        visto = &c.documento;
        archivo = c.ArchivoXML;
        return ResultadoMarcos{true, "2418      "};
    });
    Cargar(Marcos({"2417", "2418"}) + Tramos(Unir(kManana, kTarde)));
    EXPECT_EQ(persona.mostradosMarcos, 2);
    EXPECT_TRUE(estado.DialogoRepetido);
    EXPECT_EQ(visto, doc.get());
    EXPECT_EQ(archivo, estado.ArchivoXML);
    EXPECT_EQ(Filas().size(), 28u);
}

struct CasoHora {
    std::string inicio, fin, desde, hasta, minutos;
};

class Horas : public CargaTramos, public testing::WithParamInterface<CasoHora> {};

TEST_P(Horas, TimeTextsAndLength) {
    const auto& c = GetParam();
    Cargar(Marcos({"2417"}) + Tramos({{"61231", "1ª", c.inicio, c.fin, "2417"}}));
    const auto filas = Filas();
    ASSERT_EQ(filas.size(), 7u);
    EXPECT_EQ(filas[0].at("HORADESDE"), c.desde);
    EXPECT_EQ(filas[0].at("HORAHASTA"), c.hasta);
    EXPECT_EQ(filas[0].at("MINUTOS"), c.minutos);
}

INSTANTIATE_TEST_SUITE_P(Tramos, Horas,
                         testing::Values(CasoHora{"480", "535", "08:00", "08:55", "55"},
                                         CasoHora{"", "60", "00:00", "01:00", "60"},
                                         CasoHora{"5", "870", "00:05", "14:30", "865"},
                                         CasoHora{" 900 ", "870", "15:00", "14:30", "-30"},
                                         CasoHora{"0480", "1439", "08:00", "23:59", "959"},
                                         CasoHora{"+480", "+535", "08:00", "08:55", "55"},
                                         CasoHora{"-490", "30", "-9:50", "00:30", "520"}),
                         [](const auto& info) {
                             return prueba::NombreDeCaso(info.param.inicio + "_a_" +
                                                         info.param.fin);
                         });

// The "0" put in front of a short value comes before its sign, as the platform reads it.
TEST_F(CargaTramos, ShortSignedTimeIsNoNumber) {
    EXPECT_THROW(Cargar(Marcos({"2417"}) + Tramos({{"61231", "1ª", "+48", "535", "2417"}})),
                 ErrorPasaplan);
}

TEST_F(CargaTramos, StartThatIsNoNumberNamesTheSlotAndWritesNoRow) {
    try {
        Cargar(Marcos({"2417"}) + Tramos({kManana[0], {"61232", "2ª", "9:00", "600", "2417"}}));
        FAIL() << "se esperaba un error";
    } catch (const ErrorPasaplan& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("«61232»"), std::string::npos) << m;
        EXPECT_NE(m.find("registro 2 de TRAMOS_HORARIOS"), std::string::npos) << m;
        EXPECT_NE(m.find("«9:00»"), std::string::npos) << m;
        EXPECT_NE(m.find("ExportacionHorarios.xml"), std::string::npos) << m;
    }
    EXPECT_TRUE(Filas().empty());
}

TEST_F(CargaTramos, CodesAgreeingInTheirFirstTenCharactersAreOneFrame) {
    persona.dialogosMarcos.push_back(Elige("JORNADA_MA"));  // cut to ten by the dialog
    Cargar(Marcos({"JORNADA_MAÑANA", "JORNADA_TARDE"}) +
           Tramos({{"1", "1ª", "480", "540", "JORNADA_MAÑANA"},
                   {"2", "2ª", "540", "600", "JORNADA_MAXIMA"},
                   {"3", "T", "900", "960", "JORNADA_TARDE"}}));
    const auto filas = Filas();
    ASSERT_EQ(filas.size(), 14u);
    EXPECT_EQ(filas[1].at("DIHO"), "12");
    EXPECT_EQ(filas[1].at("MARCOXML"), "JORNADA_MA");
}

TEST_F(CargaTramos, NoFramesWritesAnEmptyTable) {
    Cargar(Tramos(kManana));
    EXPECT_EQ(persona.mostradosMarcos, 0);
    EXPECT_TRUE(Filas().empty());
    EXPECT_EQ(persona.tablas.size(), 1u);
}

TEST_F(CargaTramos, ReplacesTheTableOfAnEarlierImport) {
    Cargar(Marcos({"2417"}) + Tramos(kManana));
    Cargar(Marcos({"2418"}) + Tramos(kTarde));
    EXPECT_EQ(Filas().size(), 28u);
}

}  // namespace
}  // namespace pasaplan
