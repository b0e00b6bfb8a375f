// Step 3: the subjects of block "MATERIAS" into ASIGNOMT (one row per distinct subject, with a
// unique short code) and ASIGNOMT2 (one row per subject and course offer, back to Séneca).
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "import/CodigosMaterias.h"
#include "import/Pasos.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "seneca/Registros.h"
#include "text/Clipper.h"
#include "text/Cp1252.h"

namespace pasaplan {

namespace {

constexpr char kTablaReferencia[] = "SENEMATERIAS.DBF";
constexpr size_t kAnchoNombre = 80;

std::vector<Campo> CamposAsignomt() {
    return {CampoTexto("COD", 10), CampoTexto("CODLARGO", 10), CampoTexto("NOMBRE", 80),
            CampoTexto("CODTAREA", 10), CampoLogico("ESTAREA")};
}

std::vector<Campo> CamposAsignomt2() {
    return {CampoTexto("COD", 10),     CampoTexto("CODLARGO", 10),    CampoTexto("NOMBRE", 80),
            CampoTexto("MATERIA", 20), CampoTexto("OFERTAMATRI", 20), CampoTexto("CODTAREA", 10),
            CampoLogico("ESTAREA")};
}

std::unique_ptr<Tabla> AbrirReferencia(const ContextoImportacion& ctx) {
    const auto& directorio = ctx.estado.DirectorioPrograma;
    const auto ruta = Tabla::RutaEn(directorio, kTablaReferencia);
    if (!plataforma::ExisteArchivo(ruta)) {
        throw ErrorPasaplan(Utf8("No se encuentra la tabla de materias de Séneca «") +
                            kTablaReferencia + "» en la carpeta del programa «" +
                            plataforma::Utf8DeRuta(directorio) + "». Reinstale el programa.");
    }
    return Tabla::Abrir(ruta, Acceso::Compartido);
}

// A record as read (name, Séneca's code, course offer) with the codes the step gives it.
struct Materia {
    const seneca::Materia& leida;
    Texto codigo, codigoLargo;
};

void PonerFila(Tabla& tabla, const Texto& codigo, const Materia& m, bool conSeneca) {
    const size_t fila = tabla.Agregar();
    tabla.PonerTexto(fila, "COD", codigo);
    tabla.PonerTexto(fila, "CODLARGO", m.codigoLargo);
    tabla.PonerTexto(fila, "NOMBRE", m.leida.nombre);
    if (conSeneca) {
        tabla.PonerTexto(fila, "MATERIA", m.leida.codigo);
        tabla.PonerTexto(fila, "OFERTAMATRI", m.leida.oferta);
    }
    tabla.PonerLogico(fila, "ESTAREA", false);
    tabla.Grabar(fila);
}

}  // namespace

void CargarMaterias(ContextoImportacion& ctx) {
    auto asignomt = CrearTablaPaso(ctx, "ASIGNOMT", CamposAsignomt());
    auto asignomt2 = CrearTablaPaso(ctx, "ASIGNOMT2", CamposAsignomt2());
    const auto referencia = AbrirReferencia(ctx);

    if (!ctx.estado.Listas) ctx.estado.Listas = std::make_unique<ListasMaterias>();
    ListasMaterias& listas = *ctx.estado.Listas;
    NumerosProbados numerados;            // ListaCodigos only grows during the step
    Texto nombreMayusculas, largoNombre;  // reused for every record

    // What a name gave the first time: its long code, and the COD of the first ASIGNOMT row
    // with that long code and name once there is one. A later record of the name gives the
    // same: the reference table does not change; the name is then in the three lists, which
    // only grow; and ASIGNOMT rows are only appended, so the first one found stays first.
    struct NombreVisto {
        Texto codigoLargo;
        std::optional<Texto> codigoFila;
    };
    std::unordered_map<Texto, NombreVisto> vistos;

    // A subject already known: a bridge row for an offer not yet in ASIGNOMT2.
    const auto ponerConocida = [&](const Materia& m, std::optional<Texto>& codigoFila) {
        if (asignomt2->Buscar({{"MATERIA", m.leida.codigo}, {"OFERTAMATRI", m.leida.oferta}})) {
            return;
        }
        if (!codigoFila) {
            const std::string_view largoCortado =
                std::string_view(m.codigoLargo).substr(0, kAnchoCodigoMateria);
            const std::string_view nombreCortado =
                std::string_view(m.leida.nombre).substr(0, kAnchoNombre);
            if (const auto fila =
                    asignomt->Buscar({{"CODLARGO", largoCortado}, {"NOMBRE", nombreCortado}})) {
                codigoFila = asignomt->LeerTexto(*fila, "COD");
            }
        }
        if (codigoFila) PonerFila(*asignomt2, *codigoFila, m, true);
    };

    // Records of two values or more; the code and the name may come in either order.
    for (const seneca::Materia& leida : seneca::Materias(ctx.documento)) {
        const Texto& nombre = leida.nombre;
        if (const auto visto = vistos.find(nombre); visto != vistos.end()) {
            ponerConocida(Materia{leida, {}, visto->second.codigoLargo}, visto->second.codigoFila);
            continue;
        }
        Materia m{leida, {}, {}};

        if (const auto fila = referencia->Buscar({{"NOMBRE", nombre}})) {
            m.codigo = referencia->LeerTexto(*fila, "COD");
            m.codigoLargo = referencia->LeerTexto(*fila, "CODLARGO");
        }
        if (EnBlanco(m.codigo)) {
            // Nothing to build a code from: such a record cannot name a subject.
            if (nombre.empty()) continue;
            m.codigo = CodigoDesdeNombre(nombre);
        }
        if (EnBlanco(m.codigoLargo)) m.codigoLargo = CodigoLargoDesdeCodigo(m.codigo, nombre);
        m.codigo = Left(m.codigo, static_cast<long>(kAnchoCodigoMateria));

        nombreMayusculas.assign(nombre);  // MayusculasAscii without a new string
        for (char& c : nombreMayusculas) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        largoNombre.assign(m.codigoLargo).append(nombre);
        const bool conocida = listas.ListaNombres.contains(nombreMayusculas) &&
                              listas.ListaCodLargos.contains(m.codigoLargo) &&
                              listas.ListaCodLargoNombre.contains(largoNombre);
        NombreVisto& visto = vistos.emplace(nombre, NombreVisto{m.codigoLargo, {}}).first->second;
        if (conocida) {
            ponerConocida(m, visto.codigoFila);
            continue;
        }

        listas.ListaNombres.insert(nombreMayusculas);
        listas.ListaCodLargos.insert(m.codigoLargo);
        listas.ListaCodLargoNombre.insert(largoNombre);
        const Texto codigo = CodigoUnico(m.codigo, listas.ListaCodigos, &numerados);
        listas.ListaCodigos.insert(codigo);
        PonerFila(*asignomt, codigo, m, false);
        PonerFila(*asignomt2, codigo, m, true);
    }

    CerrarTablaPaso(ctx, asignomt);
    CerrarTablaPaso(ctx, asignomt2);
}

}  // namespace pasaplan
