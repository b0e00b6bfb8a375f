// The time-frame selection dialog, driven headless: a zero-delay timer acts on the modal dialog
// and a watchdog closes it should a check fail before it does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "app/AplicacionPrueba.h"
#include "app/Dialogos.h"
#include "app/Plantihoras.h"
#include "exchange/ExportacionSeneca.h"
#include "support/Apoyo.h"
#include "support/InterlocutorGuion.h"

namespace pasaplan {
namespace {

using prueba::DirectorioTemporal;
using prueba::InterlocutorGuion;
using prueba::OlvidarSalidaPendiente;
using prueba::Tecla;

std::string Marco(const std::string& codigo, const std::string& nombre, const std::string& desde,
                  const std::string& hasta) {
    return "<grupo_datos seq=\"JORNADA\"><dato nombre_dato=\"X_PLAJORESCCEN\">" + codigo +
           "</dato><dato nombre_dato=\"D_PLAJORESCCEN\">" + nombre +
           "</dato><dato nombre_dato=\"F_INICIO\">" + desde +
           "</dato><dato nombre_dato=\"F_FIN\">" + hasta + "</dato></grupo_datos>";
}

std::string Tramo(const std::string& nombre, const std::string& marco) {
    return "<grupo_datos seq=\"TRAMO\"><dato nombre_dato=\"X_TRAMO\">1</dato>"
           "<dato nombre_dato=\"T_HORCEN\">" +
           nombre +
           "</dato><dato nombre_dato=\"N_INICIO\">480</dato><dato nombre_dato=\"N_FIN\">540</dato>"
           "<dato nombre_dato=\"X_PLAJORESCCEN\">" +
           marco + "</dato></grupo_datos>";
}

const std::string kExportacion =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<SERVICIO><BLOQUE_DATOS>"
    "<grupo_datos seq=\"JORNADAS_ESCOLARES\">" +
    Marco("A",
          "Ma\xF1"
          "ana",
          "15/09/2025", "22/06/2026") +
    Marco("B", "Tarde", "15/09/2025", "31/05/2026") + Marco("C", "Sin tramos", "01/10/2025", "") +
    Marco("JORNADA_LARGA_2", "Larga", "", "") +
    "</grupo_datos><grupo_datos seq=\"TRAMOS_HORARIOS\">" + Tramo("1\xAA", "A") +
    Tramo("Recreo", "A") + Tramo("Tarde1", "B") + Tramo("Tarde2", "B") + Tramo("Tarde3", "B") +
    "</grupo_datos></BLOQUE_DATOS></SERVICIO>\n";

QStringList Textos(const QListWidget* lista) {
    QStringList textos;
    for (int i = 0; i < lista->count(); ++i) textos << lista->item(i)->text();
    return textos;
}

// A mouse click on row fila of the list, as the user makes it.
void Clic(QListWidget* lista, int fila, Qt::KeyboardModifiers teclas = Qt::NoModifier) {
    QListWidgetItem* item = lista->item(fila);
    lista->scrollToItem(item);
    const QPointF punto = lista->visualItemRect(item).center();
    const QPointF global = lista->viewport()->mapToGlobal(punto);
    QMouseEvent pulsar(QEvent::MouseButtonPress, punto, global, Qt::LeftButton, Qt::LeftButton,
                       teclas);
    QMouseEvent soltar(QEvent::MouseButtonRelease, punto, global, Qt::LeftButton, Qt::NoButton,
                       teclas);
    QApplication::sendEvent(lista->viewport(), &pulsar);
    QApplication::sendEvent(lista->viewport(), &soltar);
}

class Plantillas : public testing::Test {
  protected:
    DirectorioTemporal dir;
    InterlocutorGuion persona;
    std::filesystem::path archivo;
    std::unique_ptr<ExportacionSeneca> documento;

    void SetUp() override {
        prueba::AplicacionPrueba();
        OlvidarSalidaPendiente();
        archivo = dir.Ruta() / "ExportacionHorarios.xml";
        prueba::EscribirArchivo(archivo, kExportacion);
        documento = ExportacionSeneca::Cargar(archivo);
    }

