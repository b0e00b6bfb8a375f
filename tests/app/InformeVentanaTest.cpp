// The import report on screen: the sample export's five findings, counted and explained as
// pasaplan-lote prints them, and saved as CSV through the window's own button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <sstream>

#include "app/AplicacionPrueba.h"
#include "app/VentanaInforme.h"
#include "exchange/ExportacionSeneca.h"
#include "lote/Lote.h"
#include "report/Informe.h"
#include "support/Apoyo.h"
#include "support/InterlocutorGuion.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;

class VentanaInformeTest : public testing::Test {
  protected:
    prueba::DirectorioTemporal dir;
    prueba::InterlocutorGuion persona;
    std::vector<Hallazgo> hallazgos;

    // The sample imported as the README shows it, then its report.
    void SetUp() override {
        prueba::AplicacionPrueba();
        const fs::path xml = fs::path(PASAPLAN_SOURCE_DIR) / "samples/ExportacionHorarios.xml";
        const fs::path intercambio = dir.Ruta() / "VTEMP";
        fs::create_directories(intercambio);
        std::ostringstream salida, errores;
        ASSERT_EQ(lote::EjecutarLote(
                      {"exportar", xml.string(), "--intercambio", intercambio.string(), "--niveles",
                       PASAPLAN_SOURCE_DIR "/samples/niveles.csv", "--marcos", "2417"},
                      salida, errores),
                  0)
            << errores.str();
        const auto documento = ExportacionSeneca::Cargar(xml);
        hallazgos = ElaborarInforme(*documento, intercambio);
    }
};

TEST_F(VentanaInformeTest, ListsTheSampleFindingsAndSavesTheCsv) {
    ASSERT_EQ(hallazgos.size(), 5u);
    VentanaInforme ventana(hallazgos, persona);
    EXPECT_EQ(ventana.windowTitle(), QString::fromUtf8("Informe de la importación"));

    // One count per kind, in the report's order.
    QTableWidget* cuentas = ventana.Cuentas();
    ASSERT_EQ(cuentas->rowCount(), 5);
    const QStringList tipos{"Materia sin curso", "Empleado repetido", "Unidad mixta",
                            "Materia sin asignaciones", "Recreo entre las horas"};
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(cuentas->item(f, 0)->text(), tipos[f]);
        EXPECT_EQ(cuentas->item(f, 1)->text(), "1");
    }
    // Every finding with the sentence pasaplan-lote prints, where it was found first.
    const QString detalle = ventana.Detalle()->toPlainText();
    for (const Hallazgo& h : hallazgos) {
        EXPECT_TRUE(detalle.contains(QString::fromStdString(h.frase.Bytes()))) << h.frase;
    }
    EXPECT_TRUE(detalle.contains(QString::fromUtf8("Unidad mixta · UNIDADES, clave 3174019")));
    EXPECT_LT(detalle.indexOf("Materia sin curso"), detalle.indexOf("Recreo entre las horas"));

    // "Guardar como CSV…" asks for a file name in Spanish and writes the CSV there.
    auto* guardar = ventana.findChild<QPushButton*>("BotonGuardarCsv");
    ASSERT_NE(guardar, nullptr);
    EXPECT_EQ(guardar->text(), QString::fromUtf8("Guardar como CSV…"));
    EXPECT_EQ(ventana.findChild<QPushButton*>("BotonCerrar")->text(), "Cerrar");
    const fs::path csv = dir.Ruta() / "informe de prueba.csv";
    bool guardado = false;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        auto* botones = dialogo->findChild<QDialogButtonBox*>();
        ASSERT_NE(botones, nullptr);
        EXPECT_EQ(botones->button(QDialogButtonBox::Save)->text().remove('&'), "Guardar");
        dialogo->findChild<QLineEdit*>("fileNameEdit")
            ->setText(QString::fromStdString(csv.string()));
        guardado = true;
        botones->button(QDialogButtonBox::Save)->click();
    });
    const prueba::VigilanteDialogo vigilante;
    guardar->click();
    EXPECT_TRUE(guardado);
    const std::string contenido = prueba::LeerArchivo(csv);
    EXPECT_EQ(contenido, CsvInforme(hallazgos).Bytes());
    EXPECT_EQ(contenido.substr(0, 8), "\xEF\xBB\xBFTipo;");
    EXPECT_TRUE(persona.mensajes.empty());

    // A folder that does not exist: the message names the file, the window stays.
    EXPECT_FALSE(
        ventana.GuardarCsv(QString::fromStdString((dir.Ruta() / "no" / "x.csv").string())));
    ASSERT_EQ(persona.mensajes.size(), 1u);
    EXPECT_NE(persona.mensajes[0].find("x.csv"), std::string::npos) << persona.mensajes[0];
}

}  // namespace
}  // namespace pasaplan
