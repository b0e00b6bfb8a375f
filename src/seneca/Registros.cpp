// Decoding each block of Séneca's export into its records, once per document.
#include "seneca/Registros.h"

#include <string>

#include "exchange/ExportacionSeneca.h"
#include "text/Clipper.h"
#include "text/Numeros.h"

namespace pasaplan::seneca {
namespace {

// Whether the value is named nombre exactly: its markup from the 20th character is the name,
// or the name followed by the closing quote when the element was serialised.
bool Llamado(const Dato& dato, std::string_view nombre) {
    const std::string_view marca = dato.marca;
    return marca.starts_with(nombre) &&
           (marca.size() == nombre.size() || marca[nombre.size()] == '"');
}

// The first value named nombre, trimmed; empty when the record has none.
Texto PorNombre(const std::vector<Dato>& datos, std::string_view nombre) {
    for (const Dato& dato : datos) {
        if (Llamado(dato, nombre)) return AllTrim(dato.texto);
    }
    return Texto();
}

enum class Cortos { Fuera, Dentro };

// The records of bloque decoded by decodificar(datos, registro), numero set to the record's
// place in the block; records with fewer than two values left out unless cortos says so.
template <typename R, typename Decodificar>
const std::vector<R>& Decodificados(const ExportacionSeneca& doc, const char* bloque, Cortos cortos,
                                    Decodificar decodificar) {
    return doc.Derivado<std::vector<R>>(bloque, [&](const ExportacionSeneca& d) {
        const std::vector<Grupo>& grupos = d.Registros(bloque);
        std::vector<R> registros;
        registros.reserve(grupos.size());
        for (size_t i = 0; i < grupos.size(); ++i) {
            const auto& datos = grupos[i].Datos();
            if (cortos == Cortos::Fuera && datos.size() < 2) continue;
            R& r = registros.emplace_back();
            r.numero = i + 1;
            decodificar(datos, r);
        }
        return registros;
    });
}

}  // namespace

Texto Actividad::CodigoVelmora() const { return ConAlmohadilla() ? "#" + codigo : codigo; }

Texto Empleado::NombreCompleto() const { return apellido1 + " " + apellido2 + " " + nombre; }

Texto Empleado::BaseAbreviatura() const {
    return apellido1.substr(0, 1) + apellido2.substr(0, 1) + nombre.substr(0, 1);
}

Texto Empleado::NombreParaLeer() const {
    Texto texto;
    for (const Texto* parte : {&nombre, &apellido1, &apellido2}) {
        if (parte->empty()) continue;
        if (!texto.empty()) texto += ' ';
        texto += *parte;
    }
    return texto;
}

Texto CodigoMarcoCortado(std::string_view codigo) { return AllTrim(Left(AllTrim(codigo), 10)); }

const std::vector<AnnoAcademico>& AnnosAcademicos(const ExportacionSeneca& doc) {
    return doc.Derivado<std::vector<AnnoAcademico>>("", [](const ExportacionSeneca& d) {
        std::vector<AnnoAcademico> annos;
        const auto& bloques = d.Bloques();
        for (size_t b = 0; b < 2 && b < bloques.size(); ++b) {
            const auto& datos = bloques[b].Datos();
            if (datos.size() < 2) continue;
            annos.push_back(AnnoAcademico{b, Valor(datos, 0), Valor(datos, 1), Valor(datos, 2)});
        }
        return annos;
    });
}

const std::vector<Curso>& Cursos(const ExportacionSeneca& doc) {
    return Decodificados<Curso>(doc, "CURSOS_DEL_CENTRO", Cortos::Fuera,
                                [](const std::vector<Dato>& datos, Curso& c) {
                                    c.clave = Valor(datos, 0);
                                    c.estudios = Valor(datos, 1);
                                });
}

const std::vector<Materia>& Materias(const ExportacionSeneca& doc) {
    return Decodificados<Materia>(
        doc, "MATERIAS", Cortos::Fuera, [](const std::vector<Dato>& datos, Materia& m) {
            m.valores = datos.size();
            if (datos.size() > 2 && NombreDatoEs(datos[2], "X_MATERIAOMG")) {
                m.codigo = Valor(datos, 2);
            } else {
                m.nombre = Valor(datos, 2);
                m.conNombre = true;
            }
            if (NombreDatoEs(datos[1], "D_MATERIAC")) {
                m.nombre = Valor(datos, 1);
                m.conNombre = true;
            } else {
                m.codigo = Valor(datos, 1);
            }
            m.oferta = Valor(datos, 0);
        });
}

const std::vector<Actividad>& Actividades(const ExportacionSeneca& doc) {
    return Decodificados<Actividad>(doc, "ACTIVIDADES", Cortos::Fuera,
                                    [](const std::vector<Dato>& datos, Actividad& a) {
                                        a.regular = Valor(datos, 0);
                                        a.codigo = Valor(datos, 1);
                                        a.nombre = Valor(datos, 2);
                                        a.requiereUnidad = PorNombre(datos, "L_REQUNIDAD");
                                        a.requiereMateria = PorNombre(datos, "L_REQMATERIA");
                                    });
}

const std::vector<Empleado>& Empleados(const ExportacionSeneca& doc) {
    return Decodificados<Empleado>(doc, "EMPLEADOS", Cortos::Fuera,
                                   [](const std::vector<Dato>& datos, Empleado& e) {
                                       e.clave = Valor(datos, 0);
                                       e.tomaPosesion = Valor(datos, 1);
                                       e.puesto = Valor(datos, 2);
                                       e.apellido1 = Valor(datos, 3);
                                       e.apellido2 = Valor(datos, 4);
                                       e.nombre = Valor(datos, 5);
                                   });
}

const std::vector<Dependencia>& Dependencias(const ExportacionSeneca& doc) {
    return Decodificados<Dependencia>(doc, "DEPENDENCIAS", Cortos::Fuera,
                                      [](const std::vector<Dato>& datos, Dependencia& d) {
                                          d.clave = Valor(datos, 0);
                                          d.nombre = Valor(datos, 1);
                                          d.codigo = PorNombre(datos, "C_DEPENDENCIA");
                                      });
}

const std::vector<Unidad>& Unidades(const ExportacionSeneca& doc) {
    return Decodificados<Unidad>(doc, "UNIDADES", Cortos::Fuera,
                                 [](const std::vector<Dato>& datos, Unidad& u) {
                                     u.clave = Valor(datos, 0);
                                     u.nombre = Valor(datos, 1);
                                     u.claveCurso = Valor(datos, 2);
                                 });
}

const std::vector<Jornada>& Jornadas(const ExportacionSeneca& doc) {
    return Decodificados<Jornada>(
        doc, "JORNADAS_ESCOLARES", Cortos::Dentro, [](const std::vector<Dato>& datos, Jornada& j) {
            j.valores = datos.size();
            j.guardado = {ValorSinRecortar(datos, 0), ValorSinRecortar(datos, 1),
                          ValorSinRecortar(datos, 2), ValorSinRecortar(datos, 3)};
            j.codigo = AllTrim(j.guardado.codigo);
            j.nombre = AllTrim(j.guardado.nombre);
            j.inicio = AllTrim(j.guardado.inicio);
            j.fin = AllTrim(j.guardado.fin);
        });
}

const std::vector<Tramo>& Tramos(const ExportacionSeneca& doc) {
    return Decodificados<Tramo>(
        doc, "TRAMOS_HORARIOS", Cortos::Dentro, [](const std::vector<Dato>& datos, Tramo& t) {
            t.valores = datos.size();
            t.guardado = {ValorSinRecortar(datos, 1), ValorSinRecortar(datos, 4)};
            t.codigo = Valor(datos, 0);
            t.nombre = AllTrim(t.guardado.nombre);
            t.inicio = Valor(datos, 2);
            t.fin = Valor(datos, 3);
            t.minutosInicio = LeerMinutos(t.inicio);
            t.minutosFin = LeerMinutos(t.fin);
            t.marco = CodigoMarcoCortado(t.guardado.marco);
        });
}

const std::vector<Origen>& Origenes(const ExportacionSeneca& doc) {
    return Decodificados<Origen>(doc, "ORIGENES", Cortos::Fuera,
                                 [](const std::vector<Dato>& datos, Origen& o) {
                                     o.categoria = Valor(datos, 0);
                                     o.codigo = Valor(datos, 1);
                                     o.descripcion = Valor(datos, 2);
                                 });
}

const std::vector<Nivel>& Niveles(const ExportacionSeneca& doc) {
    return Decodificados<Nivel>(doc, "NIVELES", Cortos::Fuera,
                                [](const std::vector<Dato>& datos, Nivel& n) {
                                    n.nivel = Valor(datos, 0);
                                    n.codigo = Valor(datos, 1);
                                    n.descripcion = Valor(datos, 2);
                                });
}

const std::vector<CursoNivel>& CursosNiveles(const ExportacionSeneca& doc) {
    return Decodificados<CursoNivel>(doc, "CURSOS_NIVELES", Cortos::Fuera,
                                     [](const std::vector<Dato>& datos, CursoNivel& c) {
                                         c.oferta = Valor(datos, 0);
                                         c.nivel = Valor(datos, 1);
                                     });
}

const std::vector<Autorizacion>& Autorizaciones(const ExportacionSeneca& doc) {
    return Decodificados<Autorizacion>(doc, "AUTORIZACIONES", Cortos::Fuera,
                                       [](const std::vector<Dato>& datos, Autorizacion& a) {
                                           a.clave = Valor(datos, 0);
                                           a.actividad = Valor(datos, 1);
                                           a.categoria = Valor(datos, 2);
                                           a.nivel = Valor(datos, 3);
                                       });
}

size_t TotalRegistros(const ExportacionSeneca& doc, std::string_view bloque) {
    return doc.Registros(bloque).size();
}

}  // namespace pasaplan::seneca
