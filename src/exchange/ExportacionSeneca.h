#pragma once
// Séneca's export as the import run, its dialogs and its report read it: the groups of
// /SERVICIO/BLOQUE_DATOS (the blocks), the groups inside them (the records) and their "dato"
// elements (the values). Read in one pass without building libxml2's tree, and held compactly:
// a large export reads in a fraction of the time and memory of the tree. A file that uses
// what that pass does not model (namespaces, a DOCTYPE, markup inside a value, an attribute
// before nombre_dato, a reference in an attribute) is read through the tree instead, with the
// same results. The export run, which keeps the file's prolog, reads it as a Documento.
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

#include "text/Texto.h"

namespace pasaplan {

class Documento;
class Nodo;

// A "dato" element: its decoded text, converted to Windows-1252 and untrimmed, and what its
// name test compares: the element's markup from its 20th character on ("<dato
// nombre_dato=\"" is 19 characters long).
struct Dato {
    Texto texto;
    std::string marca;
};

// Value at position pos, trimmed with AllTrim; an absent position reads as the empty text.
Texto Valor(const std::vector<Dato>& datos, size_t pos);
// Same, untrimmed (the time-frame dialog shows texts as stored).
Texto ValorSinRecortar(const std::vector<Dato>& datos, size_t pos);
// The name test: the markup from its 20th character on begins with nombre (letters, digits
// and '_').
bool NombreDatoEs(const Dato& dato, std::string_view nombre);

// A "grupo_datos" element: its "dato" children, in document order.
struct Grupo {
    std::vector<Dato> datos;
    const std::vector<Dato>& Datos() const { return datos; }
};

class ExportacionSeneca {
  public:
    // How the file is read: in one pass where it can be (what the runs do), or always
    // through libxml2's tree (to compare both readings).
    enum class Via { Automatica, Arbol };

    // Reads archivo (no network, no entity substitution). A file that cannot be read or
    // parsed, or that declares entities, is an ErrorPasaplan naming the file and, where
    // known, line and column.
    static std::unique_ptr<ExportacionSeneca> Cargar(const std::filesystem::path& archivo,
                                                     Via via = Via::Automatica);
    // Same from memory; nombre names the document in messages.
    static std::unique_ptr<ExportacionSeneca> DesdeMemoria(std::string_view contenido,
                                                           const Utf8& nombre,
                                                           Via via = Via::Automatica);
    ~ExportacionSeneca();
    ExportacionSeneca(const ExportacionSeneca&) = delete;
    ExportacionSeneca& operator=(const ExportacionSeneca&) = delete;

    // The records of every block whose seq is bloque, in document order
    // ("/SERVICIO/BLOQUE_DATOS/grupo_datos[@seq=\"B\"]/grupo_datos").
    const std::vector<Grupo>& Registros(std::string_view bloque) const;
    // Every block ("/SERVICIO/BLOQUE_DATOS/grupo_datos"), with its own values.
    const std::vector<Grupo>& Bloques() const;
    const Utf8& Nombre() const { return nombre_; }
    // Whether the file was read through the tree.
    bool PorArbol() const { return arbol_ != nullptr; }

    // A value of type T worked out from the export by construir(*this), kept under clave: the
    // runs and the import report read some large blocks the same way several times.
    template <typename T, typename Construir>
    const T& Derivado(const std::string& clave, Construir construir) const {
        std::pair<std::type_index, std::string> llave(typeid(T), clave);
        auto it = derivados_.find(llave);
        if (it == derivados_.end()) {
            std::shared_ptr<const void> valor = std::make_shared<const T>(construir(*this));
            it = derivados_.emplace(std::move(llave), std::move(valor)).first;
        }
        return *static_cast<const T*>(it->second.get());
    }

  private:
    friend class LectorSeneca;
    explicit ExportacionSeneca(Utf8 nombre);
    // A group read through the tree.
    static Grupo DelArbol(const Nodo& nodo);

    Utf8 nombre_;
    std::vector<Grupo> bloques_;
    // Read in one pass: the records by their block's seq. Read through the tree: the tree,
    // and the records of each block name once asked for.
    mutable std::map<std::string, std::vector<Grupo>, std::less<>> registros_;
    std::unique_ptr<Documento> arbol_;
    mutable std::map<std::pair<std::type_index, std::string>, std::shared_ptr<const void>>
        derivados_;
};

}  // namespace pasaplan
