// The desktop program's import with its own windows: when the course levels dialog cannot use
// CURSOST2, the run goes on and the report window lists what failed, as pasaplan-lote does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "app/AplicacionPrueba.h"
#include "app/ControlCursos.h"
#include "app/InterlocutorQt.h"
#include "app/MainForm.h"
#include "app/VentanaInforme.h"
#include "exchange/Tabla.h"
#include "import/Pasos.h"
#include "support/Apoyo.h"
#include "support/ExportacionXml.h"
#include "support/Hijo.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

namespace fs = std::filesystem;
using prueba::Dato;
using prueba::Grupo;
using prueba::Hijo;

// The window's own dialogs and report, without the file dialog and the message boxes.
class PersonaEnVentanas : public InterlocutorQt {
  public:
    PersonaEnVentanas() : InterlocutorQt(nullptr) {}
    fs::path archivo;
    std::vector<Utf8> mensajes;

    std::optional<fs::path> ElegirArchivoXml() override { return archivo; }
    void Mensaje(const Utf8& texto) override { mensajes.push_back(texto); }
    bool PreguntarRecuperacion() override { return true; }
};

// Acts on the first modal window of type T once it is up; holds the pending calls.
template <class T>
class AlAparecer {
  public:
    explicit AlAparecer(std::function<void(T&)> accion) : accion_(std::move(accion)) {
        QTimer::singleShot(0, &vida_, [this] { Intentar(); });
    }
    bool actuado = false;

  private:
    void Intentar() {
        auto* ventana = qobject_cast<T*>(QApplication::activeModalWidget());
        if (ventana == nullptr) {
            QTimer::singleShot(0, &vida_, [this] { Intentar(); });
            return;
        }
        actuado = true;
        accion_(*ventana);
        if (ventana->isVisible()) ventana->close();
    }
    std::function<void(T&)> accion_;
    QObject vida_;
};

// The school year, one course and one time frame with one slot.
std::string Exportacion() {
    return prueba::XmlExportacion(
        Grupo("ANNO_ACADEMICO", Dato("C_ANNO", "2026") + Dato("F_INIHORREG", "15/09/2026") +
                                    Dato("F_FINHORREG", "22/06/2027")) +
        prueba::Bloque("CURSOS_DEL_CENTRO",
                       {Grupo("CURSO_1", Dato("X_OFERTAMATRIG", "100323") +
                                             Dato("D_OFERTAMATRIG", "1º de E.S.O."))}) +
        prueba::Bloque(
            "JORNADAS_ESCOLARES",
            {Grupo("JORNADA_1",
                   Dato("X_PLAJORESCCEN", "2417") + Dato("D_PLAJORESCCEN", "Horario de mañana") +
                       Dato("F_INICIO", "15/09/2026") + Dato("F_FIN", "22/06/2027"))}) +
        prueba::Bloque("TRAMOS_HORARIOS",
                       {Grupo("TRAMO_1", Dato("X_TRAMO", "61231") + Dato("T_HORCEN", "1ª") +
                                             Dato("N_INICIO", "480") + Dato("N_FIN", "540") +
                                             Dato("X_PLAJORESCCEN", "2417"))}));
}

TEST(InformeDelEscritorio, ListsWhatTheCourseLevelsDialogCouldNotDoWithCursost2) {
    prueba::AplicacionPrueba();
    prueba::OlvidarSalidaPendiente();
    prueba::DirectorioTemporal dir;
    const fs::path intercambio = dir.Ruta() / "VTEMP", programa = dir.Ruta() / "programa";
    fs::create_directories(intercambio);
    fs::create_directories(programa);
    Tabla::Crear(programa / "SENEMATERIAS.DBF",
                 {CampoTexto("NOMBRE", 80), CampoTexto("COD", 10), CampoTexto("CODLARGO", 10)});
    // A CURSOST2 without NIVEL: neither the recovery nor the save can use it.
    const fs::path cursos2 = intercambio / "CURSOST2.DBF";
    Tabla::Crear(cursos2, {CampoTexto("CLAVE", 10), CampoTexto("CURSO", 3)});
    {
        const auto t = Tabla::Abrir(cursos2, Acceso::Exclusivo);
        const size_t f = t->Agregar();
        t->PonerTexto(f, "CLAVE", "100323");
        t->Grabar(f);
    }
    PersonaEnVentanas persona;
    persona.archivo = dir.Ruta() / "Exportacion.xml";
    prueba::EscribirArchivo(persona.archivo, BytesUtf8ACp1252(Exportacion()).Bytes());

    EstadoPrincipal estado;
    estado.DirectorioIntercambio = intercambio;
    estado.DirectorioPrograma = programa;
    TMForm ventana(std::move(estado), {}, &persona);
    ventana.show();

    AlAparecer<TControlCursos> dialogo([](TControlCursos& d) {
        auto* modelo = Hijo<RejillaCursos>(d, "CursosTDBGrid")->model();
        EXPECT_TRUE(modelo->setData(modelo->index(0, ModeloCursos::ColNivel), "ESO"));
        EXPECT_TRUE(modelo->setData(modelo->index(0, ModeloCursos::ColCurso), "1"));
        Hijo<QPushButton>(d, "BitBtn1")->click();
    });
    QString cuentas, detalle;
    AlAparecer<VentanaInforme> informe([&](VentanaInforme& v) {
        for (int f = 0; f < v.Cuentas()->rowCount(); ++f) {
            cuentas +=
                v.Cuentas()->item(f, 0)->text() + ": " + v.Cuentas()->item(f, 1)->text() + "\n";
        }
        detalle = v.Detalle()->toPlainText();
    });
    const prueba::VigilanteDialogo vigilante;
    Hijo<QPushButton>(ventana, "BExportar")->click();

    ASSERT_TRUE(dialogo.actuado);
    ASSERT_TRUE(informe.actuado);
    // Each failure told once in a message box, as the engine says it, and the run finished.
    ASSERT_EQ(persona.mensajes.size(), 3u);
    EXPECT_EQ(persona.mensajes[0], "La tabla CURSOST2 no tiene el campo NIVEL.");
    EXPECT_NE(persona.mensajes[1].find("CURSOST2"), std::string::npos) << persona.mensajes[1];
    EXPECT_EQ(persona.mensajes[2], "Proceso finalizado");
    EXPECT_EQ(ventana.ResultadoEjecucion(), 1);

    // The report counts both first, then what the data shows (the course has no units).
    EXPECT_TRUE(cuentas.startsWith("Error en los niveles de los cursos: 2\n"))
        << cuentas.toStdString();
    EXPECT_TRUE(cuentas.contains("Curso sin unidades: 1")) << cuentas.toStdString();
    EXPECT_TRUE(detalle.contains(
        QString::fromUtf8("No se pudieron recuperar los niveles y cursos anteriores: La tabla "
                          "CURSOST2 no tiene el campo NIVEL.")))
        << detalle.toStdString();
    const QString guardar = QString::fromUtf8(
        "No se pudieron guardar los niveles y cursos para la próxima importación: ");
    EXPECT_TRUE(detalle.contains(guardar + QString::fromStdString(persona.mensajes[1].Bytes())))
        << detalle.toStdString();
    EXPECT_LT(detalle.indexOf("Error en los niveles"), detalle.indexOf("Curso sin unidades"));
}

}  // namespace
}  // namespace pasaplan
