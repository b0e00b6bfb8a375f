// A file-size limit (RLIMIT_FSIZE, SIGXFSZ) exists on POSIX systems only.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "platform/Atomico.h"
#include "platform/Error.h"
#include "support/Apoyo.h"

namespace pasaplan::plataforma {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;
using prueba::EscribirArchivo;
using prueba::LeerArchivo;
using prueba::NombresEn;
using testing::HasSubstr;

// A file-size limit makes the write stop half way: the old file must survive whole, the
// temporary file must go, and the process must not be killed by SIGXFSZ.
TEST(EscribirArchivoAtomico, LimiteDeTamanoDejaElArchivoAnterior) {
    DirectorioTemporal tmp;
    const fs::path destino = tmp.Ruta() / "Velmora.ini";
    EscribirArchivo(destino, "anterior");

    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    rlimit limite = antes;
    limite.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    std::string mensaje;
    try {
        EscribirArchivoAtomico(destino, std::string(100000, 'x'));
    } catch (const ErrorPasaplan& e) {
        mensaje = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &antes);

    EXPECT_THAT(mensaje, HasSubstr("Velmora.ini: el archivo supera el tama\u00F1o m\u00E1ximo"));
    EXPECT_EQ(LeerArchivo(destino), "anterior");
    EXPECT_EQ(NombresEn(tmp.Ruta()), std::vector<std::string>{"Velmora.ini"});
}

}  // namespace
}  // namespace pasaplan::plataforma
