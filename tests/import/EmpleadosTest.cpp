// Staff into PROFT (abbreviations unique without regard to letter case) and rooms into AULAT.
#include <gtest/gtest.h>

#include "import/EntornoPaso.h"

namespace pasaplan {
namespace {

using prueba::Bloque;
using prueba::Fila;
using prueba::Registro;

class Personal : public testing::Test, public prueba::EntornoPaso {
  protected:
    static std::string Empleado(const std::string& clave, const std::string& apellido1,
                                const std::string& apellido2, const std::string& nombre) {
        return Registro("PROFESOR", {{"X_EMPLEADO", clave},
                                     {"F_TOMAPOS", "01/09/2019"},
                                     {"D_PUESTO", "Inglés P.E.S."},
                                     {"APELLIDO1", apellido1},
                                     {"APELLIDO2", apellido2},
                                     {"NOMBRE", nombre}});
    }

    std::vector<std::string> Abreviaturas() {
        std::vector<std::string> abreviaturas;
        for (const Fila& f : Filas("PROFT")) abreviaturas.push_back(f[0]);
        return abreviaturas;
    }
};

TEST_F(Personal, StaffRowsInDocumentOrderWithTheirSenecaKeys) {
    Exportacion(Bloque("EMPLEADOS", {Empleado("15234", " García ", "López", "María José")}));
    Ejecutar(CargarEmpleados);
    EXPECT_EQ(NombresCampos("PROFT"),
              (std::vector<std::string>{"ABREV", "NOMBRE", "DEPART", "DNI", "X_EMPLEADO",
                                        "F_TOMAPOS", "EMAIL"}));
    EXPECT_EQ(Filas("PROFT"), (std::vector<Fila>{{"GLM", "García López María José", "Inglés P.E.S.",
                                                  "", "15234", "01/09/2019", ""}}));
}

TEST_F(Personal, AbbreviationsAreMadeUniqueWithoutRegardToCase) {
    Exportacion(Bloque(
        "EMPLEADOS",
        {
            Empleado("1", "García", "López", "María"),
            Empleado("2", "Gómez", "Luque", "Manuel"),
            Empleado("3", "gil", "lara", "marta"),  // glm is GLM: takes the suffix, keeps case
            Empleado("4", "Álvarez", "Úbeda", "Óscar"),
            Empleado("5", "álvarez", "úbeda", "óscar"),   // accented letters fold too
            Registro("PROFESOR", {{"X_EMPLEADO", "6"}}),  // one value: no row, no abbreviation
            Empleado("7", "Gálvez", "Lorca", "Miguel"),
            Empleado("8", "Pérez", "", "Ana"),
            Empleado("9", "", "", ""),
            Empleado("10", "", "", ""),
            Empleado("11", "", "", ""),
            // Two values: the name parts it lacks read as empty.
            Registro("PROFESOR", {{"X_EMPLEADO", "12"}, {"F_TOMAPOS", "01/09/2020"}}),
        }));
    Ejecutar(CargarEmpleados);
    EXPECT_EQ(Abreviaturas(), (std::vector<std::string>{"GLM", "GLM1", "glm2", "ÁÚÓ", "áúó1",
                                                        "GLM3", "PA", "", "1", "2", "3"}));
    const auto filas = Filas("PROFT");
    EXPECT_EQ(filas[6][1], "Pérez  Ana");
    EXPECT_EQ(filas[10][4], "12");
    EXPECT_EQ(filas[10][5], "01/09/2020");
}

// Names in other Latin alphabets, as raw UTF-8 and as character references: each letter the
// table's character set lacks becomes its base letter, in the name and in the initials.
TEST_F(Personal, LettersOutsideTheCharacterSetBecomeTheirBaseLetter) {
    Exportacion(Bloque("EMPLEADOS",
                       {
                           Empleado("1", "Łukasiewicz", "Şahin", "Őrs"),
                           Empleado("2", "&#321;ukasiewicz", "&#x15E;ahin", "&#336;rs"),
                           Empleado("3", "ăstase", "ślusarz", "Ion"),
                           Empleado("4", "&#259;stase", "&#347;lusarz", "Ion"),
                           Empleado("5", "Ωmega", "Łoś", "Ana"),  // Greek has no Latin base letter
                       }));
    Ejecutar(CargarEmpleados);
    EXPECT_EQ(Abreviaturas(), (std::vector<std::string>{"LSO", "LSO1", "asI", "asI1", "?LA"}));
    const auto filas = Filas("PROFT");
    for (size_t i : {0u, 1u}) EXPECT_EQ(filas[i][1], "Lukasiewicz Sahin Ors");
    for (size_t i : {2u, 3u}) EXPECT_EQ(filas[i][1], "astase slusarz Ion");
    EXPECT_EQ(filas[4][1], "?mega Los Ana");
}

TEST_F(Personal, RoomsKeepSenecaKeyCutToTenCharacters) {
    auto dependencia = [](const std::string& clave, const std::string& nombre) {
        return Registro(
            "DEPENDENCIA",
            {{"X_DEPENDENCIA", clave}, {"D_DEPENDENCIA", nombre}, {"C_DEPENDENCIA", "A1"}});
    };
    Exportacion(Bloque("DEPENDENCIAS", {
                                           dependencia("203344", "Aula 1.1 &amp; laboratorio"),
                                           dependencia("123456789012", "Gimnasio"),
                                           dependencia("203344", "Aula 1.1 (duplicada)"),
                                           Registro("DEPENDENCIA", {{"X_DEPENDENCIA", "203399"}}),
                                       }));
    Ejecutar(CargarDependencias);
    EXPECT_EQ(NombresCampos("AULAT"),
              (std::vector<std::string>{"ABREV", "NOMBRE", "EDIFICIO", "MAXALUM", "DEPCENTRO"}));
    EXPECT_EQ(Filas("AULAT"),
              (std::vector<Fila>{{"203344", "Aula 1.1 & laboratorio", "", "", "203344"},
                                 {"1234567890", "Gimnasio", "", "", "1234567890"},
                                 {"203344", "Aula 1.1 (duplicada)", "", "", "203344"}}));
}

}  // namespace
}  // namespace pasaplan
