#pragma once
// One QApplication for the whole test binary, created by the first test that needs it (another
// suite of the binary may have created it already).
#include <QApplication>

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

}  // namespace pasaplan::prueba
