#include "exchange/Tabla.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>

#include "exchange/CodecDbf.h"
#include "exchange/IndiceTabla.h"
#include "platform/ArchivoTabla.h"
#include "platform/Error.h"
#include "platform/Rutas.h"
#include "text/Cp1252.h"

namespace pasaplan {
namespace fs = std::filesystem;
using plataforma::Apertura;
using plataforma::ArchivoTabla;
using plataforma::Utf8DeRuta;
namespace {

dbf::Fecha Hoy() {
    const plataforma::FechaLocal hoy = plataforma::Hoy();
    return {hoy.anio, hoy.mes, hoy.dia};
}

constexpr uint32_t kSinPosicion = std::numeric_limits<uint32_t>::max();
constexpr size_t kLargoNombreCampo = 10;

// Names compare without regard to case; a name longer than dBase's ten characters finds the
// field by its first ten, as the table was created with them.
bool NombreCoincide(std::string_view guardado, std::string_view pedido) {
    if (pedido.size() > kLargoNombreCampo && guardado.size() == kLargoNombreCampo) {
        pedido = pedido.substr(0, kLargoNombreCampo);
    }
    return IgualesSinMayusculas(guardado, pedido);
}

// A field name packed into two numbers and its length, so that the search of every read and
// write compares names without a call. Two overlapping loads cover every byte of a name of a
// given length, so two names of one length pack alike only when they are equal.
struct NombreEmpaquetado {
    uint64_t principio = 0, fin = 0;
    size_t largo = 0;
    bool operator==(const NombreEmpaquetado& o) const {
        return principio == o.principio && fin == o.fin && largo == o.largo;
    }
};
NombreEmpaquetado Empaquetar(std::string_view nombre) {
    NombreEmpaquetado n;
    n.largo = nombre.size();
    const char* p = nombre.data();
    if (n.largo >= 8) {
        std::memcpy(&n.principio, p, 8);
        std::memcpy(&n.fin, p + n.largo - 8, 8);
    } else if (n.largo >= 4) {
        uint32_t principio = 0, fin = 0;
        std::memcpy(&principio, p, 4);
        std::memcpy(&fin, p + n.largo - 4, 4);
        n.principio = principio;
        n.fin = fin;
    } else if (n.largo > 0) {
        n.principio = static_cast<unsigned char>(p[0]);
        n.fin = static_cast<unsigned char>(p[n.largo / 2]) |
                static_cast<uint64_t>(static_cast<unsigned char>(p[n.largo - 1])) << 8;
    }
    return n;
}

// A binary kind other than a 4-byte integer cannot be read at all; lookups over it scan, so
// that they fail exactly where reading fails.
bool Indexable(const dbf::CampoDbf& campo) {
    return !campo.binario || (campo.tipo == 'I' && campo.campo.ancho == 4);
}

}  // namespace

struct Tabla::Impl {
    fs::path archivo;
    std::string nombre;
    ArchivoTabla abierto;
    bool soloLectura = false;
    dbf::Cabecera cabecera;
    std::vector<dbf::CampoDbf> campos;
    std::vector<Campo> camposPublicos;
    std::string datos;             // live rows, each a whole record with its deletion flag
    std::vector<uint32_t> fisica;  // record number in the file, kSinPosicion until posted
    std::string escritura;         // reused buffer for Grabar
    // The date of last update as the file holds it, and today's date with the second it was
    // worked out at: a post rewrites the date only when the day has changed.
    std::array<char, 3> fechaArchivo{};
    std::time_t segundoHoy = -1;
    std::array<char, 3> fechaHoy{};
    // Where the last field name was found: a loop reads one field of every row, or writes a
    // row field after field, so the search starts there.
    mutable size_t ultimoCampo = 0;

    // Indexes for Buscar and Filtrar, one per field list, built on first use; told of every
    // write to one of their fields and brought up to date before every lookup.
    mutable std::vector<std::unique_ptr<dbf::IndiceTabla>> indices;
    // Reused by lookups, so that a lookup does not allocate.
    mutable std::vector<const dbf::CampoDbf*> camposBuscados;
    mutable std::vector<std::string_view> valoresBuscados;
    mutable std::string claveBuscada;
    // No two field names equal without regard to case (as in every table we write): then a
    // name spelt exactly as stored finds its field without folding letters.
    bool nombresDistintos = false;
    std::vector<NombreEmpaquetado> empaquetados;  // of the fields' names, when distinct

