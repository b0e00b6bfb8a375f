#pragma once
// A small school ready for an export run: the exchange directory's tables (built directly, as
// the import run and Velmora would leave them), a Séneca file, a scripted person, and a reader
// of the written document that uses libxml2 on its own.
#include <libxml/tree.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ejecucion/EstadoPrincipal.h"
#include "exchange/Tabla.h"
#include "export/Exportacion.h"
#include "support/Apoyo.h"
#include "support/InterlocutorGuion.h"

namespace pasaplan::prueba {

// One row: field name and value, UTF-8 (stored as Windows-1252).
using FilaPrueba = std::vector<std::pair<std::string, std::string>>;

struct TablaPrueba {
    std::vector<Campo> campos;
    std::vector<FilaPrueba> filas;
};

// Field layouts of the tables the export run reads.
std::vector<Campo> CamposSoluc();
std::vector<Campo> CamposProft();
std::vector<Campo> CamposGrupos();
std::vector<Campo> CamposAsig();
std::vector<Campo> CamposNomAsg();
std::vector<Campo> CamposNomAsg2();
std::vector<Campo> CamposTramos();
std::vector<Campo> CamposPeriodos();

// A SOLUC row; marco "0" unless given.
FilaPrueba Entrada(const std::string& prof, const std::string& dia, const std::string& hora,
                   const std::string& asig, const std::string& tarea = "",
                   const std::string& grupo = "", const std::string& aula = "",
                   const std::string& concierto = "", const std::string& marco = "0");

// The written document, read back with libxml2. Texts are UTF-8.
class DocumentoLeido {
  public:
    explicit DocumentoLeido(const std::filesystem::path& archivo);
    size_t Contar(const std::string& xpath) const;
    // Attribute of the first node the expression selects ("" when none).
    std::string Atributo(const std::string& xpath, const char* nombre) const;
    // The dato children of the first node selected: (nombre_dato, text), in order.
    std::vector<std::pair<std::string, std::string>> Datos(const std::string& xpath) const;
    std::vector<xmlNode*> Nodos(const std::string& xpath) const;
    xmlDoc* Crudo() const { return doc_.get(); }

  private:
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> doc_;
};

// XPath of a section, a professor group (n from 1) and an activity group (m from 1).
std::string Seccion(bool regular);
std::string Profesor(bool regular, int n);
std::string Actividad(bool regular, int n, int m);

// Checks what every written document must satisfy: registros equal to the child groups,
// both sections with the professors of PROFT in its order, numbering from 1 without gaps.
void ComprobarInvariantes(const DocumentoLeido& doc, const std::vector<std::string>& empleados);

class EscenarioExportacion {
  public:
    EscenarioExportacion();  // the small school of the golden file

    // Tables by name; a table removed from the map is not written.
    std::map<std::string, TablaPrueba> tablas;
    std::string xml;  // the Séneca file, UTF-8 here, written as ISO-8859-1
    std::string nombreArchivo = "ExportacionHorarios.xml";

    EstadoPrincipal estado;
    InterlocutorGuion interlocutor;
    ResumenExportacion resumen;

    std::filesystem::path Intercambio() const { return raiz_.Ruta() / "VTEMP"; }
    std::filesystem::path Carpeta() const { return raiz_.Ruta() / "seneca"; }
    std::filesystem::path Archivo() const { return Carpeta() / nombreArchivo; }
    std::filesystem::path Resultado() const {
        return Carpeta() / ("ResultadoVelmora" + nombreArchivo);
    }

    // Writes the tables and the Séneca file.
    void Escribir();
    // Writes everything, then runs the export choosing the Séneca file.
    FinExportacion Ejecutar();
    DocumentoLeido Leer() const { return DocumentoLeido(Resultado()); }

  private:
    DirectorioTemporal raiz_;
};

// The Séneca file of the small school; cabecera replaces the first block when given.
std::string XmlSeneca(const std::string& primerBloque = "");

}  // namespace pasaplan::prueba
