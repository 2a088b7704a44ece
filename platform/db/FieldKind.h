#pragma once

#include <string>
#include <string_view>

namespace db {

// The kinds a declared field can have. A text field with a length is a
// WideString; text without a length limit is a WideMemo.
enum class FieldKind { WideString, WideMemo, Boolean, Integer, Float, Date, DateTime, LargeInt };

std::string_view kindName(FieldKind kind);

// The kind a result column delivers, from its type OID and type modifier;
// "Unknown" kinds are reported by name only.
struct ColumnKind {
    bool known = false;
    FieldKind kind = FieldKind::WideMemo;
    std::string name; // kind name, or the server's type name when unknown
};
ColumnKind columnKind(unsigned typeOid, int typeModifier);

// Whether a declared field of kind `field` accepts a column of kind `column`.
bool isCompatible(FieldKind field, FieldKind column);

bool isTextKind(FieldKind kind);

} // namespace db
