#pragma once
// The bodies of the fuzz targets, shared with the regression tests that replay the inputs the
// fuzzers found. Each harness runs one input and returns the invariant it broke, if any; a
// refusal with an ErrorPasaplan is an expected outcome, every other exception is a fault.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "exchange/Documento.h"
#include "exchange/ExportacionSeneca.h"
#include "exchange/Tabla.h"
#include "export/Exportacion.h"
#include "import/ControlCursos.h"
#include "import/EleccionMarcos.h"
#include "import/Importacion.h"
#include "platform/Error.h"
#include "platform/Ini.h"
#include "text/Cp1252.h"

namespace pasaplan::arnes {

namespace fs = std::filesystem;

// What went wrong, for the crash report; nothing when the input was handled soundly.
using Fallo = std::optional<std::string>;

inline std::string LeerBytes(const fs::path& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    if (!entrada) throw std::runtime_error("no se puede leer " + archivo.string());
    return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
}

inline void EscribirBytes(const fs::path& archivo, std::string_view bytes) {
    std::ofstream salida(archivo, std::ios::binary | std::ios::trunc);
    salida.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!salida) throw std::runtime_error("no se puede escribir " + archivo.string());
}

// A private folder, in memory (/dev/shm) when the system has one: fuzzers write thousands of
// tables a second.
class Carpeta {
  public:
    Carpeta() {
        std::string base = fs::is_directory("/dev/shm") && access("/dev/shm", W_OK) == 0
                               ? "/dev/shm"
                               : fs::temp_directory_path().string();
        std::random_device azar;
        for (int intento = 0; ruta_.empty(); ++intento) {
            if (intento == 100) throw std::runtime_error("No se puede crear la carpeta del arnés");
            const fs::path candidata =
                fs::path(base) / ("pasaplan-arnes-" + std::to_string(azar()));
            if (fs::create_directory(candidata)) ruta_ = candidata;
        }
    }
    ~Carpeta() {
        std::error_code e;
        fs::remove_all(ruta_, e);
    }
    Carpeta(const Carpeta&) = delete;
    Carpeta& operator=(const Carpeta&) = delete;
    const fs::path& Ruta() const { return ruta_; }

  private:
    fs::path ruta_;
};

inline void VaciarCarpeta(const fs::path& carpeta) {
    for (const auto& e : fs::directory_iterator(carpeta)) fs::remove_all(e.path());
}

// The reference table of subjects, from the project's own list (NOMBRE;COD;CODLARGO, UTF-8).
inline void CrearSenematerias(const fs::path& archivo, const fs::path& lista) {
    Tabla::Crear(archivo, {{"NOMBRE", TipoCampo::Texto, 80, 0},
                           {"COD", TipoCampo::Texto, 10, 0},
                           {"CODLARGO", TipoCampo::Texto, 10, 0}});
    auto tabla = Tabla::Abrir(archivo, Acceso::Exclusivo);
    std::istringstream lineas(LeerBytes(lista));
    std::string linea;
    std::getline(lineas, linea);  // header
    while (std::getline(lineas, linea)) {
        const size_t a = linea.find(';');
        const size_t b = a == std::string::npos ? a : linea.find(';', a + 1);
        if (b == std::string::npos) continue;
        const size_t fila = tabla->Agregar();
        tabla->PonerTexto(fila, "NOMBRE", BytesUtf8ACp1252(linea.substr(0, a)));
        tabla->PonerTexto(fila, "COD", BytesUtf8ACp1252(linea.substr(a + 1, b - a - 1)));
        tabla->PonerTexto(fila, "CODLARGO", BytesUtf8ACp1252(linea.substr(b + 1)));
        tabla->Grabar(fila);
    }
}

// The person in front of the tool, scripted: the file given, the course levels dialog answered
// complete, the first one or two frames chosen. A dialog shown again and again is a fault (the
// run would never end), reported as such.
class PersonaArnes : public Interlocutor {
  public:
    fs::path archivo;
    bool recuperar = true;
    bool dosMarcos = true;
    int cursosMostrados = 0;
    int marcosMostrados = 0;
    std::vector<Utf8> mensajes;

    std::optional<fs::path> ElegirArchivoXml() override { return archivo; }
    void Mensaje(const Utf8& texto) override { mensajes.push_back(texto); }
    void RelojArena(bool) override {}
    bool PreguntarRecuperacion() override { return recuperar; }

