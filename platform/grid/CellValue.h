#pragma once

#include "db/Dataset.h"
#include "db/Values.h"

#include <cstdint>
#include <string_view>
#include <variant>

namespace grid {

// A typed cell value read straight from the dataset's storage. Text is a view
// into the dataset, so reading a cell allocates nothing; it stays valid until
// the dataset's rows change.
using CellValue = std::variant<std::monostate, bool, std::int64_t, double, db::Date, db::DateTime, std::string_view>;

inline bool isNull(const CellValue& v) { return std::holds_alternative<std::monostate>(v); }

// Null, or a text of zero characters: what the value filter calls "(Blanks)".
inline bool isBlank(const CellValue& v)
{
    if (isNull(v))
        return true;
    const auto* s = std::get_if<std::string_view>(&v);
    return s && s->empty();
}

CellValue readCell(const db::RowStore& rows, int row, int field, db::FieldKind kind);

// An owning copy, for keeping a value beyond the dataset's next change.
db::Value toValue(const CellValue& v);

} // namespace grid
