#include "SheetSearch.h"

#include "FisaContAnaliticQuery.h"
#include "PeriodRule.h"

#include "db/Query.h"

#include <stdexcept>

namespace ledger {

namespace {

db::DateTime atTime(const QDate& date, std::int64_t microsIntoDay)
{
    const db::Date day = db::dateFromCivil(date.year(), date.month(), date.day());
    return db::DateTime{static_cast<std::int64_t>(day.days) * 86'400'000'000LL + microsIntoDay};
}

} // namespace

SheetSearch::SheetSearch(db::Query& dsDataList, FisaContAnaliticQuery& ledger) : dsDataList_(dsDataList), ledger_(ledger) {}

void SheetSearch::run(const QString& account, const std::optional<QDate>& start, const std::optional<QDate>& end)
{
    if (account.isEmpty())
        throw std::runtime_error("Alegeti Conts!");
    if (!start)
        throw std::runtime_error("Alegeti Perioada Dorita!");
    if (!end)
        throw std::runtime_error("Alegeti Perioada Dorita!");
    writePeriod(*start, *end);
    ledger_.run(account.toStdString());
}

void SheetSearch::writePeriod(const QDate& start, const QDate& end)
{
    if (dsDataList_.active())
        dsDataList_.refresh();
    else
        dsDataList_.open();
    dsDataList_.edit(); // begins a new row when the table has none
    try {
        // The period row holds days; the times mark the period's first and last instant.
        dsDataList_.setValue("data_incep", atTime(firstDayOfMonth(start), 0));
        dsDataList_.setValue("data_sf", atTime(lastDayOfMonth(end), 86'399'999'000LL));
        dsDataList_.post();
    } catch (...) {
        // A refused write is not kept half-done for the next search.
        dsDataList_.cancel();
        throw;
    }
}

} // namespace ledger