    ResultadoCursos MostrarDialogoCursos(const ContextoCursos& contexto) override {
        if (++cursosMostrados > 3) throw std::logic_error("el diálogo de cursos no acaba nunca");
        auto cursos = AbrirCursosYRecuperar(contexto.directorio, *this);
        for (size_t fila = 0; fila < cursos->Filas(); ++fila) {
            if (!CursoIncompleto(*cursos, fila)) continue;
            cursos->PonerTexto(fila, "NIVEL", "N" + std::to_string(fila % 997));
            cursos->PonerTexto(fila, "CURSO", std::to_string(fila % 7 + 1));
            cursos->Grabar(fila);
        }
        const AceptacionCursos aceptacion = AceptarCursos(*cursos, contexto.directorio);
        if (aceptacion.errorAlGuardar) throw ErrorPasaplan(*aceptacion.errorAlGuardar);
        return ResultadoCursos{aceptacion.FaltaDato, {}};
    }

    ResultadoMarcos MostrarDialogoMarcos(const ContextoMarcos& contexto) override {
        if (++marcosMostrados > 3) throw std::logic_error("el diálogo de marcos no acaba nunca");
        const auto lista = ListaMarcos(contexto.documento);
        std::vector<Texto> elegidos;
        for (size_t i = 0; i < lista.size() && i < (dosMarcos ? 2u : 1u); ++i) {
            elegidos.push_back(lista[i].codigo);
        }
        return JuzgarEleccion(elegidos).resultado;
    }
};

// Every .DBF of the folder must be a sound table, whatever stopped the run; a temporary file
// left behind is a fault too.
inline Fallo ComprobarTablasSanas(const fs::path& carpeta) {
    for (const auto& e : fs::directory_iterator(carpeta)) {
        const std::string nombre = e.path().filename().string();
        if (nombre.starts_with(".")) return "queda un archivo temporal: " + nombre;
        if (e.path().extension() != ".DBF") continue;
        try {
            Tabla::Abrir(e.path(), Acceso::Compartido);
        } catch (const ErrorPasaplan& error) {
            return "tabla escrita que no se puede leer: " + std::string(error.what());
        }
    }
    return std::nullopt;
}

// ---- 1. the exchange document and the ten import steps --------------------------------------

struct EntornoImportacion {
    fs::path programa;     // holds SENEMATERIAS.DBF
    fs::path intercambio;  // the exchange directory, emptied before every input
    fs::path seneca;       // where the input is written as a file
    std::string cursos2;   // a CURSOST2 from an earlier import, put back before every input
};

// The import's one-pass reading gives what the tree's does: the same blocks, and for every block
// name the same records, with the same texts and the same answers to the name test.
inline Fallo LecturasDistintas(std::string_view xml) {
    using Via = ExportacionSeneca::Via;
    const auto pasada = ExportacionSeneca::DesdeMemoria(xml, "entrada", Via::Automatica);
    const auto arbol = ExportacionSeneca::DesdeMemoria(xml, "entrada", Via::Arbol);
    const auto iguales = [](const std::vector<Grupo>& a, const std::vector<Grupo>& b) {
        if (a.size() != b.size()) return false;
        for (size_t g = 0; g < a.size(); ++g) {
            const auto& da = a[g].Datos();
            const auto& db = b[g].Datos();
            if (da.size() != db.size()) return false;
            for (size_t i = 0; i < da.size(); ++i) {
                if (da[i].texto != db[i].texto) return false;
                for (const char* nombre : {"X_MATERIAOMG", "D_MATERIAC", "X", "N"}) {
                    if (NombreDatoEs(da[i], nombre) != NombreDatoEs(db[i], nombre)) return false;
                }
            }
        }
        return true;
    };
    if (!iguales(pasada->Bloques(), arbol->Bloques())) {
        return std::string("la lectura en una pasada y la del árbol dan bloques distintos");
    }
    for (const char* bloque :
         {"ANNO_ACADEMICO", "CURSOS_DEL_CENTRO", "MATERIAS", "ACTIVIDADES", "DEPENDENCIAS",
          "JORNADAS_ESCOLARES", "TRAMOS_HORARIOS", "UNIDADES", "EMPLEADOS", "ORIGENES", "NIVELES",
          "CURSOS_NIVELES", "AUTORIZACIONES", "A", ""}) {
        if (!iguales(pasada->Registros(bloque), arbol->Registros(bloque))) {
            return "la lectura en una pasada y la del árbol dan registros distintos de " +
                   std::string(bloque);
        }
    }
    return std::nullopt;
}

