#include "ledger/PeriodRule.h"

#include <gtest/gtest.h>

namespace {

TEST(PeriodRule, MonthEdgesFollowTheGregorianCalendar)
{
    struct Case { QDate date, first, last; };
    for (const Case& c : {Case{{2025, 3, 15}, {2025, 3, 1}, {2025, 3, 31}}, Case{{2024, 2, 10}, {2024, 2, 1}, {2024, 2, 29}},
                          Case{{2025, 2, 10}, {2025, 2, 1}, {2025, 2, 28}}, Case{{1900, 2, 1}, {1900, 2, 1}, {1900, 2, 28}},
                          Case{{2000, 2, 29}, {2000, 2, 1}, {2000, 2, 29}}, Case{{2025, 4, 30}, {2025, 4, 1}, {2025, 4, 30}}}) {
        EXPECT_EQ(ledger::firstDayOfMonth(c.date), c.first) << c.date.toString().toStdString();
        EXPECT_EQ(ledger::lastDayOfMonth(c.date), c.last) << c.date.toString().toStdString();
    }
}

TEST(PeriodRule, MonthButtons)
{
    const auto cur = ledger::currentMonth(QDate(2024, 2, 14));
    EXPECT_EQ(cur.start, QDate(2024, 2, 1));
    EXPECT_EQ(cur.end, QDate(2024, 2, 29));
    const auto prevInJanuary = ledger::previousMonth(QDate(2025, 1, 31));
    EXPECT_EQ(prevInJanuary.start, QDate(2024, 12, 1));
    EXPECT_EQ(prevInJanuary.end, QDate(2024, 12, 31));
    const auto prevInMarch = ledger::previousMonth(QDate(2024, 3, 31));
    EXPECT_EQ(prevInMarch.start, QDate(2024, 2, 1));
    EXPECT_EQ(prevInMarch.end, QDate(2024, 2, 29));
}

} // namespace
