#include "exchange/Tabla.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "exchange/TablaAbierta.h"
#include "platform/Rutas.h"

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

// Posted rows are written once this many bytes of them are held.
constexpr size_t kBloque = 256 * 1024;

// Every table object open in this process, for VolcarTodas and for a second opening of a file.
std::mutex& CerrojoAbiertas() {
    static std::mutex cerrojo;
    return cerrojo;
}
std::vector<Tabla*>& Abiertas() {
    static std::vector<Tabla*> abiertas;
    return abiertas;
}

}  // namespace

void Tabla::Impl::ErrorEscritura() const {
    throw ErrorPasaplan("No se pudo escribir en la tabla " + nombre + " (" + Ruta() +
                        "): " + abierto.Motivo() + ".");
}

void Tabla::Impl::EscribirCabecera() {
    auto cuenta = dbf::CodificarFechaYCuenta(Hoy(), cabecera.registros);
    if (!abierto.EscribirEn(cuenta.data(), cuenta.size(), 1)) ErrorEscritura();
    std::copy_n(cuenta.begin(), fechaArchivo.size(), fechaArchivo.begin());
}

void Tabla::Impl::Volcar() {
    if (bloque.empty()) return;
    const uint64_t posicion = cabecera.longitudCabecera + uint64_t{cabecera.registros} * Largo();
    // The rows with the end-of-file mark behind them, then the count: a failure in between
    // leaves a sound file without the rows.
    bloque += dbf::kFinArchivo;
    const bool escrito = abierto.EscribirEn(bloque.data(), bloque.size(), posicion);
    bloque.pop_back();
    if (!escrito) ErrorEscritura();
    cabecera.registros += static_cast<uint32_t>(bloque.size() / Largo());
    bloque.clear();
    EscribirCabecera();
}

Tabla::Tabla(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
    const std::lock_guard<std::mutex> cerrojo(CerrojoAbiertas());
    Abiertas().push_back(this);
}

Tabla::~Tabla() {
    {
        const std::lock_guard<std::mutex> cerrojo(CerrojoAbiertas());
        auto& abiertas = Abiertas();
        abiertas.erase(std::find(abiertas.begin(), abiertas.end(), this));
    }
    try {
        impl_->Volcar();
    } catch (const std::exception&) {
        // Nobody is left to tell: callers that must know call Volcar before closing.
    }
}

