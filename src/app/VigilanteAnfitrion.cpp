#include "app/VigilanteAnfitrion.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstring>

#include "platform/Ventanas.h"

namespace pasaplan {

namespace {

// X11 destroys a window's children with it, so our own window's DestroyNotify says that the
// host went away. The event's wire layout is the X protocol's (no libxcb needed to read it).
constexpr std::uint8_t kXDestroyNotify = 17;
struct EventoDestruccionX {
    std::uint8_t tipo;
    std::uint8_t relleno;
    std::uint16_t secuencia;
    std::uint32_t evento;
    std::uint32_t ventana;
};

}  // namespace

VigilanteAnfitrion::VigilanteAnfitrion(std::uintptr_t propia, std::uintptr_t anfitrion,
                                       QObject* padre)
    : QObject(padre), propia_(propia), anfitrion_(anfitrion) {
    QCoreApplication::instance()->installNativeEventFilter(this);
#ifdef _WIN32
    // Windows sends no message to another process's child; ask every half second.
    sondeo_ = new QTimer(this);
    connect(sondeo_, &QTimer::timeout, this, [this] {
        if (!plataforma::VentanaExiste(anfitrion_)) Avisar();
    });
    sondeo_->start(500);
#endif
}

VigilanteAnfitrion::~VigilanteAnfitrion() {
    if (auto* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
}

bool VigilanteAnfitrion::nativeEventFilter(const QByteArray& tipo, void* mensaje, qintptr*) {
    if (tipo == "xcb_generic_event_t" && mensaje) {
        EventoDestruccionX e;
        std::memcpy(&e, mensaje, sizeof e);
        if ((e.tipo & 0x7f) == kXDestroyNotify &&
            (e.ventana == propia_ || e.ventana == anfitrion_)) {
            Avisar();
        }
    }
    return false;
}

void VigilanteAnfitrion::Avisar() {
    if (avisado_) return;
    avisado_ = true;
    if (sondeo_) sondeo_->stop();
    // Leave the native event handling first; the window closes from the event loop.
    QMetaObject::invokeMethod(this, &VigilanteAnfitrion::Desaparecido, Qt::QueuedConnection);
}

}  // namespace pasaplan