inline Fallo ProbarImportacion(std::string_view xml, const EntornoImportacion& entorno) {
    VaciarCarpeta(entorno.intercambio);
    const fs::path cursos2 = entorno.intercambio / "CURSOST2.DBF";
    if (!entorno.cursos2.empty()) EscribirBytes(cursos2, entorno.cursos2);
    const fs::path archivo = entorno.seneca / "ExportacionHorarios.xml";
    EscribirBytes(archivo, xml);

    bool analizable = true;
    try {
        Documento::DesdeMemoria(xml, "entrada");
    } catch (const ErrorPasaplan&) {
        analizable = false;
    }
    if (analizable) {
        if (auto fallo = LecturasDistintas(xml)) return fallo;
    }

    EstadoPrincipal estado;
    estado.DirectorioIntercambio = entorno.intercambio;
    estado.DirectorioPrograma = entorno.programa;
    PersonaArnes persona;
    persona.archivo = archivo;
    // Which answers: decided by the input, so that one input always runs alike.
    const size_t h = std::hash<std::string_view>{}(xml);
    persona.recuperar = h % 3 != 0;
    persona.dosMarcos = h % 2 == 0;

    bool finalizado = false;
    try {
        finalizado = EjecutarImportacion(estado, persona) == FinImportacion::Finalizado;
    } catch (const ErrorPasaplan&) {
    } catch (const std::exception& e) {
        return std::string("excepción que no es un error del programa: ") + e.what();
    }

    if (!analizable) {
        if (finalizado) return std::string("un documento que no se analiza acabó bien");
        // Refused before the first step: the earlier CURSOST2 alone, untouched.
        for (const auto& e : fs::directory_iterator(entorno.intercambio)) {
            if (e.path() != cursos2) return "documento rechazado que tocó " + e.path().string();
        }
        if (!entorno.cursos2.empty() && LeerBytes(cursos2) != entorno.cursos2) {
            return std::string("documento rechazado que cambió CURSOST2");
        }
        return std::nullopt;
    }
    if (auto fallo = ComprobarTablasSanas(entorno.intercambio)) return fallo;
    if (!finalizado) return std::nullopt;

    for (const char* tabla : {"PERIODOS", "CURSOST", "CURSOST2", "ASIGNOMT", "ASIGNOMT2", "PROFT",
                              "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"}) {
        if (!fs::exists(entorno.intercambio / (std::string(tabla) + ".DBF"))) {
            return "proceso finalizado sin la tabla " + std::string(tabla);
        }
    }
    // Every course's key is kept in CURSOST2 for the next import.
    auto cursos = Tabla::Abrir(entorno.intercambio / "CURSOST.DBF", Acceso::Compartido);
    auto guardados = Tabla::Abrir(cursos2, Acceso::Compartido);
    for (size_t fila = 0; fila < cursos->Filas(); ++fila) {
        if (!guardados->Buscar({{"CLAVE", cursos->LeerTexto(fila, "CLAVE")}})) {
            return "la clave de un curso no está en CURSOST2";
        }
    }
    return std::nullopt;
}

// ---- 2. the dBase reader ---------------------------------------------------------------------

inline constexpr size_t kFilasBuscadas = 16;

inline Fallo ProbarTabla(std::string_view bytes, const fs::path& archivo) {
    EscribirBytes(archivo, bytes);
    std::unique_ptr<Tabla> tabla;
    try {
        tabla = Tabla::Abrir(archivo, Acceso::Compartido);
    } catch (const ErrorPasaplan&) {
        return std::nullopt;
    }
    try {
        const auto& campos = tabla->Campos();
        for (size_t fila = 0; fila < tabla->Filas(); ++fila) {
            for (const Campo& campo : campos) {
                Texto texto;
                try {
                    texto = tabla->LeerTexto(fila, campo.nombre);
                } catch (const ErrorPasaplan&) {
                    continue;  // a binary kind that has no text
                }
                if (!texto.empty() && texto.back() == ' ') {
                    return "texto leído con blancos finales en " + campo.nombre;
                }
                try {
                    tabla->LeerEntero(fila, campo.nombre);
                } catch (const ErrorPasaplan&) {
                }
                try {
                    tabla->LeerFlotante(fila, campo.nombre);
                } catch (const ErrorPasaplan&) {
                }
                try {
                    tabla->LeerLogico(fila, campo.nombre);
                } catch (const ErrorPasaplan&) {
                }
                // Locate and filter find the row a value was read from, or an earlier one
                // (checked on the first rows only: each search walks the whole table).
                if (fila >= kFilasBuscadas) continue;
                const auto hallada = tabla->Buscar({{campo.nombre, texto}});
                if (!hallada || *hallada > fila) {
                    return "Buscar no encuentra el valor leído de " + campo.nombre;
                }
                const auto filas = tabla->Filtrar(campo.nombre, texto);
                if (std::find(filas.begin(), filas.end(), fila) == filas.end()) {
                    return "Filtrar no encuentra el valor leído de " + campo.nombre;
                }
            }
        }
    } catch (const ErrorPasaplan&) {
    } catch (const std::exception& e) {
        return std::string("excepción que no es un error del programa: ") + e.what();
    }
    return std::nullopt;
}

