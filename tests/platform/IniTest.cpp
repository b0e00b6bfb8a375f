#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Ini.h"
#include "support/Apoyo.h"

namespace pasaplan::plataforma {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;
using prueba::NombresEn;

struct CasoIni {
    const char* nombre;
    std::string_view antes;
    std::string_view despues;
    std::string_view valor = "1";
    std::string_view seccion = "Transformadores";
    std::string_view clave = "Transformado";
};

std::ostream& operator<<(std::ostream& os, const CasoIni& c) { return os << c.nombre; }

class IniConValorTest : public testing::TestWithParam<CasoIni> {};

TEST_P(IniConValorTest, SoloCambiaLoNecesario) {
    const CasoIni& c = GetParam();
    EXPECT_EQ(IniConValor(c.antes, c.seccion, c.clave, c.valor), c.despues);
}

INSTANTIATE_TEST_SUITE_P(
    Ini, IniConValorTest,
    testing::Values(
        CasoIni{"ArchivoNuevo", "", "[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"ValorReemplazado", "[Transformadores]\r\nTransformado=0\r\n",
                "[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"ValorNegativo", "[Transformadores]\r\nTransformado=1\r\n",
                "[Transformadores]\r\nTransformado=-1\r\n", "-1"},
        CasoIni{"ValorLargoPorCorto", "[Transformadores]\r\nTransformado=-1\r\n",
                "[Transformadores]\r\nTransformado=0\r\n", "0"},
        CasoIni{"SinMirarMayusculas", "[TRANSFORMADORES]\r\ntransformado=0\r\n",
                "[TRANSFORMADORES]\r\ntransformado=1\r\n"},
        CasoIni{"LetrasAcentuadasPlegadas", "[Secci\xF3n]\r\nCla\xF1o=0\r\n",
                "[Secci\xF3n]\r\nCla\xF1o=1\r\n", "1", "SECCI\xD3N", "CLA\xD1O"},
        CasoIni{"BlancosAlrededor", "  [Transformadores]  \r\n\tTransformado =  0 ; x\r\n",
                "  [Transformadores]  \r\n\tTransformado =  1\r\n"},
        CasoIni{"ValorVacio", "[Transformadores]\r\nTransformado=\r\n",
                "[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"ClaveSinIgual", "[Transformadores]\r\nTransformado  \r\n",
                "[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"SoloLaPrimeraDeDosClaves", "[Transformadores]\nTransformado=0\nTransformado=0\n",
                "[Transformadores]\nTransformado=1\nTransformado=0\n"},
        CasoIni{
            "OtrasSeccionesIntactasYSoloLF",
            "; Velmora\n[Otra]\nTransformado=7\n\n[Transformadores]\nRuta=C:\\V\nTransformado=0\n"
            "[Mas]\nTransformado=9",
            "; Velmora\n[Otra]\nTransformado=7\n\n[Transformadores]\nRuta=C:\\V\nTransformado=1\n"
            "[Mas]\nTransformado=9"},
        CasoIni{"FinDeLineaDeLaPropiaLinea", "[Transformadores]\nTransformado=0\r\nB=2\n",
                "[Transformadores]\nTransformado=1\r\nB=2\n"},
        CasoIni{"ClaveQueEmpiezaIgualNoEsLaClave", "[Transformadores]\r\nTransformadoX=3\r\n",
                "[Transformadores]\r\nTransformadoX=3\r\nTransformado=1\r\n"},
        CasoIni{"ClaveAnadidaTrasLaUltimaLineaConTexto",
                "[Transformadores]\r\nOtra=2\r\n\r\n  \r\n[Sig]\r\nx=1\r\n",
                "[Transformadores]\r\nOtra=2\r\nTransformado=1\r\n\r\n  \r\n[Sig]\r\nx=1\r\n"},
        CasoIni{"ClaveEnSeccionVacia", "[Transformadores]\n[Sig]\n",
                "[Transformadores]\nTransformado=1\n[Sig]\n"},
        CasoIni{"ClaveTrasUltimaLineaSinSalto", "[Transformadores]\r\nA=1",
                "[Transformadores]\r\nA=1\r\nTransformado=1\r\n"},
        CasoIni{"SeccionSoloEnLaPrimeraDeDos", "[Transformadores]\r\n[X]\r\n[Transformadores]\r\n",
                "[Transformadores]\r\nTransformado=1\r\n[X]\r\n[Transformadores]\r\n"},
        CasoIni{"ClaveDeOtraSeccionNoCuenta", "[Otra]\r\nTransformado=5\r\n",
                "[Otra]\r\nTransformado=5\r\n[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"SeccionAnadidaConElFinDeLineaDominante", "[A]\nb=1\nc=2\r\nd=3\n",
                "[A]\nb=1\nc=2\r\nd=3\n[Transformadores]\nTransformado=1\n"},
        CasoIni{"SeccionAnadidaTrasUltimaLineaSinSalto", "[A]\r\nb=1",
                "[A]\r\nb=1\r\n[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"CabeceraSinCierreNoEsSeccion", "[Transformadores\r\nTransformado=0\r\n",
                "[Transformadores\r\nTransformado=0\r\n[Transformadores]\r\nTransformado=1\r\n"},
        CasoIni{"MarcaDeOrdenAlPrincipio", "\xEF\xBB\xBF[Transformadores]\r\nTransformado=0\r\n",
                "\xEF\xBB\xBF[Transformadores]\r\nTransformado=1\r\n"}),
    [](const testing::TestParamInfo<CasoIni>& info) { return info.param.nombre; });

TEST(EscribirEnteroIni, CreaElArchivoSinDejarTemporales) {
    DirectorioTemporal tmp;
    const fs::path ini = tmp.Ruta() / "Velmora.ini";
    EscribirEnteroIni(ini, "Transformadores", "Transformado", 1);
    EXPECT_EQ(LeerArchivo(ini), "[Transformadores]\r\nTransformado=1\r\n");

    EscribirEnteroIni(ini, "TRANSFORMADORES", "transformado", -1);
    EXPECT_EQ(LeerArchivo(ini), "[Transformadores]\r\nTransformado=-1\r\n");
    EXPECT_EQ(NombresEn(tmp.Ruta()), std::vector<std::string>{"Velmora.ini"});
}

TEST(EscribirEnteroIni, UnaCarpetaEnSuLugarEsUnError) {
    DirectorioTemporal tmp;
    const fs::path ini = tmp.Ruta() / "Velmora.ini";
    fs::create_directory(ini);
    EXPECT_THROW(EscribirEnteroIni(ini, "Transformadores", "Transformado", 1), ErrorPasaplan);
    EXPECT_TRUE(fs::is_directory(ini));
    EXPECT_EQ(NombresEn(tmp.Ruta()), std::vector<std::string>{"Velmora.ini"});
}

}  // namespace
}  // namespace pasaplan::plataforma
