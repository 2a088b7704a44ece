#pragma once

#include "JsonValue.h"

#include <QByteArrayView>

#include <cstddef>

namespace storage {

// Parses one JSON text (RFC 8259) from UTF-8 bytes, starting at `start` (past a
// byte-order mark, say); offsets in values and errors count from the start of
// `bytes`. Whitespace and line breaks between tokens are free; anything else
// that is not JSON raises StorageError "invalid JSON at byte N: ...".
//
// Strings are decoded to UTF-16. Escaped surrogates that do not form a pair
// become U+FFFD, and a character with code 0 ends the string's text (the rest
// up to the closing quote is checked but dropped), the same rules the writer
// follows, so what is read is what the writer would have written.
JsonValue parseJson(QByteArrayView bytes, std::size_t start = 0);

} // namespace storage
