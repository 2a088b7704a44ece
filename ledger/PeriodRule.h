#pragma once

#include <QDate>

namespace ledger {

// A period of whole months: it starts on the first day of a month and ends on
// the last day of the same or a later month.
struct MonthPeriod {
    QDate start;
    QDate end;
};

QDate firstDayOfMonth(const QDate& date);
// 28, 29, 30 or 31: February by the Gregorian leap-year rule.
QDate lastDayOfMonth(const QDate& date);

// "Luna curenta": the month of `today`.
MonthPeriod currentMonth(const QDate& today);
// "Luna anterioara": the month before the one of `today` (December of the
// previous year in January).
MonthPeriod previousMonth(const QDate& today);

} // namespace ledger
