// The course levels grid: the table model over CURSOST and the view with its frozen key
// column.
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

QString DesdeCp1252(const Texto& texto) {
    return QString::fromStdString(Cp1252AUtf8(texto).Bytes());
}

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
                auto* rejilla = qobject_cast<RejillaCursos*>(parent());
                const bool alFinal = rejilla && rejilla->EsUltimaCelda(rejilla->currentIndex());
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
                if (alFinal) emit rejilla->FinDeRejilla();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(objeto, evento);
    }
};

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
    // The studies' name may be elided in its column: the whole name shows as a tooltip.
    const bool consejo = rol == Qt::ToolTipRole && indice.column() == ColEstud;
    if (!tabla_ || !indice.isValid() ||
        (rol != Qt::DisplayRole && rol != Qt::EditRole && !consejo)) {
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
                           BytesUtf8ACp1252(valor.toString().toStdString()));
        tabla_->Grabar(fila);
    } catch (const std::exception& e) {
        if (informarError) informarError(Utf8::DeBytes(e.what()));
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
    const QModelIndex desde = currentIndex();
    // After CURSO the next cell to type in is the next row's NIVEL, not its read-only key.
    const bool trasCurso =
        accion == MoveNext && desde.isValid() && desde.column() == ModeloCursos::ColCurso;
    const QModelIndex actual = !trasCurso ? QTableView::moveCursor(accion, modificadores)
                               : desde.row() + 1 < model()->rowCount()
                                   ? model()->index(desde.row() + 1, ModeloCursos::ColNivel)
                                   : QModelIndex();  // the last course: nothing further in the grid
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
        if (EsUltimaCelda(currentIndex())) {
            emit FinDeRejilla();
        } else if (const QModelIndex siguiente = moveCursor(MoveNext, Qt::NoModifier);
                   siguiente.isValid()) {
            setCurrentIndex(siguiente);
        }
        evento->accept();
        return;
    }
    QTableView::keyPressEvent(evento);
}

bool RejillaCursos::EsUltimaCelda(const QModelIndex& indice) const {
    return indice.isValid() && indice.column() == ModeloCursos::ColCurso &&
           indice.row() == model()->rowCount() - 1;
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

}  // namespace pasaplan
