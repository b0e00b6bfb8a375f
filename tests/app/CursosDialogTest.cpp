// The course levels dialog, driven headless: a zero-delay timer acts on the modal dialog and a
// watchdog closes it should a check fail before it does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <array>
#include <functional>

#include "app/AplicacionPrueba.h"
#include "app/ControlCursos.h"
#include "app/Dialogos.h"
#include "exchange/Tabla.h"
#include "import/ControlCursos.h"
#include "import/Importacion.h"
#include "import/Pasos.h"
#include "support/Apoyo.h"
#include "support/Hijo.h"
#include "support/InterlocutorGuion.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;
using prueba::InterlocutorGuion;

using Accion = std::function<void(TControlCursos&)>;

using prueba::Hijo;
using prueba::OlvidarSalidaPendiente;
using prueba::Tecla;

bool Visible(TControlCursos& d, const char* nombre) {
    QWidget* w = Hijo<QWidget>(d, nombre);
    return w != nullptr && !w->isHidden();
}

RejillaCursos* Rejilla(TControlCursos& d) { return Hijo<RejillaCursos>(d, "CursosTDBGrid"); }

QString Celda(TControlCursos& d, int fila, int columna) {
    auto* modelo = Rejilla(d)->model();
    return modelo->data(modelo->index(fila, columna)).toString();
}

void Escribir(TControlCursos& d, int fila, int columna, const QString& texto) {
    auto* modelo = Rejilla(d)->model();
    EXPECT_TRUE(modelo->setData(modelo->index(fila, columna), texto, Qt::EditRole));
}

void Ok(TControlCursos& d) { Hijo<QPushButton>(d, "BitBtn1")->click(); }

// Shows the dialog as the step does and runs accion on it once it is up.
ResultadoCursos Mostrar(const ContextoCursos& contexto, Interlocutor& interlocutor,
                        const Accion& accion) {
    bool actuado = false;
    QObject vida;  // pending calls die with it
    std::function<void()> intentar = [&] {
        auto* d = qobject_cast<TControlCursos*>(QApplication::activeModalWidget());
        if (d == nullptr) {
            QTimer::singleShot(0, &vida, intentar);
            return;
        }
        actuado = true;
        accion(*d);
        if (d->isVisible()) d->close();
    };
    QTimer::singleShot(0, &vida, intentar);
    const prueba::VigilanteDialogo vigilante;
    const ResultadoCursos r = MostrarControlCursos(nullptr, contexto, interlocutor);
    EXPECT_TRUE(actuado);
    return r;
}

class DialogoCursos : public testing::Test {
  protected:
    DirectorioTemporal dir;
    InterlocutorGuion persona;
    fs::path vtemp;

    void SetUp() override {
        prueba::AplicacionPrueba();
        OlvidarSalidaPendiente();
        vtemp = dir.Ruta() / "VTEMP";
        fs::create_directories(vtemp);
        Tabla("CURSOST", {{"", "", "", "", "100323", "1º de E.S.O."},
                          {"", "", "", "", "100324", "2º de E.S.O."}});
    }

    // NIVEL, CURSO, CLAVE, ESTUD (UTF-8) of each row.
    void Tabla(const std::string& nombre, const std::vector<std::array<std::string, 6>>& filas) {
        const auto ruta = vtemp / (nombre + ".DBF");
        pasaplan::Tabla::Crear(ruta, CamposCursos());
        auto t = pasaplan::Tabla::Abrir(ruta, Acceso::Exclusivo);
        for (const auto& fila : filas) {
            const size_t f = t->Agregar();
            for (size_t c = 0; c < fila.size(); ++c) {
                t->PonerTexto(f, CamposCursos()[c].nombre, BytesUtf8ACp1252(fila[c]));
            }
            t->Grabar(f);
        }
    }

    std::vector<std::string> Filas(const Utf8& nombre) {
        auto t = pasaplan::Tabla::AbrirEn(vtemp, nombre, Acceso::Compartido);
        std::vector<std::string> filas;
        for (size_t f = 0; f < t->Filas(); ++f) {
            filas.push_back(Cp1252AUtf8(t->LeerTexto(f, "NIVEL") + ";" + t->LeerTexto(f, "CURSO") +
                                        ";" + t->LeerTexto(f, "CLAVE"))
                                .Bytes());
        }
        return filas;
    }

