// Nothing is lost when the process dies: the real pasaplan-lote is killed (SIGKILL) at many
// moments of an import and of an export run, and a process writing Velmora.ini is killed while
// it writes. What the user's work lives in must be the old version or the new one, whole:
// CURSOST2 (the course levels kept from one import to the next), the result document, the ini.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "exchange/Documento.h"
#include "exchange/Tabla.h"
#include "platform/Error.h"
#include "platform/Ini.h"
#include "support/Apoyo.h"
#include "support/FilasTabla.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;
using prueba::FilasTabla;
using prueba::LeerArchivo;

const std::string kBin = PASAPLAN_BIN_DIR;
// However fast or slow the build, each test stops killing after this long.
constexpr auto kPresupuesto = std::chrono::seconds(8);
constexpr int kMuertes = 40;

pid_t Lanzar(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, 1);
        dup2(nulo, 2);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Exit status of a run left to finish.
int Completa(const std::vector<std::string>& args) {
    int s = 0;
    waitpid(Lanzar(args), &s, 0);
    return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
}

// Kills the run after `espera`; true when it was still running then.
bool Matar(const std::vector<std::string>& args, std::chrono::microseconds espera) {
    const pid_t pid = Lanzar(args);
    std::this_thread::sleep_for(espera);
    const bool viva = kill(pid, SIGKILL) == 0;
    int s = 0;
    waitpid(pid, &s, 0);
    return viva && WIFSIGNALED(s);
}

// Kill moments spread over the whole run and a little beyond, denser at its start (where an
// import reads the document and saves the course levels) or at its end (where an export saves
// its document).
enum class Densidad { AlPrincipio, AlFinal };

std::chrono::microseconds Momento(int i, Reloj::duration duracion, Densidad d) {
    const double x = (i + 0.5) / kMuertes;
    const double f = d == Densidad::AlPrincipio ? x * x : 1 - (1 - x) * (1 - x);
    return std::chrono::duration_cast<std::chrono::microseconds>(duracion * (1.1 * f));
}

// Temporary files a killed writer left beside `nombre` (removed): the kill came while it wrote.
int QuitarTemporales(const fs::path& carpeta, const std::string& nombre) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(carpeta)) {
        if (e.path().filename().string().starts_with("." + nombre + ".tmp")) {
            fs::remove(e.path());
            ++n;
        }
    }
    return n;
}

