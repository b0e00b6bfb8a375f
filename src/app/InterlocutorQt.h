#pragma once
// The questions of a run answered with Qt windows: the file dialog, message boxes, the
// hourglass and the two modal dialogs.
#include <QPointer>
#include <QString>
#include <filesystem>

#include "ejecucion/Interlocutor.h"

class QWidget;

namespace pasaplan {

// Qt text <-> path without losing characters on either platform.
std::filesystem::path RutaDesde(const QString& texto);
QString TextoDeRuta(const std::filesystem::path& ruta);

class InterlocutorQt : public Interlocutor {
  public:
    // ventana: the owner of every dialog and message box (the main window).
    explicit InterlocutorQt(QWidget* ventana);
    ~InterlocutorQt() override;

    std::optional<std::filesystem::path> ElegirArchivoXml() override;
    void Mensaje(const Utf8& texto) override;
    void RelojArena(bool activo) override;
    ResultadoCursos MostrarDialogoCursos(const ContextoCursos& contexto) override;
    bool PreguntarRecuperacion() override;
    ResultadoMarcos MostrarDialogoMarcos(const ContextoMarcos& contexto) override;
    void MostrarInforme(const std::vector<Hallazgo>& hallazgos) override;
    // A message box, as every error the dialog meets; kept for the run's report.
    void ErrorEnDialogo(const Utf8& que, const Utf8& error) override;
    std::vector<ErrorDeDialogo> TomarErroresDeDialogo() override { return erroresDialogo_.Tomar(); }

  private:
    QWidget* Propietario() const;

    QPointer<QWidget> ventana_;
    bool reloj_ = false;
    ErroresDeDialogo erroresDialogo_;
};

}  // namespace pasaplan