    bool Existe(const Utf8& nombre) { return fs::exists(pasaplan::Tabla::RutaEn(vtemp, nombre)); }

    ResultadoCursos Mostrar(const Accion& accion, bool repetido = false) {
        return pasaplan::Mostrar(ContextoCursos{vtemp, repetido}, persona, accion);
    }
};

TEST_F(DialogoCursos, CompleteOkCreatesCursost2InCursostOrder) {
    const auto r = Mostrar([](TControlCursos& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Asignación de Niveles y Cursos"));
        for (const char* oculto : {"Label2", "Label3", "BitBtn2", "Label8"}) {
            EXPECT_FALSE(Visible(d, oculto)) << oculto;
        }
        EXPECT_TRUE(Visible(d, "Label9"));
        EXPECT_EQ(Celda(d, 1, ModeloCursos::ColEstud), QString::fromUtf8("2º de E.S.O."));
        Escribir(d, 0, ModeloCursos::ColNivel, "ESO");
        Escribir(d, 0, ModeloCursos::ColCurso, "1");
        Escribir(d, 1, ModeloCursos::ColNivel, " ES");  // a leading blank stays
        Escribir(d, 1, ModeloCursos::ColCurso, "2");
        Ok(d);
    });
    EXPECT_EQ(r.FaltaDato, 0);
    EXPECT_EQ(r.MarcaSalida, MarcaSalida::Ninguna);
    EXPECT_EQ(persona.preguntasRecuperacion, 0);
    EXPECT_TRUE(persona.mensajes.empty());
    EXPECT_EQ(Filas("CURSOST2"), (std::vector<std::string>{"ESO;1;100323", " ES;2;100324"}));
}

TEST_F(DialogoCursos, OnlyLevelAndCourseCanBeEdited) {
    Mostrar([](TControlCursos& d) {
        auto* modelo = Rejilla(d)->model();
        EXPECT_FALSE(modelo->setData(modelo->index(0, ModeloCursos::ColClave), "X", Qt::EditRole));
        EXPECT_FALSE(modelo->setData(modelo->index(0, ModeloCursos::ColEstud), "X", Qt::EditRole));
        EXPECT_EQ(Celda(d, 0, ModeloCursos::ColClave), "100323");
        // Longer than the field: cut to its width.
        Escribir(d, 0, ModeloCursos::ColNivel, "BACHILLER");
        EXPECT_EQ(Celda(d, 0, ModeloCursos::ColNivel), "BACHI");
    });
    EXPECT_EQ(Filas("CURSOST"), (std::vector<std::string>{"BACHI;;100323", ";;100324"}));
}

TEST_F(DialogoCursos, IncompleteOkWarnsAndTheNextShowingOffersTheForcedExit) {
    const auto r = Mostrar([](TControlCursos& d) {
        Escribir(d, 0, ModeloCursos::ColNivel, "ESO");
        Escribir(d, 0, ModeloCursos::ColCurso, "1");
        Escribir(d, 1, ModeloCursos::ColNivel, "   ");  // blanks only count as missing
        Escribir(d, 1, ModeloCursos::ColCurso, "2");
        Ok(d);
        for (const char* aviso : {"Label2", "Label3", "BitBtn2"}) {
            EXPECT_TRUE(Visible(d, aviso)) << aviso;
        }
    });
    EXPECT_EQ(r.FaltaDato, 1);
    EXPECT_EQ(persona.mensajes, std::vector<Utf8>{"¡Atención! Falta algún Dato"});
    EXPECT_FALSE(Existe("CURSOST2"));

    const auto otra = Mostrar(
        [](TControlCursos& d) {
            EXPECT_TRUE(Visible(d, "BitBtn2"));
            EXPECT_TRUE(Visible(d, "Label8"));
            EXPECT_FALSE(Visible(d, "Label2"));
            EXPECT_FALSE(Visible(d, "Label3"));
            // Moving to another column hides the forced exit and its warning.
            auto* rejilla = Rejilla(d);
            rejilla->setCurrentIndex(rejilla->model()->index(0, ModeloCursos::ColNivel));
            EXPECT_TRUE(Visible(d, "BitBtn2"));
            rejilla->setCurrentIndex(rejilla->model()->index(0, ModeloCursos::ColCurso));
            EXPECT_FALSE(Visible(d, "BitBtn2"));
            EXPECT_FALSE(Visible(d, "Label8"));
            Escribir(d, 1, ModeloCursos::ColNivel, "ESO");
            Ok(d);
        },
        true);
    EXPECT_EQ(otra.FaltaDato, 0);
    EXPECT_EQ(Filas("CURSOST2"), (std::vector<std::string>{"ESO;1;100323", "ESO;2;100324"}));
}

