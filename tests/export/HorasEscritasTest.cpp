// What the run keeps of every hour it wrote: the same values the document holds, the PROFT
// and DIASHORAST rows, and the SOLUC rows no section writes.
#include <gtest/gtest.h>

#include "export/EscenarioExportacion.h"
#include "text/Cp1252.h"

namespace pasaplan::prueba {
namespace {

std::string U8(const Texto& t) { return Cp1252AUtf8(t).Bytes(); }

TEST(HorasEscritas, CadaHoraLlevaLoQueSeEscribioEnSuGrupo) {
    EscenarioExportacion e;
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const HorasEscritas& escritas = e.resumen.escritas;
    const DocumentoLeido doc = e.Leer();

    // Document order: the non-regular section first, each professor's hours in SOLUC's order.
    ASSERT_EQ(escritas.horas.size(), 6u);
    std::vector<std::tuple<SeccionHora, size_t, size_t, std::string>> orden;
    for (const HoraEscrita& h : escritas.horas) {
        orden.emplace_back(h.seccion, h.profesor, h.numero, U8(h.asig));
    }
    using S = SeccionHora;
    EXPECT_EQ(orden, (decltype(orden){{S::NoRegular, 0, 1, "#29"},
                                      {S::NoRegular, 1, 1, "#29"},
                                      {S::Regular, 0, 1, "MAT"},
                                      {S::Regular, 0, 2, "ING"},
                                      {S::Regular, 1, 1, "EF"},
                                      {S::Regular, 1, 2, "REU"}}));

    // Every regular hour holds exactly the values of its activity group.
    for (const HoraEscrita& h : escritas.horas) {
        if (h.seccion != S::Regular) continue;
        SCOPED_TRACE(U8(h.prof) + " " + U8(h.asig));
        std::map<std::string, std::string> grupo;
        for (const auto& [n, v] : doc.Datos(Actividad(true, int(h.profesor) + 1, int(h.numero)))) {
            grupo[n] = v;
        }
        EXPECT_EQ(grupo["N_DIASEMANA"], U8(h.diaSemana));
        EXPECT_EQ(grupo["X_TRAMO"], U8(h.xTramo));
        EXPECT_EQ(grupo["X_DEPENDENCIA"], U8(h.dependencia));
        EXPECT_EQ(grupo["X_UNIDAD"], U8(h.unidad));
        EXPECT_EQ(grupo["X_OFERTAMATRIG"], U8(h.curso));
        EXPECT_EQ(grupo["X_MATERIAOMG"], U8(h.materia));
        EXPECT_EQ(grupo["N_HORINI"], std::to_string(h.horaInicio));
        EXPECT_EQ(grupo["N_HORFIN"], std::to_string(h.horaFin));
        EXPECT_EQ(grupo["X_ACTIVIDAD"], U8(h.actividad));
        EXPECT_EQ(grupo.count("X_ORIHORACTETP") ? grupo["X_ORIHORACTETP"] : "", U8(h.autorizacion));
        EXPECT_EQ(grupo["F_INICIO"], U8(escritas.inicioPeriodo));
    }
    const HoraEscrita& ingles = escritas.horas[3];
    EXPECT_EQ(U8(ingles.dia), "2");
    EXPECT_EQ(U8(ingles.hora), "3");
    EXPECT_EQ(U8(ingles.dependencia), " 4522");  // the leading blank as written
    ASSERT_TRUE(ingles.tramo.has_value());
    EXPECT_EQ(U8(escritas.tramos.at(*ingles.tramo).desde), "10:15");
    const HoraEscrita& guardia = escritas.horas[1];
    EXPECT_EQ(U8(guardia.actividad), "29");
    EXPECT_EQ(guardia.minutos, 55);

    ASSERT_EQ(escritas.profesores.size(), 3u);
    EXPECT_EQ(U8(escritas.profesores[1].abrev), "PRÁ");
    EXPECT_EQ(U8(escritas.profesores[1].nombre), "Peña Ruiz Ángel");
    EXPECT_EQ(U8(escritas.profesores[1].empleado), "51007");
    EXPECT_EQ(escritas.profesores[0].sinColocar, 1u);  // GLM's DIA 0
    EXPECT_EQ(escritas.profesores[1].sinColocar, 0u);
    EXPECT_EQ(escritas.tramos.size(), 6u);
    EXPECT_EQ(U8(escritas.anno), "2024");
    EXPECT_EQ(U8(escritas.cursoPeriodos), "2024");
    EXPECT_TRUE(escritas.periodosConFilas);
    EXPECT_TRUE(escritas.sinProfesor.empty());
}

TEST(HorasEscritas, LasFilasDeUnCodigoQueProftNoTieneSeAnotanSinPararLaEjecucion) {
    EscenarioExportacion e;
    // Hours of codes no PROFT row carries, with what would stop a section: a DIA that is no
    // number, HORA 0, a blank PROF.
    auto& soluc = e.tablas["SOLUC"];
    soluc.campos[1] = Campo{"DIA", TipoCampo::Texto, 3, 0};
    soluc.filas.push_back(Entrada("MRJX", "1", "2", "MAT", "", "1ESOA"));
    soluc.filas.push_back(Entrada("MRJX", "0", "2", "MAT", "", "1ESOA"));
    soluc.filas.push_back(Entrada("", "9", "0", "##########"));
    soluc.filas.push_back(Entrada("MRJ", "x", "1", "MAT"));
    ASSERT_EQ(e.Ejecutar(), FinExportacion::Finalizado);
    const auto& sin = e.resumen.escritas.sinProfesor;
    ASSERT_EQ(sin.size(), 4u);
    EXPECT_EQ(U8(sin[0].prof), "MRJX");
    EXPECT_TRUE(sin[0].colocada);
    EXPECT_EQ(sin[0].filaSoluc, 7u);
    EXPECT_FALSE(sin[1].colocada);
    EXPECT_EQ(U8(sin[2].prof), "");
    EXPECT_EQ(U8(sin[2].dia), "9");
    EXPECT_EQ(U8(sin[2].hora), "0");
    EXPECT_EQ(U8(sin[2].asig), "##########");
    EXPECT_TRUE(sin[2].colocada);
    EXPECT_EQ(U8(sin[3].dia), "x");  // as read
    EXPECT_TRUE(sin[3].colocada);
    // The written document is as the sections always wrote it.
    EXPECT_EQ(e.resumen.regulares, 4u);
}

}  // namespace
}  // namespace pasaplan::prueba
