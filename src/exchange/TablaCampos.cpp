// The value side of a table object: fields found by name, values read and written, lookups.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "exchange/TablaAbierta.h"

namespace pasaplan {
namespace {

constexpr size_t kLargoNombreCampo = 10;

// Names compare without regard to case; a name longer than dBase's ten characters finds the
// field by its first ten, as the table was created with them.
bool NombreCoincide(std::string_view guardado, std::string_view pedido) {
    if (pedido.size() > kLargoNombreCampo && guardado.size() == kLargoNombreCampo) {
        pedido = pedido.substr(0, kLargoNombreCampo);
    }
    return IgualesSinMayusculas(guardado, pedido);
}

// A binary kind other than a 4-byte integer cannot be read at all; lookups over it scan, so
// that they fail exactly where reading fails.
bool Indexable(const dbf::CampoDbf& campo) {
    return !campo.binario || (campo.tipo == 'I' && campo.campo.ancho == 4);
}

bool EsNumero(const dbf::CampoDbf& campo) { return campo.tipo == 'N' || campo.tipo == 'F'; }

}  // namespace

const dbf::CampoDbf& Tabla::Impl::CampoLlamado(std::string_view nombreCampo) const {
    // Callers spell names as stored: that plain comparison first, when no two names differ
    // only in case (as in every table we write). Folding letters for every field of every
    // read and write took a quarter of an import.
    if (nombresDistintos) {
        const std::string_view escrito = nombreCampo.substr(0, kLargoNombreCampo);
        for (const dbf::CampoDbf& c : campos) {
            const std::string& n = c.campo.nombre;
            if (n.size() == escrito.size() && std::equal(n.begin(), n.end(), escrito.begin())) {
                return c;
            }
        }
    }
    for (const dbf::CampoDbf& c : campos) {
        if (NombreCoincide(c.campo.nombre, nombreCampo)) return c;
    }
    throw ErrorPasaplan("La tabla " + nombre + " no tiene el campo " + Cp1252AUtf8(nombreCampo) +
                        ".");
}

const dbf::CampoDbf& Tabla::Impl::CampoEscribible(std::string_view nombreCampo) const {
    const dbf::CampoDbf& campo = CampoLlamado(nombreCampo);
    if (campo.binario) {
        NoAdmite(campo, Utf8("escritura (es de tipo '") +
                            Cp1252AUtf8(std::string_view(&campo.tipo, 1)) + "')");
    }
    return campo;
}

std::string_view Tabla::Impl::Vista(const char* registro, const dbf::CampoDbf& campo,
                                    dbf::Hueco& hueco) const {
    try {
        return dbf::VistaValor(registro, campo, hueco);
    } catch (const dbf::FormatoDbfInvalido& e) {
        throw ErrorPasaplan("La tabla " + nombre + " (" + Ruta() + ") " + Utf8::DeBytes(e.what()));
    }
}

void Tabla::Impl::Poner(size_t fila, const dbf::CampoDbf& campo, std::string_view bytes) {
    char* registro = datos.data() + fila * Largo();
    for (const auto& indice : indices) {
        if (indice->Usa(campo)) indice->AntesDeEscribir(fila, registro);
    }
    char* destino = registro + campo.posicion;
    const auto ancho = static_cast<size_t>(campo.campo.ancho);
    const size_t n = std::min(bytes.size(), ancho);
    std::memcpy(destino, bytes.data(), n);
    std::memset(destino + n, ' ', ancho - n);
}

dbf::IndiceTabla& Tabla::Impl::Indice(const std::vector<const dbf::CampoDbf*>& sobre) const {
    auto it = std::find_if(indices.begin(), indices.end(),
                           [&](const auto& indice) { return indice->Campos() == sobre; });
    if (it == indices.end()) {
        indices.push_back(std::make_unique<dbf::IndiceTabla>(sobre));
        it = indices.end() - 1;
    }
    (*it)->PonerAlDia(datos.data(), Largo(), Filas());
    return **it;
}

void Tabla::Impl::NoEsValor(const dbf::CampoDbf& campo, std::string_view valor,
                            const char* clase) const {
    throw ErrorPasaplan("La tabla " + nombre + " tiene en el campo " +
                        Cp1252AUtf8(campo.campo.nombre) + " el valor \"" + Cp1252AUtf8(valor) +
                        "\", que no es " + Utf8::DeBytes(clase) + ".");
}

void Tabla::Impl::NoCabe(const dbf::CampoDbf& campo, const Utf8& valor) const {
    throw ErrorPasaplan("El valor " + valor + " no cabe en el campo " +
                        Cp1252AUtf8(campo.campo.nombre) + " de la tabla " + nombre + " (ancho " +
                        Utf8::Numero(campo.campo.ancho) + ", " +
                        Utf8::Numero(campo.campo.decimales) + " decimales).");
}

void Tabla::Impl::NoAdmite(const dbf::CampoDbf& campo, const Utf8& que) const {
    throw ErrorPasaplan("El campo " + Cp1252AUtf8(campo.campo.nombre) + " de la tabla " + nombre +
                        " no admite " + que + ".");
}

bool Tabla::TieneCampo(std::string_view campo) const {
    for (const dbf::CampoDbf& c : impl_->campos) {
        if (NombreCoincide(c.campo.nombre, campo)) return true;
    }
    return false;
}

Texto Tabla::LeerTexto(size_t fila, std::string_view campo) const {
    const dbf::CampoDbf& c = impl_->CampoLlamado(campo);
    dbf::Hueco hueco;
    return Texto::DeBytes(impl_->Vista(impl_->Registro(fila), c, hueco));
}

long long Tabla::LeerEntero(size_t fila, std::string_view campo) const {
    const dbf::CampoDbf& c = impl_->CampoLlamado(campo);
    dbf::Hueco hueco;
    const std::string_view valor = impl_->Vista(impl_->Registro(fila), c, hueco);
    // An unset number reads as 0; a blank text field holds no number.
    if (valor.empty() && EsNumero(c)) return 0;
    const auto numero = dbf::ParsearEntero(valor);
    if (!numero) impl_->NoEsValor(c, valor, "un número entero");
    return *numero;
}

double Tabla::LeerFlotante(size_t fila, std::string_view campo) const {
    const dbf::CampoDbf& c = impl_->CampoLlamado(campo);
    dbf::Hueco hueco;
    const std::string_view valor = impl_->Vista(impl_->Registro(fila), c, hueco);
    if (valor.empty() && EsNumero(c)) return 0;
    const auto numero = dbf::ParsearFlotante(valor);
    if (!numero) impl_->NoEsValor(c, valor, "un número");
    return *numero;
}

std::optional<bool> Tabla::LeerLogico(size_t fila, std::string_view campo) const {
    const dbf::CampoDbf& c = impl_->CampoLlamado(campo);
    dbf::Hueco hueco;
    const std::string_view valor = impl_->Vista(impl_->Registro(fila), c, hueco);
    const auto logico = dbf::ParsearLogico(valor);
    if (!logico) impl_->NoEsValor(c, valor, "un valor lógico (T o F)");
    return *logico;
}

void Tabla::PonerTexto(size_t fila, std::string_view campo, std::string_view valor) {
    const dbf::CampoDbf& c = impl_->CampoEscribible(campo);
    impl_->Registro(fila);
    if (EsNumero(c)) {
        if (!dbf::EsNumeroEscrito(valor)) {
            impl_->NoAdmite(c, "el valor \"" + Cp1252AUtf8(valor) + "\", que no es un número");
        }
        const auto bytes = dbf::FormatearNumeroTexto(valor, c.campo);
        if (!bytes) impl_->NoCabe(c, Cp1252AUtf8(dbf::SinBlancos(valor)));
        impl_->Poner(fila, c, *bytes);
    } else if (c.tipo == 'L') {
        const auto logico = dbf::ParsearLogico(valor);
        if (!logico) {
            impl_->NoAdmite(c, "el valor \"" + Cp1252AUtf8(valor) + "\" (se espera T, F o nada)");
        }
        impl_->Poner(fila, c, !logico->has_value() ? " " : **logico ? "T" : "F");
    } else {
        impl_->Poner(fila, c, valor);
    }
}

void Tabla::PonerEntero(size_t fila, std::string_view campo, long long valor) {
    const dbf::CampoDbf& c = impl_->CampoEscribible(campo);
    impl_->Registro(fila);
    if (EsNumero(c)) {
        const auto bytes = dbf::FormatearEntero(valor, c.campo);
        if (!bytes) impl_->NoCabe(c, Utf8::Numero(valor));
        impl_->Poner(fila, c, *bytes);
    } else if (c.tipo == 'L') {
        impl_->NoAdmite(c, "el número " + Utf8::Numero(valor) + " (es un campo lógico)");
    } else {
        impl_->Poner(fila, c, std::to_string(valor));
    }
}

void Tabla::PonerFlotante(size_t fila, std::string_view campo, double valor) {
    const dbf::CampoDbf& c = impl_->CampoEscribible(campo);
    impl_->Registro(fila);
    const auto escrito = [valor] {
        std::array<char, 64> b;
        const auto r = std::to_chars(b.data(), b.data() + b.size(), valor);
        return std::string(b.data(), r.ec == std::errc() ? r.ptr : b.data());
    };
    if (EsNumero(c)) {
        const auto bytes = dbf::FormatearFlotante(valor, c.campo);
        if (!bytes) impl_->NoCabe(c, Utf8::DeBytes(escrito()));
        impl_->Poner(fila, c, *bytes);
    } else if (c.tipo == 'L') {
        impl_->NoAdmite(c, "el número " + Utf8::DeBytes(escrito()) + " (es un campo lógico)");
    } else {
        impl_->Poner(fila, c, escrito());
    }
}

void Tabla::PonerLogico(size_t fila, std::string_view campo, bool valor) {
    const dbf::CampoDbf& c = impl_->CampoEscribible(campo);
    impl_->Registro(fila);
    if (EsNumero(c)) {
        impl_->NoAdmite(c,
                        Utf8("el valor lógico ") + (valor ? 'T' : 'F') + " (es un campo numérico)");
    }
    impl_->Poner(fila, c, valor ? "T" : "F");
}

std::optional<size_t> Tabla::Buscar(std::initializer_list<Condicion> condiciones) const {
    const Impl& t = *impl_;
    std::vector<const dbf::CampoDbf*> campos;
    std::vector<std::string_view> valores;
    bool indexable = true;
    for (const Condicion& c : condiciones) {
        campos.push_back(&t.CampoLlamado(c.first));
        indexable = indexable && Indexable(*campos.back());
        valores.push_back(dbf::SinBlancosFinales(c.second));
    }
    if (indexable) {
        const std::vector<uint32_t>* filas = t.Indice(campos).Filas(valores);
        if (filas == nullptr) return std::nullopt;
        return filas->front();
    }
    dbf::Hueco hueco;
    for (size_t fila = 0; fila < t.Filas(); ++fila) {
        const char* registro = t.Registro(fila);
        bool iguales = true;
        for (size_t i = 0; i < campos.size() && iguales; ++i) {
            iguales = t.Vista(registro, *campos[i], hueco) == valores[i];
        }
        if (iguales) return fila;
    }
    return std::nullopt;
}

std::vector<size_t> Tabla::Filtrar(std::string_view campo, std::string_view valor) const {
    const Impl& t = *impl_;
    const dbf::CampoDbf& c = t.CampoLlamado(campo);
    const std::string_view buscado = dbf::SinBlancosFinales(valor);
    std::vector<size_t> filas;
    if (Indexable(c)) {
        if (const auto* indexadas = t.Indice({&c}).Filas({buscado})) {
            filas.assign(indexadas->begin(), indexadas->end());
        }
        return filas;
    }
    dbf::Hueco hueco;
    for (size_t fila = 0; fila < t.Filas(); ++fila) {
        if (t.Vista(t.Registro(fila), c, hueco) == buscado) filas.push_back(fila);
    }
    return filas;
}

}  // namespace pasaplan
