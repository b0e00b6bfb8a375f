#include "export/EscenarioExportacion.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <cstring>
#include <stdexcept>

#include "platform/Rutas.h"
#include "text/Cp1252.h"

namespace pasaplan::prueba {
namespace {

Campo CampoTexto(const char* nombre, int ancho) {
    return Campo{nombre, TipoCampo::Texto, ancho, 0};
}
Campo Entero(const char* nombre) { return Campo{nombre, TipoCampo::Entero, 0, 0}; }
Campo Flotante(const char* nombre) { return Campo{nombre, TipoCampo::Flotante, 0, 0}; }
Campo Logico(const char* nombre) { return Campo{nombre, TipoCampo::Logico, 0, 0}; }

FilaPrueba Profesor(const char* abrev, const char* nombre, const char* depart, const char* empleado,
                    const char* toma) {
    return {{"ABREV", abrev},
            {"NOMBRE", nombre},
            {"DEPART", depart},
            {"X_EMPLEADO", empleado},
            {"F_TOMAPOS", toma}};
}

FilaPrueba Tramo(int dia, int hora, const char* codigo, const char* desde, const char* hasta,
                 const char* minutos) {
    const std::string d = std::to_string(dia), h = std::to_string(hora);
    return {{"DIHO", d + h},      {"CODDIHO", codigo},   {"DIA", d},
            {"HORA", h},          {"TEXTOHOR", h + "ª"}, {"HORADESDE", desde},
            {"HORAHASTA", hasta}, {"MINUTOS", minutos},  {"MARCO", "0"}};
}

std::string TextoNodo(const xmlNode* nodo) {
    xmlChar* contenido = xmlNodeGetContent(nodo);
    std::string texto = contenido ? reinterpret_cast<const char*>(contenido) : "";
    xmlFree(contenido);
    return texto;
}

std::string Atributo(const xmlNode* nodo, const char* nombre) {
    xmlChar* valor = xmlGetProp(nodo, reinterpret_cast<const xmlChar*>(nombre));
    std::string texto = valor ? reinterpret_cast<const char*>(valor) : "";
    xmlFree(valor);
    return texto;
}

std::vector<const xmlNode*> Hijos(const xmlNode* nodo, const char* nombre) {
    std::vector<const xmlNode*> hijos;
    for (const xmlNode* h = nodo->children; h; h = h->next) {
        if (h->type == XML_ELEMENT_NODE &&
            std::strcmp(reinterpret_cast<const char*>(h->name), nombre) == 0) {
            hijos.push_back(h);
        }
    }
    return hijos;
}

}  // namespace

std::vector<Campo> CamposSoluc() {
    return {CampoTexto("PROF", 10),     Entero("DIA"),          Entero("HORA"),
            CampoTexto("MARCO", 1),     CampoTexto("ASIG", 10), CampoTexto("TAREA", 10),
            CampoTexto("CODGRUPO", 10), CampoTexto("AULA", 10), CampoTexto("CCONCIERTO", 20)};
}
std::vector<Campo> CamposProft() {
    return {CampoTexto("ABREV", 10), CampoTexto("NOMBRE", 80),     CampoTexto("DEPART", 40),
            Entero("DNI"),           CampoTexto("X_EMPLEADO", 10), CampoTexto("F_TOMAPOS", 10),
            CampoTexto("EMAIL", 100)};
}
std::vector<Campo> CamposGrupos() {
    return {CampoTexto("ABREV", 10),      CampoTexto("TURNO", 1),    CampoTexto("NIVEL", 5),
            CampoTexto("CURSO", 3),       CampoTexto("GRUPO", 2),    CampoTexto("CLAVE", 10),
            CampoTexto("CLAVECURSO", 10), CampoTexto("DESCRIP", 80), CampoTexto("MARCO", 1)};
}
std::vector<Campo> CamposAsig() {
    return {CampoTexto("CASIG", 10),      CampoTexto("CPROF", 10), CampoTexto("CGRUP", 10),
            CampoTexto("CAULA", 10),      CampoTexto("TURNO", 1),  CampoTexto("NIVEL", 5),
            CampoTexto("CURSO", 3),       CampoTexto("GRUPO", 2),  Flotante("HORAS"),
            CampoTexto("SESIONES", 20),   CampoTexto("NCONEX", 4), CampoTexto("CLAVE", 10),
            CampoTexto("CLAVECURSO", 10), CampoTexto("CTAREA", 10)};
}
std::vector<Campo> CamposNomAsg() {
    return {CampoTexto("COD", 10), CampoTexto("CODLARGO", 10), CampoTexto("NOMBRE", 80),
            CampoTexto("CODTAREA", 10), Logico("ESTAREA")};
}
std::vector<Campo> CamposNomAsg2() {
    return {CampoTexto("COD", 10),     CampoTexto("CODLARGO", 10),    CampoTexto("NOMBRE", 80),
            CampoTexto("MATERIA", 20), CampoTexto("OFERTAMATRI", 20), CampoTexto("CODTAREA", 10),
            Logico("ESTAREA")};
}
std::vector<Campo> CamposTramos() {
    return {CampoTexto("DIHO", 10),     CampoTexto("CODDIHO", 10),  CampoTexto("DIA", 20),
            CampoTexto("TEXTODIA", 20), CampoTexto("HORA", 8),      CampoTexto("TEXTOHOR", 15),
            CampoTexto("HORADESDE", 8), CampoTexto("HORAHASTA", 8), CampoTexto("MINUTOS", 8),
            CampoTexto("MARCO", 1)};
}
std::vector<Campo> CamposPeriodos() {
    return {CampoTexto("CURSOANNO", 4), CampoTexto("F_INICIO", 10), CampoTexto("F_FIN", 10)};
}

FilaPrueba Entrada(const std::string& prof, const std::string& dia, const std::string& hora,
                   const std::string& asig, const std::string& tarea, const std::string& grupo,
                   const std::string& aula, const std::string& concierto,
                   const std::string& marco) {
    return {{"PROF", prof},      {"DIA", dia},   {"HORA", hora},
            {"MARCO", marco},    {"ASIG", asig}, {"TAREA", tarea},
            {"CODGRUPO", grupo}, {"AULA", aula}, {"CCONCIERTO", concierto}};
}

std::string XmlSeneca(const std::string& primerBloque) {
    const std::string anno = primerBloque.empty()
                                 ? "<grupo_datos seq=\"ANNO_ACADEMICO\">\n"
                                   "   <dato nombre_dato=\"C_ANNO\">2024</dato>\n"
                                   "   <dato nombre_dato=\"F_INIHORREG\">15/09/2024</dato>\n"
                                   "   <dato nombre_dato=\"F_FINHORREG\">23/06/2025</dato>\n"
                                   "  </grupo_datos>"
                                 : primerBloque;
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
           "<!-- Exportación de Séneca hacia generadores de horario -->\n"
           "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\" autor=\"SENECA\" fecha=\"10/09/2024 "
           "12:30:00\">\n"
           " <BLOQUE_DATOS>\n"
           "  " +
           anno +
           "\n"
           "  <grupo_datos seq=\"CURSOS_DEL_CENTRO\" registros=\"1\">\n"
           "   <grupo_datos seq=\"CURSO_1\">\n"
           "    <dato nombre_dato=\"X_OFERTAMATRIG\">100323</dato>\n"
           "    <dato nombre_dato=\"D_OFERTAMATRIG\">1º de E.S.O.</dato>\n"
           "   </grupo_datos>\n"
           "  </grupo_datos>\n"
           " </BLOQUE_DATOS>\n"
           " <INFO_ADICIONAL version=\"2\">Sólo para Séneca</INFO_ADICIONAL>\n"
           "</SERVICIO>\n"
           "<!-- Añadido por la secretaría del centro -->\n";
}

EscenarioExportacion::EscenarioExportacion() {
    tablas["PROFT"] = {
        CamposProft(),
        {Profesor("GLM", "García López María", "Matemáticas", "48213", "01/09/2019"),
         Profesor("PRÁ", "Peña Ruiz Ángel", "Educación Física", "51007", "01/09/2021"),
         Profesor("SNI", "Sánchez Núñez Inés", "Inglés", "52990", "15/09/2022")}};
    tablas["SOLUC"] = {CamposSoluc(),
                       {Entrada("GLM", "1", "1", "MAT", "", "1ESOA", "4521", "ORD"),
                        Entrada("GLM", "1", "2", "#29", "#29"),
                        Entrada("GLM", "0", "0", "MAT", "", "1ESOA", "4521", "ORD"),
                        Entrada("PRÁ", "2", "1", "EF", "", "2BACHB", "GIM", "ORD"),
                        Entrada("GLM", "2", "3", "ING", "", "1ESOA", " 4522"),
                        Entrada("PRÁ", "1", "3", "#29", "29"), Entrada("PRÁ", "2", "2", "REU")}};
    tablas["GRUPOST"] = {CamposGrupos(),
                         {{{"ABREV", "1ESOA"},
                           {"CLAVE", "3174012"},
                           {"CLAVECURSO", "100323"},
                           {"DESCRIP", "1º de E.S.O."},
                           {"MARCO", "0"}},
                          {{"ABREV", "2BACHB"},
                           {"CLAVE", "3174020"},
                           {"CLAVECURSO", "100410"},
                           {"DESCRIP", "2º de Bachillerato (Ciencias)"},
                           {"MARCO", "0"}}}};
    tablas["CURSOST"] = {
        {CampoTexto("ABREV", 3), CampoTexto("TURNO", 1), CampoTexto("NIVEL", 5),
         CampoTexto("CURSO", 3), CampoTexto("CLAVE", 10), CampoTexto("ESTUD", 80)},
        {{{"NIVEL", "ESO"}, {"CURSO", "1"}, {"CLAVE", "100323"}, {"ESTUD", "1º de E.S.O."}}}};
    tablas["AULAT"] = {{CampoTexto("ABREV", 10), CampoTexto("NOMBRE", 80),
                        CampoTexto("EDIFICIO", 1), Entero("MAXALUM"), CampoTexto("DEPCENTRO", 10)},
                       {{{"ABREV", "4521"}, {"NOMBRE", "Aula 1.04"}, {"DEPCENTRO", "4521"}}}};
    tablas["ASIGNOMT"] = {
        CamposNomAsg(),
        {{{"COD", "MAT"}, {"NOMBRE", "Matemáticas"}, {"ESTAREA", "F"}},
         {{"COD", "ING"}, {"NOMBRE", "Inglés"}, {"ESTAREA", "F"}},
         {{"COD", "EF"}, {"NOMBRE", "Educación Física"}, {"ESTAREA", "F"}},
         {{"COD", "#29"}, {"NOMBRE", "Guardia"}, {"CODTAREA", "#29"}, {"ESTAREA", "T"}},
         {{"COD", "REU"},
          {"NOMBRE", "Reunión de departamento"},
          {"CODTAREA", "21"},
          {"ESTAREA", "T"}}}};
    tablas["ASIGNOMT2"] = {CamposNomAsg2(),
                           {{{"COD", "EF"},
                             {"NOMBRE", "Educación Física"},
                             {"MATERIA", "210077"},
                             {"OFERTAMATRI", "100410"}}}};
    tablas["ASIGT"] = {CamposAsig(),
                       {{{"CASIG", "MAT"},
                         {"CGRUP", "1ESOA"},
                         {"CLAVE", "210045"},
                         {"CLAVECURSO", "100323"},
                         {"CTAREA", "1"}},
                        {{"CASIG", "ING"},
                         {"CGRUP", "1ESOA"},
                         {"CLAVE", "210050"},
                         {"CLAVECURSO", "100323"},
                         {"CTAREA", "1"}}}};
    TablaPrueba tramos{CamposTramos(), {}};
    for (int dia = 1; dia <= 2; ++dia) {
        tramos.filas.push_back(Tramo(dia, 1, "3501", "08:15", "09:15", "60"));
        tramos.filas.push_back(Tramo(dia, 2, "3502", "09:15", "10:15", "60"));
        tramos.filas.push_back(Tramo(dia, 3, "3503", "10:15", "11:10", "55"));
    }
    tablas["DIASHORAST"] = tramos;
    tablas["PERIODOS"] = {
        CamposPeriodos(),
        {{{"CURSOANNO", "2024"}, {"F_INICIO", "15/09/2024"}, {"F_FIN", "23/06/2025"}}}};
    tablas["ORIGENES_C"] = {
        {Entero("X_CATORIHOR"), CampoTexto("C_ORIHOR", 20), CampoTexto("D_ORIHOR", 50)},
        {{{"X_CATORIHOR", "1"}, {"C_ORIHOR", "ORD"}, {"D_ORIHOR", "Horas lectivas ordinarias"}},
         {{"X_CATORIHOR", "2"},
          {"C_ORIHOR", "RED"},
          {"D_ORIHOR", "Reducción por mayores de 55 años"}}}};
    tablas["CUR_NIV_C"] = {{Entero("X_OFERTAMATRIG"), Entero("X_NIVCONPAGLEG")},
                           {{{"X_OFERTAMATRIG", "100323"}, {"X_NIVCONPAGLEG", "5"}},
                            {{"X_OFERTAMATRIG", "100410"}, {"X_NIVCONPAGLEG", "7"}}}};
    tablas["AUTORIZA_C"] = {{Entero("X_ORIHORACTETP"), Entero("X_ACTIVIDAD"), Entero("X_CATORIHOR"),
                             Entero("X_NIVCONPAGLEG")},
                            {{{"X_ORIHORACTETP", "17"},
                              {"X_ACTIVIDAD", "1"},
                              {"X_CATORIHOR", "1"},
                              {"X_NIVCONPAGLEG", "5"}},
                             {{"X_ORIHORACTETP", "18"},
                              {"X_ACTIVIDAD", "21"},
                              {"X_CATORIHOR", "1"},
                              {"X_NIVCONPAGLEG", "7"}}}};
    xml = XmlSeneca();

    estado.DirectorioIntercambio = Intercambio();
    estado.DirectorioPrograma = raiz_.Ruta();
}

void EscenarioExportacion::Escribir() {
    std::filesystem::create_directories(Intercambio());
    std::filesystem::create_directories(Carpeta());
    for (const auto& [nombre, tabla] : tablas) {
        const auto archivo = Intercambio() / (nombre + ".DBF");
        Tabla::Crear(archivo, tabla.campos);
        auto t = Tabla::Abrir(archivo, Acceso::Compartido);
        for (const FilaPrueba& fila : tabla.filas) {
            const size_t f = t->Agregar();
            for (const auto& [campo, valor] : fila)
                t->PonerTexto(f, campo, BytesUtf8ACp1252(valor));
            t->Grabar(f);
        }
    }
    EscribirArchivo(Archivo(), BytesUtf8ACp1252(xml));
}

FinExportacion EscenarioExportacion::Ejecutar() {
    Escribir();
    interlocutor.archivos.push_back(Archivo());
    return EjecutarExportacion(estado, interlocutor, &resumen);
}

// ---- reading the written document ----------------------------------------------------------

DocumentoLeido::DocumentoLeido(const std::filesystem::path& archivo)
    : doc_(xmlReadFile(plataforma::Utf8DeRuta(archivo).c_str(), nullptr, XML_PARSE_NONET),
           xmlFreeDoc) {
    if (!doc_) throw std::runtime_error("No se puede analizar " + archivo.string());
}

std::vector<xmlNode*> DocumentoLeido::Nodos(const std::string& xpath) const {
    std::vector<xmlNode*> nodos;
    xmlXPathContext* ctxt = xmlXPathNewContext(doc_.get());
    xmlXPathObject* resultado =
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), ctxt);
    if (resultado && resultado->nodesetval) {
        for (int i = 0; i < resultado->nodesetval->nodeNr; ++i) {
            nodos.push_back(resultado->nodesetval->nodeTab[i]);
        }
    }
    xmlXPathFreeObject(resultado);
    xmlXPathFreeContext(ctxt);
    return nodos;
}