    Utf8 Ruta() const { return Utf8DeRuta(archivo); }

    // Every read and write names its field, so the usual exact spelling is tried first,
    // from the last field found: with distinct names at most one field has the spelling,
    // wherever the search starts. A longer name is spelt by its first ten.
    const dbf::CampoDbf& Buscar(std::string_view campo) const {
        if (nombresDistintos) {
            const NombreEmpaquetado escrito = Empaquetar(campo.substr(0, kLargoNombreCampo));
            const size_t n = campos.size();
            for (size_t k = 0, i = ultimoCampo; k < n; ++k, i = i + 1 == n ? 0 : i + 1) {
                if (empaquetados[i] == escrito) {
                    ultimoCampo = i;
                    return campos[i];
                }
            }
        }
        return BuscarSinMayusculas(campo);
    }

    const dbf::CampoDbf& BuscarSinMayusculas(std::string_view campo) const {
        for (const dbf::CampoDbf& c : campos) {
            if (NombreCoincide(c.campo.nombre, campo)) return c;
        }
        throw ErrorPasaplan("La tabla " + nombre + " no tiene el campo " + Cp1252AUtf8(campo) +
                            ".");
    }

    size_t Filas() const { return fisica.size(); }

    char* Registro(size_t fila) {
        return const_cast<char*>(static_cast<const Impl*>(this)->Registro(fila));
    }
    const char* Registro(size_t fila) const {
        if (fila >= Filas()) SinFila(fila);
        return datos.data() + fila * cabecera.longitudRegistro;
    }

    [[noreturn]] void SinFila(size_t fila) const {
        throw ErrorPasaplan("La tabla " + nombre + " no tiene la fila " + std::to_string(fila + 1) +
                            " (tiene " + std::to_string(Filas()) + ").");
    }

    std::string_view Vista(const char* registro, const dbf::CampoDbf& campo,
                           dbf::Hueco& hueco) const {
        try {
            return dbf::VistaValor(registro, campo, hueco);
        } catch (const dbf::FormatoDbfInvalido& e) {
            throw ErrorPasaplan("La tabla " + nombre + " (" + Ruta() + ") " + e.what());
        }
    }

    [[noreturn]] void NoEsValor(const dbf::CampoDbf& campo, std::string_view valor,
                                const char* clase) const {
        throw ErrorPasaplan("La tabla " + nombre + " tiene en el campo " +
                            Cp1252AUtf8(campo.campo.nombre) + " el valor \"" + Cp1252AUtf8(valor) +
                            "\", que no es " + clase + ".");
    }

    [[noreturn]] void NoCabe(const dbf::CampoDbf& campo, const Utf8& valor) const {
        throw ErrorPasaplan("El valor " + valor + " no cabe en el campo " +
                            Cp1252AUtf8(campo.campo.nombre) + " de la tabla " + nombre +
                            " (ancho " + std::to_string(campo.campo.ancho) + ", " +
                            std::to_string(campo.campo.decimales) + " decimales).");
    }

    [[noreturn]] void NoAdmite(const dbf::CampoDbf& campo, const Utf8& que) const {
        throw ErrorPasaplan("El campo " + Cp1252AUtf8(campo.campo.nombre) + " de la tabla " +
                            nombre + " no admite " + que + ".");
    }

    const dbf::CampoDbf& CampoEscribible(std::string_view nombreCampo) const {
        const dbf::CampoDbf& campo = Buscar(nombreCampo);
        if (campo.binario) {
            NoAdmite(campo, std::string("escritura (es de tipo '") +
                                Cp1252AUtf8(std::string_view(&campo.tipo, 1)) + "')");
        }
        return campo;
    }

    void Poner(size_t fila, const dbf::CampoDbf& campo, std::string_view bytes) {
        char* registro = Registro(fila);
        for (const auto& indice : indices) {
            if (indice->Usa(campo)) indice->AntesDeEscribir(fila, registro);
        }
        char* destino = registro + campo.posicion;
        const auto ancho = static_cast<size_t>(campo.campo.ancho);
        const size_t n = std::min(bytes.size(), ancho);
        std::memcpy(destino, bytes.data(), n);
        std::memset(destino + n, ' ', ancho - n);
    }

