#include "app/VentanaAyuda.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace pasaplan {

VentanaAyuda::VentanaAyuda(const QUrl& contenido, QWidget* padre)
    : QWidget(padre, Qt::Window), contenido_(contenido) {
    setObjectName(QStringLiteral("VentanaAyuda"));
    setWindowTitle(QStringLiteral("Ayuda de Pasaplan"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 560);

    navegador_ = new QTextBrowser(this);
    navegador_->setObjectName(QStringLiteral("NavegadorAyuda"));
    // Pages of the guide open here; addresses outside it, in the desktop's browser.
    navegador_->setOpenExternalLinks(true);
    navegador_->setOpenLinks(true);

    auto* indice = new QPushButton(QStringLiteral("Contenido"), this);
    indice->setObjectName(QStringLiteral("BotonContenido"));
    atras_ = new QPushButton(QString::fromUtf8("◀ Atrás"), this);
    atras_->setObjectName(QStringLiteral("BotonAtras"));
    adelante_ = new QPushButton(QString::fromUtf8("Adelante ▶"), this);
    adelante_->setObjectName(QStringLiteral("BotonAdelante"));
    auto* cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    cerrar->setObjectName(QStringLiteral("BotonCerrar"));
    atras_->setEnabled(false);
    adelante_->setEnabled(false);

    auto* botones = new QHBoxLayout;
    botones->addWidget(indice);
    botones->addWidget(atras_);
    botones->addWidget(adelante_);
    botones->addStretch();
    botones->addWidget(cerrar);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(botones);
    columna->addWidget(navegador_);

    connect(indice, &QPushButton::clicked, this, [this] { navegador_->setSource(contenido_); });
    connect(atras_, &QPushButton::clicked, navegador_, &QTextBrowser::backward);
    connect(adelante_, &QPushButton::clicked, navegador_, &QTextBrowser::forward);
    connect(cerrar, &QPushButton::clicked, this, &QWidget::close);
    connect(navegador_, &QTextBrowser::backwardAvailable, atras_, &QWidget::setEnabled);
    connect(navegador_, &QTextBrowser::forwardAvailable, adelante_, &QWidget::setEnabled);
    connect(navegador_, &QTextBrowser::sourceChanged, this, [this] {
        const QString titulo = navegador_->documentTitle();
        setWindowTitle(titulo.isEmpty() ? QStringLiteral("Ayuda de Pasaplan")
                                        : titulo + QStringLiteral(" · Ayuda de Pasaplan"));
    });
    // Alt+Left and Alt+Right as in any browser; Esc closes the help, not the window below it.
    auto* teclaAtras = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    connect(teclaAtras, &QShortcut::activated, navegador_, &QTextBrowser::backward);
    auto* teclaAdelante = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this);
    connect(teclaAdelante, &QShortcut::activated, navegador_, &QTextBrowser::forward);
    auto* teclaCerrar = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(teclaCerrar, &QShortcut::activated, this, &QWidget::close);
}

void VentanaAyuda::Mostrar(const QUrl& pagina) {
    navegador_->setSource(pagina);
    show();
    raise();
    activateWindow();
}

VentanaAyuda* MostrarVentanaAyuda(const QUrl& pagina, QWidget* desde) {
    QWidget* ventana = desde ? desde->window() : nullptr;
    VentanaAyuda* ayuda =
        ventana ? ventana->findChild<VentanaAyuda*>(QString(), Qt::FindDirectChildrenOnly)
                : nullptr;
    if (!ayuda) {
        ayuda = new VentanaAyuda(
            QUrl::fromLocalFile(QFileInfo(pagina.toLocalFile()).dir().filePath("index.html")),
            ventana);
    }
    ayuda->Mostrar(pagina);
    return ayuda;
}

}  // namespace pasaplan
