// A stand-in for the timetabling host: opens its own window, starts pasaplan with a direction
// word and that window's id, waits for it to end and prints the run result it left in
// Velmora.ini beside the pasaplan binary.
//
//   anfitrion PASAPLAN DIRECCION
//
// stdout: first line the host window's id in hexadecimal (no prefix), last line
// "Transformado=N". Exit status 0 when pasaplan ended and the value could be read, 1 otherwise,
// 2 for wrong usage.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <optional>

namespace {

// The value of one key of a Windows-style ini file; sections and keys without regard to case,
// as the platform's private-profile reader compares them.
std::optional<QString> LeerIni(const QString& archivo, const QString& seccion,
                               const QString& clave) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    bool dentro = false;
    while (!f.atEnd()) {
        const QString linea = QString::fromLatin1(f.readLine()).trimmed();
        if (linea.startsWith(QLatin1Char('[')) && linea.endsWith(QLatin1Char(']'))) {
            dentro =
                linea.mid(1, linea.size() - 2).trimmed().compare(seccion, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (dentro && igual > 0 &&
            linea.left(igual).trimmed().compare(clave, Qt::CaseInsensitive) == 0) {
            return linea.mid(igual + 1).trimmed();
        }
    }
    return std::nullopt;
}

void Escribir(std::FILE* salida, const QString& texto) {
    std::fputs(texto.toLocal8Bit().constData(), salida);
    std::fputc('\n', salida);
    std::fflush(salida);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    const QStringList argumentos = QApplication::arguments();
    if (argumentos.size() != 3) {
        Escribir(stderr, QStringLiteral("Uso: anfitrion PASAPLAN DIRECCION"));
        return 2;
    }
    const QFileInfo programa(argumentos.at(1));
    const QString direccion = argumentos.at(2);

    QWidget ventana;
    ventana.setWindowTitle(QString::fromUtf8("Velmora (anfitrión de prueba)"));
    ventana.resize(800, 500);
    ventana.setStyleSheet(QStringLiteral("background: #30415d;"));
    ventana.move(0, 0);
    ventana.show();
    const QString identificador = QString::number(static_cast<qulonglong>(ventana.winId()), 16);
    Escribir(stdout, identificador);

    QProcess pasaplan;
    pasaplan.setProcessChannelMode(QProcess::ForwardedChannels);
    int estado = 1;
    QObject::connect(&pasaplan, &QProcess::errorOccurred, [&](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        Escribir(stderr, QStringLiteral("No se pudo arrancar %1: %2")
                             .arg(programa.absoluteFilePath(), pasaplan.errorString()));
        QCoreApplication::exit(1);
    });
    QObject::connect(&pasaplan, &QProcess::finished, [&](int codigo, QProcess::ExitStatus salida) {
        if (salida != QProcess::NormalExit || codigo != 0) {
            Escribir(stderr, QStringLiteral("pasaplan terminó con estado %1").arg(codigo));
        }
        const QString ini = programa.absoluteDir().filePath(QStringLiteral("Velmora.ini"));
        const auto valor =
            LeerIni(ini, QStringLiteral("Transformadores"), QStringLiteral("Transformado"));
        if (valor) {
            Escribir(stdout, QStringLiteral("Transformado=%1").arg(*valor));
            estado = salida == QProcess::NormalExit ? 0 : 1;
        } else {
            Escribir(stderr, QStringLiteral("%1 no tiene [Transformadores] Transformado").arg(ini));
        }
        QCoreApplication::exit(estado);
    });
    // Start once the window is on screen, as the host's own window is when it starts the tool.
    QTimer::singleShot(0, &ventana, [&] {
        pasaplan.start(programa.absoluteFilePath(), {direccion, identificador});
    });
    return QApplication::exec();
}
