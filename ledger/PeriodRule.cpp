#include "PeriodRule.h"

namespace ledger {

QDate firstDayOfMonth(const QDate& date) { return QDate(date.year(), date.month(), 1); }

QDate lastDayOfMonth(const QDate& date) { return QDate(date.year(), date.month(), date.daysInMonth()); }

MonthPeriod currentMonth(const QDate& today) { return {firstDayOfMonth(today), lastDayOfMonth(today)}; }

MonthPeriod previousMonth(const QDate& today)
{
    const QDate start = firstDayOfMonth(today).addMonths(-1);
    return {start, lastDayOfMonth(start)};
}

} // namespace ledger
