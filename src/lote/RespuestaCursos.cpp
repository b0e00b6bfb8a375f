// The course levels dialog answered from --recuperar/--no-recuperar and the --niveles file.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "import/ControlCursos.h"
#include "lote/InterlocutorLote.h"
#include "lote/Respuestas.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Cp1252.h"

namespace pasaplan::lote {
namespace {

constexpr std::string_view kCabecera = "CLAVE;NIVEL;CURSO";

struct LineaNiveles {
    size_t numero = 0;          // line number in the file, from 1
    Texto clave, nivel, curso;  // Windows-1252, exactly as written between the separators
};

Utf8 Ubicacion(const std::filesystem::path& archivo, size_t linea) {
    return "archivo de niveles " + plataforma::Utf8DeRuta(archivo) + ", línea " +
           Utf8::Numero(linea);
}

// The whole file, checked: UTF-8 that Windows-1252 can hold, the header, three values a line.
std::vector<LineaNiveles> LeerNiveles(const std::filesystem::path& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    std::ostringstream bytes;
    if (entrada) bytes << entrada.rdbuf();
    if (!entrada || entrada.bad()) {
        throw ErrorPasaplan("No se puede leer el archivo de niveles " +
                            plataforma::Utf8DeRuta(archivo) + ".");
    }
    std::string contenido = bytes.str();
    if (contenido.starts_with("\xEF\xBB\xBF")) contenido.erase(0, 3);

    std::vector<LineaNiveles> lineas;
    bool cabeceraVista = false;
    size_t numero = 0;
    size_t inicio = 0;
    while (inicio < contenido.size()) {
        size_t fin = contenido.find('\n', inicio);
        if (fin == std::string::npos) fin = contenido.size();
        std::string linea = contenido.substr(inicio, fin - inicio);
        inicio = fin + 1;
        ++numero;
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();

        if (!cabeceraVista) {
            if (linea != kCabecera) {
                throw ErrorPasaplan(
                    "Falta la cabecera CLAVE;NIVEL;CURSO en la primera línea del "
                    "archivo de niveles " +
                    plataforma::Utf8DeRuta(archivo) + ".");
            }
            cabeceraVista = true;
            continue;
        }
        if (linea.find_first_not_of(" \t") == std::string::npos) continue;

        // Letters outside Windows-1252 take their best fit, as in the dialog; a character
        // without one would be a silently different code.
        bool sinEquivalente = false;
        const Texto cp1252 = BytesUtf8ACp1252(linea, &sinEquivalente);
        if (sinEquivalente) {
            throw ErrorPasaplan("El " + Ubicacion(archivo, numero) +
                                " tiene texto que no es UTF-8 o caracteres sin equivalente en "
                                "Windows-1252.");
        }
        std::vector<Texto> valores;
        size_t desde = 0;
        for (;;) {
            const size_t punto = cp1252.find(';', desde);
            valores.push_back(
                cp1252.substr(desde, punto == Texto::npos ? Texto::npos : punto - desde));
            if (punto == Texto::npos) break;
            desde = punto + 1;
        }
        if (valores.size() != 3) {
            throw ErrorPasaplan("El " + Ubicacion(archivo, numero) +
                                ": se esperan tres valores separados por «;» (CLAVE;NIVEL;CURSO) "
                                "y hay " +
                                Utf8::Numero(valores.size()) + ".");
        }
        lineas.push_back({numero, valores[0], valores[1], valores[2]});
    }
    if (!cabeceraVista) {
        throw ErrorPasaplan("El archivo de niveles " + plataforma::Utf8DeRuta(archivo) +
                            " está vacío: falta la cabecera CLAVE;NIVEL;CURSO.");
    }
    return lineas;
}

void AvisarSiSeCorta(std::ostream& salida, const std::filesystem::path& archivo,
                     const LineaNiveles& linea, const char* campo, const Texto& valor,
                     size_t ancho) {
    if (valor.size() <= ancho) return;
    salida << "Aviso: " << campo << " «" << Cp1252AUtf8(valor) << "» del "
           << Ubicacion(archivo, linea.numero) << " se corta a " << ancho << " caracteres.\n";
}

}  // namespace

void ComprobarNiveles(const OpcionesLote& opciones) {
    if (opciones.niveles) LeerNiveles(*opciones.niveles);
}

ResultadoCursos ResponderDialogoCursos(const ContextoCursos& contexto, const OpcionesLote& opciones,
                                       InterlocutorLote& interlocutor, std::ostream& salida) {
    // The answers the dialog would gather: the recovery from the flags, the codes per key from
    // the --niveles file.
    RespuestasCursos respuestas{opciones.recuperar, {}};
    std::vector<LineaNiveles> lineas;
    if (opciones.niveles) lineas = LeerNiveles(*opciones.niveles);
    for (const LineaNiveles& linea : lineas) {
        respuestas.niveles.push_back({linea.clave, linea.nivel, linea.curso});
    }

    // FormShow. An engine error ends only that event, as in the dialog: the answers still
    // apply.
    auto cursos = AbrirCursos(contexto.directorio);
    RecuperarOAvisar(*cursos, contexto.directorio, respuestas.recuperar, interlocutor);

    // OK, as the window's.
    const AceptacionCursos aceptacion =
        AceptarCursos(*cursos, contexto.directorio, respuestas.niveles);
    size_t sinCurso = 0;
    for (size_t i = 0; i < lineas.size(); ++i) {
        const LineaNiveles& linea = lineas[i];
        const auto& archivo = *opciones.niveles;
        if (sinCurso < aceptacion.sinCurso.size() && aceptacion.sinCurso[sinCurso] == i) {
            ++sinCurso;
            salida << "Ningún curso tiene la clave «" << Cp1252AUtf8(linea.clave) << "» del "
                   << Ubicacion(archivo, linea.numero) << "; se ignora.\n";
            continue;
        }
        AvisarSiSeCorta(salida, archivo, linea, "El NIVEL", linea.nivel, 5);
        AvisarSiSeCorta(salida, archivo, linea, "El CURSO", linea.curso, 3);
    }
    // OK closes the dialog whatever the save did: the run goes on with CURSOST.
    AvisarErrorAlGuardar(aceptacion, interlocutor);

    // An incomplete course cannot be answered again here: the run stops as the forced exit
    // stops it, naming what is missing.
    const auto& incompletos = aceptacion.incompletos;
    if (incompletos.empty()) return {};
    Utf8 lista = "¡Atención! Falta algún Dato: estos cursos no tienen NIVEL o CURSO";
    lista += opciones.niveles ? " (complete el archivo de niveles " +
                                    plataforma::Utf8DeRuta(*opciones.niveles) + "):"
                              : " (indíquelos con --niveles):";
    for (const size_t fila : incompletos) {
        lista += "\n  " + Cp1252AUtf8(cursos->LeerTexto(fila, "CLAVE")) + "  " +
                 Cp1252AUtf8(cursos->LeerTexto(fila, "ESTUD"));
    }
    cursos.reset();
    interlocutor.Mensaje(lista);
    return ResultadoCursos{0, MarcaSalida::Fuera};
}

}  // namespace pasaplan::lote
