#pragma once

#include <QString>

namespace login {

// The value compared with operator_parola: for a company whose directory row
// says exactly "HashSHA2", the SHA-256 digest of the password's UTF-8 bytes as
// 64 lower-case hexadecimal digits; for any other company the password as typed.
QString passwordValue(const QString& password, const QString& pwHashType);

// SHA-256 of the UTF-8 bytes, lower-case hexadecimal.
QString sha256Hex(const QString& text);

} // namespace login
