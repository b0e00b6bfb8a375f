#pragma once
// A scripted person in front of the tool: answers come from queues the test fills, and every
// question asked is recorded.
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ejecucion/Interlocutor.h"
#include "report/Informe.h"

namespace pasaplan::prueba {

class InterlocutorGuion : public Interlocutor {
  public:
    // Answers, taken in order; when a queue is empty the defaults below apply.
    std::deque<std::optional<std::filesystem::path>> archivos;  // default: cancel
    std::deque<bool> recuperaciones;                            // default: OK
    // Each showing of a dialog runs the next function; default: closed by the window frame
    // (course levels) or an invalid choice (time frames).
    std::deque<std::function<ResultadoCursos(const ContextoCursos&)>> dialogosCursos;
    std::deque<std::function<ResultadoMarcos(const ContextoMarcos&)>> dialogosMarcos;

    // What happened.
    std::vector<Utf8> mensajes;
    std::vector<std::pair<std::string, size_t>> tablas;
    int preguntasRecuperacion = 0;
    int mostradosCursos = 0;
    int mostradosMarcos = 0;
    std::vector<std::vector<Hallazgo>> informes;  // every report shown
    bool relojActivo = false;
    int vecesReloj = 0;

    std::optional<std::filesystem::path> ElegirArchivoXml() override {
        if (archivos.empty()) return std::nullopt;
        auto a = archivos.front();
        archivos.pop_front();
        return a;
    }
    void Mensaje(const Utf8& texto) override { mensajes.push_back(texto); }
    void RelojArena(bool activo) override {
        relojActivo = activo;
        if (activo) ++vecesReloj;
    }
    ResultadoCursos MostrarDialogoCursos(const ContextoCursos& contexto) override {
        ++mostradosCursos;
        if (dialogosCursos.empty()) return {};
        auto f = dialogosCursos.front();
        dialogosCursos.pop_front();
        return f(contexto);
    }
    bool PreguntarRecuperacion() override {
        ++preguntasRecuperacion;
        if (recuperaciones.empty()) return true;
        bool r = recuperaciones.front();
        recuperaciones.pop_front();
        return r;
    }
    ResultadoMarcos MostrarDialogoMarcos(const ContextoMarcos& contexto) override {
        ++mostradosMarcos;
        if (dialogosMarcos.empty()) {
            // Nothing scripted: the test would loop for ever; fail loudly instead.
            throw std::logic_error("diálogo de marcos sin respuesta en la prueba");
        }
        auto f = dialogosMarcos.front();
        dialogosMarcos.pop_front();
        return f(contexto);
    }
    void MostrarInforme(const std::vector<Hallazgo>& h) override { informes.push_back(h); }
    void TablaEscrita(const Utf8& nombre, size_t filas) override {
        tablas.emplace_back(nombre.Bytes(), filas);
    }
};

}  // namespace pasaplan::prueba
