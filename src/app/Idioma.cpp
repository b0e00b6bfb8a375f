#include "app/Idioma.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

// The resource lives in the static GUI library: without an explicit call the linker would drop
// it. Q_INIT_RESOURCE must be used outside any namespace.
static void IniciarRecursoTraducciones() { Q_INIT_RESOURCE(traducciones); }

namespace pasaplan {

bool InstalarIdiomaEspanol() {
    IniciarRecursoTraducciones();
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    // qtbase holds every text of Core, Gui and Widgets (qt_es.qm only points at it).
    static QTranslator traduccion;
    static bool instalada = false;
    if (instalada) return true;
    if (!traduccion.load(QStringLiteral(":/traducciones/qtbase_es.qm"))) return false;
    instalada = QCoreApplication::installTranslator(&traduccion);
    return instalada;
}

}  // namespace pasaplan
