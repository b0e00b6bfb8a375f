#include "report/Informe.h"

#include <map>

#include "report/Revision.h"
#include "text/Cp1252.h"

namespace pasaplan {

std::vector<Hallazgo> ElaborarInforme(const ExportacionSeneca& doc,
                                      const std::filesystem::path& directorioIntercambio) {
    informe::Revision revision(doc, directorioIntercambio);
    informe::RevisarMaterias(revision);
    informe::RevisarPersonal(revision);
    informe::RevisarUnidades(revision);
    informe::RevisarTramos(revision);
    informe::RevisarCatalogos(revision);
    return revision.Tomar();
}

Utf8 NombreTipo(TipoHallazgo tipo) {
    switch (tipo) {
        case TipoHallazgo::NivelesSinGuardar:
            return "Error en los niveles de los cursos";
        case TipoHallazgo::MateriaSinCurso:
            return "Materia sin curso";
        case TipoHallazgo::MateriaSinNombre:
            return "Materia sin nombre";
        case TipoHallazgo::CodigoActividadCortado:
            return "Código de actividad cortado";
        case TipoHallazgo::CodigoRepetido:
            return "Código repetido";
        case TipoHallazgo::EmpleadoRepetido:
            return "Empleado repetido";
        case TipoHallazgo::UnidadSinCurso:
            return "Unidad sin curso";
        case TipoHallazgo::UnidadSinNivel:
            return "Unidad de un curso sin nivel";
        case TipoHallazgo::UnidadMixta:
            return "Unidad mixta";
        case TipoHallazgo::CursoSinUnidades:
            return "Curso sin unidades";
        case TipoHallazgo::MateriaSinAsignacion:
            return "Materia sin asignaciones";
        case TipoHallazgo::TramoInvertido:
            return "Tramo que acaba antes de empezar";
        case TipoHallazgo::TramoRecreo:
            return "Recreo entre las horas";
        case TipoHallazgo::CatalogoAusente:
            return "Catálogo ausente";
        case TipoHallazgo::CursoSinNivelSeneca:
            return "Curso sin nivel en los catálogos";
        case TipoHallazgo::TablaIlegible:
            return "Tabla ilegible";
    }
    return "Aviso";
}

namespace {

Utf8 Donde(const Hallazgo& h) {
    const Utf8 bloqueOTabla = Utf8::DeBytes(h.bloqueOTabla);
    return h.registro.empty() ? bloqueOTabla : bloqueOTabla + ", " + Cp1252AUtf8(h.registro);
}

}  // namespace

Utf8 TextoInforme(const std::vector<Hallazgo>& hallazgos) {
    if (hallazgos.empty()) return "Informe de la importación: nada que revisar.\n";
    std::map<TipoHallazgo, size_t> cuenta;
    for (const Hallazgo& h : hallazgos) ++cuenta[h.tipo];

    Utf8 texto = "Informe de la importación: " + Utf8::Numero(hallazgos.size()) +
                 (hallazgos.size() == 1 ? Utf8(" aviso\n") : Utf8(" avisos\n"));
    for (const auto& [tipo, n] : cuenta) {
        texto += "  " + NombreTipo(tipo) + ": " + Utf8::Numero(n) + "\n";
    }
    for (const Hallazgo& h : hallazgos) {
        texto += "\n" + NombreTipo(h.tipo) + " · " + Donde(h) + "\n  " + h.frase + "\n";
    }
    return texto;
}

Utf8 CampoCsv(const Utf8& texto) {
    const std::string_view valor = texto.Bytes();
    const bool comillas = valor.find_first_of(";\"\r\n") != std::string_view::npos ||
                          (!valor.empty() && (valor.front() == ' ' || valor.back() == ' '));
    if (!comillas) return texto;
    Utf8 campo = "\"";
    for (char c : valor) {
        if (c == '"') campo += '"';
        campo += c;
    }
    return campo + "\"";
}

Utf8 CsvInforme(const std::vector<Hallazgo>& hallazgos) {
    // The byte-order mark tells spreadsheet programs on Windows that the file is UTF-8; without
    // it they read it as ANSI and garble every accent.
    Utf8 csv = "\xEF\xBB\xBFTipo;Bloque o tabla;Registro;Descripción\r\n";
    for (const Hallazgo& h : hallazgos) {
        csv += CampoCsv(NombreTipo(h.tipo)) + ";" + CampoCsv(Utf8::DeBytes(h.bloqueOTabla)) + ";" +
               CampoCsv(Cp1252AUtf8(h.registro)) + ";" + CampoCsv(h.frase) + "\r\n";
    }
    return csv;
}

}  // namespace pasaplan