// Kills the run a little after a temporary file beside `nombre` shows up in carpeta, that is
// while the run writes it; true when it was still running then.
bool MatarAlEscribir(const std::vector<std::string>& args, const fs::path& carpeta,
                     const std::string& nombre, std::chrono::microseconds retraso) {
    const pid_t pid = Lanzar(args);
    int s = 0;
    while (waitpid(pid, &s, WNOHANG) == 0) {
        bool hay = false;
        std::error_code e;
        for (const auto& a : fs::directory_iterator(carpeta, e)) {
            hay = hay || a.path().filename().string().starts_with("." + nombre + ".tmp");
        }
        if (hay) {
            std::this_thread::sleep_for(retraso);
            const bool viva = kill(pid, SIGKILL) == 0;
            waitpid(pid, &s, 0);
            return viva && WIFSIGNALED(s);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    return false;
}

// Every other kill waits for the write to begin, then up to two milliseconds more.
std::chrono::microseconds RetrasoEnEscritura(int i) {
    return std::chrono::microseconds(250 * ((i / 2) % 9));
}

// How long a complete run takes: the slower of two.
Reloj::duration Duracion(const std::function<int()>& ejecutar) {
    Reloj::duration mayor{};
    for (int i = 0; i < 2; ++i) {
        const auto inicio = Reloj::now();
        if (ejecutar() != 0) return Reloj::duration::zero();
        mayor = std::max(mayor, Reloj::now() - inicio);
    }
    return mayor;
}

// A Séneca export large enough for a run to take a while: the generator's, or the sample.
struct Exportacion {
    fs::path archivo, niveles;
    std::string marcos;
};

Exportacion Preparar(const fs::path& carpeta) {
    Exportacion e{carpeta / "Exportación Horarios.xml", carpeta / "niveles.csv", "2417"};
    const std::string generador = kBin + "/generar_exportacion";
    if (access(generador.c_str(), X_OK) == 0) {
        const std::string orden = generador + " --escala 1 --niveles '" + e.niveles.string() +
                                  "' '" + e.archivo.string() + "' >/dev/null";
        if (std::system(orden.c_str()) == 0) {
            e.marcos = "2417,2418";
            return e;
        }
    }
    fs::copy_file(fs::path(PASAPLAN_SOURCE_DIR) / "samples/ExportacionHorarios.xml", e.archivo);
    fs::copy_file(fs::path(PASAPLAN_SOURCE_DIR) / "samples/niveles.csv", e.niveles);
    return e;
}

ino_t Nodo(const fs::path& archivo) {
    struct stat e {};
    return stat(archivo.c_str(), &e) == 0 ? e.st_ino : 0;
}

// A second name for a file, so that its inode number stays taken (a freed number may be given
// to the next file created) while a later run replaces the first name.
class NombreRetenido {
  public:
    explicit NombreRetenido(const fs::path& archivo) : enlace_(archivo.string() + ".retenido") {
        fs::create_hard_link(archivo, enlace_);
    }
    ~NombreRetenido() { fs::remove(enlace_); }
    NombreRetenido(const NombreRetenido&) = delete;
    NombreRetenido& operator=(const NombreRetenido&) = delete;

  private:
    fs::path enlace_;
};

TEST(MuerteProceso, KilledImportLeavesTheOldOrTheNewCourseLevels) {
    prueba::DirectorioTemporal tmp;
    const fs::path vtemp = tmp.Ruta() / "VTEMP", nuevoDir = tmp.Ruta() / "VTEMP nuevo";
    fs::create_directories(vtemp);
    const Exportacion e = Preparar(tmp.Ruta());
    auto args = [&](const fs::path& dir, const fs::path& niveles) {
        return std::vector<std::string>{kBin + "/pasaplan-lote", "exportar",   e.archivo.string(),
                                        "--intercambio",         dir.string(), "--niveles",
                                        niveles.string(),        "--marcos",   e.marcos};
    };
    ASSERT_EQ(Completa(args(vtemp, e.niveles)), 0);
    const fs::path cursos2 = vtemp / "CURSOST2.DBF";
    const std::string viejoBytes = LeerArchivo(cursos2);
    // CURSOST2 as rows of text: what a reader of the table sees.
    const auto viejo = FilasTabla(cursos2);

    // The next import confirms other course numbers: that is the new CURSOST2.
    std::string niveles = LeerArchivo(e.niveles), otros;
    for (size_t p = 0, fin; p < niveles.size(); p = fin + 1) {
        fin = niveles.find('\n', p);
        if (fin == std::string::npos) fin = niveles.size();
        std::string linea = niveles.substr(p, fin - p);
        if (p > 0 && !linea.empty()) linea = linea.substr(0, linea.rfind(';')) + ";9";
        otros += linea + "\n";
    }
    const fs::path nuevosNiveles = tmp.Ruta() / "niveles nuevos.csv";
    prueba::EscribirArchivo(nuevosNiveles, otros);
    fs::copy(vtemp, nuevoDir);
    const ino_t antes = Nodo(nuevoDir / "CURSOST2.DBF");
    Reloj::duration duracion{};
    {
        const NombreRetenido retenido(nuevoDir / "CURSOST2.DBF");
        duracion = Duracion([&] { return Completa(args(nuevoDir, nuevosNiveles)); });
        // Replaced whole by a new file, never rewritten in place.
        EXPECT_NE(Nodo(nuevoDir / "CURSOST2.DBF"), antes);
    }
    ASSERT_GT(duracion.count(), 0);
    const auto nuevo = FilasTabla(nuevoDir / "CURSOST2.DBF");
    ASSERT_NE(viejo, nuevo);

    int muertas = 0, viejas = 0, nuevas = 0, escribiendo = 0;
    const auto limite = Reloj::now() + kPresupuesto;
    for (int i = 0; i < kMuertes && Reloj::now() < limite; ++i) {
        prueba::EscribirArchivo(cursos2, viejoBytes);
        muertas +=
            i % 2 ? MatarAlEscribir(args(vtemp, nuevosNiveles), vtemp, "CURSOST2.DBF",
                                    RetrasoEnEscritura(i))
                  : Matar(args(vtemp, nuevosNiveles), Momento(i, duracion, Densidad::AlPrincipio));
        escribiendo += QuitarTemporales(vtemp, "CURSOST2.DBF");
        std::vector<std::vector<std::string>> filas;
        try {
            filas = FilasTabla(cursos2);
        } catch (const ErrorPasaplan& error) {
            FAIL() << "muerte " << i << ": CURSOST2 ilegible: " << error.what();
        }
        ASSERT_TRUE(filas == viejo || filas == nuevo) << "muerte " << i << ": CURSOST2 a medias";
        (filas == viejo ? viejas : nuevas) += 1;
    }
    EXPECT_GT(muertas, 0);
    RecordProperty("muertes", muertas);
    std::printf(
        "importación: %d muertes (%d con el CURSOST2 anterior, %d con el nuevo, %d "
        "mientras se escribía), ejecución completa %lld ms\n",
        muertas, viejas, nuevas, escribiendo,
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(duracion).count()));
}

// A result that a run finished: it parses and ends with the document element.
bool Completo(const std::string& bytes) {
    std::string_view v(bytes);
    while (!v.empty() && (v.back() == '\n' || v.back() == '\r')) v.remove_suffix(1);
    if (!v.ends_with("</SERVICIO>")) return false;
    try {
        Documento::DesdeMemoria(bytes, "resultado");
        return true;
    } catch (const ErrorPasaplan&) {
        return false;
    }
}

TEST(MuerteProceso, KilledExportLeavesTheOldOrACompleteResult) {
    const std::string horario = kBin + "/generar_horario";
    if (access(horario.c_str(), X_OK) != 0) GTEST_SKIP() << "falta " << horario;
    prueba::DirectorioTemporal tmp;
    const fs::path vtemp = tmp.Ruta() / "VTEMP";
    fs::create_directories(vtemp);
    const Exportacion e = Preparar(tmp.Ruta());
    ASSERT_EQ(Completa({kBin + "/pasaplan-lote", "exportar", e.archivo.string(), "--intercambio",
                        vtemp.string(), "--niveles", e.niveles.string(), "--marcos", e.marcos}),
              0);
    ASSERT_EQ(Completa({horario, vtemp.string()}), 0);
    const std::vector<std::string> args{kBin + "/pasaplan-lote", "importar", e.archivo.string(),
                                        "--intercambio", vtemp.string()};
    const fs::path resultado = tmp.Ruta() / ("ResultadoVelmora" + e.archivo.filename().string());
    ASSERT_EQ(Completa(args), 0);
    const ino_t anterior = Nodo(resultado);
    Reloj::duration duracion{};
    {
        const NombreRetenido retenido(resultado);
        duracion = Duracion([&] { return Completa(args); });
        // Replaced whole by a new file, never rewritten in place.
        EXPECT_NE(Nodo(resultado), anterior);
    }
    ASSERT_GT(duracion.count(), 0);
    // The earlier result is marked, so that a new one is told apart even within one second.
    prueba::EscribirArchivo(resultado, LeerArchivo(resultado) + "<!-- anterior -->\n");

    int muertas = 0, intactas = 0, nuevas = 0, escribiendo = 0;
    const auto limite = Reloj::now() + kPresupuesto;
    for (int i = 0; i < kMuertes && Reloj::now() < limite; ++i) {
        const std::string antes = LeerArchivo(resultado);
        muertas += i % 2 ? MatarAlEscribir(args, tmp.Ruta(), resultado.filename().string(),
                                           RetrasoEnEscritura(i))
                         : Matar(args, Momento(i, duracion, Densidad::AlFinal));
        escribiendo += QuitarTemporales(tmp.Ruta(), resultado.filename().string());
        const std::string despues = LeerArchivo(resultado);
        if (despues == antes) {
            ++intactas;
        } else {
            ASSERT_TRUE(Completo(despues))
                << "muerte " << i << ": documento a medias (" << despues.size() << " bytes)";
            ++nuevas;
        }
        if (despues.find("<!-- anterior -->") == std::string::npos) {
            prueba::EscribirArchivo(resultado, despues + "<!-- anterior -->\n");
        }
    }
    EXPECT_GT(muertas, 0);
    std::printf(
        "exportación: %d muertes (%d con el documento anterior intacto, %d con uno "
        "nuevo completo, %d mientras se escribía), ejecución completa %lld ms\n",
        muertas, intactas, nuevas, escribiendo,
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(duracion).count()));
}

