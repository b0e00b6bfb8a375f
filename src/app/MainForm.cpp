#include "app/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include "app/Ayuda.h"
#include "app/InterlocutorQt.h"
#include "app/VigilanteAnfitrion.h"
#include "platform/Error.h"
#include "platform/Ini.h"
#include "platform/Ventanas.h"
#include "run/Run.h"

namespace pasaplan {

namespace {

constexpr int kAncho = 632;
constexpr int kAlto = 266;

// The green check mark of the direction buttons.
QIcon MarcaVerificacion() {
    QPixmap lienzo(20, 20);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath trazo;
    trazo.moveTo(3, 11);
    trazo.lineTo(8, 16);
    trazo.lineTo(17, 4);
    p.setPen(QPen(QColor(0x00, 0x80, 0x00), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(trazo);
    return QIcon(lienzo);
}

QFont FuenteTitulo() {
    QFont f(QStringLiteral("Arial"), 12);
    f.setBold(true);
    return f;
}

QFrame* NuevoPanel(QWidget* padre, const char* nombre, const QRect& zona, const char* arriba,
                   const char* abajo) {
    auto* panel = new QFrame(padre);
    panel->setObjectName(QString::fromLatin1(nombre));
    panel->setGeometry(zona);
    panel->setStyleSheet(
        QStringLiteral("QFrame#%1 { border: 1px solid #7a8ea8; border-radius: 4px;"
                       " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                       " stop:0 %2, stop:1 %3); }")
            .arg(panel->objectName(), QLatin1String(arriba), QLatin1String(abajo)));
    return panel;
}

QLabel* NuevoTitulo(QFrame* panel, const char* nombre, const char* texto) {
    auto* etiqueta = new QLabel(QString::fromUtf8(texto), panel);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setFont(FuenteTitulo());
    etiqueta->setWordWrap(true);
    etiqueta->setAlignment(Qt::AlignCenter);
    etiqueta->setGeometry(16, 24, panel->width() - 32, 72);
    etiqueta->setStyleSheet(QStringLiteral("color: #14264a; background: transparent;"));
    return etiqueta;
}

QPushButton* NuevoBotonOk(QFrame* panel, const char* nombre) {
    auto* boton = new QPushButton(QStringLiteral("OK"), panel);
    boton->setObjectName(QString::fromLatin1(nombre));
    boton->setIcon(MarcaVerificacion());
    boton->setIconSize(QSize(20, 20));
    boton->setGeometry((panel->width() - 110) / 2, 126, 110, 38);
    return boton;
}

}  // namespace

template <class Accion>
void TMForm::Protegido(Accion&& accion) {
    Utf8 texto;
    try {
        accion();
        return;
    } catch (const std::exception& e) {
        texto = Utf8::DeBytes(e.what());
    } catch (...) {
        texto = "Error inesperado.";
    }
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    try {
        interlocutor_->Mensaje(texto);
    } catch (...) {
        // Nothing is left to tell the user with; the event ends quietly.
    }
}

TMForm::TMForm(EstadoPrincipal estado, const QStringList& parametros, Interlocutor* interlocutor,
               QWidget* padre)
    : QWidget(padre, Qt::Window),
      estado_(std::move(estado)),
      parametros_(AnalizarParametros(parametros)) {
    if (interlocutor) {
        interlocutor_ = interlocutor;
    } else {
        propio_ = std::make_unique<InterlocutorQt>(this);
        interlocutor_ = propio_.get();
    }
    setObjectName(QStringLiteral("MForm"));
    CrearControles();
    FormCreate();
}

TMForm::~TMForm() = default;

std::filesystem::path TMForm::ArchivoIni() const {
    return estado_.DirectorioPrograma / "Velmora.ini";
}

void TMForm::CrearControles() {
    setWindowTitle(QString::fromUtf8("Exportar e importar datos entre Velmora y Séneca"));
    // Fixed dialog border: no resizing, no maximising.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(kAncho, kAlto);

    Panel1 = NuevoPanel(this, "Panel1", QRect(8, 8, 304, 196), "#fbfdff", "#9dbfe6");
    Label1 = NuevoTitulo(Panel1, "Label1", "Transformar datos desde Séneca hacia Velmora ");
    BExportar = NuevoBotonOk(Panel1, "BExportar");

    Panel2 = NuevoPanel(this, "Panel2", QRect(320, 8, 304, 196), "#fbfff9", "#a6d59a");
    Label2 = NuevoTitulo(Panel2, "Label2", "Transformar datos desde Velmora hacia Séneca");
    BImportar = NuevoBotonOk(Panel2, "BImportar");

    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(0, 212, kAncho, kAlto - 212);
    Panel3->setFrameShape(QFrame::StyledPanel);

    LabelVersion = new QLabel(QStringLiteral("Pasaplan para VX9 V-1.1"), Panel3);
    LabelVersion->setObjectName(QStringLiteral("LabelVersion"));
    QFont negrita(QStringLiteral("Arial"), 10);
    negrita.setBold(true);
    LabelVersion->setFont(negrita);
    LabelVersion->setStyleSheet(QStringLiteral("color: #d00000;"));
    LabelVersion->setGeometry(14, 16, 260, 22);

    BClose = new QPushButton(QStringLiteral("&Salir"), Panel3);
    BClose->setObjectName(QStringLiteral("BClose"));
    BClose->setGeometry(404, 10, 104, 34);

    Button1 = new QPushButton(QStringLiteral("F1 AYUDA"), Panel3);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(516, 10, 104, 34);

    connect(BExportar, &QPushButton::clicked, this, &TMForm::BExportarClick);
    connect(BImportar, &QPushButton::clicked, this, &TMForm::BImportarClick);
    connect(BClose, &QPushButton::clicked, this, &QWidget::close);
    connect(Button1, &QPushButton::clicked, this, &TMForm::Button1Click);
    // F1 anywhere in the window: every control carries the same help context.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TMForm::Button1Click);
}

void TMForm::FormCreate() {
    // The four lists start empty and the run result at 0, whatever state was handed in.
    estado_.Listas = std::make_unique<ListasMaterias>();
    resultadoEjecucion_ = 0;
    estado_.ModoIncrustado = false;

    if (const QScreen* pantalla = screen()) {
        const QRect zona = pantalla->availableGeometry();
        move(zona.center() - rect().center());
    }
    if (!parametros_.dosParametros) return;
    if (!parametros_.anfitrion) {
        // The window stays an ordinary stand-alone one; the direction word still counts.
        Protegido([&] { throw ErrorPasaplan(parametros_.errorConversion); });
        return;
    }
    Protegido([&] { Incrustar(*parametros_.anfitrion); });
}

void TMForm::Incrustar(std::uintptr_t anfitrion) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    estado_.ModoIncrustado = true;
    move(0, 0);
    const auto propia = static_cast<std::uintptr_t>(winId());
    // A handle of 0 names no window; the program then runs embedded as a top-level window.
    if (anfitrion == 0) return;
    QWindow* ventanaAnfitriona = QWindow::fromWinId(static_cast<WId>(anfitrion));
    if (!ventanaAnfitriona) return;  // platform without foreign windows (tests, offscreen)
    if (plataforma::BajoWine()) {
        // Wine never draws a child window of another process: there the window is owned by
        // the host's and kept over its client area instead.
        windowHandle()->setTransientParent(ventanaAnfitriona);
        SeguirAnfitrion(ventanaAnfitriona, anfitrion);
    } else {
        windowHandle()->setParent(ventanaAnfitriona);
        windowHandle()->setPosition(0, 0);
    }
    vigilante_ = new VigilanteAnfitrion(propia, anfitrion, this);
    connect(vigilante_, &VigilanteAnfitrion::Desaparecido, this, &TMForm::AnfitrionDesaparecido);
}

void TMForm::SeguirAnfitrion(QWindow* ventanaAnfitriona, std::uintptr_t anfitrion) {
    auto colocar = [this, ventanaAnfitriona, anfitrion] {
        if (!plataforma::VentanaExiste(anfitrion)) return;  // the watch closes the window
        // Qt takes no foreign window as owner and clears the owner when it shows the window:
        // the platform layer sets it, again whenever it is gone.
        plataforma::AsignarDuena(static_cast<std::uintptr_t>(winId()), anfitrion);
        const QPoint origen = ventanaAnfitriona->mapToGlobal(QPoint(0, 0));
        if (pos() != origen) move(origen);
    };
    colocar();
    // The host's moves reach no other process: look where it stands five times a second.
    auto* seguimiento = new QTimer(this);
    connect(seguimiento, &QTimer::timeout, this, colocar);
    seguimiento->start(200);
}

void TMForm::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (mostrado_) return;
    mostrado_ = true;
    // Let the window appear before the run's first dialog covers it.
    QTimer::singleShot(0, this, &TMForm::FormShow);
}

