#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <vector>

namespace storage {

// A parsed JSON value. Objects keep their members in the order of the text
// (the storage format gives member order a meaning), and every value knows the
// byte offset where it starts, so errors about its content can say where.
struct JsonValue {
    enum class Kind { Null, False, True, Number, String, Array, Object };

    Kind kind = Kind::Null;
    QString text;                 // String: the decoded text; Number: the literal as written
    std::vector<JsonValue> items; // Array: the elements; Object: the member values
    std::vector<QString> names;   // Object: the member names, parallel to items
    std::size_t offset = 0;

    bool isObject() const { return kind == Kind::Object; }
    bool isArray() const { return kind == Kind::Array; }
    bool isString() const { return kind == Kind::String; }
    bool isNumber() const { return kind == Kind::Number; }

    // The first member of that name, nullptr when absent or when this is no object.
    const JsonValue* member(QStringView name) const;
};

// "object", "array", "string", ... for messages.
const char* kindName(JsonValue::Kind kind);

} // namespace storage
