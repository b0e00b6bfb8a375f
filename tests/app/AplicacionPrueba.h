#pragma once
// One QApplication for the whole test binary, created by the first test that needs it (another
// suite of the binary may have created it already).
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace pasaplan::prueba {

inline void AplicacionPrueba() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char nombre[] = "test_app";
    static char* argv[] = {nombre, nullptr};
    static QApplication aplicacion(argc, argv);
}

// Runs what the event loop has queued (the first showing's run, queued closings).
inline void ProcesarEventos() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// A key pressed on destino, without modifiers.
inline void Tecla(QWidget* destino, int tecla) {
    QKeyEvent pulsar(QEvent::KeyPress, tecla, Qt::NoModifier);
    QApplication::sendEvent(destino, &pulsar);
}

// A window test of this binary may have asked the application to quit while no loop ran; that
// request would end every modal loop at once. Running the application's loop clears it.
inline void OlvidarSalidaPendiente() {
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// Closes a modal dialog still open after five seconds and fails the test: a failed check inside
// the timer that drives the dialog would otherwise leave it waiting for ever.
class VigilanteDialogo {
  public:
    VigilanteDialogo() {
        temporizador_.setSingleShot(true);
        QObject::connect(&temporizador_, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
            ADD_FAILURE() << "el diálogo seguía abierto";
        });
        temporizador_.start(5000);
    }

  private:
    QTimer temporizador_;
};

}  // namespace pasaplan::prueba
