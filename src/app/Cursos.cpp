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

// Titles centred, broken into lines where they do not fit.
Qt::Alignment AlineacionTitulos() {
    return Qt::Alignment::fromInt(int(Qt::AlignCenter) | int(Qt::TextWordWrap));
}

QString DesdeCp1252(const Texto& texto) { return QString::fromStdString(Cp1252AUtf8(texto)); }

// The grid's editor: at most as many characters as the field holds, and Enter posts the cell
// and goes on to the next one.
class DelegadoCursos : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(padre, opcion, indice);
        if (auto* linea = qobject_cast<QLineEdit*>(editor)) {
            linea->setMaxLength(ModeloCursos::Ancho(indice.column()));
        }
        return editor;
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::KeyPress) {
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            if (auto* editor = qobject_cast<QWidget*>(objeto);
                editor && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(objeto, evento);
    }
};

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

// ---- ModeloCursos ---------------------------------------------------------------------------

const char* ModeloCursos::Campo(int columna) {
    static const char* const campos[] = {"CLAVE", "ESTUD", "NIVEL", "CURSO"};
    return campos[columna];
}

int ModeloCursos::Ancho(int columna) {
    static const int anchos[] = {10, 80, 5, 3};
    return anchos[columna];
}

void ModeloCursos::PonerTabla(Tabla* tabla) {
    beginResetModel();
    tabla_ = tabla;
    endResetModel();
}

int ModeloCursos::rowCount(const QModelIndex& padre) const {
    return padre.isValid() || !tabla_ ? 0 : static_cast<int>(tabla_->Filas());
}

int ModeloCursos::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : NumColumnas;
}

QVariant ModeloCursos::data(const QModelIndex& indice, int rol) const {
    if (!tabla_ || !indice.isValid() || (rol != Qt::DisplayRole && rol != Qt::EditRole)) {
        return {};
    }
    try {
        return DesdeCp1252(
            tabla_->LeerTexto(static_cast<size_t>(indice.row()), Campo(indice.column())));
    } catch (const std::exception&) {
        return {};  // the table was checked when it was opened
    }
}

QVariant ModeloCursos::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    }
    static const char* const titulos[] = {"CÓD.SÉNECA", "ESTUDIOS", "NIVEL", "CURSO"};
    return seccion >= 0 && seccion < NumColumnas ? QString::fromUtf8(titulos[seccion]) : QVariant();
}

Qt::ItemFlags ModeloCursos::flags(const QModelIndex& indice) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(indice);
    if (indice.column() == ColNivel || indice.column() == ColCurso) f |= Qt::ItemIsEditable;
    return f;
}

bool ModeloCursos::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (!tabla_ || rol != Qt::EditRole || !(flags(indice) & Qt::ItemIsEditable)) return false;
    try {
        const auto fila = static_cast<size_t>(indice.row());
        tabla_->PonerTexto(fila, Campo(indice.column()),
                           Utf8ACp1252(valor.toString().toStdString()));
        tabla_->Grabar(fila);
    } catch (const std::exception& e) {
        if (informarError) informarError(e.what());
        return false;
    }
    emit dataChanged(indice, indice);
    return true;
}

// ---- RejillaCursos --------------------------------------------------------------------------

RejillaCursos::RejillaCursos(QWidget* padre) : QTableView(padre), fija_(new QTableView(this)) {
    setItemDelegate(new DelegadoCursos(this));
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumWidth(14);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Titles of up to two lines.
    horizontalHeader()->setDefaultAlignment(AlineacionTitulos());
    horizontalHeader()->setFixedHeight(2 * fontMetrics().height() + 8);

    // The CLAVE column drawn by a second view over the first, as Qt's frozen column does it.
    fija_->setObjectName(QStringLiteral("CursosTDBGridClave"));
    fija_->setFocusPolicy(Qt::NoFocus);
    fija_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fija_->setAlternatingRowColors(true);
    fija_->verticalHeader()->hide();
    fija_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fija_->horizontalHeader()->setDefaultAlignment(AlineacionTitulos());
    fija_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    fija_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    fija_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    fija_->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    viewport()->stackUnder(fija_);
    connect(fija_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, fija_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int seccion, int, int nuevo) {
                if (seccion == 0) {
                    fija_->setColumnWidth(0, nuevo);
                    AjustarColumnaFija();
                }
            });
}

void RejillaCursos::setModel(QAbstractItemModel* modelo) {
    QTableView::setModel(modelo);
    fija_->setModel(modelo);
    fija_->setSelectionModel(selectionModel());
    for (int c = 1; c < modelo->columnCount(); ++c) fija_->setColumnHidden(c, true);
    fija_->setColumnWidth(0, columnWidth(0));
    fija_->show();
    AjustarColumnaFija();
}

