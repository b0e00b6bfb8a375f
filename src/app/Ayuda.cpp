#include "app/Ayuda.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include "app/InterlocutorQt.h"
#include "app/VentanaAyuda.h"
#include "ejecucion/Interlocutor.h"
#include "platform/Rutas.h"
#include "platform/Ventanas.h"

namespace pasaplan {
namespace fs = std::filesystem;

namespace {

struct Visor {
    const char* nombre;
    // The arguments that open the CHM at one of its pages.
    QStringList (*argumentos)(const QString& chm, const QString& pagina);
};

// Viewers that read CHM files directly, in order of preference.
const Visor kVisores[] = {
    {"xchm",
     [](const QString& chm, const QString& pagina) {
         return QStringList{QStringLiteral("file:%1#xchm:/%2").arg(chm, pagina)};
     }},
    {"kchmviewer",
     [](const QString& chm, const QString& pagina) {
         return QStringList{QStringLiteral("-showPage"), pagina, chm};
     }},
    {"chmsee",
     [](const QString& chm, const QString& pagina) {
         return QStringList{QStringLiteral("%1::/%2").arg(chm, pagina)};
     }},
};

bool VisorRegistradoEnEscritorio() {
    QProcess consulta;
    consulta.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                                QStringLiteral("application/vnd.ms-htmlhelp")});
    if (!consulta.waitForFinished(3000)) {
        consulta.kill();
        consulta.waitForFinished(1000);
        return false;
    }
    return consulta.exitCode() == 0 &&
           !QString::fromLocal8Bit(consulta.readAllStandardOutput()).trimmed().isEmpty();
}

// The CHM in a viewer of the machine, if there is one.
bool PlanearChm(const fs::path& chm, const QString& pagina, const EntornoAyuda& entorno,
                PlanAyuda& plan) {
#ifdef _WIN32
    // The system's HTML Help viewer (hh.exe) at the context's page. Wine's viewer shows no page
    // without Wine's browser engine, which Debian does not ship: there the program's own help
    // window shows the guide.
    if (plataforma::BajoWine()) return false;
    const QString hh = entorno.buscarPrograma(QStringLiteral("hh.exe"));
    if (hh.isEmpty()) return false;
    plan.tipo = PlanAyuda::Tipo::Programa;
    plan.programa = hh;
    plan.argumentos = {QDir::toNativeSeparators(TextoDeRuta(chm)) + QStringLiteral("::/") + pagina};
    return true;
#else
    const QString archivo = TextoDeRuta(chm);
    for (const Visor& visor : kVisores) {
        const QString ruta = entorno.buscarPrograma(QString::fromLatin1(visor.nombre));
        if (!ruta.isEmpty()) {
            plan.tipo = PlanAyuda::Tipo::Programa;
            plan.programa = ruta;
            plan.argumentos = visor.argumentos(archivo, pagina);
            return true;
        }
    }
    // The desktop's own application for .chm files opens its contents page.
    const QString xdgOpen = entorno.buscarPrograma(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty() && entorno.visorChmRegistrado()) {
        plan.tipo = PlanAyuda::Tipo::Programa;
        plan.programa = xdgOpen;
        plan.argumentos = {archivo};
        return true;
    }
    return false;
#endif
}

}  // namespace

QString PaginaDeContexto(int contexto) {
    switch (contexto) {
        case ContextoAyudaMarcos:
            return QStringLiteral("marcos.html");
        default:
            return QStringLiteral("index.html");
    }
}

fs::path GuiaHtml(const fs::path& directorioPrograma) {
    return directorioPrograma / "ayuda" / "index.html";
}

PlanAyuda PlanearAyuda(const fs::path& directorioPrograma, int contexto,
                       const EntornoAyuda& entorno) {
    PlanAyuda plan;
    const QString pagina = PaginaDeContexto(contexto);
    const fs::path chm = directorioPrograma / ArchivoAyuda;
    const bool hayChm = plataforma::ExisteArchivo(chm);
    if (hayChm && PlanearChm(chm, pagina, entorno, plan)) return plan;

    // No viewer: the same guide in the program's own window.
    const fs::path guia = GuiaHtml(directorioPrograma);
    if (plataforma::ExisteArchivo(guia)) {
        fs::path archivoPagina = guia.parent_path() / pagina.toStdString();
        if (!plataforma::ExisteArchivo(archivoPagina)) archivoPagina = guia;
        plan.tipo = PlanAyuda::Tipo::Ventana;
        plan.url = QUrl::fromLocalFile(TextoDeRuta(archivoPagina));
        return plan;
    }
    plan.tipo = PlanAyuda::Tipo::Ninguno;
    if (!hayChm) {
        plan.mensaje = "No se encuentra el archivo de ayuda «" + plataforma::Utf8DeRuta(chm) + "».";
    } else {
        plan.mensaje = "No hay ningún visor de archivos CHM para abrir la ayuda «" +
                       plataforma::Utf8DeRuta(chm) + "» ni se encuentra su guía en HTML.";
    }
    return plan;
}

Utf8 AbrirAyuda(const fs::path& directorioPrograma, int contexto, QWidget* desde,
                Interlocutor& interlocutor) {
    const EntornoAyuda entorno{
        [](const QString& nombre) { return QStandardPaths::findExecutable(nombre); },
        [] { return VisorRegistradoEnEscritorio(); }};
    PlanAyuda plan = PlanearAyuda(directorioPrograma, contexto, entorno);
    Utf8 mensaje;
    switch (plan.tipo) {
        case PlanAyuda::Tipo::Programa:
            if (QProcess::startDetached(plan.programa, plan.argumentos)) return {};
            break;
        case PlanAyuda::Tipo::Url:
            if (QDesktopServices::openUrl(plan.url)) return {};
            break;
        case PlanAyuda::Tipo::Ventana:
            MostrarVentanaAyuda(plan.url, desde);
            return {};
        case PlanAyuda::Tipo::Ninguno:
            mensaje = plan.mensaje;
            break;
    }
    if (mensaje.empty()) {
        // The viewer would not start: the guide in the program's own window, if it is there.
        const fs::path guia = GuiaHtml(directorioPrograma);
        if (plataforma::ExisteArchivo(guia)) {
            MostrarVentanaAyuda(QUrl::fromLocalFile(TextoDeRuta(
                                    guia.parent_path() / PaginaDeContexto(contexto).toStdString())),
                                desde);
            return {};
        }
        const QString que =
            plan.tipo == PlanAyuda::Tipo::Programa ? plan.programa : plan.url.toLocalFile();
        mensaje = "No se ha podido abrir la ayuda con «" + Utf8::DeBytes(que.toStdString()) + "».";
    }
    interlocutor.Mensaje(mensaje);
    return mensaje;
}

}  // namespace pasaplan