void TMForm::FormShow() {
    if (!parametros_.dosParametros || cerrado_) return;
    switch (parametros_.direccion) {
        case Direccion::Exportar:
            BExportarClick();
            break;
        case Direccion::Importar:
            BImportarClick();
            break;
        case Direccion::Ninguna:
            break;
    }
}

void TMForm::closeEvent(QCloseEvent* evento) {
    evento->accept();
    if (cerrado_) return;
    cerrado_ = true;
    FormClose();
    if (estado_.ModoIncrustado) {
        emit ProcesoTerminado();
        // quit() would not leave the loop while the foreign parent is the only top-level window.
        QCoreApplication::exit(0);
    }
}

void TMForm::FormClose() {
    if (!estado_.ModoIncrustado) return;
    Protegido([&] {
        plataforma::EscribirEnteroIni(ArchivoIni(), "Transformadores", "Transformado",
                                      resultadoEjecucion_);
    });
}

void TMForm::RunTerminada() {
    BExportar->setEnabled(false);
    BImportar->setEnabled(false);
    if (estado_.ModoIncrustado) close();
}

void TMForm::AnfitrionDesaparecido() {
    // A run keeps its modal dialogs to the end; the window closes once its result is known.
    if (enEjecucion_) {
        cerrarAlTerminar_ = true;
        return;
    }
    close();
}

