// Inputs with which the fuzzers found faults, kept under tests/data/fuzz/<target>/ and replayed
// through the very harness that found them (fuzz/Arneses.h), so a fault cannot come back.
#include <gtest/gtest.h>

#include <algorithm>

#include "../../fuzz/Comun.h"

namespace pasaplan {
namespace {

using namespace arnes;

std::vector<fs::path> Hallazgos() {
    std::vector<fs::path> archivos;
    for (const auto& e : fs::recursive_directory_iterator(fs::path(PASAPLAN_TEST_DATA) / "fuzz")) {
        if (e.is_regular_file()) archivos.push_back(e.path());
    }
    std::sort(archivos.begin(), archivos.end());
    return archivos;
}

Fallo Reproducir(const fs::path& archivo) {
    const std::string objetivo = archivo.parent_path().filename().string();
    const std::string bytes = LeerBytes(archivo);
    if (objetivo == "tabla") {
        Carpeta carpeta;
        return ProbarTabla(bytes, carpeta.Ruta() / "TABLA.DBF");
    }
    if (objetivo == "ini") {
        Carpeta carpeta;
        return ProbarIni(bytes, carpeta.Ruta() / "Velmora.ini");
    }
    Espacio espacio;
    const fs::path muestra = espacio.seneca / "ExportacionHorarios.xml";
    ImportarMuestra(espacio, muestra);
    if (objetivo == "exportacion") {
        return ProbarExportacion(bytes, {espacio.intercambio, muestra,
                                         LeerBytes(espacio.intercambio / "DIASHORAST.DBF")});
    }
    if (objetivo == "importacion") {
        return ProbarImportacion(bytes, {espacio.programa, espacio.intercambio, espacio.seneca,
                                         LeerBytes(espacio.intercambio / "CURSOST2.DBF")});
    }
    return "carpeta de hallazgos desconocida: " + objetivo;
}

class HallazgoFuzz : public testing::TestWithParam<fs::path> {};

TEST_P(HallazgoFuzz, IsHandledSoundly) {
    const Fallo fallo = Reproducir(GetParam());
    EXPECT_FALSE(fallo.has_value()) << GetParam() << ": " << fallo.value_or("");
}

INSTANTIATE_TEST_SUITE_P(Datos, HallazgoFuzz, testing::ValuesIn(Hallazgos()),
                         [](const testing::TestParamInfo<fs::path>& info) {
                             std::string nombre = info.param.parent_path().filename().string() +
                                                  "_" + info.param.filename().string();
                             for (char& c : nombre) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return nombre;
                         });

}  // namespace
}  // namespace pasaplan
