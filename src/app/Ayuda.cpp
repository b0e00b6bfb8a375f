#include "app/Ayuda.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

#include "app/InterlocutorQt.h"
#include "import/Interlocutor.h"
#include "platform/Rutas.h"

namespace pasaplan {
namespace fs = std::filesystem;

namespace {

// Viewers that read CHM files directly, in order of preference.
const char* const kVisores[] = {"xchm", "kchmviewer", "chmsee"};

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

}  // namespace

fs::path GuiaHtml(const fs::path& directorioPrograma) {
    return directorioPrograma / "ayuda" / "index.html";
}

PlanAyuda PlanearAyuda(const fs::path& directorioPrograma, const EntornoAyuda& entorno) {
    PlanAyuda plan;
    const fs::path chm = directorioPrograma / ArchivoAyuda;
    const bool hayChm = plataforma::ExisteArchivo(chm);
#ifdef _WIN32
    // HTML Help is part of the system and registered for .chm.
    if (hayChm) {
        plan.tipo = PlanAyuda::Tipo::Url;
        plan.url = QUrl::fromLocalFile(TextoDeRuta(chm));
        return plan;
    }
#else
    if (hayChm) {
        for (const char* visor : kVisores) {
            const QString ruta = entorno.buscarPrograma(QString::fromLatin1(visor));
            if (!ruta.isEmpty()) {
                plan.tipo = PlanAyuda::Tipo::Programa;
                plan.programa = ruta;
                plan.argumentos = {TextoDeRuta(chm)};
                return plan;
            }
        }
        const QString xdgOpen = entorno.buscarPrograma(QStringLiteral("xdg-open"));
        if (!xdgOpen.isEmpty() && entorno.visorChmRegistrado()) {
            plan.tipo = PlanAyuda::Tipo::Programa;
            plan.programa = xdgOpen;
            plan.argumentos = {TextoDeRuta(chm)};
            return plan;
        }
    }
    const fs::path guia = GuiaHtml(directorioPrograma);
    if (plataforma::ExisteArchivo(guia)) {
        plan.tipo = PlanAyuda::Tipo::Url;
        plan.url = QUrl::fromLocalFile(TextoDeRuta(guia));
        return plan;
    }
#endif
    plan.tipo = PlanAyuda::Tipo::Ninguno;
    if (!hayChm) {
        plan.mensaje = "No se encuentra el archivo de ayuda «" + chm.string() + "».";
    } else {
        plan.mensaje = "No hay ningún visor de archivos CHM para abrir la ayuda «" + chm.string() +
                       "» ni se encuentra su guía en HTML.";
    }
    return plan;
}

void AbrirAyuda(const fs::path& directorioPrograma, Interlocutor& interlocutor) {
    const EntornoAyuda entorno{
        [](const QString& nombre) { return QStandardPaths::findExecutable(nombre); },
        [] { return VisorRegistradoEnEscritorio(); }};
    const PlanAyuda plan = PlanearAyuda(directorioPrograma, entorno);
    switch (plan.tipo) {
        case PlanAyuda::Tipo::Programa:
            if (QProcess::startDetached(plan.programa, plan.argumentos)) return;
            break;
        case PlanAyuda::Tipo::Url:
            if (QDesktopServices::openUrl(plan.url)) return;
            break;
        case PlanAyuda::Tipo::Ninguno:
            interlocutor.Mensaje(plan.mensaje);
            return;
    }
    const QString que =
        plan.tipo == PlanAyuda::Tipo::Programa ? plan.argumentos.value(0) : plan.url.toLocalFile();
    interlocutor.Mensaje("No se ha podido abrir la ayuda «" + que.toStdString() +
                         "»: no hay ningún programa que pueda mostrarla.");
}

}  // namespace pasaplan
