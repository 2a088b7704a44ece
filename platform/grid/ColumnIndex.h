#pragma once

#include "CellValue.h"

#include <QLocale>

#include <cstdint>
#include <vector>

namespace grid {

// The distinct values of one field: an id per dataset row (0 for null, 1..n for
// values), a row that holds each value, and on demand the values' rank in sort
// order. Filters test each distinct value once and rows by id; sorting and
// grouping work on the integer ranks, so a million rows never compare texts.
class ColumnIndex {
public:
    ColumnIndex(const db::RowStore& rows, int field, db::FieldKind kind);

    int field() const { return field_; }
    std::uint32_t id(int row) const { return ids_[static_cast<std::size_t>(row)]; }
    // Number of ids, the null id included.
    std::uint32_t idCount() const { return static_cast<std::uint32_t>(firstRow_.size()); }
    // A dataset row holding the id's value; -1 for the null id when no row is null.
    int rowOf(std::uint32_t id) const { return firstRow_[id]; }
    CellValue value(const db::RowStore& rows, std::uint32_t id) const;

    // Rank of each id in ascending order: null first (rank 0), then the values,
    // numbers and dates by value, text by the locale's collation. Unique per id.
    const std::vector<std::uint32_t>& ranks(const db::RowStore& rows, const QLocale& collationLocale);

    std::size_t bytesUsed() const;

private:
    void buildText(const db::RowStore& rows);
    // Beyond this many distinct numbers, sorting the rows beats hashing.
    static constexpr std::size_t hashedDistinctLimit = 65'536;

    template <class KeyOf> void buildKeyed(const db::RowStore& rows, KeyOf keyOf);
    template <class KeyOf> void buildSorted(const db::RowStore& rows, KeyOf keyOf);
    static std::vector<std::uint32_t> rankByKeys(const std::vector<std::uint64_t>& keys);

    int field_;
    db::FieldKind kind_;
    std::vector<std::uint32_t> ids_;
    std::vector<std::int32_t> firstRow_;
    std::vector<std::uint32_t> ranks_;
};

} // namespace grid
