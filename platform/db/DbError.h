#pragma once

#include <stdexcept>
#include <string>

namespace db {

// An error raised by libpq, by the server or by the dataset layer. The message
// is shown to the operator as it stands, so it carries the server's own words.
class DbError : public std::runtime_error {
public:
    explicit DbError(const std::string& message, std::string sqlState = {})
        : std::runtime_error(message), sqlState_(std::move(sqlState)) {}

    // Five-character SQLSTATE of a server error, empty for client-side errors.
    const std::string& sqlState() const noexcept { return sqlState_; }

private:
    std::string sqlState_;
};

} // namespace db
