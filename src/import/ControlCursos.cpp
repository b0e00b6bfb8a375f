#include "import/ControlCursos.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>
#include <unordered_map>

#include "import/Pasos.h"
#include "platform/Atomico.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;

constexpr char kCursos2[] = "CURSOST2";

// Blanks and control characters count as nothing when judging whether a code was entered.
bool VacioSinControles(std::string_view valor) {
    for (char c : valor) {
        if (static_cast<unsigned char>(c) > ' ') return false;
    }
    return true;
}

fs::path RutaCursos2(const fs::path& directorio) { return Tabla::RutaEn(directorio, kCursos2); }

void ExigirCampos(const Tabla& tabla) {
    for (const Campo& campo : CamposCursos()) {
        if (!tabla.TieneCampo(campo.nombre)) {
            throw ErrorPasaplan("La tabla " + tabla.Nombre() + " (" +
                                plataforma::Utf8DeRuta(tabla.Archivo()) + ") no tiene el campo " +
                                Cp1252AUtf8(campo.nombre) + ".");
        }
    }
}

// One row of CURSOST2 held in memory: the text of every field of the table, in its order.
using FilaCursos2 = std::vector<Texto>;

}  // namespace

const std::vector<Campo>& CamposCursos() {
    static const std::vector<Campo> campos{
        CampoTexto("ABREV", 3), CampoTexto("TURNO", 1),  CampoTexto("NIVEL", 5),
        CampoTexto("CURSO", 3), CampoTexto("CLAVE", 10), CampoTexto("ESTUD", 80),
    };
    return campos;
}

std::unique_ptr<Tabla> AbrirCursos(const fs::path& directorio) {
    auto cursos = Tabla::AbrirEn(directorio, "CURSOST", Acceso::Compartido);
    for (const char* campo : {"NIVEL", "CURSO", "CLAVE", "ESTUD"}) {
        if (!cursos->TieneCampo(campo)) {
            throw ErrorPasaplan("La tabla " + cursos->Nombre() + " (" +
                                plataforma::Utf8DeRuta(cursos->Archivo()) + ") no tiene el campo " +
                                Cp1252AUtf8(campo) + ".");
        }
    }
    return cursos;
}

bool HayCodificacionesAnteriores(const fs::path& directorio) {
    return plataforma::ExisteArchivo(RutaCursos2(directorio));
}

void RecuperarCodificaciones(Tabla& cursos, const fs::path& directorio,
                             Interlocutor& interlocutor) {
    if (!HayCodificacionesAnteriores(directorio)) return;
    RecuperarCodificaciones(cursos, directorio, interlocutor.PreguntarRecuperacion());
}

void RecuperarCodificaciones(Tabla& cursos, const fs::path& directorio, bool recuperar) {
    const fs::path ruta2 = RutaCursos2(directorio);
    if (!plataforma::ExisteArchivo(ruta2)) return;
    if (!recuperar) {
        plataforma::BorrarArchivo(ruta2);
        return;
    }
    const auto cursos2 = Tabla::Abrir(ruta2, Acceso::Compartido);
    for (size_t fila = 0; fila < cursos.Filas(); ++fila) {
        const Texto clave = cursos.LeerTexto(fila, "CLAVE");
        const auto encontrada = cursos2->Buscar({{"CLAVE", clave}});
        if (!encontrada) continue;
        cursos.PonerTexto(fila, "NIVEL", cursos2->LeerTexto(*encontrada, "NIVEL"));
        cursos.PonerTexto(fila, "CURSO", cursos2->LeerTexto(*encontrada, "CURSO"));
        cursos.Grabar(fila);
    }
}

std::unique_ptr<Tabla> AbrirCursosYRecuperar(const fs::path& directorio,
                                             Interlocutor& interlocutor) {
    auto cursos = AbrirCursos(directorio);
    RecuperarCodificaciones(*cursos, directorio, interlocutor);
    return cursos;
}

bool CursoIncompleto(const Tabla& cursos, size_t fila) {
    return VacioSinControles(cursos.LeerTexto(fila, "NIVEL")) ||
           VacioSinControles(cursos.LeerTexto(fila, "CURSO"));
}

std::optional<size_t> PrimerCursoIncompleto(const Tabla& cursos) {
    for (size_t fila = 0; fila < cursos.Filas(); ++fila) {
        if (CursoIncompleto(cursos, fila)) return fila;
    }
    return std::nullopt;
}

std::vector<size_t> CursosIncompletos(const Tabla& cursos) {
    std::vector<size_t> filas;
    for (size_t fila = 0; fila < cursos.Filas(); ++fila) {
        if (CursoIncompleto(cursos, fila)) filas.push_back(fila);
    }
    return filas;
}