TEST(MuerteProceso, KilledIniWriterLeavesTheOldOrTheNewFile) {
    prueba::DirectorioTemporal tmp;
    const fs::path ini = tmp.Ruta() / "Velmora.ini";
    // Large enough that a write takes a while: other sections the writer must keep.
    std::string base = "[Velmora]\r\nVersion=7\r\n";
    for (int i = 0; i < 20000; ++i) {
        base += "[Ventana" + std::to_string(i) + "]\r\nAlto=" + std::to_string(i) + "\r\n";
    }
    base += "[Transformadores]\r\nTransformado=0\r\n[Fin]\r\nX=1\r\n";
    const std::string uno = plataforma::IniConValor(base, "Transformadores", "Transformado", "1");
    const std::string menosUno =
        plataforma::IniConValor(base, "Transformadores", "Transformado", "-1");

    int muertas = 0;
    const auto limite = Reloj::now() + kPresupuesto;
    for (int i = 0; i < kMuertes && Reloj::now() < limite; ++i) {
        prueba::EscribirArchivo(ini, base);
        const pid_t pid = fork();
        if (pid == 0) {
            // Writes 1 and -1 in turn until killed (or, orphaned, for ten seconds at most).
            const auto fin = Reloj::now() + std::chrono::seconds(10);
            for (int v = 1; Reloj::now() < fin; v = -v) {
                try {
                    plataforma::EscribirEnteroIni(ini, "Transformadores", "Transformado", v);
                } catch (...) {
                    _exit(3);
                }
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + 997 * i % 20000));
        muertas += kill(pid, SIGKILL) == 0;
        int s = 0;
        waitpid(pid, &s, 0);
        ASSERT_TRUE(WIFSIGNALED(s)) << "el proceso que escribe acabó solo: " << s;
        const std::string ahora = LeerArchivo(ini);
        ASSERT_TRUE(ahora == base || ahora == uno || ahora == menosUno)
            << "muerte " << i << ": Velmora.ini a medias (" << ahora.size() << " bytes)";
    }
    EXPECT_GT(muertas, 0);
}

}  // namespace
}  // namespace pasaplan
