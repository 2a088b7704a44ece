#pragma once

#include <stdexcept>
#include <string>

namespace storage {

// An error of the in-memory table or of its storage file. The message (UTF-8)
// is shown to the operator as it stands, so it says what went wrong and where.
class StorageError : public std::runtime_error {
public:
    explicit StorageError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace storage
