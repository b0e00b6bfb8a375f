#include "app/InterlocutorQt.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

#include "app/Dialogos.h"
#include "app/VentanaInforme.h"
#include "ejecucion/InterlocutorVolcando.h"
#include "platform/Rutas.h"

namespace pasaplan {

std::filesystem::path RutaDesde(const QString& texto) {
#ifdef _WIN32
    return std::filesystem::path(texto.toStdWString());
#else
    return std::filesystem::path(texto.toStdString());
#endif
}

QString TextoDeRuta(const std::filesystem::path& ruta) {
#ifdef _WIN32
    return QString::fromStdWString(ruta.wstring());
#else
    return QString::fromStdString(ruta.string());
#endif
}

InterlocutorQt::InterlocutorQt(QWidget* ventana) : ventana_(ventana) {}

InterlocutorQt::~InterlocutorQt() { RelojArena(false); }

QWidget* InterlocutorQt::Propietario() const {
    // A window not shown yet (a message while it is being created) cannot own a box, and a
    // window inside the host's cannot be a dialog's transient parent: such dialogs stand alone
    // (application-modal all the same).
    if (!ventana_ || !ventana_->isVisible()) return nullptr;
    const QWindow* nativa = ventana_->windowHandle();
    if (nativa && nativa->parent()) return nullptr;
    return ventana_.data();
}

namespace {

// The dialog's start: "c:\vtemp\seneca", or the nearest folder above it that exists (Qt would
// take a missing folder for a file name and start in the working directory).
QString CarpetaInicial() {
    std::filesystem::path carpeta = plataforma::RutaLocal("c:\\vtemp\\seneca");
    std::error_code ec;
    while (!std::filesystem::is_directory(carpeta, ec) && carpeta.has_relative_path()) {
        carpeta = carpeta.parent_path();
    }
    return TextoDeRuta(carpeta);
}

// Qt's file list writes sizes and dates in the machine's locale; these columns follow the
// program's locale (Spanish) instead, like every other text of the dialog.
class ArchivosEnEspanol : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& indice, int rol) const override {
        const auto* archivos = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (rol == Qt::DisplayRole && archivos && indice.isValid()) {
            const QModelIndex origen = mapToSource(indice);
            if (indice.column() == 3) {
                return QLocale().toString(archivos->lastModified(origen), QLocale::ShortFormat);
            }
            if (indice.column() == 1 && !archivos->isDir(origen)) {
                return QLocale().formattedDataSize(archivos->size(origen), 1,
                                                   QLocale::DataSizeTraditionalFormat);
            }
        }
        return QIdentityProxyModel::data(indice, rol);
    }
};

}  // namespace

std::optional<std::filesystem::path> InterlocutorQt::ElegirArchivoXml() {
    QFileDialog dialogo(Propietario(), QStringLiteral("Archivo XML"), CarpetaInicial(),
                        QStringLiteral("*.xml"));
    dialogo.setObjectName(QStringLiteral("OpenDialogXML"));
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    // As the platform's open dialog: a typed name need not exist; the run says so.
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(QStringLiteral("xml"));
#ifndef _WIN32
    // Qt's own dialog, in Spanish whatever desktop the machine runs (Windows keeps its own).
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setProxyModel(new ArchivosEnEspanol(&dialogo));
    dialogo.resize(760, 460);  // room for the size and date columns
#endif
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return RutaDesde(dialogo.selectedFiles().first());
}

void InterlocutorQt::Mensaje(const Utf8& texto) {
    QMessageBox caja(QMessageBox::NoIcon, QStringLiteral("Pasaplan"),
                     QString::fromStdString(texto.Bytes()), QMessageBox::Ok, Propietario());
    caja.exec();
}

void InterlocutorQt::ErrorEnDialogo(const Utf8& que, const Utf8& error) {
    erroresDialogo_.Anotar(que, error);
    Mensaje(error);
}

void InterlocutorQt::RelojArena(bool activo) {
    if (activo == reloj_) return;
    reloj_ = activo;
    if (activo) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

ResultadoCursos InterlocutorQt::MostrarDialogoCursos(const ContextoCursos& contexto) {
    InterlocutorVolcando volcando(*this);  // the dialog's own questions
    return MostrarControlCursos(Propietario(), contexto, volcando);
}

bool InterlocutorQt::PreguntarRecuperacion() {
    QMessageBox caja(QMessageBox::Warning,
                     QString::fromUtf8("Recuperación de Niveles y Cursos importados anteriormente"),
                     QString::fromUtf8("Existen Niveles y Cursos ya definidos de una Importación "
                                       "anterior.\n\r¿Quiere recuperar las codificaciones "
                                       "introducidas anteriormente?"),
                     QMessageBox::Ok | QMessageBox::Cancel, Propietario());
    caja.setDefaultButton(QMessageBox::Ok);
    // This question's buttons read "OK" and "Cancel" as they always have, translation or not.
    caja.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    caja.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
    return caja.exec() == QMessageBox::Ok;
}

ResultadoMarcos InterlocutorQt::MostrarDialogoMarcos(const ContextoMarcos& contexto) {
    InterlocutorVolcando volcando(*this);
    return MostrarPlantillas(Propietario(), contexto, volcando);
}

void InterlocutorQt::MostrarInforme(const std::vector<Hallazgo>& hallazgos) {
    VentanaInforme ventana(hallazgos, *this, Propietario());
    ventana.exec();
}

}  // namespace pasaplan
