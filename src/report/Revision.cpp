#include "report/Revision.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan::informe {

Revision::Revision(const ExportacionSeneca& documento, std::filesystem::path directorio)
    : doc(documento), directorio_(std::move(directorio)) {}

const Tabla* Revision::Abrir(const std::string& nombre, std::initializer_list<const char*> campos) {
    auto it = tablas_.find(nombre);
    if (it == tablas_.end()) {
        std::unique_ptr<Tabla> tabla;
        const Utf8 nombreUtf8 = Utf8::DeBytes(nombre);
        if (plataforma::ExisteArchivo(Tabla::RutaEn(directorio_, nombreUtf8))) {
            try {
                tabla = Tabla::AbrirEn(directorio_, nombreUtf8, Acceso::Compartido);
            } catch (const ErrorPasaplan& e) {
                Anadir(TipoHallazgo::TablaIlegible, nombre, "",
                       "No se ha podido leer la tabla " + nombreUtf8 + ": " + e.Mensaje() +
                           " El informe no incluye las comprobaciones que la necesitan.");
            }
        }
        it = tablas_.emplace(nombre, std::move(tabla)).first;
    }
    const Tabla* tabla = it->second.get();
    if (!tabla) return nullptr;
    // A table of another shape (left by some other program) is not the one the run writes.
    for (const char* campo : campos) {
        if (!tabla->TieneCampo(campo)) return nullptr;
    }
    return tabla;
}

const std::vector<Curso>& Revision::Cursos() {
    if (cursos_) return *cursos_;
    cursos_.emplace();
    if (const Tabla* t = Abrir("CURSOST", {"CLAVE", "ESTUD", "NIVEL", "CURSO"})) {
        for (size_t f = 0; f < t->Filas(); ++f) {
            cursos_->push_back(Curso{t->LeerTexto(f, "CLAVE"), t->LeerTexto(f, "ESTUD"),
                                     t->LeerTexto(f, "NIVEL"), t->LeerTexto(f, "CURSO"), true,
                                     f + 1});
        }
    } else {
        for (const seneca::Curso& c : seneca::Cursos(doc)) {
            cursos_->push_back(Curso{c.clave, c.estudios, {}, {}, false, c.numero});
        }
    }
    // The units step takes the first course with the key; trailing blanks never count.
    for (size_t i = 0; i < cursos_->size(); ++i) {
        cursoPorClave_.emplace(RTrim((*cursos_)[i].clave), i);
    }
    return *cursos_;
}

const Curso* Revision::CursoDeClave(const Texto& clave) {
    const auto& cursos = Cursos();
    std::string_view sinBlancos = clave;
    while (!sinBlancos.empty() && sinBlancos.back() == ' ') sinBlancos.remove_suffix(1);
    const auto it = cursoPorClave_.find(sinBlancos);
    return it == cursoPorClave_.end() ? nullptr : &cursos[it->second];
}

void Revision::Anadir(TipoHallazgo tipo, std::string bloqueOTabla, Texto registro, Utf8 frase) {
    hallazgos_.push_back(
        Hallazgo{tipo, std::move(bloqueOTabla), std::move(registro), std::move(frase)});
}

std::vector<Hallazgo> Revision::Tomar() {
    std::stable_sort(hallazgos_.begin(), hallazgos_.end(),
                     [](const Hallazgo& a, const Hallazgo& b) { return a.tipo < b.tipo; });
    return std::move(hallazgos_);
}

Utf8 U(const Texto& texto) { return Cp1252AUtf8(texto); }

Utf8 Entre(const Texto& texto) { return "«" + Cp1252AUtf8(texto) + "»"; }

Texto NumeroRegistro(size_t n) { return "registro " + Texto::Numero(n); }

Texto NumeroFila(size_t n) { return "fila " + Texto::Numero(n); }

Utf8 Enumerar(const std::vector<Utf8>& partes) {
    Utf8 texto;
    for (size_t i = 0; i < partes.size(); ++i) {
        if (i > 0) texto += i + 1 == partes.size() ? Utf8(" y ") : Utf8(", ");
        texto += partes[i];
    }
    return texto;
}

Utf8 Cantidad(size_t n) {
    static const Utf8 kNombres[] = {"cero", "una",   "dos",  "tres",  "cuatro", "cinco",
                                    "seis", "siete", "ocho", "nueve", "diez"};
    return n < std::size(kNombres) ? kNombres[n] : Utf8::Numero(n);
}

Utf8 ConNombre(const Texto& nombre, const Texto& clave) {
    if (nombre.empty()) return U(clave);
    if (clave.empty()) return Entre(nombre);
    return Entre(nombre) + " (" + U(clave) + ")";
}

}  // namespace pasaplan::informe
