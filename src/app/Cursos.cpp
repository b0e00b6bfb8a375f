// Unit Cursos: the course levels dialog.
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "app/Ayuda.h"
#include "app/ControlCursos.h"
#include "app/Dialogos.h"
#include "import/ControlCursos.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

QLabel* Etiqueta(QWidget* padre, const char* nombre, const char* texto, const char* estilo,
                 Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* etiqueta = new QLabel(QString::fromUtf8(texto), padre);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setWordWrap(true);
    etiqueta->setAlignment(alineacion);
    etiqueta->setStyleSheet(QString::fromLatin1(estilo));
    return etiqueta;
}

}  // namespace

// ---- TControlCursos -------------------------------------------------------------------------

TControlCursos::TControlCursos(QWidget* propietario, const ContextoCursos& contexto,
                               Interlocutor& interlocutor)
    : QDialog(propietario), contexto_(contexto), interlocutor_(interlocutor) {
    setObjectName(QStringLiteral("ControlCursos"));
    setWindowTitle(QString::fromUtf8("Asignación de Niveles y Cursos"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(686, 499);
    setProperty("contextoAyuda", ContextoAyudaPrincipal);

    QFont negrita = font();
    negrita.setBold(true);

    Label1 = Etiqueta(this, "Label1", "ASIGNACIÓN DE NIVELES Y CURSOS",
                      "color: white; font-weight: bold; text-decoration: underline;"
                      "font-size: 12pt; background: transparent;",
                      Qt::AlignCenter);
    Label1->setGeometry(8, 6, 400, 24);

    // The ten-button record navigator.
    wwDBNavigator1 = new QWidget(this);
    wwDBNavigator1->setObjectName(QStringLiteral("wwDBNavigator1"));
    wwDBNavigator1->setGeometry(8, 34, 300, 26);
    auto* filaNavegador = new QHBoxLayout(wwDBNavigator1);
    filaNavegador->setContentsMargins(0, 0, 0, 0);
    filaNavegador->setSpacing(1);

    modelo_ = new ModeloCursos(this);
    modelo_->informarError = [this](const Utf8& texto) { Informar(texto); };
    CursosTDBGrid = new RejillaCursos(this);
    CursosTDBGrid->setObjectName(QStringLiteral("CursosTDBGrid"));
    CursosTDBGrid->setGeometry(8, 64, 400, 427);
    CursosTDBGrid->setModel(modelo_);
    const QFontMetrics medidas(CursosTDBGrid->font());
    QFontMetrics medidasTitulo(CursosTDBGrid->horizontalHeader()->font());
    for (int c = 0; c < ModeloCursos::NumColumnas; ++c) {
        static const int anchoVisible[] = {10, 40, 5, 3};
        const QString titulo = modelo_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        // The typed codes are capitals: NIVEL shows five of the widest in full, editor included.
        const int contenido =
            c == ModeloCursos::ColNivel || c == ModeloCursos::ColCurso
                ? medidas.horizontalAdvance(QString(anchoVisible[c], QLatin1Char('W')))
                : medidas.averageCharWidth() * anchoVisible[c];
        CursosTDBGrid->setColumnWidth(
            c, std::max(contenido, medidasTitulo.horizontalAdvance(titulo)) + 16);
    }
    // NIVEL and CURSO are what the user types: keep them in view without scrolling sideways by
    // giving the studies' name what is left (long names are elided; the column can be widened).
    const int disponible = CursosTDBGrid->width() - 2 * CursosTDBGrid->frameWidth() -
                           CursosTDBGrid->verticalHeader()->sizeHint().width() -
                           CursosTDBGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int otras = CursosTDBGrid->columnWidth(0) + CursosTDBGrid->columnWidth(2) +
                      CursosTDBGrid->columnWidth(3);
    const int minimoEstudios = medidas.averageCharWidth() * 12;
    if (otras + CursosTDBGrid->columnWidth(1) > disponible) {
        CursosTDBGrid->setColumnWidth(1, std::max(minimoEstudios, disponible - otras));
    }

    struct BotonNavegador {
        const char* nombre;
        const char* glifo;
        const char* ayuda;
        std::function<void()> accion;
    };
    RejillaCursos* rejilla = CursosTDBGrid;
    const auto filaActual = [rejilla] {
        return rejilla->currentIndex().isValid() ? rejilla->currentIndex().row() : 0;
    };
    const BotonNavegador botones[] = {
        {"BotonPrimero", "|◀", "Primer registro", [=] { rejilla->IrAFila(0); }},
        {"BotonDiezAtras", "◀◀", "10 registros atrás",
         [=] { rejilla->IrAFila(filaActual() - 10); }},
        {"BotonAnterior", "◀", "Registro anterior", [=] { rejilla->IrAFila(filaActual() - 1); }},
        {"BotonSiguiente", "▶", "Registro siguiente", [=] { rejilla->IrAFila(filaActual() + 1); }},
        {"BotonDiezAdelante", "▶▶", "10 registros adelante",
         [=] { rejilla->IrAFila(filaActual() + 10); }},
        {"BotonUltimo", "▶|", "Último registro", [=] { rejilla->IrAFila(INT_MAX); }},
        {"BotonEditar", "✎", "Editar el registro", [=] { rejilla->EditarActual(); }},
        {"BotonGrabar", "✔", "Grabar los cambios", [=] { rejilla->GrabarEdicion(); }},
        {"BotonCancelar", "✘", "Cancelar los cambios", [=] { rejilla->CancelarEdicion(); }},
        {"BotonRefrescar", "⟳", "Refrescar los datos", [=] { rejilla->viewport()->update(); }},
    };
    for (const BotonNavegador& b : botones) {
        auto* boton = new QToolButton(wwDBNavigator1);
        boton->setObjectName(QString::fromLatin1(b.nombre));
        boton->setText(QString::fromUtf8(b.glifo));
        boton->setToolTip(QString::fromUtf8(b.ayuda));
        // The grid keeps the focus, so post and cancel find the cell being edited.
        boton->setFocusPolicy(Qt::NoFocus);
        boton->setFixedSize(28, 24);
        connect(boton, &QToolButton::clicked, this, b.accion);
        filaNavegador->addWidget(boton);
    }
    filaNavegador->addStretch();

    // The right part, top to bottom.
    auto* derecha = new QWidget(this);
    derecha->setGeometry(416, 6, 264, 487);
    auto* columna = new QVBoxLayout(derecha);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(5);
    Label3 = Etiqueta(derecha, "Label3", "INCIDENCIAS EN EL TRASPASO",
                      "color: red; font-weight: bold; text-decoration: underline;"
                      "background: white;",
                      Qt::AlignCenter);
    Label2 = Etiqueta(derecha, "Label2",
                      "Se ha detectado que falta por indicar algún NIVEL  o CURSO. Complete el/los "
                      "datos que falten, para poder concluir el proceso, antes de Salir.",
                      "color: red; font-weight: bold; background: yellow;");
    Label4 = Etiqueta(derecha, "Label4", "¡ IMPORTANTE !",
                      "color: red; font-weight: bold; text-decoration: underline;");
    Label5 = Etiqueta(derecha, "Label5",
                      "Las Abreviaturas de sus Grupos (Unidades), se formarán, en función del "
                      "NIVEL y CURSO, del siguiente modo: ",
                      "color: #800000; font-weight: bold;");
    Label6 = Etiqueta(derecha, "Label6", "Por ejemplo, NIVEL=ESO y CURSO=1 daría como resultado",
                      "color: blue; font-weight: bold;");
    Label10 = Etiqueta(derecha, "Label10", "Abreviatura del Grupo = ESO1A",
                       "color: #FF00FF; font-weight: bold; text-decoration: underline;");
    Label7 = Etiqueta(derecha, "Label7",
                      "y así secuencialmente para el resto de Grupos del mismo NIVEL y CURSO, "
                      "ESO1B, ESO1C.",
                      "color: #800080; font-weight: bold;");
    Label11 = Etiqueta(derecha, "Label11",
                       "Ejemplos de Niveles: BCT=Bach.C.T., BHC=Bach.Hum., BT=Bach.Tecnol., "
                       "LS=Leng.Signos, GAD=Gest.Admin., EDSO=ESO Diversificación, etc...",
                       "color: #800000; font-weight: bold; background: white;");
    Label9 = Etiqueta(derecha, "Label9",
                      "Luego es de vital IMPORTANCIA que para cada NIVEL sus 5 Primeros "
                      "caracteres sean DISTINTOS.",
                      "color: red; font-weight: bold; text-decoration: underline;"
                      "background: #A6CAF0;");
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton),
                              QStringLiteral("OK"), derecha);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFont(negrita);
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    BitBtn1->setMinimumHeight(30);
    BitBtn2 = new QPushButton(QStringLiteral("Forzar Salida Sin Terminar Proceso "), derecha);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    BitBtn2->setAutoDefault(false);
    Label8 = Etiqueta(derecha, "Label8",
                      "¡ Atención ! Si fuerza la Salida, los Datos recogidos serán INCOHERENTES.",
                      "color: red; font-weight: bold; background: yellow;", Qt::AlignCenter);
    for (QWidget* w : std::initializer_list<QWidget*>{Label3, Label2, Label4, Label5, Label6,
                                                      Label10, Label7, Label11, Label9}) {
        columna->addWidget(w);
    }
    columna->addStretch();
    auto* filaOk = new QHBoxLayout;
    filaOk->addWidget(BitBtn1);
    filaOk->addStretch();
    columna->addLayout(filaOk);
    columna->addWidget(BitBtn2);
    columna->addWidget(Label8);
    // Hidden widgets keep their place, so the layout does not jump when they appear.
    for (QWidget* w : std::initializer_list<QWidget*>{Label3, Label2, BitBtn2, Label8}) {
        QSizePolicy politica = w->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        w->setSizePolicy(politica);
        w->hide();
    }

    connect(BitBtn1, &QPushButton::clicked, this, &TControlCursos::BitBtn1Click);
    // Once every course is typed, Enter takes the keyboard on to OK (it does not press it).
    connect(CursosTDBGrid, &RejillaCursos::FinDeRejilla, BitBtn1,
            [this] { BitBtn1->setFocus(Qt::TabFocusReason); });
    connect(BitBtn2, &QPushButton::clicked, this, &TControlCursos::BitBtn2Click);
    connect(CursosTDBGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& actual, const QModelIndex& anterior) {
                if (anterior.isValid() && actual.column() != anterior.column()) {
                    CursosTDBGridColEnter();
                }
            });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* antes, QWidget* ahora) {
        const auto enRejilla = [this](QWidget* w) {
            return w && (w == CursosTDBGrid || CursosTDBGrid->isAncestorOf(w));
        };
        if (!enRejilla(antes) && enRejilla(ahora)) CursosTDBGridEnter();
        if (enRejilla(antes) && !enRejilla(ahora)) CursosTDBGridExit();
    });
    auto* ayuda = new QShortcut(QKeySequence(Qt::Key_F1), this);
    ayuda->setContext(Qt::WindowShortcut);
    connect(ayuda, &QShortcut::activated, this, [this] {
        try {
            AbrirAyuda(plataforma::DirectorioEjecutable(), ContextoAyudaPrincipal, this,
                       interlocutor_);
        } catch (const std::exception& e) {
            Informar(Utf8::DeBytes(e.what()));
        }
    });
}

