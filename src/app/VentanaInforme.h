#pragma once
// The import report on screen, after a finished import run of the stand-alone program: the
// counts by kind, every finding explained as pasaplan-lote prints it, and the same CSV.
#include <QDialog>
#include <vector>

#include "report/Informe.h"

class QPushButton;
class QTableWidget;
class QTextBrowser;

namespace pasaplan {

class Interlocutor;

class VentanaInforme : public QDialog {
    Q_OBJECT
  public:
    VentanaInforme(std::vector<Hallazgo> hallazgos, Interlocutor& interlocutor,
                   QWidget* padre = nullptr);

    // Writes the report's CSV to ruta; a failure is told through the interlocutor.
    bool GuardarCsv(const QString& ruta);

    QTableWidget* Cuentas() const { return cuentas_; }
    QTextBrowser* Detalle() const { return detalle_; }

  private:
    void BotonGuardarClick();

    std::vector<Hallazgo> hallazgos_;
    Interlocutor& interlocutor_;
    QTableWidget* cuentas_;
    QTextBrowser* detalle_;
    QPushButton* guardar_;
    QPushButton* cerrar_;
};

}  // namespace pasaplan
