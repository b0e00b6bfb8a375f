// The desktop program: the main window, stand-alone or embedded in the host's window.
#include <QApplication>
#include <QStringList>

#include "app/Idioma.h"
#include "app/MainForm.h"

int main(int argc, char** argv) {
    // The host's parameters as given: QApplication takes its own options out of argv.
    QStringList parametros;
    for (int i = 1; i < argc; ++i) parametros << QString::fromLocal8Bit(argv[i]);

    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pasaplan"));
    QApplication::setApplicationVersion(QStringLiteral(PASAPLAN_VERSION));

    // Qt's own texts (file dialog, standard buttons, menus) in Spanish, whatever the locale.
    pasaplan::InstalarIdiomaEspanol();

    pasaplan::TMForm MForm(pasaplan::EstadoPrincipal::PorDefecto(), parametros);
    MForm.show();
    return QApplication::exec();
}
