// Step 9: the teaching days and the time slots of the one or two frames in use, into DIASHORAST.
#include <optional>
#include <string>
#include <vector>

#include "import/EleccionMarcos.h"
#include "import/Pasos.h"
#include "platform/Error.h"
#include "seneca/Registros.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

constexpr int kDias = 7;

struct Tramo {
    Texto codigo;
    Texto nombre;
    int inicio = 0;
    int fin = 0;
    Texto marco;   // frame code cut to 10 characters
    int cual = 0;  // 0: frame 1, 1: frame 2
};

// A start or end in minutes; otherwise the run stops naming the slot.
int MinutosTramo(const std::optional<int>& minutos, const Texto& valor, const Utf8& que,
                 const seneca::Tramo& tramo, const ExportacionSeneca& documento) {
    if (!minutos) {
        throw ErrorPasaplan("El tramo horario «" + Cp1252AUtf8(tramo.codigo) + "» (registro " +
                            Utf8::Numero(tramo.numero) + " de TRAMOS_HORARIOS) del archivo «" +
                            documento.Nombre() + "» tiene una hora de " + que +
                            " que no es un número entero de minutos: «" + Cp1252AUtf8(valor) +
                            "».");
    }
    return *minutos;
}

// Written in decimal, with a "0" in front when it has a single character.
Texto DosCifras(int n) {
    const Texto cifras = Texto::Numero(n);
    return cifras.size() == 1 ? "0" + cifras : cifras;
}

// Hours rounded down and the minutes left, so that a negative time reads back as itself.
Texto TextoHora(int minutos) {
    const int horas = minutos >= 0 ? minutos / 60 : -((-minutos + 59) / 60);
    return DosCifras(horas) + ":" + DosCifras(minutos - horas * 60);
}

// The chosen text: the only frame, or the dialog until its choice is valid.
Texto ElegirMarcos(ContextoImportacion& ctx, size_t cuantos, const Texto& unico) {
    if (cuantos == 1) return CodigoDiez(unico);
    for (;;) {
        const ResultadoMarcos r = ctx.interlocutor.MostrarDialogoMarcos(
            ContextoMarcos{ctx.documento, ctx.estado.ArchivoXML});
        if (r.EleccionValida) return r.MarcosElegidos;
        ctx.estado.DialogoRepetido = true;
    }
}

}  // namespace

void CargarTramos(ContextoImportacion& ctx) {
    auto tabla = CrearTablaPaso(
        ctx, "DIASHORAST",
        {CampoTexto("DIHO", 10), CampoTexto("CODDIHO", 10), CampoTexto("DIA", 20),
         CampoTexto("TEXTODIA", 20), CampoTexto("HORA", 8), CampoTexto("TEXTOHOR", 15),
         CampoTexto("HORADESDE", 8), CampoTexto("HORAHASTA", 8), CampoTexto("MINUTOS", 8),
         CampoTexto("MARCO", 1), CampoTexto("MARCOXML", 10)});

    const auto& marcos = seneca::Jornadas(ctx.documento);
    // An export without frames has no slots to place: the table stays empty.
    if (marcos.empty()) {
        CerrarTablaPaso(ctx, tabla);
        return;
    }
    const Texto elegidos = ElegirMarcos(ctx, marcos.size(), marcos[0].codigo);
    const auto [marco1, marco2] = DividirMarcosElegidos(elegidos);
    // With one frame in use there is no second one: a slot with an empty frame code is not
    // one of its slots.
    const bool dosMarcos = elegidos.size() == 20;

    // The slots of the chosen frames in document order, checked before any row is written.
    std::vector<Tramo> tramos;
    for (const seneca::Tramo& leido : seneca::Tramos(ctx.documento)) {
        Tramo t;
        t.marco = leido.marco;
        if (t.marco == marco1) {
            t.cual = 0;
        } else if (dosMarcos && t.marco == marco2) {
            t.cual = 1;
        } else {
            continue;
        }
        t.codigo = leido.codigo;
        t.nombre = leido.nombre;
        t.inicio = MinutosTramo(leido.minutosInicio, leido.inicio, "inicio", leido, ctx.documento);
        t.fin = MinutosTramo(leido.minutosFin, leido.fin, "fin", leido, ctx.documento);
        tramos.push_back(std::move(t));
    }

    // The frame whose first slot starts earlier is "0"; a frame without slots starts at 0
    // (frame 1) or at 1440 (frame 2); on a tie frame 1 is "0". A lone frame is always "0".
    std::optional<int> primero[2];
    for (const Tramo& t : tramos) {
        if (!primero[t.cual]) primero[t.cual] = t.inicio;
    }
    const int s1 = primero[0].value_or(0);
    const int s2 = primero[1].value_or(1440);
    const bool marco1Cero = !dosMarcos || s1 <= s2;
    const char* numero[2] = {marco1Cero ? "0" : "1", marco1Cero ? "1" : "0"};

    for (int dia = 1; dia <= kDias; ++dia) {
        int contador[2] = {0, 0};
        for (const Tramo& t : tramos) {
            const int hora = ++contador[t.cual];
            const size_t fila = tabla->Agregar();
            tabla->PonerTexto(fila, "DIHO", std::to_string(dia) + std::to_string(hora));
            tabla->PonerTexto(fila, "CODDIHO", t.codigo);
            tabla->PonerTexto(fila, "DIA", std::to_string(dia));
            tabla->PonerTexto(fila, "HORA", std::to_string(hora));
            tabla->PonerTexto(fila, "TEXTOHOR", t.nombre);
            tabla->PonerTexto(fila, "HORADESDE", TextoHora(t.inicio));
            tabla->PonerTexto(fila, "HORAHASTA", TextoHora(t.fin));
            tabla->PonerTexto(fila, "MINUTOS", std::to_string(t.fin - t.inicio));
            tabla->PonerTexto(fila, "MARCO", numero[t.cual]);
            tabla->PonerTexto(fila, "MARCOXML", t.marco);
            tabla->Grabar(fila);
        }
    }
    CerrarTablaPaso(ctx, tabla);
}

}  // namespace pasaplan
