#pragma once
// The help: "SENECA.chm" beside the executable in a CHM viewer, opened at the page of the
// control's help context, or, where no viewer is at hand, the same guide as HTML in the
// program's own help window.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "text/Texto.h"

class QWidget;

namespace pasaplan {

class Interlocutor;

inline constexpr const char* ArchivoAyuda = "SENECA.chm";

// Help contexts of the windows: the main window and the course levels dialog, the time-frame
// dialog. The CHM project maps the same numbers to the same pages.
inline constexpr int ContextoAyudaPrincipal = 1;
inline constexpr int ContextoAyudaMarcos = 3;

// The guide's page for a help context; the contents page for an unknown one.
QString PaginaDeContexto(int contexto);

struct PlanAyuda {
    enum class Tipo { Programa, Url, Ventana, Ninguno };
    Tipo tipo = Tipo::Ninguno;
    QString programa;  // Tipo::Programa: a CHM viewer started with these arguments
    QStringList argumentos;
    QUrl url;      // Tipo::Url: the CHM, opened by the desktop; Tipo::Ventana: the guide's page
    Utf8 mensaje;  // Tipo::Ninguno: why there is no help
};

// What the machine offers, asked lazily so that tests can describe any machine.
struct EntornoAyuda {
    std::function<QString(const QString&)> buscarPrograma;  // full path or empty
    std::function<bool()> visorChmRegistrado;               // the desktop opens .chm files
};

// The HTML guide that the build installs beside the executable.
std::filesystem::path GuiaHtml(const std::filesystem::path& directorioPrograma);

PlanAyuda PlanearAyuda(const std::filesystem::path& directorioPrograma, int contexto,
                       const EntornoAyuda& entorno);

// Opens the help at contexto's page for the window of desde; a message through interlocutor
// only when nothing can show it. The message is what it returns too (empty when the help
// opened), so that a dialog knows one of its own message boxes was shown.
Utf8 AbrirAyuda(const std::filesystem::path& directorioPrograma, int contexto, QWidget* desde,
                Interlocutor& interlocutor);

}  // namespace pasaplan
