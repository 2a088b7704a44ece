#include "ColumnIndex.h"

#include "TextCollation.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>

namespace grid {

namespace {

std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return x;
}

// A key whose unsigned order is the value order: doubles by their bits with
// the sign folded in, integers with the sign bit flipped.
std::uint64_t orderedKey(double d)
{
    if (d == 0)
        d = 0.0; // -0 and +0 are one value
    const auto bits = std::bit_cast<std::uint64_t>(d);
    return (bits & 0x8000'0000'0000'0000ULL) ? ~bits : bits | 0x8000'0000'0000'0000ULL;
}

std::uint64_t orderedKey(std::int64_t i) { return static_cast<std::uint64_t>(i) ^ 0x8000'0000'0000'0000ULL; }

// Open addressing from a hash to an id (0 marks a free slot); the caller
// decides equality, so the same table serves texts and numbers.
class IdTable {
public:
    IdTable() : slots_(1024, 0), mask_(1023) {}

    template <class Equal> std::uint32_t find(std::uint64_t hash, Equal equal) const
    {
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const std::uint32_t id = slots_[i];
            if (id == 0 || (hashes_[id] == hash && equal(id)))
                return id;
        }
    }

    std::uint32_t insert(std::uint64_t hash)
    {
        const auto id = static_cast<std::uint32_t>(hashes_.size());
        hashes_.push_back(hash);
        if ((hashes_.size() - 1) * 2 > slots_.size())
            grow();
        else
            place(id);
        return id;
    }

private:
    void place(std::uint32_t id)
    {
        std::size_t i = hashes_[id] & mask_;
        while (slots_[i] != 0)
            i = (i + 1) & mask_;
        slots_[i] = id;
    }
    void grow()
    {
        slots_.assign(slots_.size() * 2, 0);
        mask_ = slots_.size() - 1;
        for (std::uint32_t id = 1; id < hashes_.size(); ++id)
            place(id);
    }

    std::vector<std::uint32_t> slots_;
    std::size_t mask_;
    std::vector<std::uint64_t> hashes_{0}; // index 0 is the null id, never in a slot
};

} // namespace

ColumnIndex::ColumnIndex(const db::RowStore& rows, int field, db::FieldKind kind) : field_(field), kind_(kind)
{
    ids_.resize(static_cast<std::size_t>(rows.rowCount()));
    firstRow_.push_back(-1);
    switch (kind) {
    case db::FieldKind::WideString:
    case db::FieldKind::WideMemo: buildText(rows); break;
    case db::FieldKind::Float:
        buildKeyed(rows, [&](int row) { return orderedKey(rows.number(row, field)); });
        break;
    default:
        // Boolean, integers, dates and date-times are all stored as int64.
        buildKeyed(rows, [&](int row) { return orderedKey(rows.integer(row, field)); });
        break;
    }
}

void ColumnIndex::buildText(const db::RowStore& rows)
{
    IdTable table;
    const std::hash<std::string_view> hasher;
    const int n = static_cast<int>(ids_.size());
    for (int row = 0; row < n; ++row) {
        if (rows.isNull(row, field_)) {
            ids_[static_cast<std::size_t>(row)] = 0;
            if (firstRow_[0] < 0)
                firstRow_[0] = row;
            continue;
        }
        const std::string_view s = rows.text(row, field_);
        const std::uint64_t h = hasher(s);
        std::uint32_t id = table.find(h, [&](std::uint32_t cand) { return rows.text(firstRow_[cand], field_) == s; });
        if (id == 0) {
            id = table.insert(h);
            firstRow_.push_back(row);
        }
        ids_[static_cast<std::size_t>(row)] = id;
    }
}

template <class KeyOf> void ColumnIndex::buildKeyed(const db::RowStore& rows, KeyOf keyOf)
{
    IdTable table;
    std::vector<std::uint64_t> keys{0};
    const int n = static_cast<int>(ids_.size());
    for (int row = 0; row < n; ++row) {
        if (rows.isNull(row, field_)) {
            ids_[static_cast<std::size_t>(row)] = 0;
            if (firstRow_[0] < 0)
                firstRow_[0] = row;
            continue;
        }
        const std::uint64_t key = keyOf(row);
        const std::uint64_t h = mix(key);
        std::uint32_t id = table.find(h, [&](std::uint32_t cand) { return keys[cand] == key; });
        if (id == 0) {
            if (keys.size() > hashedDistinctLimit) {
                // Mostly distinct values (amounts, balances): one sort of the
                // rows by value is cheaper than a large hash table plus a sort
                // of its keys.
                buildSorted(rows, keyOf);
                return;
            }
            id = table.insert(h);
            keys.push_back(key);
            firstRow_.push_back(row);
        }
        ids_[static_cast<std::size_t>(row)] = id;
    }
    // The ordered keys give the ranks at once; no collation needed.
    ranks_ = rankByKeys(keys);
}

template <class KeyOf> void ColumnIndex::buildSorted(const db::RowStore& rows, KeyOf keyOf)
{
    struct Entry {
        std::uint64_t key;
        std::int32_t row;
    };
    std::vector<Entry> entries;
    entries.reserve(ids_.size());
    firstRow_.assign(1, -1);
    const int n = static_cast<int>(ids_.size());
    for (int row = 0; row < n; ++row) {
        if (rows.isNull(row, field_)) {
            ids_[static_cast<std::size_t>(row)] = 0;
            if (firstRow_[0] < 0)
                firstRow_[0] = row;
        } else {
            entries.push_back(Entry{keyOf(row), row});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.key != b.key ? a.key < b.key : a.row < b.row; });
    // Ids follow value order here, so each id is its own rank.
    std::uint32_t id = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || entries[i].key != entries[i - 1].key) {
            ++id;
            firstRow_.push_back(entries[i].row);
        }
        ids_[static_cast<std::size_t>(entries[i].row)] = id;
    }
    ranks_.resize(firstRow_.size());
    std::iota(ranks_.begin(), ranks_.end(), 0u);
}

