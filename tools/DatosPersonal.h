#pragma once
// People and places of the synthetic Séneca export: departments, posts, names, surnames, rooms,
// and the catalogues of origins and levels (UTF-8 here; the generator writes ISO-8859-1).
#include <array>
#include <string_view>

#include "DatosSinteticos.h"

namespace generacion {

// Completes the hundred activities of a school: "Jefatura del Departamento de X", and so on.
inline constexpr auto kDepartamentos =
    std::to_array<string_view>({"Lengua Castellana y Literatura",
                                "Matemáticas",
                                "Inglés",
                                "Francés",
                                "Geografía e Historia",
                                "Biología y Geología",
                                "Física y Química",
                                "Educación Física",
                                "Música",
                                "Dibujo",
                                "Tecnología",
                                "Filosofía",
                                "Latín y Griego",
                                "Economía",
                                "Orientación",
                                "Religión",
                                "Informática",
                                "Administración",
                                "Electricidad",
                                "Sanidad",
                                "Fabricación Mecánica",
                                "Servicios Socioculturales",
                                "Formación, Evaluación e Innovación",
                                "Actividades Complementarias",
                                "Formación y Orientación Laboral",
                                "Educación de Personas Adultas",
                                "Convivencia",
                                "Bilingüismo",
                                "Calidad",
                                "Proyectos Europeos"});

inline constexpr auto kPuestos =
    std::to_array<string_view>({"Lengua Castellana y Literatura P.E.S.",
                                "Matemáticas P.E.S.",
                                "Inglés P.E.S.",
                                "Francés P.E.S.",
                                "Geografía e Historia P.E.S.",
                                "Biología y Geología P.E.S.",
                                "Física y Química P.E.S.",
                                "Educación Física P.E.S.",
                                "Música P.E.S.",
                                "Dibujo P.E.S.",
                                "Tecnología P.E.S.",
                                "Filosofía P.E.S.",
                                "Latín P.E.S.",
                                "Economía P.E.S.",
                                "Orientación Educativa P.E.S.",
                                "Religión Católica",
                                "Informática P.E.S.",
                                "Sistemas y Aplicaciones Informáticas P.T.F.P.",
                                "Administración de Empresas P.E.S.",
                                "Procesos de Gestión Administrativa P.T.F.P.",
                                "Sistemas Electrotécnicos y Automáticos P.E.S.",
                                "Instalaciones Electrotécnicas P.T.F.P.",
                                "Procesos Sanitarios P.E.S.",
                                "Procedimientos Sanitarios y Asistenciales P.T.F.P.",
                                "Intervención Sociocomunitaria P.E.S.",
                                "Organización y Proyectos de Fabricación Mecánica P.E.S.",
                                "Mecanizado y Mantenimiento de Máquinas P.T.F.P.",
                                "Pedagogía Terapéutica",
                                "Audición y Lenguaje"});

inline constexpr auto kNombres = std::to_array<string_view>({"María del Carmen",
                                                             "José Antonio",
                                                             "Ana Isabel",
                                                             "Francisco Javier",
                                                             "Lucía",
                                                             "Manuel",
                                                             "Rocío",
                                                             "Juan Carlos",
                                                             "María José",
                                                             "Antonio",
                                                             "Carmen",
                                                             "José Manuel",
                                                             "Isabel",
                                                             "Francisco",
                                                             "Pilar",
                                                             "David",
                                                             "Laura",
                                                             "Jesús",
                                                             "Marta",
                                                             "Alejandro",
                                                             "Cristina",
                                                             "Miguel Ángel",
                                                             "Elena",
                                                             "Rafael",
                                                             "Raquel",
                                                             "Pedro",
                                                             "Inmaculada",
                                                             "Javier",
                                                             "Sonia",
                                                             "Fernando",
                                                             "Nuria",
                                                             "Sergio",
                                                             "Beatriz",
                                                             "Álvaro",
                                                             "Mercedes",
                                                             "Jorge",
                                                             "Encarnación",
                                                             "Ignacio",
                                                             "Begoña",
                                                             "Ramón",
                                                             "Montserrat",
                                                             "Íñigo",
                                                             "Águeda",
                                                             "Óscar",
                                                             "Yolanda",
                                                             "Rubén",
                                                             "Noelia",
                                                             "Andrés",
                                                             "Consolación",
                                                             "Joaquín",
                                                             "Macarena",
                                                             "Tomás",
                                                             "Ángela",
                                                             "Emilio",
                                                             "Esperanza",
                                                             "Víctor",
                                                             "Remedios",
                                                             "Agustín",
                                                             "Soledad",
                                                             "Julián"});

inline constexpr auto kApellidos = std::to_array<string_view>(
    {"García",    "López",    "Martín",   "Ruiz",      "Fernández", "Gómez",     "Sánchez",
     "Díaz",      "Romero",   "Navarro",  "Jiménez",   "Moreno",    "Muñoz",     "Álvarez",
     "Rodríguez", "González", "Pérez",    "Hernández", "Martínez",  "Gutiérrez", "Alonso",
     "Castro",    "Ortega",   "Rubio",    "Molina",    "Delgado",   "Morales",   "Ortiz",
     "Marín",     "Iglesias", "Núñez",    "Medina",    "Garrido",   "Cortés",    "Castillo",
     "Santos",    "Lozano",   "Guerrero", "Cano",      "Prieto",    "Méndez",    "Cruz",
     "Calvo",     "Gallego",  "Vidal",    "León",      "Márquez",   "Herrera",   "Peña",
     "Flores",    "Cabrera",  "Campos",   "Vega",      "Fuentes",   "Carrasco",  "Diez",
     "Caballero", "Reyes",    "Nieto",    "Aguilar",   "Pascual",   "Santana",   "Herrero",
     "Montero",   "Lorenzo",  "Hidalgo",  "Giménez",   "Ibáñez",    "Ferrer",    "Durán",
     "Santiago",  "Benítez",  "Mora",     "Vicente",   "Vargas",    "Arias",     "Carmona",
     "Crespo",    "Castaño",  "Pastor"});

// Rooms beyond the numbered classrooms.
inline constexpr auto kDependencias = std::to_array<string_view>({"Laboratorio de Ciencias",
                                                                  "Laboratorio de Física y Química",
                                                                  "Taller de Tecnología",
                                                                  "Aula de Música",
                                                                  "Gimnasio",
                                                                  "Pista polideportiva",
                                                                  "Biblioteca",
                                                                  "Salón de Actos",
                                                                  "Aula de Dibujo",
                                                                  "Aula de Informática 1",
                                                                  "Aula de Informática 2",
                                                                  "Aula de Informática 3",
                                                                  "Aula de Informática 4",
                                                                  "Taller de Electricidad",
                                                                  "Taller de Automatismos",
                                                                  "Taller de Mecanizado",
                                                                  "Aula Taller de Enfermería",
                                                                  "Aula de Educación Infantil",
                                                                  "Aula de Convivencia",
                                                                  "Aula de Apoyo a la Integración",
                                                                  "Aula de Audición y Lenguaje",
                                                                  "Aula de Idiomas",
                                                                  "Aula Polivalente",
                                                                  "Sala de Profesores",
                                                                  "Departamento de Orientación",
                                                                  "Aula de Desdoble 1",
                                                                  "Aula de Desdoble 2",
                                                                  "Aula de Desdoble 3",
                                                                  "Aula de Plástica",
                                                                  "Sala de Usos Múltiples"});

struct Origen {
    string_view codigo;
    string_view descripcion;
};
inline constexpr auto kOrigenes = std::to_array<Origen>({
    {"ORD", "Horario ordinario"},
    {"BIL", "Enseñanza bilingüe"},
    {"PROA", "Programa de refuerzo PROA+"},
    {"COMP", "Compensación educativa"},
    {"DESD", "Desdobles y refuerzos de plantilla"},
});

struct NivelCatalogo {
    string_view codigo;
    string_view descripcion;
};
// One per family group, in the order NivelDeFamilia gives.
inline constexpr auto kNiveles = std::to_array<NivelCatalogo>({
    {"ESO", "Educación Secundaria Obligatoria"},
    {"BACH", "Bachillerato"},
    {"ESPA", "Educación Secundaria para Personas Adultas"},
    {"FPB", "Formación Profesional Básica"},
    {"FPGM", "Formación Profesional de Grado Medio"},
    {"FPGS", "Formación Profesional de Grado Superior"},
});

inline int NivelDeFamilia(Familia f) {
    switch (f) {
        case Familia::Eso:
            return 0;
        case Familia::BachCt:
        case Familia::BachHcs:
        case Familia::BachArt:
        case Familia::Bpa:
            return 1;
        case Familia::Espa:
            return 2;
        case Familia::Fpb:
            return 3;
        case Familia::GradoMedio:
            return 4;
        case Familia::GradoSuperior:
            return 5;
    }
    return 0;
}

}  // namespace generacion
