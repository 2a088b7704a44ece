#include "DisplayFormat.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace grid {

namespace {

QDate toQDate(db::Date d) { return QDate(1970, 1, 1).addDays(d.days); }

QDateTime toQDateTime(db::DateTime t)
{
    constexpr std::int64_t microsPerDay = 86'400'000'000LL;
    std::int64_t days = t.micros / microsPerDay;
    std::int64_t rest = t.micros % microsPerDay;
    if (rest < 0) {
        rest += microsPerDay;
        --days;
    }
    return QDateTime(QDate(1970, 1, 1).addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(rest / 1000)));
}

} // namespace

DisplayFormat::DisplayFormat(const QLocale& locale)
    : locale_(locale),
      dateFormat_(locale.dateFormat(QLocale::ShortFormat)),
      dateTimeFormat_(locale.dateTimeFormat(QLocale::ShortFormat))
{
    locale_.setNumberOptions(locale_.numberOptions() | QLocale::OmitGroupSeparator);
}

QString DisplayFormat::text(const CellValue& value) const
{
    struct Visitor {
        const DisplayFormat& f;
        QString operator()(std::monostate) const { return {}; }
        QString operator()(bool b) const { return b ? QStringLiteral("True") : QStringLiteral("False"); }
        QString operator()(std::int64_t i) const { return f.locale_.toString(static_cast<qlonglong>(i)); }
        QString operator()(double d) const { return f.locale_.toString(d == 0 ? 0.0 : d, 'g', 15); }
        QString operator()(db::Date d) const { return f.locale_.toString(toQDate(d), f.dateFormat_); }
        QString operator()(db::DateTime t) const { return f.locale_.toString(toQDateTime(t), f.dateTimeFormat_); }
        QString operator()(std::string_view s) const
        {
            return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
        }
    };
    return std::visit(Visitor{*this}, value);
}

} // namespace grid
