#include "lote/Opciones.h"

#include "platform/Rutas.h"

namespace pasaplan::lote {

const char* const kUso =
    "Uso:\n"
    "  pasaplan-lote exportar ARCHIVO.xml [--intercambio DIR] [--niveles CSV]\n"
    "                         [--recuperar | --no-recuperar] [--marcos CODIGO[,CODIGO]]\n"
    "                         [--informe FICHERO.csv]\n"
    "  pasaplan-lote importar ARCHIVO.xml [--intercambio DIR]\n"
    "  pasaplan-lote tabla FICHERO.DBF\n"
    "  pasaplan-lote --help | --version\n";

const char* const kAyuda =
    "pasaplan-lote: traspaso de datos entre Séneca y Velmora sin ventanas.\n"
    "\n"
    "Órdenes (con el nombre que les da Séneca):\n"
    "  exportar ARCHIVO.xml   Lee la exportación de Séneca («Exportación hacia generadores de\n"
    "                         horario») y escribe las tablas de Velmora en el directorio de\n"
    "                         intercambio (C:\\VTEMP).\n"
    "  importar ARCHIVO.xml   Lee el horario de Velmora (SOLUC) y las tablas del directorio de\n"
    "                         intercambio y escribe, junto a ARCHIVO.xml, el documento\n"
    "                         «ResultadoVelmora» + nombre del archivo, que Séneca importa.\n"
    "  tabla FICHERO.DBF      Muestra una tabla dBase como texto: los nombres de los campos y\n"
    "                         una línea por fila, separados por «;».\n"
    "\n"
    "Opciones:\n"
    "  --intercambio DIR      Directorio de intercambio en lugar de C:\\VTEMP.\n"
    "  --niveles CSV          Respuestas al diálogo de niveles y cursos: archivo UTF-8 con la\n"
    "                         cabecera CLAVE;NIVEL;CURSO y una línea por curso.\n"
    "  --recuperar            Recupera las codificaciones de una importación anterior\n"
    "                         (CURSOST2), como el botón OK de la pregunta. Es lo predeterminado.\n"
    "  --no-recuperar         No las recupera y borra CURSOST2.\n"
    "  --marcos C1[,C2]       Marcos horarios que se usan cuando la exportación trae dos o más\n"
    "                         (JORNADAS_ESCOLARES); se toman en el orden de la lista.\n"
    "  --informe FICHERO      Escribe el informe de la importación en CSV (UTF-8, «;»).\n"
    "  --help                 Muestra esta ayuda.\n"
    "  --version              Muestra la versión.\n"
    "\n"
    "Estado de salida: 0 si el proceso llegó a «Proceso finalizado»; 1 si no (archivo\n"
    "inexistente, error en los datos, salida forzada...); 2 si la orden está mal escrita.\n";

namespace {

std::string ValorDe(const std::vector<std::string>& args, size_t& i) {
    const std::string& opcion = args[i];
    if (i + 1 >= args.size()) throw ErrorUso("Falta el valor de " + opcion + ".");
    return args[++i];
}

}  // namespace

OpcionesLote AnalizarOpciones(const std::vector<std::string>& args) {
    OpcionesLote opciones;
    if (args.empty()) throw ErrorUso("Falta la orden.");
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "ayuda")) {
        opciones.orden = Orden::Ayuda;
        return opciones;
    }
    if (args.size() == 1 && args[0] == "--version") {
        opciones.orden = Orden::Version;
        return opciones;
    }
    const std::string& orden = args[0];
    if (orden == "exportar") {
        opciones.orden = Orden::Exportar;
    } else if (orden == "importar") {
        opciones.orden = Orden::Importar;
    } else if (orden == "tabla") {
        opciones.orden = Orden::Tabla;
    } else {
        throw ErrorUso("Orden desconocida: «" + orden + "».");
    }
    bool hayArchivo = false;
    bool recuperarVisto = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool exporta = opciones.orden == Orden::Exportar;
        const bool tablas = opciones.orden != Orden::Tabla;
        if (a == "--intercambio" && tablas) {
            opciones.intercambio = plataforma::RutaDeUtf8(Utf8::DeBytes(ValorDe(args, i)));
        } else if (a == "--niveles" && exporta) {
            opciones.niveles = plataforma::RutaDeUtf8(Utf8::DeBytes(ValorDe(args, i)));
        } else if ((a == "--recuperar" || a == "--no-recuperar") && exporta) {
            const bool valor = a == "--recuperar";
            if (recuperarVisto && valor != opciones.recuperar) {
                throw ErrorUso("--recuperar y --no-recuperar no pueden ir juntas.");
            }
            recuperarVisto = true;
            opciones.recuperar = valor;
        } else if (a == "--marcos" && exporta) {
            opciones.marcos = Utf8::DeBytes(ValorDe(args, i));
        } else if (a == "--informe" && exporta) {
            opciones.informe = plataforma::RutaDeUtf8(Utf8::DeBytes(ValorDe(args, i)));
        } else if (a.size() > 1 && a[0] == '-') {
            throw ErrorUso("Opción desconocida para «" + orden + "»: " + a + ".");
        } else if (!hayArchivo) {
            opciones.archivo = plataforma::RutaDeUtf8(Utf8::DeBytes(a));
            hayArchivo = true;
        } else {
            throw ErrorUso("Sobra el argumento «" + a + "».");
        }
    }
    if (!hayArchivo) {
        throw ErrorUso(opciones.orden == Orden::Tabla ? "Falta el archivo de la tabla."
                                                      : "Falta el archivo XML.");
    }
    return opciones;
}

}  // namespace pasaplan::lote
