#pragma once
// Name pools of the synthetic Séneca export (UTF-8 here; the generator writes ISO-8859-1).
// The subject names of the common studies are those Séneca uses, most of them also in the
// reference table of subject codes, a few not (older names), so both ways of giving a code run.
#include <array>
#include <string_view>

// The people and places of the school are in DatosPersonal.h.

namespace generacion {

using std::string_view;

enum class Familia { Eso, BachCt, BachHcs, BachArt, Espa, Bpa, Fpb, GradoMedio, GradoSuperior };

struct TipoCurso {
    string_view estudios;  // D_OFERTAMATRIG
    string_view corto;     // start of the units' T_NOMBRE
    string_view nivel;     // NIVEL given in the course levels dialog
    string_view curso;     // CURSO given in the course levels dialog
    Familia familia;
    int unidades;  // units of this course
    int materias;  // MATERIAS records of this course
};

// One school: 40 courses, 48 units (two more records come from mixed units), 1,180 MATERIAS
// records (twenty more name courses the school does not have).
inline constexpr auto kCursos = std::to_array<TipoCurso>({
    {"1º de E.S.O.", "1º ESO", "ESO", "1", Familia::Eso, 4, 38},
    {"2º de E.S.O.", "2º ESO", "ESO", "2", Familia::Eso, 4, 38},
    {"3º de E.S.O.", "3º ESO", "ESO", "3", Familia::Eso, 3, 38},
    {"4º de E.S.O.", "4º ESO", "ESO", "4", Familia::Eso, 3, 38},
    {"1º Bachillerato (Ciencias y Tecnología)", "1º BCT", "BCT", "1", Familia::BachCt, 2, 44},
    {"2º Bachillerato (Ciencias y Tecnología)", "2º BCT", "BCT", "2", Familia::BachCt, 2, 44},
    {"1º Bachillerato (Humanidades y Ciencias Sociales)", "1º BHCS", "BHCS", "1", Familia::BachHcs,
     2, 44},
    {"2º Bachillerato (Humanidades y Ciencias Sociales)", "2º BHCS", "BHCS", "2", Familia::BachHcs,
     2, 44},
    {"1º Bachillerato (Artes)", "1º BART", "BART", "1", Familia::BachArt, 1, 44},
    {"2º Bachillerato (Artes)", "2º BART", "BART", "2", Familia::BachArt, 1, 44},
    {"1º E.S.P.A. (Educación Secundaria para Personas Adultas)", "1º ESPA", "ESPA", "1",
     Familia::Espa, 0, 30},
    {"2º E.S.P.A. (Educación Secundaria para Personas Adultas)", "2º ESPA", "ESPA", "2",
     Familia::Espa, 0, 30},
    {"1º Bachillerato Personas Adultas (Ciencias y Tecnología)", "1º BPA", "BPA", "1", Familia::Bpa,
     0, 40},
    {"2º Bachillerato Personas Adultas (Ciencias y Tecnología)", "2º BPA", "BPA", "2", Familia::Bpa,
     0, 40},
    {"1º F.P.B. (Informática y Comunicaciones)", "1º FPB IC", "FPBIC", "1", Familia::Fpb, 1, 24},
    {"2º F.P.B. (Informática y Comunicaciones)", "2º FPB IC", "FPBIC", "2", Familia::Fpb, 1, 24},
    {"1º F.P.B. (Electricidad y Electrónica)", "1º FPB EE", "FPBEE", "1", Familia::Fpb, 1, 24},
    {"2º F.P.B. (Electricidad y Electrónica)", "2º FPB EE", "FPBEE", "2", Familia::Fpb, 1, 24},
    {"1º F.P.I.G.M. (Sistemas Microinformáticos y Redes)", "1º SMR", "SMR", "1",
     Familia::GradoMedio, 1, 24},
    {"2º F.P.I.G.M. (Sistemas Microinformáticos y Redes)", "2º SMR", "SMR", "2",
     Familia::GradoMedio, 1, 24},
    {"1º F.P.I.G.M. (Instalaciones Eléctricas y Automáticas)", "1º IEA", "IEA", "1",
     Familia::GradoMedio, 1, 24},
    {"2º F.P.I.G.M. (Instalaciones Eléctricas y Automáticas)", "2º IEA", "IEA", "2",
     Familia::GradoMedio, 1, 24},
    {"1º F.P.I.G.M. (Gestión Administrativa)", "1º GA", "GA", "1", Familia::GradoMedio, 1, 24},
    {"2º F.P.I.G.M. (Gestión Administrativa)", "2º GA", "GA", "2", Familia::GradoMedio, 1, 24},
    {"1º F.P.I.G.M. (Cuidados Auxiliares de Enfermería)", "1º CAE", "CAE", "1", Familia::GradoMedio,
     1, 24},
    {"2º F.P.I.G.M. (Cuidados Auxiliares de Enfermería)", "2º CAE", "CAE", "2", Familia::GradoMedio,
     1, 24},
    {"1º F.P.I.G.M. (Mecanizado)", "1º MEC", "MEC", "1", Familia::GradoMedio, 1, 24},
    {"2º F.P.I.G.M. (Mecanizado)", "2º MEC", "MEC", "2", Familia::GradoMedio, 1, 24},
    {"1º F.P.I.G.S. (Desarrollo de Aplicaciones Web)", "1º DAW", "DAW", "1", Familia::GradoSuperior,
     1, 24},
    {"2º F.P.I.G.S. (Desarrollo de Aplicaciones Web)", "2º DAW", "DAW", "2", Familia::GradoSuperior,
     1, 24},
    {"1º F.P.I.G.S. (Administración de Sistemas Informáticos en Red)", "1º ASIR", "ASIR", "1",
     Familia::GradoSuperior, 1, 24},
    {"2º F.P.I.G.S. (Administración de Sistemas Informáticos en Red)", "2º ASIR", "ASIR", "2",
     Familia::GradoSuperior, 1, 24},
    {"1º F.P.I.G.S. (Administración y Finanzas)", "1º AF", "AF", "1", Familia::GradoSuperior, 1,
     24},
    {"2º F.P.I.G.S. (Administración y Finanzas)", "2º AF", "AF", "2", Familia::GradoSuperior, 1,
     24},
    {"1º F.P.I.G.S. (Automatización y Robótica Industrial)", "1º ARI", "ARI", "1",
     Familia::GradoSuperior, 1, 24},
    {"2º F.P.I.G.S. (Automatización y Robótica Industrial)", "2º ARI", "ARI", "2",
     Familia::GradoSuperior, 0, 24},
    {"1º F.P.I.G.S. (Educación Infantil)", "1º EI", "EI", "1", Familia::GradoSuperior, 1, 24},
    {"2º F.P.I.G.S. (Educación Infantil)", "2º EI", "EI", "2", Familia::GradoSuperior, 1, 24},
    {"1º F.P.I.G.S. (Desarrollo de Aplicaciones Multiplataforma)", "1º DAM", "DAM", "1",
     Familia::GradoSuperior, 1, 24},
    {"2º F.P.I.G.S. (Desarrollo de Aplicaciones Multiplataforma)", "2º DAM", "DAM", "2",
     Familia::GradoSuperior, 0, 24},
});

inline constexpr auto kMateriasEso = std::to_array<string_view>(
    {"Lengua Castellana y Literatura",
     "Matemáticas",
     "Primera Lengua Extranjera: Inglés",
     "Geografía e Historia",
     "Biología y Geología",
     "Física y Química",
     "Educación Física",
     "Música",
     "Educación Plástica, Visual y Audiovisual",
     "Tecnología y Digitalización",
     "Religión Católica",
     "Religión Evangélica",
     "Religión Islámica",
     "Atención Educativa",
     "Segunda Lengua Extranjera: Francés",
     "Segunda Lengua Extranjera: Alemán",
     "Tutoría",
     "Computación y Robótica",
     "Educación en Valores Cívicos y Éticos",
     "Cultura Clásica",
     "Latín",
     "Economía y Emprendimiento",
     "Expresión Artística",
     "Digitalización",
     "Formación y Orientación Personal y Profesional",
     "Oratoria y Debate",
     "Proyecto Interdisciplinar",
     "Programa de Refuerzo del Aprendizaje",
     "Programa de Profundización",
     "Ámbito Lingüístico y Social",
     "Ámbito Científico-Tecnológico",
     "Matemáticas A",
     "Matemáticas B",
     "Matemáticas Orientadas a las Enseñanzas Académicas"});  // the last one: an older name

inline constexpr auto kMateriasBachillerato =
    std::to_array<string_view>({"Lengua Castellana y Literatura I",
                                "Lengua Castellana y Literatura II",
                                "Primera Lengua Extranjera I: Inglés",
                                "Primera Lengua Extranjera II: Inglés",
                                "Segunda Lengua Extranjera I: Francés",
                                "Segunda Lengua Extranjera II: Francés",
                                "Filosofía",
                                "Historia de la Filosofía",
                                "Historia de España",
                                "Educación Física",
                                "Matemáticas I",
                                "Matemáticas II",
                                "Matemáticas Aplicadas a las Ciencias Sociales I",
                                "Matemáticas Aplicadas a las Ciencias Sociales II",
                                "Física",
                                "Química",
                                "Biología, Geología y Ciencias Ambientales",
                                "Biología",
                                "Dibujo Técnico I",
                                "Dibujo Técnico II",
                                "Tecnología e Ingeniería I",
                                "Tecnología e Ingeniería II",
                                "Economía",
                                "Empresa y Diseño de Modelos de Negocio",
                                "Latín I",
                                "Latín II",
                                "Griego I",
                                "Griego II",
                                "Historia del Mundo Contemporáneo",
                                "Literatura Universal",
                                "Geografía",
                                "Historia del Arte",
                                "Anatomía Aplicada",
                                "Psicología",
                                "Dibujo Artístico I",
                                "Cultura Audiovisual",
                                "Proyectos Artísticos",
                                "Volumen",
                                "Religión Católica",
                                "Estadística"});

inline constexpr auto kModulosInformatica =
    std::to_array<string_view>({"Montaje y mantenimiento de equipos",
                                "Sistemas operativos monopuesto",
                                "Aplicaciones ofimáticas",
                                "Sistemas operativos en red",
                                "Redes locales",
                                "Seguridad informática",
                                "Servicios en red",
                                "Aplicaciones Web",
                                "Sistemas informáticos",
                                "Bases de datos",
                                "Programación",
                                "Lenguajes de marcas y sistemas de gestión de información",
                                "Entornos de desarrollo",
                                "Desarrollo Web en entorno cliente",
                                "Desarrollo Web en entorno servidor",
                                "Despliegue de aplicaciones Web",
                                "Diseño de interfaces Web",
                                "Formación y orientación laboral",
                                "Empresa e iniciativa emprendedora",
                                "Formación en centros de trabajo",
                                "Proyecto",
                                "Inglés profesional",
                                "Itinerario personal para la empleabilidad I",
                                "Digitalización aplicada a los sectores productivos"});

inline constexpr auto kModulosOtros =
    std::to_array<string_view>({"Comunicación empresarial y atención al cliente",
                                "Operaciones administrativas de compraventa",
                                "Tratamiento informático de la información",
                                "Técnica contable",
                                "Operaciones auxiliares de gestión de tesorería",
                                "Electrotecnia",
                                "Instalaciones eléctricas interiores",
                                "Automatismos industriales",
                                "Instalaciones domóticas",
                                "Técnicas básicas de enfermería",
                                "Higiene del medio hospitalario",
                                "Promoción de la salud y apoyo psicológico al paciente",
                                "Procesos de mecanizado",
                                "Fabricación por arranque de viruta",
                                "Didáctica de la educación infantil",
                                "Autonomía personal y salud infantil",
                                "El juego infantil y su metodología",
                                "Comunicación y Sociedad I",
                                "Comunicación y Sociedad II",
                                "Ciencias Aplicadas I",
                                "Ciencias Aplicadas II",
                                "Formación y orientación laboral",
                                "Inglés técnico",
                                "Sostenibilidad aplicada al sistema productivo"});

// Optional subjects each school designs itself ("libre configuración"): prefix + topic.
inline constexpr auto kPrefijosOptativa = std::to_array<string_view>(
    {"Taller de", "Ampliación de", "Proyecto de", "Laboratorio de", "Iniciación a", "Refuerzo de"});
inline constexpr auto kTemasOptativa = std::to_array<string_view>({"Lengua",
                                                                   "Matemáticas",
                                                                   "Inglés",
                                                                   "Francés",
                                                                   "Robótica",
                                                                   "Programación",
                                                                   "Teatro",
                                                                   "Astronomía",
                                                                   "Cultura Andaluza",
                                                                   "Oratoria",
                                                                   "Fotografía",
                                                                   "Música y Movimiento",
                                                                   "Ajedrez",
                                                                   "Emprendimiento",
                                                                   "Igualdad de Género",
                                                                   "Medio Ambiente",
                                                                   "Patrimonio de Andalucía",
                                                                   "Cine y Literatura",
                                                                   "Periodismo Escolar",
                                                                   "Estadística"});

// Subjects of course keys the school does not list (they come from other centres' offers).
inline constexpr auto kMateriasAjenas = std::to_array<string_view>(
    {"Proyecto Integrado", "Ámbito Práctico", "Educación para la Ciudadanía",
     "Métodos de la Ciencia", "Cambios Sociales y Género"});

struct Actividad {
    int clave;
    bool regular;  // L_REGULAR "S"
    string_view nombre;
};

inline constexpr auto kActividades = std::to_array<Actividad>({
    {1, true, "Docencia"},
    {2, false, "Guardia"},
    {3, false, "Reunión de Departamento"},
    {5, false, "Reunión de Área de Competencia"},
    {6, false, "Reunión de Equipo Técnico de Coordinación Pedagógica"},
    {8, false, "Reunión del Consejo Escolar"},
    {9, false, "Reunión del Claustro"},
    {18, true, "Tutoría lectiva"},
    {19, false, "Reunión de Equipo Educativo"},
    {20, false, "Tutoría de atención a familias"},
    {21, false, "Cargo directivo"},
    {22, false, "Jefatura de Departamento"},
    {24, false, "Coordinación Plan de Bilingüismo"},
    {25, false, "Coordinación TDE (Transformación Digital Educativa)"},
    {26, false, "Coordinación Plan de Igualdad"},
    {27, false, "Coordinación Escuela Espacio de Paz"},
    {28, false, "Coordinación Plan de Salud Laboral y P.R.L."},
    {29, false, "Coordinación de Biblioteca"},
    {30, false, "Coordinación Erasmus+"},
    {31, false, "Coordinación de la FCT"},
    {32, false, "Guardia de recreo"},
    {33, false, "Guardia de biblioteca"},
    {34, false, "Guardia en aula de convivencia"},
    {35, false, "Atención al alumnado en aula de convivencia"},
    {36, true, "Desdoble"},
    {37, true, "Apoyo a alumnado con NEAE"},
    {38, true, "Programa de Refuerzo de Materias Instrumentales"},
    {39, true, "Seguimiento de la FCT"},
    {40, false, "Reducción por mayor de 55 años"},
    {41, false, "Preparación de actividades complementarias"},
    {42, false, "Mantenimiento de equipos informáticos"},
    {43, true, "Apoyo y refuerzo"},
    {44, true, "Horas de libre disposición"},
    {45, false, "Organización y funcionamiento del laboratorio"},
    {46, false, "Actividades extraescolares"},
    {48, false, "Programación de actividades"},
    {50, true, "Docencia telemática (semipresencial)"},
    {52, false, "Formación del profesorado"},
    {54, false, "Servicio de guardia de transporte"},
    {56, false, "Atención a padres y madres"},
});

}  // namespace generacion
