#pragma once
// The program's own help window: the HTML guide in a browser of its own, with the contents
// page, back and forward, for machines without a CHM viewer.
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace pasaplan {

class VentanaAyuda : public QWidget {
    Q_OBJECT
  public:
    // contenido: the guide's contents page.
    VentanaAyuda(const QUrl& contenido, QWidget* padre = nullptr);

    void Mostrar(const QUrl& pagina);
    QTextBrowser* Navegador() const { return navegador_; }

  private:
    QUrl contenido_;
    QTextBrowser* navegador_;
    QPushButton* atras_;
    QPushButton* adelante_;
};

// Shows pagina in the help window of desde's window (one per window, created on first use).
// The window belongs to the window that asked, so that a modal dialog does not block it.
VentanaAyuda* MostrarVentanaAyuda(const QUrl& pagina, QWidget* desde);

}  // namespace pasaplan