template <class Run>
void TMForm::Ejecutar(Run&& run) {
    enEjecucion_ = true;
    Protegido(run);
    enEjecucion_ = false;
    if (cerrarAlTerminar_) close();
}

void TMForm::BExportarClick() {
    Ejecutar([&] {
        const ResultadoRun run = EjecutarRun(TipoRun::Importacion, estado_, *interlocutor_);
        Terminar(run.fin);
        // Built stand-alone only: embedded, the host expects the window gone.
        if (!run.hallazgos.empty()) interlocutor_->MostrarInforme(run.hallazgos);
    });
}

void TMForm::BImportarClick() {
    Ejecutar([&] { Terminar(EjecutarRun(TipoRun::Exportacion, estado_, *interlocutor_).fin); });
}

void TMForm::Terminar(FinRun fin) {
    switch (fin) {
        case FinRun::Finalizado:
            resultadoEjecucion_ = 1;
            RunTerminada();
            break;
        case FinRun::NoExisteArchivo:
            if (estado_.ModoIncrustado) {
                resultadoEjecucion_ = -1;
                close();
            }
            break;
        case FinRun::SalidaForzada:
            close();
            break;
        case FinRun::FaltaPeriodos:
            break;
    }
}

void TMForm::Button1Click() {
    Protegido([&] {
        AbrirAyuda(estado_.DirectorioPrograma, ContextoAyudaPrincipal, this, *interlocutor_);
    });
}

}  // namespace pasaplan
