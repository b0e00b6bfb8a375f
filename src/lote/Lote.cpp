#include "lote/Lote.h"

#include "exchange/Tabla.h"
#include "lote/InterlocutorLote.h"
#include "lote/Respuestas.h"
#include "platform/Atomico.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "report/Informe.h"
#include "run/Run.h"
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
void Informar(const std::vector<Hallazgo>& hallazgos, const OpcionesLote& opciones,
              std::ostream& salida) {
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
    InterlocutorLote interlocutor(opciones, salida, errores);
    try {
        const ResultadoRun run = EjecutarRun(TipoRun::Importacion, estado, interlocutor);
        const bool finalizado = run.fin == FinRun::Finalizado;
        const int codigo = Terminar(finalizado, interlocutor, salida, errores);
        if (finalizado) Informar(run.hallazgos, opciones, salida);
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
    try {
        const ResultadoRun run = EjecutarRun(TipoRun::Exportacion, estado, interlocutor);
        const bool finalizado = run.fin == FinRun::Finalizado;
        if (finalizado) ImprimirResumenExportacion(run.resumen, salida);
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