    // One modal showing; accion acts on the dialog once it has been activated and filled.
    ResultadoMarcos Mostrar(const std::function<void(TPlantillas&)>& accion,
                            std::filesystem::path ruta = {}) {
        const ContextoMarcos contexto{*documento, ruta.empty() ? archivo : ruta};
        bool actuado = false;
        std::function<void()> intentar = [&] {
            auto* dialogo = qobject_cast<TPlantillas*>(QApplication::activeModalWidget());
            if (dialogo == nullptr || dialogo->ComboBoxPlantilla->currentIndex() < 0) {
                QTimer::singleShot(0, intentar);  // not activated yet
                return;
            }
            actuado = true;
            accion(*dialogo);
            if (dialogo->isVisible()) dialogo->close();
        };
        QTimer::singleShot(0, intentar);
        const prueba::VigilanteDialogo vigilante;
        const ResultadoMarcos r = MostrarPlantillas(nullptr, contexto, persona);
        EXPECT_TRUE(actuado);
        return r;
    }
};

TEST_F(Plantillas, ActivationListsFramesAndShowsTheFirst) {
    Mostrar([](TPlantillas& d) {
        EXPECT_EQ(Textos(d.ListBox2), (QStringList{"A", "B", "C", "JORNADA_LARGA_2"}));
        EXPECT_EQ(d.ComboBoxPlantilla->count(), 4);
        EXPECT_TRUE(d.ListBox2->selectedItems().isEmpty());
        EXPECT_EQ(d.LabelNombre->text(), QString::fromUtf8("Mañana"));
        EXPECT_EQ(d.LabelPlanFec1->text(), QStringLiteral("15/09/2025"));
        EXPECT_EQ(d.LabelPlanFec2->text(), QStringLiteral("22/06/2026"));
        EXPECT_EQ(Textos(d.ListBox1), (QStringList{QString::fromUtf8("1ª"), "Recreo"}));
    });
}

TEST_F(Plantillas, ClickingAFrameShowsItsNameDatesAndSlots) {
    Mostrar([](TPlantillas& d) {
        Clic(d.ListBox2, 1);
        EXPECT_EQ(d.LabelNombre->text(), QStringLiteral("Tarde"));
        EXPECT_EQ(d.LabelPlanFec2->text(), QStringLiteral("31/05/2026"));
        EXPECT_EQ(Textos(d.ListBox1), (QStringList{"Tarde1", "Tarde2", "Tarde3"}));
        // A frame without slots: empty slot list, name and dates still shown.
        Clic(d.ListBox2, 2, Qt::ControlModifier);
        EXPECT_EQ(d.LabelNombre->text(), QStringLiteral("Sin tramos"));
        EXPECT_EQ(d.LabelPlanFec1->text(), QStringLiteral("01/10/2025"));
        EXPECT_EQ(d.ListBox1->count(), 0);
        // The arrow keys move the frame on display as a click does.
        Tecla(d.ListBox2, Qt::Key_Up);
        EXPECT_EQ(d.LabelNombre->text(), QStringLiteral("Tarde"));
    });
}

TEST_F(Plantillas, SelectionInListOrderPaddedToTen) {
    const auto r = Mostrar([](TPlantillas& d) {
        Clic(d.ListBox2, 1);
        Clic(d.ListBox2, 0, Qt::ControlModifier);
        d.BitBtnContinuar->click();
    });
    EXPECT_TRUE(r.EleccionValida);
    EXPECT_EQ(r.MarcosElegidos, "A         B         ");
    EXPECT_TRUE(persona.mensajes.empty());
}

TEST_F(Plantillas, PlainClickReplacesTheSelectionAndLongCodesAreCut) {
    const auto r = Mostrar([](TPlantillas& d) {
        Clic(d.ListBox2, 0);
        Clic(d.ListBox2, 3);
        d.BitBtnContinuar->click();
    });
    EXPECT_TRUE(r.EleccionValida);
    EXPECT_EQ(r.MarcosElegidos, "JORNADA_LA");
}

TEST_F(Plantillas, ThreeFramesGiveTheFirstMessageAndAFreshDialog) {
    const auto r = Mostrar([](TPlantillas& d) {
        Clic(d.ListBox2, 0);
        Clic(d.ListBox2, 1, Qt::ControlModifier);
        Clic(d.ListBox2, 2, Qt::ControlModifier);
        d.close();  // the close box
    });
    EXPECT_FALSE(r.EleccionValida);
    EXPECT_EQ(r.MarcosElegidos, "A         B         C         ");
    EXPECT_EQ(persona.mensajes,
              std::vector<Utf8>{"Demasiados Marcos Horarios seleccionados.\r\nComo máximo puede "
                                "seleccionar 2 Marcos Horarios"});

    const auto otra = Mostrar([](TPlantillas& d) {
        EXPECT_TRUE(d.ListBox2->selectedItems().isEmpty());
        Clic(d.ListBox2, 2);
        // No cancel button: Esc does nothing, on the dialog or on the list.
        Tecla(&d, Qt::Key_Escape);
        Tecla(d.ListBox2, Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        d.BitBtnContinuar->click();
    });
    EXPECT_TRUE(otra.EleccionValida);
    EXPECT_EQ(otra.MarcosElegidos, "C         ");
    EXPECT_EQ(persona.mensajes.size(), 1u);
}

TEST_F(Plantillas, ComingBackFromAnotherProgramKeepsTheChoice) {
    const auto r = Mostrar([](TPlantillas& d) {
        Clic(d.ListBox2, 1);
        Clic(d.ListBox2, 3, Qt::ControlModifier);
        ASSERT_TRUE(d.isActiveWindow());
        // Another program takes the activation, then the user comes back.
        QApplication::setActiveWindow(nullptr);
        QCoreApplication::processEvents();
        EXPECT_FALSE(d.isActiveWindow());
        QApplication::setActiveWindow(&d);
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isActiveWindow());
        EXPECT_EQ(Textos(d.ListBox2), (QStringList{"A", "B", "C", "JORNADA_LARGA_2"}));
        EXPECT_EQ(d.ListBox2->selectedItems().size(), 2);
        EXPECT_EQ(d.LabelNombre->text(), QStringLiteral("Larga"));
        d.BitBtnContinuar->click();
    });
    EXPECT_TRUE(r.EleccionValida);
    EXPECT_EQ(r.MarcosElegidos, "B         JORNADA_LA");
}

TEST_F(Plantillas, NothingSelectedGivesTheSecondMessage) {
    const auto r = Mostrar([](TPlantillas& d) { d.close(); });
    EXPECT_FALSE(r.EleccionValida);
    EXPECT_EQ(r.MarcosElegidos, "");
    EXPECT_EQ(persona.mensajes, std::vector<Utf8>{"Debe al menos seleccionar 1 Marco Horario."});
}

TEST_F(Plantillas, UnreadableFileFallsBackToTheRunDocument) {
    const auto r = Mostrar(
        [](TPlantillas& d) {
            EXPECT_EQ(d.ListBox2->count(), 4);
            Clic(d.ListBox2, 1);
            d.BitBtnContinuar->click();
        },
        dir.Ruta() / "borrado.xml");
    EXPECT_EQ(r.MarcosElegidos, "B         ");
}

TEST_F(Plantillas, LabelsShowDashWithoutFrames) {
    documento =
        ExportacionSeneca::DesdeMemoria("<SERVICIO><BLOQUE_DATOS/></SERVICIO>", "vacio.xml");
    prueba::EscribirArchivo(archivo, "<SERVICIO><BLOQUE_DATOS/></SERVICIO>");
    const ContextoMarcos contexto{*documento, archivo};
    TPlantillas d(nullptr, contexto, persona);
    d.FormActivate();
    EXPECT_EQ(d.ListBox2->count(), 0);
    EXPECT_EQ(d.LabelNombre->text(), QStringLiteral("-"));
    EXPECT_EQ(d.LabelPlanFec1->text(), QStringLiteral("-"));
    EXPECT_EQ(d.LabelPlanFec2->text(), QStringLiteral("-"));
}

}  // namespace
}  // namespace pasaplan
