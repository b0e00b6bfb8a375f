#include "lote/InterlocutorLote.h"

#include "lote/Respuestas.h"

namespace pasaplan::lote {

void InterlocutorLote::Mensaje(const Utf8& texto) {
    if (pendiente_) salida_ << *pendiente_ << "\n";
    pendiente_ = texto;
}

std::optional<Utf8> InterlocutorLote::TomarPendiente() {
    auto mensaje = std::move(pendiente_);
    pendiente_.reset();
    return mensaje;
}

void InterlocutorLote::ErrorEnDialogo(const Utf8& que, const Utf8& error) {
    if (pendiente_) salida_ << *TomarPendiente() << "\n";
    errores_ << error << "\n";
    erroresDialogo_.Anotar(que, error);
}

ResultadoCursos InterlocutorLote::MostrarDialogoCursos(const ContextoCursos& contexto) {
    if (pendiente_) salida_ << *TomarPendiente() << "\n";
    return ResponderDialogoCursos(contexto, opciones_, *this, salida_);
}

ResultadoMarcos InterlocutorLote::MostrarDialogoMarcos(const ContextoMarcos& contexto) {
    if (pendiente_) salida_ << *TomarPendiente() << "\n";
    return ResponderDialogoMarcos(contexto, opciones_, *this);
}

void InterlocutorLote::ComprobarAntesDePasos(const ExportacionSeneca& documento) {
    ComprobarRespuestas(documento, opciones_);
    ComprobarNiveles(opciones_);
}

void InterlocutorLote::TablaEscrita(const Utf8& nombre, size_t filas) {
    if (pendiente_) salida_ << *TomarPendiente() << "\n";
    salida_ << "  " << nombre << ": " << filas << (filas == 1 ? " fila" : " filas");
    // A table that a later step extends (the activities join the subjects) is reported again.
    auto anterior = escritas_.find(nombre);
    if (anterior != escritas_.end() && filas >= anterior->second) {
        salida_ << " (" << filas - anterior->second << " añadidas)";
    }
    salida_ << "\n";
    escritas_[nombre] = filas;
}

}  // namespace pasaplan::lote
