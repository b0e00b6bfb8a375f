#pragma once
// One step of the import run on its own: a Séneca export written inline, an exchange folder
// and a program folder of the test's own, and the rows a step wrote read back as UTF-8.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ejecucion/EstadoPrincipal.h"
#include "exchange/ExportacionSeneca.h"
#include "exchange/Tabla.h"
#include "import/Pasos.h"
#include "support/Apoyo.h"
#include "support/ExportacionXml.h"
#include "support/FilasTabla.h"
#include "support/InterlocutorGuion.h"
#include "text/Cp1252.h"

namespace pasaplan::prueba {

using Fila = std::vector<std::string>;  // one row, every field as UTF-8 text

class EntornoPaso {
  public:
    DirectorioTemporal dir;
    EstadoPrincipal estado;
    InterlocutorGuion persona;
    std::unique_ptr<ExportacionSeneca> documento;

    EntornoPaso() {
        std::filesystem::create_directories(dir.Ruta() / "VTEMP");
        std::filesystem::create_directories(dir.Ruta() / "programa");
        estado.DirectorioIntercambio = dir.Ruta() / "VTEMP";
        estado.DirectorioPrograma = dir.Ruta() / "programa";
    }

    // The export as Séneca writes it: ISO-8859-1 declared and encoded.
    void Exportacion(const std::string& bloquesUtf8) {
        documento = ExportacionSeneca::DesdeMemoria(BytesUtf8ACp1252(XmlExportacion(bloquesUtf8)),
                                                    "ExportacionHorarios.xml");
    }

    template <typename Paso>
    void Ejecutar(Paso paso) {
        ContextoImportacion ctx{estado, persona, *documento};
        paso(ctx);
    }

    std::filesystem::path Ruta(const Utf8& tabla) const {
        return Tabla::RutaEn(estado.DirectorioIntercambio, tabla);
    }
    bool Existe(const Utf8& tabla) const { return std::filesystem::exists(Ruta(tabla + ".DBF")); }

    // Every row, every field read as text and turned into UTF-8.
    std::vector<Fila> Filas(const Utf8& tabla) const {
        auto filas = FilasTabla(Tabla::RutaEn(estado.DirectorioIntercambio, tabla));
        for (Fila& fila : filas) {
            for (std::string& valor : fila) valor = Cp1252AUtf8(valor).Bytes();
        }
        return filas;
    }

    std::vector<std::string> NombresCampos(const Utf8& tabla) const {
        auto t = Tabla::AbrirEn(estado.DirectorioIntercambio, tabla, Acceso::Compartido);
        std::vector<std::string> nombres;
        for (const auto& c : t->Campos()) nombres.push_back(c.nombre);
        return nombres;
    }
};

// What dbfread reads from a table (tests/py/volcar_dbf.py): encoding, field line, one line per
// record; empty when /usr/bin/python3 with dbfread is not there.
inline std::vector<std::string> LeidoPorDbfread(const std::filesystem::path& tabla) {
    const std::string orden = "/usr/bin/python3 " PASAPLAN_SOURCE_DIR "/tests/py/volcar_dbf.py '" +
                              tabla.string() + "' 2>/dev/null";
    std::vector<std::string> lineas;
    FILE* tubo = popen(orden.c_str(), "r");
    if (!tubo) return lineas;
    std::string todo;
    char trozo[4096];
    size_t n;
    while ((n = fread(trozo, 1, sizeof trozo, tubo)) > 0) todo.append(trozo, n);
    if (pclose(tubo) != 0) return {};
    size_t inicio = 0;
    for (size_t fin; (fin = todo.find('\n', inicio)) != std::string::npos; inicio = fin + 1) {
        lineas.push_back(todo.substr(inicio, fin - inicio));
    }
    return lineas;
}

}  // namespace pasaplan::prueba
