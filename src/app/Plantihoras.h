#pragma once
// Unit Plantihoras: TPlantillas, the time-frame selection dialog. The choice is judged by the
// core (import/EleccionMarcos.h), shared with pasaplan-lote.
#include <QDialog>
#include <vector>

#include "ejecucion/Interlocutor.h"
#include "import/EleccionMarcos.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace pasaplan {

class TPlantillas : public QDialog {
    Q_OBJECT

  public:
    TPlantillas(QWidget* propietario, const ContextoMarcos& contexto, Interlocutor& interlocutor);

    // Set when the dialog closes, whichever way it is closed.
    bool EleccionValida = false;
    Texto MarcosElegidos;

    QFrame* Draw3D4 = nullptr;
    QLabel* LabelPlantillas = nullptr;
    QLabel* LabelSelec = nullptr;
    QLabel* LabelMarcos = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* ListBox2 = nullptr;  // frame codes, several may be selected
    QListWidget* ListBox1 = nullptr;  // slot names of the frame on display
    QLabel* LabelNombre = nullptr;
    QLabel* LabelPlanFec1 = nullptr;
    QLabel* LabelPlanFec2 = nullptr;
    QComboBox* ComboBoxPlantilla = nullptr;  // hidden; its current item is the frame on display
    QPushButton* BitBtnContinuar = nullptr;

    void FormActivate();
    void ComboBoxPlantillaChange();
    void ListBox2Click();
    void BitBtnContinuarClick();
    void FormClose();

  public slots:
    void reject() override;  // closes through FormClose like every other way

  protected:
    bool event(QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    void CrearControles();
    void Ayuda();
    void Avisar(const Utf8& texto);  // a message box of the dialog's own

    const ContextoMarcos& contexto_;
    Interlocutor& interlocutor_;
    std::vector<MarcoHorario> marcos_;  // the frames of the dialog's own reading of the file
    bool llenando_ = false;
    bool cerrado_ = false;
    bool activado_ = false;
    bool trasMensaje_ = false;
};

}  // namespace pasaplan
