#pragma once
// The main window: one button per direction, embedded mode inside the host's window, and the
// run result handed back to the host through Velmora.ini.
#include <QStringList>
#include <QWidget>
#include <memory>

#include "app/Parametros.h"
#include "ejecucion/EstadoPrincipal.h"
#include "ejecucion/Interlocutor.h"

class QFrame;
class QLabel;
class QPushButton;
class QWindow;

namespace pasaplan {

class VigilanteAnfitrion;
enum class FinRun;

class TMForm : public QWidget {
    Q_OBJECT
  public:
    // parametros: the command line without the program name. interlocutor: who answers the
    // runs' questions; null for the window's own Qt dialogs.
    TMForm(EstadoPrincipal estado, const QStringList& parametros,
           Interlocutor* interlocutor = nullptr, QWidget* padre = nullptr);
    ~TMForm() override;

    EstadoPrincipal& Estado() { return estado_; }
    // The result handed to the host: 0 no run finished, 1 a run finished, -1 no file (embedded).
    int ResultadoEjecucion() const { return resultadoEjecucion_; }
    const ParametrosArranque& Parametros() const { return parametros_; }
    std::filesystem::path ArchivoIni() const;

    void BExportarClick();
    void BImportarClick();
    void Button1Click();

  signals:
    // Embedded closing: the result is written and the process ends now.
    void ProcesoTerminado();

  protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    void CrearControles();
    void FormCreate();
    void FormShow();
    void FormClose();
    void Incrustar(std::uintptr_t anfitrion);
    void SeguirAnfitrion(QWindow* ventanaAnfitriona, std::uintptr_t anfitrion);
    void RunTerminada();
    // How a run ended, for the window and the host's result.
    void Terminar(FinRun fin);
    void AnfitrionDesaparecido();
    template <class Run>
    void Ejecutar(Run&& run);
    // The application's standard error handler at the edge of every event.
    template <class Accion>
    void Protegido(Accion&& accion);

    EstadoPrincipal estado_;
    int resultadoEjecucion_ = 0;
    ParametrosArranque parametros_;
    std::unique_ptr<Interlocutor> propio_;
    Interlocutor* interlocutor_;
    VigilanteAnfitrion* vigilante_ = nullptr;
    bool mostrado_ = false;
    bool cerrado_ = false;
    bool enEjecucion_ = false;
    bool cerrarAlTerminar_ = false;

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LabelVersion = nullptr;
    QPushButton* BExportar = nullptr;
    QPushButton* BImportar = nullptr;
    QPushButton* BClose = nullptr;
    QPushButton* Button1 = nullptr;
};

}  // namespace pasaplan
