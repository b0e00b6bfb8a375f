// Qt's own texts in Spanish in every window of the program, whatever the machine's locale: the
// file dialog, message boxes, context menus, the dialogs, the report and the help window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <cstdlib>

#include "app/AplicacionPrueba.h"
#include "app/ControlCursos.h"
#include "app/InterlocutorQt.h"
#include "app/MainForm.h"
#include "app/Plantihoras.h"
#include "app/VentanaAyuda.h"
#include "app/VentanaInforme.h"
#include "exchange/ExportacionSeneca.h"
#include "exchange/Tabla.h"
#include "import/ControlCursos.h"
#include "support/Apoyo.h"
#include "support/InterlocutorGuion.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;

// Qt's English standard texts, without their mnemonics. ("OK" is the direction buttons' own
// caption and is checked on message boxes only.)
const QStringList kIngles{"Cancel",
                          "Open",
                          "Save",
                          "Close",
                          "Yes",
                          "No",
                          "Apply",
                          "Help",
                          "Look in:",
                          "File name:",
                          "Files of type:",
                          "Name",
                          "Size",
                          "Type",
                          "Date Modified",
                          "Back",
                          "Forward",
                          "Parent Directory",
                          "Create New Folder",
                          "List View",
                          "Detail View",
                          "Discard",
                          "Abort",
                          "Retry",
                          "Ignore",
                          "Reset",
                          "Restore Defaults",
                          "Save All",
                          "Yes to All",
                          "No to All",
                          "Show Details...",
                          "Undo",
                          "Redo",
                          "Cut",
                          "Copy",
                          "Paste",
                          "Delete",
                          "Select All",
                          "New Folder",
                          "Rename",
                          "Show hidden files",
                          "Computer",
                          "My Computer",
                          "Recent Places",
                          "Folder",
                          "File Folder"};

void Anotar(QStringList& textos, const QString& texto) {
    if (!texto.isEmpty()) textos << QString(texto).remove('&').trimmed();
}

// Every text a person can read in w and its children: captions, labels, tooltips, items,
// column titles, the actions of menus and buttons.
QStringList TextosVisibles(QWidget* w) {
    QStringList textos;
    QList<QWidget*> todos = w->findChildren<QWidget*>();
    todos.prepend(w);
    for (QWidget* c : todos) {
        if (c->isWindow()) Anotar(textos, c->windowTitle());
        Anotar(textos, c->toolTip());
        if (auto* b = qobject_cast<QAbstractButton*>(c)) Anotar(textos, b->text());
        if (auto* l = qobject_cast<QLabel*>(c)) Anotar(textos, l->text());
        if (auto* e = qobject_cast<QLineEdit*>(c)) Anotar(textos, e->placeholderText());
        if (auto* cb = qobject_cast<QComboBox*>(c)) {
            for (int i = 0; i < cb->count(); ++i) Anotar(textos, cb->itemText(i));
        }
        if (auto* v = qobject_cast<QAbstractItemView*>(c); v && v->model()) {
            for (int s = 0; s < v->model()->columnCount(v->rootIndex()); ++s) {
                Anotar(textos, v->model()->headerData(s, Qt::Horizontal).toString());
            }
        }
        for (QAction* a : c->actions()) {
            Anotar(textos, a->text());
            Anotar(textos, a->toolTip());
        }
    }
    return textos;
}

void SinIngles(QWidget* w, const char* que) {
    for (const QString& t : TextosVisibles(w)) {
        EXPECT_FALSE(kIngles.contains(t)) << que << ": «" << t.toStdString() << "»";
    }
}

class Espanol : public testing::Test {
  protected:
    prueba::DirectorioTemporal dir;
    prueba::InterlocutorGuion persona;
    void SetUp() override { prueba::AplicacionPrueba(); }
};

