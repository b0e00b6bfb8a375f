#pragma once
// An in-memory index of a loaded table over one or more fields: the rows grouped by the values
// of those fields, each group in stored order. Locate and filter give exactly what a scan from
// the first row gives; the table keeps every index in step as rows are appended and edited,
// so a lookup made while a step appends sees the rows appended so far (posted or not).
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "exchange/CodecDbf.h"

namespace pasaplan::dbf {

class IndiceTabla {
  public:
    // campos: in the order of the values a lookup gives; none may be an unreadable binary kind.
    explicit IndiceTabla(std::vector<const CampoDbf*> campos);

    const std::vector<const CampoDbf*>& Campos() const { return campos_; }
    bool Usa(const CampoDbf& campo) const;

    // The key of a stored record: each field's value as the table reads it (trailing pad
    // dropped). Several fields are joined length-first, so no two value lists share a key.
    void ClaveDe(const char* registro, std::string& clave) const;
    // The key a lookup for these values (trailing blanks already dropped) compares with;
    // false when no stored value can be that long, so nothing can match.
    bool ClaveBuscada(const std::vector<std::string_view>& valores, std::string& clave) const;

    // Adds or removes row fila under the key clave, keeping each group in ascending order.
    void Anadir(std::string_view clave, uint32_t fila);
    void Quitar(std::string_view clave, uint32_t fila);

    // The rows under clave in stored order; null when there are none.
    const std::vector<uint32_t>* Filas(std::string_view clave) const;

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::vector<const CampoDbf*> campos_;
    std::unordered_map<std::string, std::vector<uint32_t>, Hash, std::equal_to<>> grupos_;
};

}  // namespace pasaplan::dbf
