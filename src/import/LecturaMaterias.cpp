#include "import/LecturaMaterias.h"

namespace pasaplan {
namespace {

std::vector<MateriaLeida> LeerMaterias(const ExportacionSeneca& doc) {
    std::vector<MateriaLeida> materias;
    const std::vector<Grupo>& registros = doc.Registros("MATERIAS");
    materias.reserve(registros.size());
    for (size_t i = 0; i < registros.size(); ++i) {
        const auto& datos = registros[i].Datos();
        if (datos.size() < 2) continue;
        MateriaLeida m;
        m.numero = i + 1;
        m.valores = datos.size();
        if (datos.size() > 2 && NombreDatoEs(datos[2], "X_MATERIAOMG")) {
            m.codigo = Valor(datos, 2);
        } else {
            m.nombre = Valor(datos, 2);
            m.conNombre = true;
        }
        if (NombreDatoEs(datos[1], "D_MATERIAC")) {
            m.nombre = Valor(datos, 1);
            m.conNombre = true;
        } else {
            m.codigo = Valor(datos, 1);
        }
        m.oferta = Valor(datos, 0);
        materias.push_back(std::move(m));
    }
    return materias;
}

}  // namespace

const std::vector<MateriaLeida>& MateriasLeidas(const ExportacionSeneca& doc) {
    return doc.Derivado<std::vector<MateriaLeida>>("MATERIAS", LeerMaterias);
}

}  // namespace pasaplan