    // The index over these fields, built from the rows now loaded when there is none yet.
    // The index over these fields, up to date with every row now in memory.
    dbf::IndiceTabla& Indice(const std::vector<const dbf::CampoDbf*>& sobre) const {
        dbf::IndiceTabla* indice = nullptr;
        for (const auto& existente : indices) {
            if (existente->Campos() == sobre) {
                indice = existente.get();
                break;
            }
        }
        if (indice == nullptr) {
            indices.push_back(std::make_unique<dbf::IndiceTabla>(sobre));
            indice = indices.back().get();
        }
        indice->PonerAlDia(datos.data(), cabecera.longitudRegistro, Filas());
        return *indice;
    }

    // The index over camposBuscados with the key of valoresBuscados in claveBuscada; null
    // when no row can hold such values.
    const dbf::IndiceTabla* IndiceBuscado() const {
        const dbf::IndiceTabla& indice = Indice(camposBuscados);
        if (!indice.ClaveBuscada(valoresBuscados, claveBuscada)) return nullptr;
        return &indice;
    }

    bool EsNumero(const dbf::CampoDbf& campo) const {
        return campo.tipo == 'N' || campo.tipo == 'F';
    }

    // Today's date as the header stores it; the clock is read again only in another second.
    const std::array<char, 3>& FechaHoy() {
        const std::time_t ahora = std::time(nullptr);
        if (ahora != segundoHoy) {
            const auto fecha = dbf::CodificarFechaYCuenta(Hoy(), 0);
            std::copy_n(fecha.begin(), fechaHoy.size(), fechaHoy.begin());
            segundoHoy = ahora;
        }
        return fechaHoy;
    }

