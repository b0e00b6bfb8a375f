#include "app/Plantihoras.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

#include "app/Ayuda.h"
#include "app/Dialogos.h"
#include "exchange/ExportacionSeneca.h"
#include "platform/Rutas.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

constexpr int kAncho = 369;
constexpr int kAlto = 281;
constexpr int kContextoAyuda = ContextoAyudaMarcos;

QString DeTexto(const Texto& texto) { return QString::fromStdString(Cp1252AUtf8(texto).Bytes()); }

QFont Arial(int pixeles, bool cursiva = false, bool subrayada = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixeles);
    f.setBold(true);
    f.setItalic(cursiva);
    f.setUnderline(subrayada);
    return f;
}

QLabel* NuevaEtiqueta(QWidget* padre, const char* nombre, const char* texto, const QRect& zona,
                      const QFont& fuente, const char* color, bool ajustar) {
    auto* etiqueta = new QLabel(QString::fromUtf8(texto), padre);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setGeometry(zona);
    etiqueta->setFont(fuente);
    etiqueta->setWordWrap(ajustar);
    etiqueta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    etiqueta->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(QLatin1String(color)));
    return etiqueta;
}

// The hourglass of the run does not belong over a dialog that waits for the user.
class CursorNormal {
  public:
    CursorNormal() : activo_(QApplication::overrideCursor() != nullptr) {
        if (activo_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~CursorNormal() {
        if (activo_) QApplication::restoreOverrideCursor();
    }
    CursorNormal(const CursorNormal&) = delete;
    CursorNormal& operator=(const CursorNormal&) = delete;

  private:
    bool activo_;
};

}  // namespace

TPlantillas::TPlantillas(QWidget* propietario, const ContextoMarcos& contexto,
                         Interlocutor& interlocutor)
    : QDialog(propietario), contexto_(contexto), interlocutor_(interlocutor) {
    setObjectName(QStringLiteral("Plantillas"));
    CrearControles();
}

void TPlantillas::CrearControles() {
    setWindowTitle(QStringLiteral("Planillas, Marcos o Jornadas Horarias"));
    // Only the system menu with the close box in the title bar; fixed size.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(kAncho, kAlto);

    Draw3D4 = new QFrame(this);
    Draw3D4->setObjectName(QStringLiteral("Draw3D4"));
    Draw3D4->setGeometry(0, 0, kAncho, kAlto);
    Draw3D4->setProperty("HelpContext", kContextoAyuda);
    // Sky blue through white to the inactive-caption colour of the classic Windows scheme.
    Draw3D4->setStyleSheet(
        QStringLiteral("QFrame#Draw3D4 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                       " stop:0 #a6caf0, stop:0.5 #ffffff, stop:1 #bfcddb); }"));

    LabelPlantillas = NuevaEtiqueta(
        Draw3D4, "LabelPlantillas",
        "Seleccione 1, o los 2 Marcos Horarios que quiere aplicar a su Horario en Velmora.",
        QRect(16, 2, 321, 33), Arial(13), "#000000", true);
    LabelSelec = NuevaEtiqueta(
        Draw3D4, "LabelSelec",
        "Para seleccionar mas de un Marco Horario, mantenga (Ctrl) pulsado y seleccione cada "
        "marco con 1 click del botón izquierdo del ratón.",
        QRect(16, 36, 321, 50), Arial(13, true), "#ff0000", true);
    LabelMarcos = NuevaEtiqueta(Draw3D4, "LabelMarcos", "MARCOS", QRect(40, 86, 74, 16), Arial(16),
                                "#800000", false);
    Label1 = NuevaEtiqueta(Draw3D4, "Label1", "HORAS", QRect(215, 86, 67, 18), Arial(16), "#800000",
                           false);

    ListBox2 = new QListWidget(Draw3D4);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setGeometry(16, 103, 127, 45);
    // Click selects one frame, Ctrl-click adds or removes one, Shift-click a range.
    ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);

    ListBox1 = new QListWidget(Draw3D4);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(152, 103, 193, 146);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    LabelNombre = NuevaEtiqueta(Draw3D4, "LabelNombre", "-", QRect(9, 151, 120, 41),
                                Arial(16, false, true), "#800000", true);
    LabelPlanFec1 = NuevaEtiqueta(Draw3D4, "LabelPlanFec1", "-", QRect(9, 196, 120, 23), Arial(16),
                                  "#800000", false);
    LabelPlanFec2 = NuevaEtiqueta(Draw3D4, "LabelPlanFec2", "-", QRect(9, 226, 120, 23), Arial(16),
                                  "#800000", false);

    ComboBoxPlantilla = new QComboBox(Draw3D4);
    ComboBoxPlantilla->setObjectName(QStringLiteral("ComboBoxPlantilla"));
    ComboBoxPlantilla->setGeometry(150, 254, 81, 21);
    ComboBoxPlantilla->setStyleSheet(QStringLiteral("background: #ffff00;"));
    ComboBoxPlantilla->hide();

    BitBtnContinuar = new QPushButton(QStringLiteral("Continuar"), Draw3D4);
    BitBtnContinuar->setObjectName(QStringLiteral("BitBtnContinuar"));
    BitBtnContinuar->setGeometry(255, 253, 89, 25);
    QFont negrita = BitBtnContinuar->font();
    negrita.setBold(true);
    BitBtnContinuar->setFont(negrita);
    BitBtnContinuar->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtnContinuar->setDefault(true);
    BitBtnContinuar->setProperty("HelpContext", kContextoAyuda);

    connect(BitBtnContinuar, &QPushButton::clicked, this, &TPlantillas::BitBtnContinuarClick);
    connect(ListBox2, &QListWidget::itemClicked, this, &TPlantillas::ListBox2Click);
    // The arrow keys move the focused frame as a click does.
    connect(ListBox2, &QListWidget::currentRowChanged, this, &TPlantillas::ListBox2Click);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TPlantillas::Ayuda);
}

bool TPlantillas::event(QEvent* evento) {
    // The dialog is activated when it is first shown and when one of its own message boxes
    // hands the focus back; coming back from another program keeps the user's choice.
    if (evento->type() == QEvent::WindowActivate && (!activado_ || trasMensaje_)) {
        activado_ = true;
        trasMensaje_ = false;
        FormActivate();
    }
    return QDialog::event(evento);
}

void TPlantillas::keyPressEvent(QKeyEvent* evento) {
    // No cancel button, so Esc does nothing; the close box is the way out without "Continuar".
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void TPlantillas::Avisar(const Utf8& texto) {
    trasMensaje_ = true;
    interlocutor_.Mensaje(texto);
}

void TPlantillas::FormActivate() {
    // Every activation reads the file again into a document of the dialog's own. A file that
    // can no longer be read (moved or rewritten since the run began) falls back to the run's
    // document, which holds the same export: an error may not escape a window event.
    try {
        const auto documento = ExportacionSeneca::Cargar(contexto_.ArchivoXML);
        marcos_ = ListaMarcos(*documento);
    } catch (const std::exception&) {
        marcos_ = ListaMarcos(contexto_.documento);
    }
    llenando_ = true;
    ComboBoxPlantilla->clear();
    ListBox2->clear();
    for (const MarcoHorario& m : marcos_) {
        ComboBoxPlantilla->addItem(DeTexto(m.codigo));
        ListBox2->addItem(DeTexto(m.codigo));
    }
    ComboBoxPlantilla->setCurrentIndex(marcos_.empty() ? -1 : 0);
    llenando_ = false;
    ComboBoxPlantillaChange();
}

void TPlantillas::ComboBoxPlantillaChange() {
    LabelNombre->setText(QStringLiteral("-"));
    LabelPlanFec1->setText(QStringLiteral("-"));
    LabelPlanFec2->setText(QStringLiteral("-"));
    ListBox1->clear();
    const int actual = ComboBoxPlantilla->currentIndex();
    if (actual < 0 || actual >= static_cast<int>(marcos_.size())) return;
    const MarcoHorario* mostrado =
        MarcoMostrado(marcos_, marcos_[static_cast<size_t>(actual)].codigo);
    LabelNombre->setText(DeTexto(mostrado->nombre));
    LabelPlanFec1->setText(DeTexto(mostrado->fechaInicio));
    LabelPlanFec2->setText(DeTexto(mostrado->fechaFin));
    for (const Texto& tramo : mostrado->tramos) ListBox1->addItem(DeTexto(tramo));
}

void TPlantillas::ListBox2Click() {
    if (llenando_) return;
    const int fila = ListBox2->currentRow();
    if (fila < 0 || fila >= ComboBoxPlantilla->count()) return;
    ComboBoxPlantilla->setCurrentIndex(fila);
    ComboBoxPlantillaChange();
}

void TPlantillas::BitBtnContinuarClick() { close(); }

void TPlantillas::reject() { close(); }  // QDialog's own ways of rejecting: through FormClose

void TPlantillas::closeEvent(QCloseEvent* evento) {
    if (!cerrado_) {
        cerrado_ = true;
        FormClose();
        setResult(EleccionValida ? QDialog::Accepted : QDialog::Rejected);
    }
    // There is no cancel: the dialog closes in every case and the caller asks again.
    evento->accept();
}

void TPlantillas::FormClose() {
    // The selection is taken before any message: a message box may hand the activation back to
    // the dialog, and activating it refills the lists.
    std::vector<Texto> seleccionados;
    for (int fila = 0; fila < ListBox2->count(); ++fila) {
        if (ListBox2->item(fila)->isSelected() && fila < static_cast<int>(marcos_.size())) {
            seleccionados.push_back(marcos_[static_cast<size_t>(fila)].codigo);
        }
    }
    const JuicioMarcos juicio = JuzgarEleccion(seleccionados);
    EleccionValida = juicio.resultado.EleccionValida;
    MarcosElegidos = juicio.resultado.MarcosElegidos;
    if (juicio.mensaje) Avisar(*juicio.mensaje);
}

void TPlantillas::Ayuda() {
    // A message about the help is one of the dialog's own boxes; the help window is not.
    trasMensaje_ = true;
    try {
        const Utf8 mensaje = AbrirAyuda(plataforma::DirectorioEjecutable(), ContextoAyudaMarcos,
                                        this, interlocutor_);
        trasMensaje_ = !mensaje.empty();
    } catch (const std::exception& e) {
        Avisar(Utf8::DeBytes(e.what()));
    }
}

ResultadoMarcos MostrarPlantillas(QWidget* propietario, const ContextoMarcos& contexto,
                                  Interlocutor& interlocutor) {
    CursorNormal cursor;
    TPlantillas Plantillas(propietario, contexto, interlocutor);
    Plantillas.exec();
    return ResultadoMarcos{Plantillas.EleccionValida, Plantillas.MarcosElegidos};
}

}  // namespace pasaplan