TEST_F(DialogoCursos, RecoveryFillsMatchingKeysAndDecliningDeletesCursost2) {
    Tabla("CURSOST2", {{"", "", "ESO", "1", "100323", ""}, {"", "", "BCT", "2", "100324X", ""}});
    Mostrar([](TControlCursos& d) {
        EXPECT_EQ(Celda(d, 0, ModeloCursos::ColNivel), "ESO");
        EXPECT_EQ(Celda(d, 1, ModeloCursos::ColNivel), "");
    });
    EXPECT_EQ(persona.preguntasRecuperacion, 1);
    EXPECT_TRUE(Existe("CURSOST2"));

    persona.recuperaciones = {false};
    const auto r =
        Mostrar([](TControlCursos& d) { Hijo<QPushButton>(d, "BitBtn2")->click(); }, true);
    EXPECT_EQ(r.MarcaSalida, MarcaSalida::Fuera);
    EXPECT_EQ(r.FaltaDato, 0);
    EXPECT_FALSE(Existe("CURSOST2"));
}

TEST_F(DialogoCursos, ADamagedCursost2IsReportedAndTheCoursesStayEditable) {
    prueba::EscribirArchivo(vtemp / "CURSOST2.DBF", "no es una tabla");
    Mostrar([this](TControlCursos& d) {
        ASSERT_EQ(persona.mensajes.size(), 1u);
        EXPECT_NE(persona.mensajes[0].find("CURSOST2"), std::string::npos) << persona.mensajes[0];
        EXPECT_EQ(Rejilla(d)->model()->rowCount(), 2);
        Escribir(d, 0, ModeloCursos::ColNivel, "ESO");
    });
    EXPECT_EQ(Filas("CURSOST"), (std::vector<std::string>{"ESO;;100323", ";;100324"}));
}

TEST_F(DialogoCursos, TheCloseBoxSkipsTheCheckAndEscDoesNothing) {
    const auto r = Mostrar([](TControlCursos& d) {
        Escribir(d, 0, ModeloCursos::ColNivel, "ESO");
        // Esc, on the dialog or on the grid: no cancel button, so the dialog stays with its data.
        Tecla(&d, Qt::Key_Escape);
        Tecla(Rejilla(d), Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Celda(d, 0, ModeloCursos::ColNivel), "ESO");
        // Esc in an open editor drops only what was typed there.
        auto* rejilla = Rejilla(d);
        rejilla->setCurrentIndex(rejilla->model()->index(1, ModeloCursos::ColNivel));
        rejilla->edit(rejilla->currentIndex());
        auto* editor = rejilla->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText("BCT");
        Tecla(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Celda(d, 1, ModeloCursos::ColNivel), "");
        d.close();  // the close box
    });
    EXPECT_EQ(r.FaltaDato, 0);
    EXPECT_EQ(r.MarcaSalida, MarcaSalida::Ninguna);
    EXPECT_TRUE(persona.mensajes.empty());
    EXPECT_FALSE(Existe("CURSOST2"));
    EXPECT_EQ(Filas("CURSOST"), (std::vector<std::string>{"ESO;;100323", ";;100324"}));
}