TControlCursos::~TControlCursos() { CerrarTablas(); }

void TControlCursos::Informar(const Utf8& texto) { interlocutor_.Mensaje(texto); }

void TControlCursos::CerrarTablas() {
    modelo_->PonerTabla(nullptr);
    cursos_.reset();
}

void TControlCursos::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (mostrado_) return;
    mostrado_ = true;
    FormShow();
}

void TControlCursos::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    QLinearGradient degradado(0, 0, 0, height());
    degradado.setColorAt(0.0, QColor(0, 128, 0));
    degradado.setColorAt(0.5, Qt::white);
    degradado.setColorAt(1.0, QColor(0, 128, 0));
    pintor.fillRect(rect(), degradado);
}

void TControlCursos::FormShow() {
    // An error ends this event only: a failed recovery leaves CURSOST open for editing, and the
    // run's report lists it.
    try {
        cursos_ = AbrirCursos(contexto_.directorio);
        modelo_->PonerTabla(cursos_.get());
        if (HayCodificacionesAnteriores(contexto_.directorio)) {
            respuestas_.recuperar = interlocutor_.PreguntarRecuperacion();
        }
        RecuperarOAvisar(*cursos_, contexto_.directorio, respuestas_.recuperar, interlocutor_);
    } catch (const std::exception& e) {
        Informar(Utf8::DeBytes(e.what()));
    }
    modelo_->PonerTabla(cursos_.get());
    if (contexto_.DialogoRepetido) {
        BitBtn2->show();
        Label8->show();
    }
}