TEST_F(Espanol, FileDialogSaysAbrirAndShowsSpanishDates) {
    // The dialog starts in the mapped c:\vtemp\seneca, here inside a Wine prefix of the test's.
    const char* antes = std::getenv("WINEPREFIX");
    const std::string prefijoAnterior = antes ? antes : "";
    setenv("WINEPREFIX", dir.Ruta().c_str(), 1);
    const fs::path seneca = dir.Ruta() / "drive_c" / "vtemp" / "seneca";
    fs::create_directories(seneca);
    prueba::EscribirArchivo(seneca / "ExportacionHorarios.xml", "<SERVICIO/>");

    InterlocutorQt interlocutor(nullptr);
    bool visto = false;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        visto = true;
        EXPECT_EQ(dialogo->windowTitle(), "Archivo XML");
        auto* botones = dialogo->findChild<QDialogButtonBox*>();
        ASSERT_NE(botones, nullptr);
        EXPECT_EQ(botones->button(QDialogButtonBox::Open)->text().remove('&'), "Abrir");
        EXPECT_EQ(botones->button(QDialogButtonBox::Cancel)->text().remove('&'), "Cancelar");
        // The folder is read in the background: wait for the file, then read its date.
        auto* lista = dialogo->findChild<QTreeView*>("treeView");
        ASSERT_NE(lista, nullptr);
        QModelIndex fila;
        for (int i = 0; i < 200 && !fila.isValid(); ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            const QModelIndex raiz = lista->rootIndex();
            for (int r = 0; r < lista->model()->rowCount(raiz); ++r) {
                const QModelIndex i0 = lista->model()->index(r, 0, raiz);
                if (i0.data().toString() == "ExportacionHorarios.xml") fila = i0;
            }
        }
        ASSERT_TRUE(fila.isValid());
        const QDateTime cambio =
            QFileInfo(QString::fromStdString((seneca / "ExportacionHorarios.xml").string()))
                .lastModified();
        EXPECT_EQ(fila.siblingAtColumn(3).data().toString(),
                  QLocale(QLocale::Spanish, QLocale::Spain).toString(cambio, QLocale::ShortFormat));
        SinIngles(dialogo, "diálogo de archivos");
        // The file name's context menu too.
        auto* nombre = dialogo->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(nombre, nullptr);
        std::unique_ptr<QMenu> menu(nombre->createStandardContextMenu());
        SinIngles(menu.get(), "menú contextual");
        dialogo->reject();
    });
    const prueba::VigilanteDialogo vigilante;
    EXPECT_FALSE(interlocutor.ElegirArchivoXml().has_value());
    EXPECT_TRUE(visto);
    if (antes) {
        setenv("WINEPREFIX", prefijoAnterior.c_str(), 1);
    } else {
        unsetenv("WINEPREFIX");
    }
}

TEST_F(Espanol, MessageBoxesSayAceptarAndTheRecoveryQuestionKeepsItsButtons) {
    InterlocutorQt interlocutor(nullptr);
    QStringList botones;
    const auto leer = [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caja, nullptr);
        botones.clear();
        for (QAbstractButton* b : caja->buttons()) botones << b->text().remove('&');
        caja->button(QMessageBox::Ok) ? caja->button(QMessageBox::Ok)->click() : caja->accept();
    };
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caja, nullptr);
        SinIngles(caja, "mensaje");
        leer();
    });
    const prueba::VigilanteDialogo vigilante;
    interlocutor.Mensaje("Proceso finalizado");
    EXPECT_EQ(botones, QStringList{"Aceptar"});

    QTimer::singleShot(0, leer);
    EXPECT_TRUE(interlocutor.PreguntarRecuperacion());
    EXPECT_EQ(botones, (QStringList{"OK", "Cancel"}));
}

TEST_F(Espanol, NoWindowOfTheProgramShowsQtsEnglishTexts) {
    EstadoPrincipal estado;
    estado.DirectorioPrograma = dir.Ruta();
    estado.DirectorioIntercambio = dir.Ruta();
    TMForm principal(std::move(estado), {}, &persona);
    SinIngles(&principal, "ventana principal");

    Tabla::Crear(dir.Ruta() / "CURSOST.DBF", CamposCursos());
    TControlCursos cursos(nullptr, ContextoCursos{dir.Ruta(), true}, persona);
    SinIngles(&cursos, "niveles y cursos");

    const auto documento =
        ExportacionSeneca::DesdeMemoria("<SERVICIO><BLOQUE_DATOS/></SERVICIO>", "x.xml");
    TPlantillas marcos(nullptr, ContextoMarcos{*documento, dir.Ruta() / "x.xml"}, persona);
    SinIngles(&marcos, "marcos horarios");

    VentanaInforme informe({{TipoHallazgo::UnidadMixta, "UNIDADES", "clave 1", "Frase."}}, persona);
    SinIngles(&informe, "informe");

    const QUrl indice =
        QUrl::fromLocalFile(QString::fromUtf8(PASAPLAN_BIN_DIR "/ayuda/index.html"));
    VentanaAyuda ayuda(indice);
    ayuda.setAttribute(Qt::WA_DeleteOnClose, false);
    ayuda.Mostrar(indice);
    SinIngles(&ayuda, "ayuda");
    std::unique_ptr<QMenu> menu(ayuda.Navegador()->createStandardContextMenu());
    SinIngles(menu.get(), "menú de la ayuda");
}

}  // namespace
}  // namespace pasaplan