// ---- 3. the export run over fuzzed SOLUC and DIASHORAST ----------------------------------------

// Between the two tables of one input.
inline constexpr std::string_view kSeparadorTablas = "\n@@DIASHORAST@@\n";

struct EntornoExportacion {
    fs::path intercambio;    // the tables of an import run of the sample
    fs::path archivo;        // the Séneca file chosen
    std::string diashorast;  // the import's own DIASHORAST, used when the input has none
};

inline fs::path ResultadoDe(const fs::path& archivo) {
    return archivo.parent_path() / ("ResultadoVelmora" + archivo.filename().string());
}

// A complete result parses and ends with the document element's closing tag; otherwise what
// is wrong with it.
inline Fallo DocumentoIncompleto(const std::string& bytes) {
    std::string_view v(bytes);
    while (!v.empty() && (v.back() == '\n' || v.back() == '\r')) v.remove_suffix(1);
    if (!v.ends_with("</SERVICIO>")) {
        return "el documento no acaba en </SERVICIO>: …" +
               std::string(v.substr(v.size() - std::min<size_t>(v.size(), 60)));
    }
    try {
        Documento::DesdeMemoria(bytes, "resultado");
    } catch (const ErrorPasaplan& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

inline Fallo ProbarExportacion(std::string_view entrada, const EntornoExportacion& entorno) {
    const size_t corte = entrada.find(kSeparadorTablas);
    const std::string_view soluc = entrada.substr(0, corte);
    const std::string_view tramos = corte == std::string_view::npos
                                        ? std::string_view(entorno.diashorast)
                                        : entrada.substr(corte + kSeparadorTablas.size());
    EscribirBytes(entorno.intercambio / "SOLUC.DBF", soluc);
    EscribirBytes(entorno.intercambio / "DIASHORAST.DBF", tramos);

    const fs::path resultado = ResultadoDe(entorno.archivo);
    std::optional<std::string> anterior;
    if (fs::exists(resultado)) anterior = LeerBytes(resultado);

    EstadoPrincipal estado;
    estado.DirectorioIntercambio = entorno.intercambio;
    PersonaArnes persona;
    persona.archivo = entorno.archivo;
    bool finalizado = false;
    try {
        finalizado = EjecutarExportacion(estado, persona) == FinExportacion::Finalizado;
    } catch (const ErrorPasaplan&) {
    } catch (const std::exception& e) {
        return std::string("excepción que no es un error del programa: ") + e.what();
    }
    for (const auto& e : fs::directory_iterator(entorno.archivo.parent_path())) {
        if (e.path().filename().string().starts_with(".")) {
            return "queda un archivo temporal: " + e.path().string();
        }
    }
    if (finalizado) {
        if (!fs::exists(resultado)) return std::string("proceso finalizado sin documento");
        if (auto fallo = DocumentoIncompleto(LeerBytes(resultado))) {
            return "proceso finalizado con un documento incompleto: " + *fallo;
        }
        return std::nullopt;
    }
    const bool existe = fs::exists(resultado);
    if (existe != anterior.has_value() || (existe && LeerBytes(resultado) != *anterior)) {
        return std::string("una exportación fallida cambió el documento anterior");
    }
    return std::nullopt;
}

// ---- 4. the ini writer -----------------------------------------------------------------------

struct LineaIni {
    size_t inicio, finTexto, fin;
};

// An independent reading of an ini file: lines end at '\n' (a '\r' before it belongs to the
// line end), a byte-order mark belongs to no line.
inline std::vector<LineaIni> LineasIni(std::string_view c) {
    std::vector<LineaIni> lineas;
    size_t i = c.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (i < c.size()) {
        size_t salto = c.find('\n', i);
        if (salto == std::string_view::npos) {
            lineas.push_back({i, c.size(), c.size()});
            break;
        }
        lineas.push_back({i, salto > i && c[salto - 1] == '\r' ? salto - 1 : salto, salto + 1});
        i = salto + 1;
    }
    return lineas;
}

inline std::string_view RecortarIni(std::string_view t) {
    const size_t a = t.find_first_not_of(" \t\r\v\f");
    if (a == std::string_view::npos) return {};
    return t.substr(a, t.find_last_not_of(" \t\r\v\f") - a + 1);
}

inline std::optional<std::string_view> SeccionIni(std::string_view t) {
    t = RecortarIni(t);
    if (!t.starts_with('[')) return std::nullopt;
    const size_t cierre = t.rfind(']');
    if (cierre == std::string_view::npos) return std::nullopt;
    return RecortarIni(t.substr(1, cierre - 1));
}

// The value of the first key of the first matching section, as a reader of ini files sees it.
inline std::optional<std::string_view> ValorIni(std::string_view c, std::string_view seccion,
                                                std::string_view clave) {
    bool dentro = false;
    for (const LineaIni& l : LineasIni(c)) {
        const std::string_view t = c.substr(l.inicio, l.finTexto - l.inicio);
        if (const auto s = SeccionIni(t)) {
            if (dentro) return std::nullopt;
            dentro = IgualesSinMayusculas(*s, seccion);
            continue;
        }
        if (!dentro) continue;
        const size_t igual = t.find('=');
        if (!IgualesSinMayusculas(RecortarIni(t.substr(0, igual)), clave)) continue;
        if (igual == std::string_view::npos) return std::string_view();
        return RecortarIni(t.substr(igual + 1));
    }
    return std::nullopt;
}

// The first byte chooses the value and the spelling of section and key; the rest is the file.
inline Fallo ProbarIni(std::string_view entrada, const fs::path& archivo) {
    static const char* const kValores[] = {"1", "0", "-1", "2147483647"};
    const unsigned char elige = entrada.empty() ? 0 : static_cast<unsigned char>(entrada[0]);
    const std::string_view contenido = entrada.empty() ? entrada : entrada.substr(1);
    const std::string valor = kValores[elige % 4];
    const std::string seccion = (elige & 4) ? "TRANSFORMADORES" : "Transformadores";
    const std::string clave = (elige & 8) ? "transformado" : "Transformado";

    const std::string nuevo = plataforma::IniConValor(contenido, seccion, clave, valor);
    const auto leido = ValorIni(nuevo, "Transformadores", "Transformado");
    if (!leido || *leido != valor) return "la clave no quedó con el valor " + valor;
    if (plataforma::IniConValor(nuevo, seccion, clave, valor) != nuevo) {
        return std::string("escribir dos veces el mismo valor cambia el archivo");
    }

    // Bytes outside the section stay: everything up to its header and from the next section.
    const auto lineas = LineasIni(contenido);
    size_t cabecera = lineas.size();
    for (size_t i = 0; i < lineas.size() && cabecera == lineas.size(); ++i) {
        const auto s =
            SeccionIni(contenido.substr(lineas[i].inicio, lineas[i].finTexto - lineas[i].inicio));
        if (s && IgualesSinMayusculas(*s, seccion)) cabecera = i;
    }
    if (cabecera == lineas.size()) {
        if (!std::string_view(nuevo).starts_with(contenido)) {
            return std::string("sin la sección, el archivo no se conservó al principio");
        }
    } else {
        if (!std::string_view(nuevo).starts_with(contenido.substr(0, lineas[cabecera].fin))) {
            return std::string("cambió lo que precede a la sección");
        }
        for (size_t i = cabecera + 1; i < lineas.size(); ++i) {
            const LineaIni& l = lineas[i];
            if (SeccionIni(contenido.substr(l.inicio, l.finTexto - l.inicio))) {
                if (!std::string_view(nuevo).ends_with(contenido.substr(l.inicio))) {
                    return std::string("cambió lo que sigue a la sección");
                }
                break;
            }
        }
    }
    // One line changes or one is added (with the header when the section is new).
    const size_t antes = lineas.size(), despues = LineasIni(nuevo).size();
    if (despues < antes || despues > antes + 2) return std::string("cambió el número de líneas");

    // The file writer gives the same bytes.
    EscribirBytes(archivo, contenido);
    try {
        plataforma::EscribirEnteroIni(archivo, seccion, clave, std::stoi(valor));
    } catch (const ErrorPasaplan& e) {
        return std::string("el escritor de archivos falló: ") + e.what();
    }
    if (LeerBytes(archivo) != nuevo) return std::string("el archivo escrito difiere del texto");
    return std::nullopt;
}

}  // namespace pasaplan::arnes