TEST_F(DialogoCursos, ATableErrorInsideOkIsShownAndTheDialogClosesAllTheSame) {
    // A CURSOST2 that lacks ESTUD.
    pasaplan::Tabla::Crear(vtemp / "CURSOST2.DBF",
                           {CampoTexto("ABREV", 3), CampoTexto("TURNO", 1), CampoTexto("NIVEL", 5),
                            CampoTexto("CURSO", 3), CampoTexto("CLAVE", 10)});
    persona.recuperaciones = {true};
    const auto r = Mostrar([](TControlCursos& d) {
        Escribir(d, 0, ModeloCursos::ColNivel, "ESO");
        Escribir(d, 0, ModeloCursos::ColCurso, "1");
        Escribir(d, 1, ModeloCursos::ColNivel, "ESO");
        Escribir(d, 1, ModeloCursos::ColCurso, "2");
        Ok(d);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(r.FaltaDato, 0);
    ASSERT_EQ(persona.mensajes.size(), 1u);
    EXPECT_NE(persona.mensajes[0].find("ESTUD"), std::string::npos) << persona.mensajes[0];
}

TEST_F(DialogoCursos, EnterMovesToTheNextCellAndNeverPressesOk) {
    const auto r = Mostrar([](TControlCursos& d) {
        auto* rejilla = Rejilla(d);
        auto* modelo = rejilla->model();
        rejilla->setCurrentIndex(modelo->index(0, ModeloCursos::ColClave));
        Tecla(rejilla, Qt::Key_Return);
        EXPECT_EQ(rejilla->currentIndex(), modelo->index(0, ModeloCursos::ColEstud));
        EXPECT_TRUE(d.isVisible());

        // Typing in NIVEL, Enter posts it and goes on editing CURSO.
        rejilla->setCurrentIndex(modelo->index(0, ModeloCursos::ColNivel));
        rejilla->edit(rejilla->currentIndex());
        auto* editor = rejilla->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->maxLength(), 5);
        editor->setText("ESO");
        Tecla(editor, Qt::Key_Enter);
        EXPECT_EQ(Celda(d, 0, ModeloCursos::ColNivel), "ESO");
        EXPECT_EQ(rejilla->currentIndex(), modelo->index(0, ModeloCursos::ColCurso));
        // At the end of the row Enter goes to the next row.
        QCoreApplication::processEvents();
        editor = nullptr;
        for (auto* e : rejilla->viewport()->findChildren<QLineEdit*>()) {
            if (e->isVisible()) editor = e;
        }
        ASSERT_NE(editor, nullptr);
        editor->setText("1");
        Tecla(editor, Qt::Key_Return);
        // After CURSO: the next row's NIVEL, already open for typing.
        EXPECT_EQ(rejilla->currentIndex(), modelo->index(1, ModeloCursos::ColNivel));
        QCoreApplication::processEvents();
        auto* enNivel = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(enNivel, nullptr);  // the editor is open there and has the focus
        EXPECT_TRUE(rejilla->viewport()->isAncestorOf(enNivel));
        enNivel->setText("BCT");
        Tecla(enNivel, Qt::Key_Return);
        EXPECT_EQ(Celda(d, 1, ModeloCursos::ColNivel), "BCT");
        // Without an editor, Enter on CURSO also goes to the next NIVEL.
        rejilla->setCurrentIndex(modelo->index(0, ModeloCursos::ColCurso));
        QCoreApplication::processEvents();
        Tecla(rejilla, Qt::Key_Return);
        EXPECT_EQ(rejilla->currentIndex(), modelo->index(1, ModeloCursos::ColNivel));
        // The last course's CURSO: Enter posts it and takes the keyboard on to OK, unpressed.
        rejilla->setCurrentIndex(modelo->index(1, ModeloCursos::ColCurso));
        rejilla->edit(rejilla->currentIndex());
        QCoreApplication::processEvents();
        auto* ultimo = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(ultimo, nullptr);
        ultimo->setText("2");
        Tecla(ultimo, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(Celda(d, 1, ModeloCursos::ColCurso), "2");
        EXPECT_EQ(QApplication::focusWidget(), Hijo<QPushButton>(d, "BitBtn1"));
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(r.FaltaDato, 0);
    EXPECT_FALSE(Existe("CURSOST2"));  // closed by the frame, not by OK
    EXPECT_EQ(Filas("CURSOST"), (std::vector<std::string>{"ESO;1;100323", "BCT;2;100324"}));
}

TEST_F(DialogoCursos, LevelShowsFiveWideCapitalsInItsCellAndEditor) {
    Mostrar([](TControlCursos& d) {
        auto* rejilla = Rejilla(d);
        const QModelIndex nivel = rejilla->model()->index(0, ModeloCursos::ColNivel);
        const int texto = rejilla->fontMetrics().horizontalAdvance(QStringLiteral("WWWWW"));
        EXPECT_GE(rejilla->visualRect(nivel).width(), texto + 6);
        rejilla->setCurrentIndex(nivel);
        rejilla->edit(nivel);
        auto* editor = rejilla->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText("WWWWW");
        // The whole text fits inside the editor (Qt keeps two pixels each side for the cursor).
        EXPECT_LE(texto, editor->contentsRect().width() - 4);
        // NIVEL and CURSO fit without scrolling sideways.
        EXPECT_EQ(rejilla->horizontalScrollBar()->maximum(), 0);
    });
}

TEST_F(DialogoCursos, TheKeyColumnStaysWhenScrollingSideways) {
    Mostrar([](TControlCursos& d) {
        auto* rejilla = Rejilla(d);
        QTableView* fija = rejilla->ColumnaFija();
        ASSERT_TRUE(fija->isVisible());
        const int x = fija->geometry().x();
        // The typed columns fit at first; the user widens the studies to read them whole.
        EXPECT_EQ(rejilla->horizontalScrollBar()->maximum(), 0);
        rejilla->setColumnWidth(ModeloCursos::ColEstud, 900);
        rejilla->setCurrentIndex(rejilla->model()->index(0, ModeloCursos::ColCurso));
        rejilla->scrollTo(rejilla->currentIndex());
        EXPECT_GT(rejilla->horizontalScrollBar()->value(), 0);
        EXPECT_EQ(fija->geometry().x(), x);
        EXPECT_FALSE(fija->isColumnHidden(0));
        EXPECT_TRUE(fija->isColumnHidden(1));
    });
}

// The whole import run with the real dialog: an incomplete OK, then the forced exit.
TEST_F(DialogoCursos, ForcedExitInTheSecondShowingEndsTheRun) {
    const fs::path xml = dir.Ruta() / "ExportacionHorarios.xml";
    prueba::EscribirArchivo(
        xml, BytesUtf8ACp1252("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                              "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\"><BLOQUE_DATOS>"
                              "<grupo_datos seq=\"ANNO_ACADEMICO\">"
                              "<dato nombre_dato=\"C_ANNO\">2025</dato>"
                              "<dato nombre_dato=\"F_INIHORREG\">15/09/2025</dato>"
                              "<dato nombre_dato=\"F_FINHORREG\">22/06/2026</dato></grupo_datos>"
                              "<grupo_datos seq=\"CURSOS_DEL_CENTRO\"><grupo_datos seq=\"CURSO_1\">"
                              "<dato nombre_dato=\"X_OFERTAMATRIG\">100323</dato>"
                              "<dato nombre_dato=\"D_OFERTAMATRIG\">1º de E.S.O.</dato>"
                              "</grupo_datos></grupo_datos></BLOQUE_DATOS></SERVICIO>\n"));
    Tabla("CURSOST2", {{"", "", "OLD", "9", "100323", ""}});

    EstadoPrincipal estado;
    estado.DirectorioIntercambio = vtemp;
    estado.DirectorioPrograma = dir.Ruta();
    persona.archivos = {xml};
    persona.recuperaciones = {false};  // declined: the second showing finds no CURSOST2
    std::vector<Accion> acciones{[](TControlCursos& d) {
                                     EXPECT_FALSE(Visible(d, "BitBtn2"));
                                     Ok(d);
                                 },
                                 [](TControlCursos& d) {
                                     EXPECT_TRUE(Visible(d, "BitBtn2"));
                                     Hijo<QPushButton>(d, "BitBtn2")->click();
                                 }};
    for (const Accion& a : acciones) {
        persona.dialogosCursos.push_back(
            [this, a](const ContextoCursos& c) { return pasaplan::Mostrar(c, persona, a); });
    }
    EXPECT_EQ(EjecutarImportacion(estado, persona), FinImportacion::SalidaForzada);
    EXPECT_EQ(persona.mostradosCursos, 2);
    EXPECT_EQ(persona.preguntasRecuperacion, 1);
    EXPECT_FALSE(Existe("CURSOST2"));
    EXPECT_FALSE(Existe("ASIGNOMT"));
    EXPECT_TRUE(estado.DialogoRepetido);
    EXPECT_EQ(persona.mensajes, std::vector<Utf8>{"¡Atención! Falta algún Dato"});
}

}  // namespace
}  // namespace pasaplan