void GuardarCodificaciones(const Tabla& cursos, const fs::path& directorio) {
    const fs::path ruta2 = RutaCursos2(directorio);

    // The current table in memory; a table of another shape keeps its extra fields.
    std::vector<Campo> campos = CamposCursos();
    std::vector<FilaCursos2> filas;
    if (plataforma::ExisteArchivo(ruta2)) {
        const auto actual = Tabla::Abrir(ruta2, Acceso::Compartido);
        ExigirCampos(*actual);
        campos = actual->Campos();
        for (size_t f = 0; f < actual->Filas(); ++f) {
            FilaCursos2 fila;
            for (const Campo& campo : campos) fila.push_back(actual->LeerTexto(f, campo.nombre));
            filas.push_back(std::move(fila));
        }
    }
    const auto posicion = [&](std::string_view nombre) {
        for (size_t i = 0; i < campos.size(); ++i) {
            const std::string& n = campos[i].nombre;
            if (n.size() == nombre.size() &&
                std::equal(n.begin(), n.end(), nombre.begin(), [](char a, char b) {
                    return std::toupper(static_cast<unsigned char>(a)) ==
                           std::toupper(static_cast<unsigned char>(b));
                })) {
                return i;
            }
        }
        throw ErrorPasaplan("La tabla CURSOST2 no tiene el campo " + Cp1252AUtf8(nombre) + ".");
    };
    const size_t pNivel = posicion("NIVEL"), pCurso = posicion("CURSO"), pClave = posicion("CLAVE");

    // The first row with a key wins, as a locate finds it; stored texts have no trailing
    // blanks, so plain equality is the locate's comparison.
    std::unordered_map<Texto, size_t> porClave;
    for (size_t f = 0; f < filas.size(); ++f) porClave.emplace(filas[f][pClave], f);

    for (size_t fila = 0; fila < cursos.Filas(); ++fila) {
        const Texto clave = cursos.LeerTexto(fila, "CLAVE");
        const auto encontrada = porClave.find(clave);
        if (encontrada != porClave.end()) {
            filas[encontrada->second][pNivel] = cursos.LeerTexto(fila, "NIVEL");
            filas[encontrada->second][pCurso] = cursos.LeerTexto(fila, "CURSO");
            continue;
        }
        FilaCursos2 nueva(campos.size());
        for (const Campo& campo : CamposCursos()) {
            nueva[posicion(campo.nombre)] = cursos.LeerTexto(fila, campo.nombre);
        }
        porClave.emplace(clave, filas.size());
        filas.push_back(std::move(nueva));
    }

    const fs::path temporal = plataforma::NombreTemporalJunto(ruta2);
    try {
        Tabla::Crear(temporal, campos);
        {
            const auto nueva = Tabla::Abrir(temporal, Acceso::Exclusivo);
            for (const FilaCursos2& fila : filas) {
                const size_t f = nueva->Agregar();
                for (size_t i = 0; i < campos.size(); ++i) {
                    if (!fila[i].empty()) nueva->PonerTexto(f, campos[i].nombre, fila[i]);
                }
                nueva->Grabar(f);
            }
        }
        plataforma::SincronizarArchivo(temporal);
        std::error_code error;
        fs::rename(temporal, ruta2, error);
        if (error) {
            throw ErrorPasaplan(
                "No se puede guardar la tabla CURSOST2 (" + plataforma::Utf8DeRuta(ruta2) +
                "): no se pudo sustituir por la nueva (" + Utf8::DeBytes(error.message()) + ").");
        }
    } catch (...) {
        plataforma::BorrarArchivo(temporal);
        throw;
    }
}

AceptacionCursos AceptarCursos(Tabla& cursos, const fs::path& directorio,
                               const std::vector<NivelCurso>& niveles) {
    AceptacionCursos aceptacion;
    for (size_t i = 0; i < niveles.size(); ++i) {
        const auto filas = cursos.Filtrar("CLAVE", niveles[i].clave);
        if (filas.empty()) aceptacion.sinCurso.push_back(i);
        for (const size_t fila : filas) {
            cursos.PonerTexto(fila, "NIVEL", niveles[i].nivel);
            cursos.PonerTexto(fila, "CURSO", niveles[i].curso);
            cursos.Grabar(fila);
        }
    }
    aceptacion.incompletos = CursosIncompletos(cursos);
    if (!aceptacion.incompletos.empty()) {
        aceptacion.FaltaDato = 1;
        return aceptacion;
    }
    try {
        GuardarCodificaciones(cursos, directorio);
    } catch (const ErrorPasaplan& error) {
        aceptacion.errorAlGuardar = error.Mensaje();
    }
    return aceptacion;
}

void RecuperarOAvisar(Tabla& cursos, const fs::path& directorio, bool recuperar,
                      Interlocutor& interlocutor) {
    try {
        RecuperarCodificaciones(cursos, directorio, recuperar);
    } catch (const ErrorPasaplan& e) {
        interlocutor.ErrorEnDialogo("No se pudieron recuperar los niveles y cursos anteriores",
                                    e.Mensaje());
    }
}

void AvisarErrorAlGuardar(const AceptacionCursos& aceptacion, Interlocutor& interlocutor) {
    if (!aceptacion.errorAlGuardar) return;
    interlocutor.ErrorEnDialogo(
        "No se pudieron guardar los niveles y cursos para la próxima importación",
        *aceptacion.errorAlGuardar);
}

}  // namespace pasaplan
