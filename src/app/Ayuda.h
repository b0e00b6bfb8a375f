#pragma once
// The help: "SENECA.chm" beside the executable in the platform's CHM viewer, or the same guide
// as HTML in the browser where no viewer is at hand.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "text/Texto.h"

namespace pasaplan {

class Interlocutor;

inline constexpr const char* ArchivoAyuda = "SENECA.chm";

struct PlanAyuda {
    enum class Tipo { Programa, Url, Ninguno };
    Tipo tipo = Tipo::Ninguno;
    QString programa;  // Tipo::Programa: a CHM viewer started with the file
    QStringList argumentos;
    QUrl url;      // Tipo::Url: opened by the desktop (the CHM on Windows, HTML elsewhere)
    Utf8 mensaje;  // Tipo::Ninguno: why there is no help
};

// What the machine offers, asked lazily so that tests can describe any machine.
struct EntornoAyuda {
    std::function<QString(const QString&)> buscarPrograma;  // full path or empty
    std::function<bool()> visorChmRegistrado;               // the desktop opens .chm files
};

// The HTML guide that the build installs beside the executable.
std::filesystem::path GuiaHtml(const std::filesystem::path& directorioPrograma);

PlanAyuda PlanearAyuda(const std::filesystem::path& directorioPrograma,
                       const EntornoAyuda& entorno);

// Opens the help's contents page; a message through interlocutor when nothing can show it.
void AbrirAyuda(const std::filesystem::path& directorioPrograma, Interlocutor& interlocutor);

}  // namespace pasaplan