    [[noreturn]] void ErrorEscritura() const {
        throw ErrorPasaplan("No se pudo escribir en la tabla " + nombre + " (" + Ruta() +
                            "): " + abierto.Motivo() + ".");
    }
};

Tabla::Tabla(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Tabla::~Tabla() = default;

void Tabla::Crear(const fs::path& archivo, const std::vector<Campo>& campos) {
    const Utf8 nombre = Utf8DeRuta(archivo.stem());
    const Utf8 titulo = "la tabla " + nombre + " (" + Utf8DeRuta(archivo) + ")";
    std::vector<dbf::CampoDbf> preparados;
    try {
        preparados = dbf::PrepararCampos(campos);
    } catch (const dbf::FormatoDbfInvalido& e) {
        throw ErrorPasaplan("No se puede crear " + titulo + ": " + e.what());
    }
    // Emptied only once the file is ours alone: a table that another program holds stays intact.
    ArchivoTabla abierto;
    switch (abierto.Crear(archivo)) {
        case Apertura::Abierta:
            break;
        case Apertura::NoEsArchivo:
            throw ErrorPasaplan("No se puede crear " + titulo + ": no es un archivo.");
        case Apertura::Retenida:
            throw ErrorPasaplan("La tabla " + nombre + " está abierta en otro programa (" +
                                Utf8DeRuta(archivo) + ").");
        default:
            throw ErrorPasaplan("No se puede crear " + titulo + ": " + abierto.Motivo() + ".");
    }
    const std::string bytes = dbf::CodificarTablaVacia(preparados, Hoy());
    if (!abierto.Vaciar() || !abierto.EscribirEn(bytes.data(), bytes.size(), 0)) {
        throw ErrorPasaplan("No se puede crear " + titulo + ": " + abierto.Motivo() + ".");
    }
}

std::unique_ptr<Tabla> Tabla::Abrir(const fs::path& archivo, Acceso acceso) {
    auto impl = std::make_unique<Impl>();
    impl->archivo = archivo;
    impl->nombre = Utf8DeRuta(archivo.stem());
    const Utf8 ruta = Utf8DeRuta(archivo);
    const Utf8 titulo = "la tabla " + impl->nombre + " (" + ruta + ")";

    ArchivoTabla& abierto = impl->abierto;
    switch (abierto.Abrir(archivo, acceso == Acceso::Exclusivo ? plataforma::Reserva::Exclusiva
                                                              : plataforma::Reserva::Compartida)) {
        case Apertura::Abierta:
            break;
        case Apertura::NoExiste:
            throw ErrorPasaplan("No se encuentra la tabla " + impl->nombre + " (" + ruta + ").");
        case Apertura::NoEsArchivo:
            throw ErrorPasaplan("No se puede abrir " + titulo + ": no es un archivo.");
        case Apertura::Retenida:
            throw ErrorPasaplan("La tabla " + impl->nombre + " está abierta en otro programa (" +
                                ruta + ").");
        case Apertura::SinBloqueo:
            throw ErrorPasaplan("No se puede bloquear " + titulo + ": " + abierto.Motivo() + ".");
        case Apertura::Fallida:
            throw ErrorPasaplan("No se puede abrir " + titulo + ": " + abierto.Motivo() + ".");
    }
    // A reference table in a read-only folder can still be read; Grabar says why not.
    impl->soloLectura = abierto.SoloLectura();

    // Sizes are taken once the file is held, so no writer can change them under us.
    const std::optional<uint64_t> medido = abierto.Tamano();
    if (!medido) {
        throw ErrorPasaplan("No se puede abrir " + titulo + ": " + abierto.Motivo() + ".");
    }
    const uint64_t tamano = *medido;
    const auto fallo = [&](const Utf8& detalle) -> ErrorPasaplan {
        return ErrorPasaplan("La tabla " + impl->nombre + " (" + ruta + ") " + detalle);
    };
    const auto leer = [&](char* destino, size_t n, uint64_t posicion) {
        if (!abierto.LeerEn(destino, n, posicion)) {
            throw ErrorPasaplan("No se puede leer " + titulo + ": " +
                                (abierto.FinDeArchivo() ? Utf8("el archivo cambió mientras se leía")
                                                        : abierto.Motivo()) +
                                ".");
        }
    };
    try {
        std::string fija(std::min<uint64_t>(tamano, dbf::kLongitudCabeceraFija), '\0');
        leer(fija.data(), fija.size(), 0);
        impl->cabecera = dbf::LeerCabeceraFija(fija);
        std::copy_n(fija.begin() + 1, impl->fechaArchivo.size(), impl->fechaArchivo.begin());
        const dbf::Cabecera& c = impl->cabecera;
        if (tamano < c.longitudCabecera) {
            throw fallo("está dañada: el archivo acaba dentro de la cabecera (tiene " +
                        std::to_string(tamano) + " bytes y la cabecera dice medir " +
                        std::to_string(c.longitudCabecera) + ").");
        }
        std::string cabecera(c.longitudCabecera, '\0');
        leer(cabecera.data(), cabecera.size(), 0);
        impl->campos = dbf::LeerDescriptores(cabecera, c);
        const uint64_t caben = (tamano - c.longitudCabecera) / c.longitudRegistro;
        if (caben < c.registros) {
            throw fallo("está dañada: la cabecera dice que tiene " + std::to_string(c.registros) +
                        " registros, pero el archivo solo tiene sitio para " +
                        std::to_string(caben) + ".");
        }
    } catch (const dbf::FormatoDbfInvalido& e) {
        throw fallo(e.what());
    }
    impl->nombresDistintos = true;
    for (size_t i = 0; i < impl->campos.size(); ++i) {
        impl->camposPublicos.push_back(impl->campos[i].campo);
        for (size_t j = 0; j < i; ++j) {
            if (IgualesSinMayusculas(impl->campos[j].campo.nombre, impl->campos[i].campo.nombre)) {
                impl->nombresDistintos = false;
            }
        }
        impl->empaquetados.push_back(Empaquetar(impl->campos[i].campo.nombre));
    }

    // Read every record, then keep the live ones in place.
    const size_t largo = impl->cabecera.longitudRegistro;
    impl->datos.resize(static_cast<size_t>(impl->cabecera.registros) * largo);
    leer(impl->datos.data(), impl->datos.size(),
         uint64_t{impl->cabecera.longitudCabecera});
    impl->fisica.reserve(impl->cabecera.registros);
    size_t vivas = 0;
    for (uint32_t r = 0; r < impl->cabecera.registros; ++r) {
        const char* registro = impl->datos.data() + r * largo;
        if (registro[0] == dbf::kMarcaBorrada) continue;
        if (registro[0] != dbf::kMarcaViva) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(registro[0]));
            throw fallo("está dañada: el registro " + std::to_string(r + 1) +
                        " empieza por el byte " + hex + " en lugar de la marca de borrado.");
        }
        if (vivas != r) std::memmove(impl->datos.data() + vivas * largo, registro, largo);
        impl->fisica.push_back(r);
        ++vivas;
    }
    impl->datos.resize(vivas * largo);
    impl->datos.shrink_to_fit();
    return std::unique_ptr<Tabla>(new Tabla(std::move(impl)));
}

std::unique_ptr<Tabla> Tabla::AbrirEn(const fs::path& directorio, std::string_view nombre,
                                      Acceso acceso) {
    return Abrir(RutaEn(directorio, nombre), acceso);
}

