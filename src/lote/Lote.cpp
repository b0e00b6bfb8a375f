#include "lote/Lote.h"

#include "exchange/Tabla.h"
#include "export/Exportacion.h"
#include "import/Importacion.h"
#include "lote/InterlocutorLote.h"
#include "lote/Respuestas.h"
#include "platform/Atomico.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "report/Informe.h"
#include "text/Cp1252.h"

namespace pasaplan::lote {
namespace {

EstadoPrincipal EstadoDe(const OpcionesLote& opciones) {
    EstadoPrincipal estado = EstadoPrincipal::PorDefecto();
    if (opciones.intercambio) estado.DirectorioIntercambio = *opciones.intercambio;
    return estado;
}

int Terminar(bool finalizado, InterlocutorLote& interlocutor, std::ostream& salida,
             std::ostream& errores) {
    if (auto mensaje = interlocutor.TomarPendiente()) {
        (finalizado ? salida : errores) << *mensaje << "\n";
    }
    return finalizado ? 0 : 1;
}

// The import report after a finished run: on stdout, and as CSV when --informe names a file.
void Informar(const EstadoPrincipal& estado, const OpcionesLote& opciones,
              const InterlocutorLote& interlocutor, std::ostream& salida) {
    // The dialog's errors came first in the run, and their kind is the first of the report.
    std::vector<Hallazgo> hallazgos = interlocutor.ErroresDeDialogo();
    for (Hallazgo& h : ElaborarInforme(*estado.documento, estado.DirectorioIntercambio)) {
        hallazgos.push_back(std::move(h));
    }
    salida << "\n" << TextoInforme(hallazgos);
    if (opciones.informe) {
        plataforma::EscribirArchivoAtomico(*opciones.informe, CsvInforme(hallazgos).Bytes());
        salida << "\nInforme escrito en «" << plataforma::Utf8DeRuta(*opciones.informe) << "».\n";
    }
}

void Dejar(EstadoPrincipal& estado, Sobrantes* sobrantes) {
    if (sobrantes && estado.documento) sobrantes->documentos.push_back(std::move(estado.documento));
}

int Exportar(const OpcionesLote& opciones, std::ostream& salida, std::ostream& errores,
             Sobrantes* sobrantes) {
    EstadoPrincipal estado = EstadoDe(opciones);
    // Held over the report too, which reads the tables the run wrote.
    estado.Bloqueo = TomarBloqueo(estado);
    InterlocutorLote interlocutor(opciones, salida, errores);
    try {
        const FinImportacion fin = EjecutarImportacion(estado, interlocutor);
        const bool finalizado = fin == FinImportacion::Finalizado;
        const int codigo = Terminar(finalizado, interlocutor, salida, errores);
        if (finalizado) Informar(estado, opciones, interlocutor, salida);
        Dejar(estado, sobrantes);
        return codigo;
    } catch (...) {
        Terminar(false, interlocutor, salida, errores);
        throw;
    }
}

int Importar(const OpcionesLote& opciones, std::ostream& salida, std::ostream& errores,
             Sobrantes* sobrantes) {
    EstadoPrincipal estado = EstadoDe(opciones);
    InterlocutorLote interlocutor(opciones, salida, errores);
    ResumenExportacion resumen;
    try {
        const FinExportacion fin = EjecutarExportacion(estado, interlocutor, &resumen);
        const bool finalizado = fin == FinExportacion::Finalizado;
        if (finalizado) ImprimirResumenExportacion(resumen, salida);
        const int codigo = Terminar(finalizado, interlocutor, salida, errores);
        Dejar(estado, sobrantes);
        return codigo;
    } catch (...) {
        Terminar(false, interlocutor, salida, errores);
        throw;
    }
}

int MostrarTabla(const OpcionesLote& opciones, std::ostream& salida) {
    const auto tabla = Tabla::Abrir(opciones.archivo, Acceso::Compartido);
    const auto& campos = tabla->Campos();
    for (size_t c = 0; c < campos.size(); ++c) salida << (c ? ";" : "") << campos[c].nombre;
    salida << "\n";
    for (size_t f = 0; f < tabla->Filas(); ++f) {
        for (size_t c = 0; c < campos.size(); ++c) {
            salida << (c ? ";" : "") << Cp1252AUtf8(tabla->LeerTexto(f, campos[c].nombre));
        }
        salida << "\n";
    }
    return 0;
}

}  // namespace

int EjecutarLote(const std::vector<std::string>& argumentos, std::ostream& salida,
                 std::ostream& errores, Sobrantes* sobrantes) {
    OpcionesLote opciones;
    try {
        opciones = AnalizarOpciones(argumentos);
    } catch (const ErrorUso& e) {
        errores << "pasaplan-lote: " << e.what() << "\n\n"
                << kUso << "\n«pasaplan-lote --help» explica cada orden y opción.\n";
        return 2;
    }
    try {
        switch (opciones.orden) {
            case Orden::Ayuda:
                salida << kAyuda;
                return 0;
            case Orden::Version:
                salida << "pasaplan-lote " << PASAPLAN_VERSION << "\n";
                return 0;
            case Orden::Exportar:
                return Exportar(opciones, salida, errores, sobrantes);
            case Orden::Importar:
                return Importar(opciones, salida, errores, sobrantes);
            case Orden::Tabla:
                return MostrarTabla(opciones, salida);
        }
    } catch (const ErrorPasaplan& e) {
        errores << e.what() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        errores << "No hay memoria suficiente para terminar el proceso.\n";
        return 1;
    } catch (const std::exception& e) {
        errores << "Error inesperado: " << e.what() << "\n";
        return 1;
    }
    return 1;
}

}  // namespace pasaplan::lote