size_t DocumentoLeido::Contar(const std::string& xpath) const { return Nodos(xpath).size(); }

std::string DocumentoLeido::Atributo(const std::string& xpath, const char* nombre) const {
    const auto nodos = Nodos(xpath);
    return nodos.empty() ? "" : prueba::Atributo(nodos.front(), nombre);
}

std::vector<std::pair<std::string, std::string>> DocumentoLeido::Datos(
    const std::string& xpath) const {
    std::vector<std::pair<std::string, std::string>> datos;
    const auto nodos = Nodos(xpath);
    if (nodos.empty()) return datos;
    for (const xmlNode* dato : Hijos(nodos.front(), "dato")) {
        datos.emplace_back(prueba::Atributo(dato, "nombre_dato"), TextoNodo(dato));
    }
    return datos;
}

std::string Seccion(bool regular) {
    return std::string("/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq='") +
           (regular ? "HORARIOS_REGULARES" : "HORARIOS_NO_REGULARES") + "']";
}

std::string Profesor(bool regular, int n) {
    return Seccion(regular) + "/grupo_datos[@seq='" +
           (regular ? "HORARIO_REGULAR_PROFESOR_" : "HORARIO_NO_REGULAR_PROFESOR_") +
           std::to_string(n) + "']";
}

std::string Actividad(bool regular, int n, int m) {
    return Profesor(regular, n) + "/grupo_datos[@seq='ACTIVIDAD_" + std::to_string(m) + "']";
}

