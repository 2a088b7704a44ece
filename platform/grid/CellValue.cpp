#include "CellValue.h"

namespace grid {

CellValue readCell(const db::RowStore& rows, int row, int field, db::FieldKind kind)
{
    if (rows.isNull(row, field))
        return {};
    switch (kind) {
    case db::FieldKind::WideString:
    case db::FieldKind::WideMemo: return rows.text(row, field);
    case db::FieldKind::Boolean: return rows.boolean(row, field);
    case db::FieldKind::Integer:
    case db::FieldKind::LargeInt: return rows.integer(row, field);
    case db::FieldKind::Float: return rows.number(row, field);
    case db::FieldKind::Date: return rows.date(row, field);
    case db::FieldKind::DateTime: return rows.dateTime(row, field);
    }
    return {};
}

db::Value toValue(const CellValue& v)
{
    struct Visitor {
        db::Value operator()(std::monostate) const { return {}; }
        db::Value operator()(bool b) const { return b; }
        db::Value operator()(std::int64_t i) const { return i; }
        db::Value operator()(double d) const { return d; }
        db::Value operator()(db::Date d) const { return d; }
        db::Value operator()(db::DateTime t) const { return t; }
        db::Value operator()(std::string_view s) const { return std::string(s); }
    };
    return std::visit(Visitor{}, v);
}

} // namespace grid
