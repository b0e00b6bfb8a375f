#include "app/Parametros.h"

#include "platform/Error.h"

namespace pasaplan {

Direccion DireccionDe(const QString& palabra) {
    QString minusculas = palabra;
    for (QChar& c : minusculas) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
    }
    if (minusculas == QLatin1String("exportar")) return Direccion::Exportar;
    if (minusculas == QLatin1String("importar")) return Direccion::Importar;
    return Direccion::Ninguna;
}

std::uintptr_t ConvertirManejador(const QString& texto) {
    std::uintptr_t valor = 0;
    int significativas = 0;
    bool valido = !texto.isEmpty();
    for (QChar c : texto) {
        const char16_t u = c.unicode();
        int digito;
        if (u >= u'0' && u <= u'9') {
            digito = u - u'0';
        } else if (u >= u'a' && u <= u'f') {
            digito = u - u'a' + 10;
        } else if (u >= u'A' && u <= u'F') {
            digito = u - u'A' + 10;
        } else {
            valido = false;
            break;
        }
        if (valor != 0 || digito != 0) ++significativas;
        // A handle wider than the platform's pointer names no window: refuse it, never wrap.
        if (significativas > static_cast<int>(sizeof(std::uintptr_t) * 2)) {
            valido = false;
            break;
        }
        valor = (valor << 4) | static_cast<std::uintptr_t>(digito);
    }
    if (!valido) {
        throw ErrorPasaplan("\"" + Utf8::DeBytes(texto.toStdString()) +
                            "\" no es un valor hexadecimal válido.");
    }
    return valor;
}

ParametrosArranque AnalizarParametros(const QStringList& parametros) {
    ParametrosArranque p;
    if (parametros.size() != 2) return p;
    p.dosParametros = true;
    p.direccion = DireccionDe(parametros[0]);
    try {
        p.anfitrion = ConvertirManejador(parametros[1]);
    } catch (const ErrorPasaplan& e) {
        p.errorConversion = e.Mensaje();
    }
    return p;
}

}  // namespace pasaplan