void ComprobarInvariantes(const DocumentoLeido& doc, const std::vector<std::string>& empleados) {
    for (bool regular : {false, true}) {
        SCOPED_TRACE(regular ? "sección regular" : "sección no regular");
        const auto secciones = doc.Nodos(Seccion(regular));
        ASSERT_EQ(secciones.size(), 1u);
        const auto profesores = Hijos(secciones.front(), "grupo_datos");
        EXPECT_EQ(prueba::Atributo(secciones.front(), "registros"),
                  std::to_string(profesores.size()));
        ASSERT_EQ(profesores.size(), empleados.size());
        const std::string prefijo =
            regular ? "HORARIO_REGULAR_PROFESOR_" : "HORARIO_NO_REGULAR_PROFESOR_";
        for (size_t n = 0; n < profesores.size(); ++n) {
            const xmlNode* profesor = profesores[n];
            EXPECT_EQ(prueba::Atributo(profesor, "seq"), prefijo + std::to_string(n + 1));
            const auto datos = Hijos(profesor, "dato");
            ASSERT_EQ(datos.size(), 2u);
            EXPECT_EQ(prueba::Atributo(datos[0], "nombre_dato"), "X_EMPLEADO");
            EXPECT_EQ(TextoNodo(datos[0]), empleados[n]);
            EXPECT_EQ(prueba::Atributo(datos[1], "nombre_dato"), "F_TOMAPOS");
            const auto actividades = Hijos(profesor, "grupo_datos");
            EXPECT_EQ(prueba::Atributo(profesor, "registros"), std::to_string(actividades.size()));
            for (size_t m = 0; m < actividades.size(); ++m) {
                EXPECT_EQ(prueba::Atributo(actividades[m], "seq"),
                          "ACTIVIDAD_" + std::to_string(m + 1));
                EXPECT_EQ(actividades[m]->properties->next, nullptr) << "sin registros";
            }
        }
    }
}

}  // namespace pasaplan::prueba
