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

    // Before one of the index's fields of row fila changes: registro is the row as it stands.
    void AntesDeEscribir(size_t fila, const char* registro);
    // Indexes what changed since the last call: the rows written to and every row from the
    // last count up to filas. datos holds the rows, each largo bytes long.
    void PonerAlDia(const char* datos, size_t largo, size_t filas);

    // The rows whose fields hold these values (trailing blanks already dropped), in stored
    // order; null when there are none.
    const std::vector<uint32_t>* Filas(const std::vector<std::string_view>& valores) const;

  private:
    // Each field's value as the table reads it (trailing pad dropped). Several fields are
    // joined length-first, so that no two lists of values share a key.
    std::string ClaveDe(const char* registro) const;
    void Quitar(const std::string& clave, uint32_t fila);

    std::vector<const CampoDbf*> campos_;
    std::unordered_map<std::string, std::vector<uint32_t>> grupos_;
    size_t indexadas_ = 0;         // rows 0 .. indexadas_-1 have been indexed
    std::vector<bool> pendiente_;  // of those, taken out for a write and not yet put back
    std::vector<uint32_t> pendientes_;
};

}  // namespace pasaplan::dbf