fs::path Tabla::RutaEn(const fs::path& directorio, std::string_view nombre) {
    std::string archivo(nombre);
    if (!fs::path(archivo).has_extension()) archivo += ".DBF";
    return plataforma::BuscarEnDirectorio(directorio, archivo);
}

const std::string& Tabla::Nombre() const { return impl_->nombre; }
const fs::path& Tabla::Archivo() const { return impl_->archivo; }
const std::vector<Campo>& Tabla::Campos() const { return impl_->camposPublicos; }
size_t Tabla::Filas() const { return impl_->Filas(); }

bool Tabla::TieneCampo(std::string_view campo) const {
    for (const dbf::CampoDbf& c : impl_->campos) {
        if (NombreCoincide(c.campo.nombre, campo)) return true;
    }
    return false;
}

Texto Tabla::LeerTexto(size_t fila, std::string_view campo) const {
    const dbf::CampoDbf& c = impl_->Buscar(campo);
    dbf::Hueco hueco;
    return Texto(impl_->Vista(impl_->Registro(fila), c, hueco));
}

long long Tabla::LeerEntero(size_t fila, std::string_view campo) const {
    const dbf::CampoDbf& c = impl_->Buscar(campo);
    dbf::Hueco hueco;
    const std::string_view valor = impl_->Vista(impl_->Registro(fila), c, hueco);
    // An unset number reads as 0; a blank text field holds no number.
    if (valor.empty() && impl_->EsNumero(c)) return 0;
    const auto numero = dbf::ParsearEntero(valor);
    if (!numero) impl_->NoEsValor(c, valor, "un número entero");
    return *numero;
}

double Tabla::LeerFlotante(size_t fila, std::string_view campo) const {
    const dbf::CampoDbf& c = impl_->Buscar(campo);
    dbf::Hueco hueco;
    const std::string_view valor = impl_->Vista(impl_->Registro(fila), c, hueco);
    if (valor.empty() && impl_->EsNumero(c)) return 0;
    const auto numero = dbf::ParsearFlotante(valor);
    if (!numero) impl_->NoEsValor(c, valor, "un número");
    return *numero;
}

std::optional<bool> Tabla::LeerLogico(size_t fila, std::string_view campo) const {
    const dbf::CampoDbf& c = impl_->Buscar(campo);
    dbf::Hueco hueco;
    const std::string_view valor = impl_->Vista(impl_->Registro(fila), c, hueco);
    const auto logico = dbf::ParsearLogico(valor);
    if (!logico) impl_->NoEsValor(c, valor, "un valor lógico (T o F)");
    return *logico;
}

size_t Tabla::Agregar() {
    Impl& t = *impl_;
    if (t.Filas() >= kSinPosicion) {
        throw ErrorPasaplan("La tabla " + t.nombre + " no admite más registros.");
    }
    t.datos.append(t.cabecera.longitudRegistro, ' ');
    t.fisica.push_back(kSinPosicion);
    // The indexes take the new row in at the next lookup, blank or written, posted or not.
    return t.Filas() - 1;
}

