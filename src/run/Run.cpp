#include "run/Run.h"

#include <utility>

#include "export/Exportacion.h"
#include "import/Importacion.h"
#include "report/Informe.h"

namespace pasaplan {
namespace {

FinRun FinDe(FinImportacion fin) {
    switch (fin) {
        case FinImportacion::Finalizado:
            return FinRun::Finalizado;
        case FinImportacion::NoExisteArchivo:
            return FinRun::NoExisteArchivo;
        case FinImportacion::SalidaForzada:
            return FinRun::SalidaForzada;
    }
    return FinRun::SalidaForzada;
}

FinRun FinDe(FinExportacion fin) {
    switch (fin) {
        case FinExportacion::Finalizado:
            return FinRun::Finalizado;
        case FinExportacion::NoExisteArchivo:
            return FinRun::NoExisteArchivo;
        case FinExportacion::FaltaPeriodos:
            return FinRun::FaltaPeriodos;
    }
    return FinRun::FaltaPeriodos;
}

// The estado's lock for the length of one run and its report; what the front end held before
// (nothing, unless it holds the directory beyond the run) comes back at the end, errors included.
class BloqueoDelRun {
  public:
    explicit BloqueoDelRun(EstadoPrincipal& estado) : estado_(estado), anterior_(estado.Bloqueo) {
        estado_.Bloqueo = TomarBloqueo(estado_);
    }
    ~BloqueoDelRun() { estado_.Bloqueo = std::move(anterior_); }
    BloqueoDelRun(const BloqueoDelRun&) = delete;
    BloqueoDelRun& operator=(const BloqueoDelRun&) = delete;

  private:
    EstadoPrincipal& estado_;
    std::shared_ptr<plataforma::BloqueoIntercambio> anterior_;
};

// The course levels dialog's errors as findings of the report: they came first in the run, and
// their kind is the first of the report.
std::vector<Hallazgo> InformeImportacion(const EstadoPrincipal& estado,
                                         const std::vector<ErrorDeDialogo>& erroresDialogo) {
    std::vector<Hallazgo> hallazgos;
    for (const ErrorDeDialogo& e : erroresDialogo) {
        hallazgos.push_back(
            {TipoHallazgo::NivelesSinGuardar, "CURSOST2", {}, e.que + ": " + e.error});
    }
    if (!estado.documento) return hallazgos;
    for (Hallazgo& h : ElaborarInforme(*estado.documento, estado.DirectorioIntercambio)) {
        hallazgos.push_back(std::move(h));
    }
    return hallazgos;
}

}  // namespace

ResultadoRun EjecutarRun(TipoRun tipo, EstadoPrincipal& estado, Interlocutor& interlocutor) {
    // What the dialog met in an earlier run, one that an error ended, is not this run's.
    interlocutor.TomarErroresDeDialogo();
    const BloqueoDelRun bloqueo(estado);
    // Embedded, the host waits for the window to go once the run has finished: no report.
    const bool informar = !estado.ModoIncrustado;

    ResultadoRun resultado;
    switch (tipo) {
        case TipoRun::Importacion:
            resultado.fin = FinDe(EjecutarImportacion(estado, interlocutor));
            if (resultado.fin == FinRun::Finalizado && informar) {
                resultado.hallazgos =
                    InformeImportacion(estado, interlocutor.TomarErroresDeDialogo());
            }
            break;
        case TipoRun::Exportacion:
            resultado.fin = FinDe(EjecutarExportacion(estado, interlocutor, &resultado.resumen));
            if (resultado.fin == FinRun::Finalizado && informar) {
                resultado.revision = RevisarDocumentoEscrito(estado, resultado.resumen);
            }
            break;
    }
    return resultado;
}

}  // namespace pasaplan
