// One run at a time on an exchange directory: two real pasaplan-lote imports of different
// exports started together on one directory; a killed run blocks nothing and its temporary
// files go.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <thread>

#include "platform/BloqueoIntercambio.h"
#include "platform/Error.h"
#include "support/Apoyo.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::LeerArchivo;

const std::string kBin = PASAPLAN_BIN_DIR;

struct Proceso {
    pid_t pid;
    fs::path salida, errores;
};

Proceso Lanzar(const std::vector<std::string>& args, const fs::path& carpeta,
               const std::string& nombre) {
    Proceso p{0, carpeta / (nombre + ".out"), carpeta / (nombre + ".err")};
    p.pid = fork();
    if (p.pid == 0) {
        dup2(open(p.salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open(p.errores.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return p;
}

int Esperar(const Proceso& p) {
    int s = 0;
    waitpid(p.pid, &s, 0);
    return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
}

// Whether a run holds the lock file: its existence alone is not enough, as a run creates the
// file a moment before it locks it, and another run may take it in between.
bool Retenido(const fs::path& cerrojo) {
    const int fd = open(cerrojo.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock consulta {};
    consulta.l_type = F_WRLCK;
    consulta.l_whence = SEEK_SET;
    const bool retenido = fcntl(fd, F_OFD_GETLK, &consulta) == 0 && consulta.l_type != F_UNLCK;
    close(fd);
    return retenido;
}

void EsperarRetenido(const fs::path& cerrojo) {
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Retenido(cerrojo) && std::chrono::steady_clock::now() < limite) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

// Every file of the folder by name; tables without their date of last update.
std::map<std::string, std::string> Contenido(const fs::path& carpeta) {
    auto archivos = prueba::ArchivosEn(carpeta);
    for (auto& [nombre, bytes] : archivos) {
        if (bytes.size() > 4) bytes.replace(1, 3, "...");
    }
    return archivos;
}

class UnaEjecucion : public testing::Test {
  protected:
    prueba::DirectorioTemporal tmp;
    fs::path grande = tmp.Ruta() / "grande.xml", nivelesGrande = tmp.Ruta() / "grande.csv";
    fs::path muestra = tmp.Ruta() / "muestra.xml";
    fs::path nivelesMuestra = fs::path(PASAPLAN_SOURCE_DIR) / "samples/niveles.csv";

    void SetUp() override {
        const std::string orden = kBin + "/generar_exportacion --escala 2 --niveles '" +
                                  nivelesGrande.string() + "' '" + grande.string() + "' >/dev/null";
        ASSERT_EQ(std::system(orden.c_str()), 0);
        fs::copy_file(fs::path(PASAPLAN_SOURCE_DIR) / "samples/ExportacionHorarios.xml", muestra);
    }
    std::vector<std::string> Grande(const fs::path& dir) {
        return {kBin + "/pasaplan-lote", "exportar",   grande.string(),
                "--intercambio",         dir.string(), "--niveles",
                nivelesGrande.string(),  "--marcos",   "2417,2418"};
    }
    std::vector<std::string> Muestra(const fs::path& dir) {
        return {kBin + "/pasaplan-lote", "exportar",   muestra.string(),
                "--intercambio",         dir.string(), "--niveles",
                nivelesMuestra.string(), "--marcos",   "2417"};
    }
    fs::path Carpeta(const std::string& nombre) {
        const fs::path c = tmp.Ruta() / nombre;
        fs::create_directories(c);
        return c;
    }
};

TEST_F(UnaEjecucion, ASecondImportOnTheSameDirectoryIsRefusedBeforeItsFirstStep) {
    // What each export alone leaves in a directory of its own.
    const fs::path soloGrande = Carpeta("solo grande"), soloMuestra = Carpeta("solo muestra");
    ASSERT_EQ(Esperar(Lanzar(Grande(soloGrande), tmp.Ruta(), "g")), 0);
    ASSERT_EQ(Esperar(Lanzar(Muestra(soloMuestra), tmp.Ruta(), "m")), 0);
    ASSERT_NE(Contenido(soloGrande), Contenido(soloMuestra));

    // Both on one directory: the second starts as soon as the first holds the directory.
    const fs::path comun = Carpeta("VTEMP");
    const Proceso primero = Lanzar(Grande(comun), tmp.Ruta(), "primero");
    const fs::path cerrojo = comun / std::string(plataforma::kArchivoBloqueo);
    EsperarRetenido(cerrojo);
    const Proceso segundo = Lanzar(Muestra(comun), tmp.Ruta(), "segundo");
    const int estadoSegundo = Esperar(segundo);
    const int estadoPrimero = Esperar(primero);

    EXPECT_EQ(estadoPrimero, 0) << LeerArchivo(primero.errores);
    EXPECT_EQ(estadoSegundo, 1);
    const std::string aviso = LeerArchivo(segundo.errores);
    EXPECT_NE(aviso.find("Otra ejecución de Pasaplan está usando el directorio de intercambio «" +
                         comun.string() + "»"),
              std::string::npos)
        << aviso;
    // Refused before its first step: no table reported, nothing claimed.
    EXPECT_EQ(LeerArchivo(segundo.salida), "");
    // The directory holds the first export's tables, whole, and nothing else: no lock file.
    EXPECT_TRUE(Contenido(comun) == Contenido(soloGrande));
}

// A run killed while it holds the directory blocks nothing: the next one runs, removes what the
// killed one was writing and leaves no lock behind.
TEST_F(UnaEjecucion, AKilledRunLeavesNoLockAndItsTemporaryFilesGo) {
    const fs::path dir = Carpeta("VTEMP");
    ASSERT_EQ(Esperar(Lanzar(Muestra(dir), tmp.Ruta(), "antes")), 0);
    const Proceso matado = Lanzar(Grande(dir), tmp.Ruta(), "matado");
    const fs::path cerrojo = dir / std::string(plataforma::kArchivoBloqueo);
    EsperarRetenido(cerrojo);
    kill(matado.pid, SIGKILL);
    Esperar(matado);
    // What a writer killed half-way leaves: temporary files of a process now gone.
    prueba::EscribirArchivo(dir / ".CURSOST2.DBF.tmp-999999999-1", "a medias");
    prueba::EscribirArchivo(dir / ".CURSOST2.tmp-x", "no es de Pasaplan");
    ASSERT_EQ(Esperar(Lanzar(Muestra(dir), tmp.Ruta(), "despues")), 0);
    EXPECT_FALSE(fs::exists(dir / ".CURSOST2.DBF.tmp-999999999-1"));
    EXPECT_TRUE(fs::exists(dir / ".CURSOST2.tmp-x"));
    EXPECT_FALSE(fs::exists(cerrojo));
}

// In one process: the lock is refused while held, given back when released.
TEST(BloqueoIntercambio, HeldRefusedReleased) {
    prueba::DirectorioTemporal tmp;
    auto uno = plataforma::BloqueoIntercambio::Tomar(tmp.Ruta());
    ASSERT_NE(uno, nullptr);
    EXPECT_THROW(plataforma::BloqueoIntercambio::Tomar(tmp.Ruta()), ErrorPasaplan);
    uno.reset();
    EXPECT_TRUE(fs::is_empty(tmp.Ruta()));
    EXPECT_NE(plataforma::BloqueoIntercambio::Tomar(tmp.Ruta()), nullptr);
    EXPECT_EQ(plataforma::BloqueoIntercambio::Tomar(tmp.Ruta() / "no existe"), nullptr);
}

}  // namespace
}  // namespace pasaplan
