#include "app/VentanaInforme.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <map>

#include "app/InterlocutorQt.h"
#include "ejecucion/Interlocutor.h"
#include "platform/Atomico.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace {

QString Q(const Utf8& texto) { return QString::fromStdString(texto.Bytes()); }

}  // namespace

VentanaInforme::VentanaInforme(std::vector<Hallazgo> hallazgos, Interlocutor& interlocutor,
                               QWidget* padre)
    : QDialog(padre), hallazgos_(std::move(hallazgos)), interlocutor_(interlocutor) {
    setObjectName(QStringLiteral("VentanaInforme"));
    setWindowTitle(QString::fromUtf8("Informe de la importación"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint);
    resize(760, 560);

    const size_t total = hallazgos_.size();
    auto* titulo = new QLabel(
        QString::fromUtf8("Antes de hacer el horario conviene revisar %1 %2 de la importación:")
            .arg(total)
            .arg(total == 1 ? QStringLiteral("aviso") : QStringLiteral("avisos")),
        this);
    titulo->setObjectName(QStringLiteral("LabelTotal"));
    QFont negrita = titulo->font();
    negrita.setBold(true);
    titulo->setFont(negrita);
    titulo->setWordWrap(true);

    // The counts by kind, in the report's order.
    std::map<TipoHallazgo, int> cuenta;
    for (const Hallazgo& h : hallazgos_) ++cuenta[h.tipo];
    cuentas_ = new QTableWidget(static_cast<int>(cuenta.size()), 2, this);
    cuentas_->setObjectName(QStringLiteral("TablaCuentas"));
    cuentas_->setHorizontalHeaderLabels(
        {QStringLiteral("Tipo de aviso"), QStringLiteral("Avisos")});
    cuentas_->verticalHeader()->hide();
    cuentas_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cuentas_->setSelectionMode(QAbstractItemView::NoSelection);
    cuentas_->setFocusPolicy(Qt::NoFocus);
    cuentas_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    cuentas_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    int fila = 0;
    for (const auto& [tipo, n] : cuenta) {
        cuentas_->setItem(fila, 0, new QTableWidgetItem(Q(NombreTipo(tipo))));
        auto* numero = new QTableWidgetItem(QString::number(n));
        numero->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cuentas_->setItem(fila, 1, numero);
        ++fila;
    }
    cuentas_->setFixedHeight(cuentas_->horizontalHeader()->height() +
                             cuentas_->verticalHeader()->length() + 2 * cuentas_->frameWidth());

    // Every finding: where, then the sentence that explains it.
    QString html;
    for (const Hallazgo& h : hallazgos_) {
        const Utf8 bloqueOTabla = Utf8::DeBytes(h.bloqueOTabla);
        const Utf8 donde =
            h.registro.empty() ? bloqueOTabla : bloqueOTabla + ", " + Cp1252AUtf8(h.registro);
        html += QStringLiteral("<p><b>%1</b> · %2<br>%3</p>")
                    .arg(Q(NombreTipo(h.tipo)).toHtmlEscaped(), Q(donde).toHtmlEscaped(),
                         Q(h.frase).toHtmlEscaped());
    }
    detalle_ = new QTextBrowser(this);
    detalle_->setObjectName(QStringLiteral("TextoAvisos"));
    detalle_->setHtml(html);

    guardar_ = new QPushButton(QString::fromUtf8("Guardar como CSV…"), this);
    guardar_->setObjectName(QStringLiteral("BotonGuardarCsv"));
    cerrar_ = new QPushButton(QStringLiteral("Cerrar"), this);
    cerrar_->setObjectName(QStringLiteral("BotonCerrar"));
    cerrar_->setDefault(true);
    connect(guardar_, &QPushButton::clicked, this, &VentanaInforme::BotonGuardarClick);
    connect(cerrar_, &QPushButton::clicked, this, &QDialog::accept);

    auto* botones = new QHBoxLayout;
    botones->addWidget(guardar_);
    botones->addStretch();
    botones->addWidget(cerrar_);
    auto* columna = new QVBoxLayout(this);
    columna->addWidget(titulo);
    columna->addWidget(cuentas_);
    columna->addWidget(detalle_, 1);
    columna->addLayout(botones);
    cerrar_->setFocus();
}

bool VentanaInforme::GuardarCsv(const QString& ruta) {
    try {
        plataforma::EscribirArchivoAtomico(RutaDesde(ruta), CsvInforme(hallazgos_).Bytes());
        return true;
    } catch (const std::exception& e) {
        interlocutor_.Mensaje(Utf8::DeBytes(e.what()));
        return false;
    }
}

void VentanaInforme::BotonGuardarClick() {
    QFileDialog dialogo(this, QString::fromUtf8("Guardar el informe como CSV"), QString(),
                        QStringLiteral("CSV (*.csv)"));
    dialogo.setObjectName(QStringLiteral("DialogoGuardarCsv"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(QStringLiteral("csv"));
    dialogo.selectFile(QStringLiteral("InformeImportacion.csv"));
#ifndef _WIN32
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
#endif
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return;
    GuardarCsv(dialogo.selectedFiles().first());
}

}  // namespace pasaplan
