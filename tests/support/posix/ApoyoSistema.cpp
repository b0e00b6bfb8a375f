#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "support/Apoyo.h"

namespace pasaplan::prueba {

DirectorioTemporal::DirectorioTemporal() {
    std::string plantilla = "/tmp/pasaplan-prueba-XXXXXX";
    if (mkdtemp(plantilla.data()) == nullptr) {
        throw std::runtime_error("mkdtemp: " + std::string(std::strerror(errno)));
    }
    ruta_ = plantilla;
}

DirectorioTemporal::~DirectorioTemporal() {
    // A test may have taken permissions away; give them back so the removal can go through.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(
             ruta_, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
    }
    std::filesystem::permissions(ruta_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(ruta_, ec);
}

VariableEntorno::VariableEntorno(std::string nombre, std::optional<std::string> valor)
    : nombre_(std::move(nombre)) {
    if (const char* actual = std::getenv(nombre_.c_str())) anterior_ = actual;
    if (valor) {
        setenv(nombre_.c_str(), valor->c_str(), 1);
    } else {
        unsetenv(nombre_.c_str());
    }
}

VariableEntorno::~VariableEntorno() {
    if (anterior_) {
        setenv(nombre_.c_str(), anterior_->c_str(), 1);
    } else {
        unsetenv(nombre_.c_str());
    }
}

std::filesystem::path Programa(std::string_view nombre) {
    return std::filesystem::path(PASAPLAN_BIN_DIR) / std::string(nombre);
}

const bool kHayLimiteDeArchivos = true;

SalidaPrograma EjecutarPrograma(const std::filesystem::path& programa,
                                const std::vector<std::string>& argumentos,
                                const std::filesystem::path& carpeta, uint64_t limiteArchivos) {
    const std::filesystem::path out = carpeta / "salida.txt", err = carpeta / "errores.txt";
    const pid_t pid = fork();
    if (pid == 0) {
        const int fo = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int fe = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fo, 1);
        dup2(fe, 2);
        if (limiteArchivos != 0) {
            const rlimit r{limiteArchivos, limiteArchivos};
            setrlimit(RLIMIT_FSIZE, &r);
        }
        std::vector<char*> argv{const_cast<char*>(programa.c_str())};
        for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(programa.c_str(), argv.data());
        _exit(127);
    }
    int s = 0;
    waitpid(pid, &s, 0);
    SalidaPrograma r{WIFEXITED(s) ? WEXITSTATUS(s) : -1, LeerArchivo(out), LeerArchivo(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

bool QuitarEscritura(const std::filesystem::path& carpeta) {
    namespace fs = std::filesystem;
    fs::permissions(carpeta,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    return access(carpeta.c_str(), W_OK) != 0;
}

bool PermisosAtan() { return geteuid() != 0; }

}  // namespace pasaplan::prueba