void RejillaCursos::AjustarColumnaFija() {
    fija_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                       viewport()->height() + horizontalHeader()->height());
}

void RejillaCursos::resizeEvent(QResizeEvent* evento) {
    QTableView::resizeEvent(evento);
    AjustarColumnaFija();
}

void RejillaCursos::updateGeometries() {
    QTableView::updateGeometries();
    AjustarColumnaFija();
}

QModelIndex RejillaCursos::moveCursor(CursorAction accion, Qt::KeyboardModifiers modificadores) {
    const QModelIndex actual = QTableView::moveCursor(accion, modificadores);
    // A cell that would slide under the fixed column scrolls into view beside it.
    if (actual.isValid() && actual.column() > 0 &&
        visualRect(actual).topLeft().x() < fija_->columnWidth(0)) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                        visualRect(actual).topLeft().x() - fija_->columnWidth(0));
    }
    return actual;
}

void RejillaCursos::scrollTo(const QModelIndex& indice, ScrollHint pista) {
    if (indice.column() > 0) {
        QTableView::scrollTo(indice, pista);
    } else if (indice.isValid()) {
        // The fixed column is always in view: scroll rows only.
        QTableView::scrollTo(
            model()->index(indice.row(), currentIndex().isValid() && currentIndex().column() > 0
                                             ? currentIndex().column()
                                             : 1),
            pista);
    }
}

void RejillaCursos::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        // Enter goes to the next cell; it must not reach the dialog's default button.
        const QModelIndex siguiente = moveCursor(MoveNext, Qt::NoModifier);
        if (siguiente.isValid()) setCurrentIndex(siguiente);
        evento->accept();
        return;
    }
    QTableView::keyPressEvent(evento);
}

QWidget* RejillaCursos::EditorAbierto() const {
    if (state() != EditingState) return nullptr;
    QWidget* foco = QApplication::focusWidget();
    return foco && viewport()->isAncestorOf(foco) ? foco : nullptr;
}

void RejillaCursos::IrAFila(int fila) {
    if (!model() || model()->rowCount() == 0) return;
    fila = std::clamp(fila, 0, model()->rowCount() - 1);
    const int columna = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(model()->index(fila, columna));
}

void RejillaCursos::EditarActual() {
    if (!model() || model()->rowCount() == 0) return;
    QModelIndex indice = currentIndex();
    if (!indice.isValid()) indice = model()->index(0, ModeloCursos::ColNivel);
    if (!(indice.flags() & Qt::ItemIsEditable)) {
        indice = model()->index(indice.row(), ModeloCursos::ColNivel);
    }
    setCurrentIndex(indice);
    edit(indice);
}

void RejillaCursos::GrabarEdicion() {
    if (QWidget* editor = EditorAbierto()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void RejillaCursos::CancelarEdicion() {
    if (QWidget* editor = EditorAbierto()) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

// ---- TControlCursos -------------------------------------------------------------------------

TControlCursos::TControlCursos(QWidget* propietario, const ContextoCursos& contexto,
                               Interlocutor& interlocutor)
    : QDialog(propietario), contexto_(contexto), interlocutor_(interlocutor) {
    setObjectName(QStringLiteral("ControlCursos"));
    setWindowTitle(QString::fromUtf8("Asignación de Niveles y Cursos"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(686, 499);
    setProperty("contextoAyuda", 1);

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
        CursosTDBGrid->setColumnWidth(c, std::max(medidas.averageCharWidth() * anchoVisible[c],
                                                  medidasTitulo.horizontalAdvance(titulo)) +
                                             12);
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
    connect(ayuda, &QShortcut::activated, this,
            [this] { AbrirAyuda(plataforma::DirectorioEjecutable(), interlocutor_); });
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
    // An error ends this event only: a failed recovery leaves CURSOST open for editing.
    try {
        cursos_ = AbrirCursos(contexto_.directorio);
        modelo_->PonerTabla(cursos_.get());
        RecuperarCodificaciones(*cursos_, contexto_.directorio, interlocutor_);
    } catch (const std::exception& e) {
        Informar(e.what());
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
            FaltaDato = AceptarCursos(*cursos_, contexto_.directorio);
            if (FaltaDato == 1) {
                Label3->show();
                Label2->show();
                interlocutor_.Mensaje("¡Atención! Falta algún Dato");
                BitBtn2->show();
            }
        }
    } catch (const std::exception& e) {
        Informar(e.what());
    }
    // OK closes the dialog whatever happened above.
    CerrarTablas();
    accept();
}

void TControlCursos::BitBtn2Click() {
    CursosTDBGrid->CancelarEdicion();
    CerrarTablas();
    FaltaDato = 0;
    MarcaSalida = "fuera";
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

void TControlCursos::reject() {
    // Window frame, close box or Esc: no check, CURSOST as last posted.
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
