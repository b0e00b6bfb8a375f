#pragma once
// Tells the embedded main window that the host's window has gone away.
#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

class QTimer;

namespace pasaplan {

class VigilanteAnfitrion : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    // propia: the embedded window's native handle; anfitrion: the host's.
    VigilanteAnfitrion(std::uintptr_t propia, std::uintptr_t anfitrion, QObject* padre);
    ~VigilanteAnfitrion() override;

    bool nativeEventFilter(const QByteArray& tipo, void* mensaje, qintptr* resultado) override;

  signals:
    void Desaparecido();

  private:
    void Avisar();

    std::uintptr_t propia_;
    std::uintptr_t anfitrion_;
    bool avisado_ = false;
    QTimer* sondeo_ = nullptr;
};

}  // namespace pasaplan
