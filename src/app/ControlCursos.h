#pragma once
// Unit Cursos: the course levels dialog TControlCursos, where the user gives NIVEL and CURSO to
// every course of CURSOST. The work on the tables is the core's (import/ControlCursos.h).
#include <QAbstractTableModel>
#include <QDialog>
#include <QTableView>
#include <functional>
#include <memory>

#include "ejecucion/Interlocutor.h"
#include "exchange/Tabla.h"
#include "import/ControlCursos.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace pasaplan {

// CLAVE, ESTUD, NIVEL, CURSO of CURSOST; only NIVEL and CURSO can be edited, and every edit is
// posted at once.
class ModeloCursos : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Columna { ColClave, ColEstud, ColNivel, ColCurso, NumColumnas };

    explicit ModeloCursos(QObject* padre = nullptr) : QAbstractTableModel(padre) {}

    void PonerTabla(Tabla* tabla);  // nullptr: no rows
    // A failed read or post is reported here instead of escaping into Qt.
    std::function<void(const Utf8&)> informarError;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;

    static const char* Campo(int columna);
    static int Ancho(int columna);  // the field's width in characters

  private:
    Tabla* tabla_ = nullptr;
};

// The grid: the CLAVE column stays in place when scrolling sideways, Enter moves to the next
// cell, and the navigator can post or cancel the cell being edited.
class RejillaCursos : public QTableView {
    Q_OBJECT
  public:
    explicit RejillaCursos(QWidget* padre = nullptr);
    void setModel(QAbstractItemModel* modelo) override;

    void IrAFila(int fila);  // keeps the column
    void EditarActual();     // edit: NIVEL when the current cell cannot be edited
    void GrabarEdicion();    // post the open editor, if any
    void CancelarEdicion();  // drop the open editor's text, if any
    QTableView* ColumnaFija() const { return fija_; }
    bool EsUltimaCelda(const QModelIndex& indice) const;  // the last course's CURSO

  signals:
    // Enter on the last course's CURSO: the grid has nothing further to type in.
    void FinDeRejilla();

  public:
    void scrollTo(const QModelIndex& indice, ScrollHint pista = EnsureVisible) override;

  protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    QModelIndex moveCursor(CursorAction accion, Qt::KeyboardModifiers modificadores) override;
    void updateGeometries() override;

  private:
    QWidget* EditorAbierto() const;
    void AjustarColumnaFija();
    QTableView* fija_;
};

class TControlCursos : public QDialog {
    Q_OBJECT
  public:
    TControlCursos(QWidget* propietario, const ContextoCursos& contexto,
                   Interlocutor& interlocutor);
    ~TControlCursos() override;

    int FaltaDato = 0;
    pasaplan::MarcaSalida MarcaSalida = pasaplan::MarcaSalida::Ninguna;

    // Events, named as the layout names them.
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void CursosTDBGridEnter();
    void CursosTDBGridExit();
    void CursosTDBGridColEnter();

  public slots:
    void reject() override;  // window frame, close box

  protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

  private:
    void CerrarTablas();
    void Informar(const Utf8& texto);

    ContextoCursos contexto_;
    Interlocutor& interlocutor_;
    RespuestasCursos respuestas_;
    std::unique_ptr<Tabla> cursos_;
    bool mostrado_ = false;

    ModeloCursos* modelo_;
    RejillaCursos* CursosTDBGrid;
    QWidget* wwDBNavigator1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
};

}  // namespace pasaplan
