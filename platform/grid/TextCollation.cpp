#include "TextCollation.h"

#include <QCollator>
#include <QString>

#include <algorithm>
#include <numeric>
#include <thread>

namespace grid {

namespace {

// Below this many texts a second thread costs more than it saves.
constexpr std::size_t parallelThreshold = 20'000;

void makeKeys(const std::vector<std::string_view>& texts, const QLocale& locale, std::size_t begin, std::size_t end,
              std::vector<QCollatorSortKey>& keys)
{
    QCollator collator(locale);
    for (std::size_t i = begin; i < end; ++i) {
        const std::string_view s = texts[i];
        keys[i] = collator.sortKey(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    }
}

} // namespace

std::vector<std::uint32_t> collationRanks(const std::vector<std::string_view>& texts, const QLocale& locale)
{
    const std::size_t n = texts.size();
    // QCollatorSortKey has no default constructor; fill with a placeholder key.
    const QCollatorSortKey placeholder = QCollator(locale).sortKey(QString());
    std::vector<QCollatorSortKey> keys(n, placeholder);
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    auto less = [&](std::uint32_t a, std::uint32_t b) {
        const int c = keys[a].compare(keys[b]);
        return c != 0 ? c < 0 : texts[a] < texts[b];
    };

    if (n < parallelThreshold) {
        makeKeys(texts, locale, 0, n, keys);
        std::sort(order.begin(), order.end(), less);
    } else {
        const std::size_t half = n / 2;
        std::thread helper([&] {
            makeKeys(texts, locale, half, n, keys);
            std::sort(order.begin() + static_cast<std::ptrdiff_t>(half), order.end(), less);
        });
        makeKeys(texts, locale, 0, half, keys);
        std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(half), less);
        helper.join();
        std::inplace_merge(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(half), order.end(), less);
    }

    std::vector<std::uint32_t> rank(n);
    for (std::size_t pos = 0; pos < n; ++pos)
        rank[order[pos]] = static_cast<std::uint32_t>(pos);
    return rank;
}

} // namespace grid
