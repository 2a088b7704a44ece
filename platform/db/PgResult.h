#pragma once

#include <memory>
#include <string_view>

struct pg_result;

namespace db {

// Owns one libpq result; freed when it goes out of scope.
class PgResult {
public:
    PgResult() = default;
    explicit PgResult(pg_result* res) : res_(res) {}

    pg_result* get() const { return res_.get(); }
    explicit operator bool() const { return res_ != nullptr; }

    int rows() const;
    int columns() const;
    std::string_view columnName(int col) const;
    unsigned columnType(int col) const;
    int columnModifier(int col) const;
    unsigned columnTable(int col) const;
    bool isNull(int row, int col) const;
    std::string_view text(int row, int col) const;
    // Number of rows an INSERT, UPDATE or DELETE touched.
    long affectedRows() const;

private:
    struct Deleter {
        void operator()(pg_result* res) const;
    };
    std::unique_ptr<pg_result, Deleter> res_;
};

} // namespace db
