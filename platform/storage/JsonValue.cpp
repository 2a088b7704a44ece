#include "JsonValue.h"

namespace storage {

const JsonValue* JsonValue::member(QStringView name) const
{
    if (kind != Kind::Object)
        return nullptr;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return &items[i];
    return nullptr;
}

const char* kindName(JsonValue::Kind kind)
{
    switch (kind) {
    case JsonValue::Kind::Null: return "null";
    case JsonValue::Kind::False:
    case JsonValue::Kind::True: return "boolean";
    case JsonValue::Kind::Number: return "number";
    case JsonValue::Kind::String: return "string";
    case JsonValue::Kind::Array: return "array";
    case JsonValue::Kind::Object: return "object";
    }
    return "value";
}

} // namespace storage
