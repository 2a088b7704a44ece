#pragma once

#include <QLocale>

#include <cstdint>
#include <string_view>
#include <vector>

namespace grid {

// Ranks distinct texts by the collation of a locale: the result holds, for
// each text, its position in collation order. Texts that the collation calls
// equal are told apart by their bytes, so every rank is unique and a grid
// grouped by the ranks never mixes two different texts in one group.
// Large sets are collated on two threads, each with a collator of its own.
std::vector<std::uint32_t> collationRanks(const std::vector<std::string_view>& texts, const QLocale& locale);

} // namespace grid
