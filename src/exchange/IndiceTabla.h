#pragma once
// An in-memory index of a loaded table over one or more fields: the rows grouped by the values
// of those fields, each group in stored order. Locate and filter give exactly what a scan from
// the first row gives. The table tells the index before every write to one of its fields, and
// brings it up to date before every lookup: rows appended or edited since the last lookup are
// (re)indexed then, so a lookup made while a step appends sees every row appended so far,
// posted or not, and a row written field by field is indexed once.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/CodecDbf.h"

namespace pasaplan::dbf {

class IndiceTabla {
  public:
    // campos: in the order of the values a lookup gives; none may be an unreadable binary kind.
    explicit IndiceTabla(std::vector<const CampoDbf*> campos);

    const std::vector<const CampoDbf*>& Campos() const { return campos_; }
    bool Usa(const CampoDbf& campo) const;

    // Before one of the index's fields of row fila changes: registro is the row as it stands.
    void AntesDeEscribir(size_t fila, const char* registro);
    // Indexes what changed since the last call: the rows written to and every row from the
    // last count up to filas. datos holds the rows, each largo bytes long.
    void PonerAlDia(const char* datos, size_t largo, size_t filas);

    // The key a lookup for these values (trailing blanks already dropped) compares with;
    // false when no stored value can be that long, so nothing can match.
    bool ClaveBuscada(const std::vector<std::string_view>& valores, std::string& clave) const;
    // The first row under clave in stored order, if any.
    std::optional<uint32_t> Primera(std::string_view clave) const;
    // Appends to filas every row under clave, in stored order.
    void Filas(std::string_view clave, std::vector<size_t>& filas) const;

  private:
    // Each field's value as the table reads it (trailing pad dropped). Several fields are
    // joined length-first, so that no two lists of values share a key.
    void ClaveDe(const char* registro, std::string& clave) const;
    void Anadir(std::string_view clave, uint32_t fila);
    void Quitar(std::string_view clave, uint32_t fila);

    static constexpr uint32_t kNinguna = UINT32_MAX;
    // The rows of one key in stored order: the first, then the list resto (most keys have a
    // single row, which needs no list). A key whose rows were all edited away stays, empty.
    struct Grupo {
        size_t hash;
        size_t desde;  // the key is claves_[desde, desde + largo)
        uint32_t largo;
        uint32_t primera = kNinguna;
        uint32_t resto = kNinguna;  // position in restos_
    };
    // The slot of the group of clave (hash being its hash), or the empty slot where it would
    // go; the table must have slots.
    size_t Ranura(std::string_view clave, size_t hash) const;
    // The group of clave, or null.
    const Grupo* Buscado(std::string_view clave) const;
    // The group of clave, a new empty one when there is none.
    Grupo& GrupoPara(std::string_view clave);
    void Redistribuir(size_t ranuras);

    std::vector<const CampoDbf*> campos_;
    // An open-addressing table of the groups, without an allocation per key: the index of a
    // large table takes a row in for every row appended.
    std::string claves_;
    std::vector<Grupo> grupos_;
    std::vector<uint32_t> ranuras_;  // 0 empty, else 1 + position in grupos_; a power of two
    std::vector<std::vector<uint32_t>> restos_;
    size_t indexadas_ = 0;         // rows 0 .. indexadas_-1 have been indexed
    std::vector<bool> pendiente_;  // of those, taken out for a write and not yet put back
    std::vector<uint32_t> pendientes_;
    std::string clave_;
};

}  // namespace pasaplan::dbf