std::vector<std::uint32_t> ColumnIndex::rankByKeys(const std::vector<std::uint64_t>& keys)
{
    std::vector<std::uint32_t> order(keys.size() - 1);
    std::iota(order.begin(), order.end(), 1u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    std::vector<std::uint32_t> ranks(keys.size(), 0);
    for (std::size_t pos = 0; pos < order.size(); ++pos)
        ranks[order[pos]] = static_cast<std::uint32_t>(pos + 1);
    return ranks;
}

CellValue ColumnIndex::value(const db::RowStore& rows, std::uint32_t id) const
{
    const int row = firstRow_[id];
    if (id == 0 || row < 0)
        return {};
    return readCell(rows, row, field_, kind_);
}

const std::vector<std::uint32_t>& ColumnIndex::ranks(const db::RowStore& rows, const QLocale& collationLocale)
{
    if (ranks_.empty()) {
        std::vector<std::string_view> texts;
        texts.reserve(firstRow_.size() - 1);
        for (std::size_t id = 1; id < firstRow_.size(); ++id)
            texts.push_back(rows.text(firstRow_[id], field_));
        const std::vector<std::uint32_t> collated = collationRanks(texts, collationLocale);
        ranks_.assign(firstRow_.size(), 0);
        for (std::size_t i = 0; i < collated.size(); ++i)
            ranks_[i + 1] = collated[i] + 1;
    }
    return ranks_;
}

std::size_t ColumnIndex::bytesUsed() const
{
    return sizeof(*this) + ids_.capacity() * sizeof(std::uint32_t) + firstRow_.capacity() * sizeof(std::int32_t)
        + ranks_.capacity() * sizeof(std::uint32_t);
}

} // namespace grid