void TControlCursos::BitBtn1Click() {
    FaltaDato = 0;
    try {
        if (cursos_) {
            CursosTDBGrid->GrabarEdicion();
            CursosTDBGrid->IrAFila(0);
            // The grid has posted every cell: no codes left to give.
            const AceptacionCursos aceptacion =
                AceptarCursos(*cursos_, contexto_.directorio, respuestas_.niveles);
            FaltaDato = aceptacion.FaltaDato;
            AvisarErrorAlGuardar(aceptacion, interlocutor_);
            if (FaltaDato == 1) {
                Label3->show();
                Label2->show();
                interlocutor_.Mensaje("¡Atención! Falta algún Dato");
                BitBtn2->show();
            }
        }
    } catch (const std::exception& e) {
        Informar(Utf8::DeBytes(e.what()));
    }
    // OK closes the dialog whatever happened above.
    CerrarTablas();
    accept();
}

void TControlCursos::BitBtn2Click() {
    CursosTDBGrid->CancelarEdicion();
    CerrarTablas();
    FaltaDato = 0;
    MarcaSalida = pasaplan::MarcaSalida::Fuera;
    accept();
}

void TControlCursos::CursosTDBGridEnter() {
    // Every cell is posted as soon as it is edited: nothing to open here.
}

void TControlCursos::CursosTDBGridExit() { CursosTDBGrid->GrabarEdicion(); }

void TControlCursos::CursosTDBGridColEnter() {
    BitBtn2->hide();
    Label8->hide();
}

void TControlCursos::keyPressEvent(QKeyEvent* evento) {
    // The dialog has no cancel button: Esc must not close it and skip the check. (An open cell
    // editor takes Esc itself and drops its text.)
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void TControlCursos::reject() {
    // Window frame or close box: no check, CURSOST as last posted.
    CursosTDBGrid->CancelarEdicion();
    CerrarTablas();
    QDialog::reject();
}

ResultadoCursos MostrarControlCursos(QWidget* propietario, const ContextoCursos& contexto,
                                     Interlocutor& interlocutor) {
    TControlCursos ControlCursos(propietario, contexto, interlocutor);
    ControlCursos.exec();
    return ResultadoCursos{ControlCursos.FaltaDato, ControlCursos.MarcaSalida};
}

}  // namespace pasaplan
