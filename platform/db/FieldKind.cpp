#include "FieldKind.h"

namespace db {

namespace {
// Type OIDs fixed in the server's catalogue (pg_type.dat).
enum : unsigned {
    kBool = 16, kBytea = 17, kChar = 18, kName = 19, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25,
    kOid = 26, kJson = 114, kXml = 142, kFloat4 = 700, kFloat8 = 701, kBpchar = 1042, kVarchar = 1043,
    kDate = 1082, kTimestamp = 1114, kTimestampTz = 1184, kNumeric = 1700, kUuid = 2950, kJsonb = 3802
};
} // namespace

std::string_view kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::WideString: return "WideString";
    case FieldKind::WideMemo: return "WideMemo";
    case FieldKind::Boolean: return "Boolean";
    case FieldKind::Integer: return "Integer";
    case FieldKind::Float: return "Float";
    case FieldKind::Date: return "Date";
    case FieldKind::DateTime: return "DateTime";
    case FieldKind::LargeInt: return "LargeInt";
    }
    return "Unknown";
}

ColumnKind columnKind(unsigned typeOid, int typeModifier)
{
    auto known = [](FieldKind k) { return ColumnKind{true, k, std::string(kindName(k))}; };
    switch (typeOid) {
    case kVarchar:
    case kBpchar:
        // The modifier of a character type is its length plus 4; -1 means no length.
        return known(typeModifier >= 4 ? FieldKind::WideString : FieldKind::WideMemo);
    case kName:
    case kChar:
        return known(FieldKind::WideString);
    case kText:
    case kJson:
    case kJsonb:
    case kXml:
    case kUuid:
        return known(FieldKind::WideMemo);
    case kBool: return known(FieldKind::Boolean);
    case kInt2:
    case kInt4: return known(FieldKind::Integer);
    case kInt8:
    case kOid: return known(FieldKind::LargeInt);
    case kFloat4:
    case kFloat8:
    case kNumeric: return known(FieldKind::Float);
    case kDate: return known(FieldKind::Date);
    case kTimestamp:
    case kTimestampTz: return known(FieldKind::DateTime);
    case kBytea: return ColumnKind{false, FieldKind::WideMemo, "Blob"};
    default: return ColumnKind{false, FieldKind::WideMemo, "Unknown"};
    }
}

bool isCompatible(FieldKind field, FieldKind column)
{
    switch (field) {
    case FieldKind::Date:
    case FieldKind::DateTime:
        return column == FieldKind::Date || column == FieldKind::DateTime;
    default:
        return field == column;
    }
}

bool isTextKind(FieldKind kind) { return kind == FieldKind::WideString || kind == FieldKind::WideMemo; }

} // namespace db