void Tabla::Crear(const fs::path& archivo, const std::vector<Campo>& campos) {
    const Utf8 nombre = Utf8DeRuta(archivo.stem());
    const Utf8 titulo = "la tabla " + nombre + " (" + Utf8DeRuta(archivo) + ")";
    std::vector<dbf::CampoDbf> preparados;
    try {
        preparados = dbf::PrepararCampos(campos);
    } catch (const dbf::FormatoDbfInvalido& e) {
        throw ErrorPasaplan("No se puede crear " + titulo + ": " + Utf8::DeBytes(e.what()));
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
    const std::optional<plataforma::IdentidadArchivo> identidad = abierto.Identidad();
    if (!identidad) {
        throw ErrorPasaplan("No se puede abrir " + titulo + ": " + abierto.Motivo() + ".");
    }
    impl->identidad = *identidad;
    // Another table object of ours on this file writes what it holds before we read.
    {
        const std::lock_guard<std::mutex> cerrojo(CerrojoAbiertas());
        for (Tabla* otra : Abiertas()) {
            if (otra->impl_->identidad == *identidad) otra->impl_->Volcar();
        }
    }

    // Sizes are taken once the file is held and the other objects have written, so nothing
    // changes them under us.
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
                        Utf8::Numero(tamano) + " bytes y la cabecera dice medir " +
                        Utf8::Numero(c.longitudCabecera) + ").");
        }
        std::string cabecera(c.longitudCabecera, '\0');
        leer(cabecera.data(), cabecera.size(), 0);
        impl->campos = dbf::LeerDescriptores(cabecera, c);
        const uint64_t caben = (tamano - c.longitudCabecera) / c.longitudRegistro;
        if (caben < c.registros) {
            throw fallo("está dañada: la cabecera dice que tiene " + Utf8::Numero(c.registros) +
                        " registros, pero el archivo solo tiene sitio para " + Utf8::Numero(caben) +
                        ".");
        }
    } catch (const dbf::FormatoDbfInvalido& e) {
        throw fallo(Utf8::DeBytes(e.what()));
    }
    for (const dbf::CampoDbf& c : impl->campos) {
        for (const Campo& anterior : impl->camposPublicos) {
            if (IgualesSinMayusculas(anterior.nombre, c.campo.nombre)) {
                impl->nombresDistintos = false;
            }
        }
        impl->camposPublicos.push_back(c.campo);
    }

    // Read every record, then keep the live ones in place.
    const size_t largo = impl->cabecera.longitudRegistro;
    impl->datos.resize(static_cast<size_t>(impl->cabecera.registros) * largo);
    leer(impl->datos.data(), impl->datos.size(), uint64_t{impl->cabecera.longitudCabecera});
    impl->fisica.reserve(impl->cabecera.registros);
    size_t vivas = 0;
    for (uint32_t r = 0; r < impl->cabecera.registros; ++r) {
        const char* registro = impl->datos.data() + r * largo;
        if (registro[0] == dbf::kMarcaBorrada) continue;
        if (registro[0] != dbf::kMarcaViva) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(registro[0]));
            throw fallo("está dañada: el registro " + Utf8::Numero(r + 1) +
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

std::unique_ptr<Tabla> Tabla::AbrirEn(const fs::path& directorio, const Utf8& nombre,
                                      Acceso acceso) {
    return Abrir(RutaEn(directorio, nombre), acceso);
}

fs::path Tabla::RutaEn(const fs::path& directorio, const Utf8& nombre) {
    Utf8 archivo = nombre;
    if (!plataforma::RutaDeUtf8(archivo).has_extension()) archivo += ".DBF";
    return plataforma::BuscarEnDirectorio(directorio, archivo);
}

bool Tabla::RetenidaPorOtro(const fs::path& archivo) {
    return plataforma::RetenidaPorOtro(archivo);
}

const Utf8& Tabla::Nombre() const { return impl_->nombre; }
const fs::path& Tabla::Archivo() const { return impl_->archivo; }
const std::vector<Campo>& Tabla::Campos() const { return impl_->camposPublicos; }
size_t Tabla::Filas() const { return impl_->Filas(); }

size_t Tabla::Agregar() {
    Impl& t = *impl_;
    if (t.Filas() >= kSinPosicion) {
        throw ErrorPasaplan("La tabla " + t.nombre + " no admite más registros.");
    }
    t.datos.append(t.Largo(), ' ');
    t.fisica.push_back(kSinPosicion);
    // The indexes take the new row in at the next lookup, blank or written, posted or not.
    return t.Filas() - 1;
}

void Tabla::Grabar(size_t fila) {
    Impl& t = *impl_;
    const char* registro = t.Registro(fila);
    if (t.soloLectura) {
        throw ErrorPasaplan("No se puede escribir en la tabla " + t.nombre + " (" + t.Ruta() +
                            "): se abrió solo para lectura porque el archivo no admite "
                            "escritura.");
    }
    const size_t largo = t.Largo();
    const uint64_t enBloque = t.bloque.size() / largo;
    if (t.fisica[fila] == kSinPosicion) {
        if (t.cabecera.registros + enBloque >= kSinPosicion) {
            throw ErrorPasaplan("La tabla " + t.nombre + " no admite más registros.");
        }
        t.fisica[fila] = static_cast<uint32_t>(t.cabecera.registros + enBloque);
        t.bloque.append(registro, largo);
        if (t.bloque.size() >= kBloque) t.Volcar();
        return;
    }
    const uint32_t numero = t.fisica[fila];
    if (numero >= t.cabecera.registros) {  // posted again before its block was written
        std::memcpy(t.bloque.data() + (numero - t.cabecera.registros) * largo, registro, largo);
        return;
    }
    // A row already in the file goes back in its place at once, and the header takes today's
    // date if it holds another day's.
    const uint64_t posicion = t.cabecera.longitudCabecera + numero * uint64_t{largo};
    if (!t.abierto.EscribirEn(registro, largo, posicion)) t.ErrorEscritura();
    const auto hoy = dbf::CodificarFechaYCuenta(Hoy(), 0);
    if (!std::equal(t.fechaArchivo.begin(), t.fechaArchivo.end(), hoy.begin())) {
        t.EscribirCabecera();
    }
}

void Tabla::Volcar() { impl_->Volcar(); }

void Tabla::VolcarTodas() {
    const std::lock_guard<std::mutex> cerrojo(CerrojoAbiertas());
    for (Tabla* tabla : Abiertas()) tabla->impl_->Volcar();
}

}  // namespace pasaplan