void Tabla::PonerTexto(size_t fila, std::string_view campo, std::string_view valor) {
    const dbf::CampoDbf& c = impl_->CampoEscribible(campo);
    impl_->Registro(fila);
    if (impl_->EsNumero(c)) {
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
    if (impl_->EsNumero(c)) {
        const auto bytes = dbf::FormatearEntero(valor, c.campo);
        if (!bytes) impl_->NoCabe(c, std::to_string(valor));
        impl_->Poner(fila, c, *bytes);
    } else if (c.tipo == 'L') {
        impl_->NoAdmite(c, "el número " + std::to_string(valor) + " (es un campo lógico)");
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
    if (impl_->EsNumero(c)) {
        const auto bytes = dbf::FormatearFlotante(valor, c.campo);
        if (!bytes) impl_->NoCabe(c, escrito());
        impl_->Poner(fila, c, *bytes);
    } else if (c.tipo == 'L') {
        impl_->NoAdmite(c, "el número " + escrito() + " (es un campo lógico)");
    } else {
        impl_->Poner(fila, c, escrito());
    }
}

void Tabla::PonerLogico(size_t fila, std::string_view campo, bool valor) {
    const dbf::CampoDbf& c = impl_->CampoEscribible(campo);
    impl_->Registro(fila);
    if (impl_->EsNumero(c)) {
        impl_->NoAdmite(
            c, std::string("el valor lógico ") + (valor ? "T" : "F") + " (es un campo numérico)");
    }
    impl_->Poner(fila, c, valor ? "T" : "F");
}

void Tabla::Grabar(size_t fila) {
    Impl& t = *impl_;
    const char* registro = t.Registro(fila);
    if (t.soloLectura) {
        throw ErrorPasaplan("No se puede escribir en la tabla " + t.nombre + " (" + t.Ruta() +
                            "): se abrió solo para lectura porque el archivo no admite "
                            "escritura.");
    }
    const size_t largo = t.cabecera.longitudRegistro;
    const bool nueva = t.fisica[fila] == kSinPosicion;
    if (nueva && t.cabecera.registros >= kSinPosicion) {
        throw ErrorPasaplan("La tabla " + t.nombre + " no admite más registros.");
    }
    const uint32_t numero = nueva ? t.cabecera.registros : t.fisica[fila];
    const uint64_t posicion = t.cabecera.longitudCabecera + numero * uint64_t{largo};
    // A new row goes after the last one with the end-of-file mark behind it; the count in the
    // header follows, so a failure in between leaves a sound file without the row.
    t.escritura.assign(registro, largo);
    if (nueva) t.escritura += dbf::kFinArchivo;
    if (!t.abierto.EscribirEn(t.escritura.data(), t.escritura.size(), posicion)) {
        t.ErrorEscritura();
    }
    const uint32_t registros = nueva ? numero + 1 : t.cabecera.registros;
    // Then the count, after today's date when the file holds another day's; a row written
    // again leaves a count that has not changed.
    const std::array<char, 3>& hoy = t.FechaHoy();
    const bool conFecha = hoy != t.fechaArchivo;
    if (nueva || conFecha) {
        auto cuenta = dbf::CodificarFechaYCuenta(dbf::Fecha{}, registros);
        std::copy(hoy.begin(), hoy.end(), cuenta.begin());
        const size_t desde = conFecha ? 0 : hoy.size();
        if (!t.abierto.EscribirEn(cuenta.data() + desde, cuenta.size() - desde, 1 + desde)) {
            t.ErrorEscritura();
        }
        t.fechaArchivo = hoy;
    }
    t.cabecera.registros = registros;
    t.fisica[fila] = numero;
}

std::optional<size_t> Tabla::Buscar(std::initializer_list<Condicion> condiciones) const {
    const Impl& t = *impl_;
    t.camposBuscados.clear();
    t.valoresBuscados.clear();
    bool indexable = true;
    for (const Condicion& c : condiciones) {
        const dbf::CampoDbf& campo = t.Buscar(c.first);
        indexable = indexable && Indexable(campo);
        t.camposBuscados.push_back(&campo);
        t.valoresBuscados.push_back(dbf::SinBlancosFinales(c.second));
    }
    if (indexable) {
        const dbf::IndiceTabla* indice = t.IndiceBuscado();
        if (indice == nullptr) return std::nullopt;
        const auto fila = indice->Primera(t.claveBuscada);
        if (!fila) return std::nullopt;
        return *fila;
    }
    dbf::Hueco hueco;
    const size_t largo = t.cabecera.longitudRegistro;
    for (size_t fila = 0; fila < t.Filas(); ++fila) {
        const char* registro = t.datos.data() + fila * largo;
        bool iguales = true;
        for (size_t i = 0; i < t.camposBuscados.size() && iguales; ++i) {
            iguales = t.Vista(registro, *t.camposBuscados[i], hueco) == t.valoresBuscados[i];
        }
        if (iguales) return fila;
    }
    return std::nullopt;
}

std::vector<size_t> Tabla::Filtrar(std::string_view campo, std::string_view valor) const {
    const Impl& t = *impl_;
    const dbf::CampoDbf& c = t.Buscar(campo);
    const std::string_view buscado = dbf::SinBlancosFinales(valor);
    std::vector<size_t> filas;
    if (Indexable(c)) {
        t.camposBuscados.assign(1, &c);
        t.valoresBuscados.assign(1, buscado);
        if (const dbf::IndiceTabla* indice = t.IndiceBuscado()) {
            indice->Filas(t.claveBuscada, filas);
        }
        return filas;
    }
    dbf::Hueco hueco;
    const size_t largo = t.cabecera.longitudRegistro;
    for (size_t fila = 0; fila < t.Filas(); ++fila) {
        if (t.Vista(t.datos.data() + fila * largo, c, hueco) == buscado) filas.push_back(fila);
    }
    return filas;
}

}  // namespace pasaplan
