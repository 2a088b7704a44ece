#include "Values.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace db {

namespace {

// Howard Hinnant's days_from_civil / civil_from_days.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool readInt(std::string_view text, std::size_t& pos, std::size_t digits, int& out)
{
    if (pos + digits > text.size())
        return false;
    int value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    pos += digits;
    out = value;
    return true;
}

constexpr std::int64_t kMicrosPerDay = 86'400'000'000LL;

} // namespace

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return days.at(static_cast<std::size_t>(month - 1));
}

bool isValidCivil(int year, int month, int day)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

Date dateFromCivil(int year, int month, int day)
{
    return Date{static_cast<std::int32_t>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)))};
}

CivilDate civilFromDate(Date date)
{
    std::int64_t z = static_cast<std::int64_t>(date.days) + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

std::optional<Date> parseIsoDate(std::string_view text)
{
    std::size_t pos = 0;
    int y = 0, m = 0, d = 0;
    if (!readInt(text, pos, 4, y) || pos >= text.size() || text[pos++] != '-' || !readInt(text, pos, 2, m)
        || pos >= text.size() || text[pos++] != '-' || !readInt(text, pos, 2, d))
        return std::nullopt;
    // A trailing " BC" or a time part is not a plain date.
    if (pos != text.size() || !isValidCivil(y, m, d))
        return std::nullopt;
    return dateFromCivil(y, m, d);
}

std::optional<DateTime> parseIsoDateTime(std::string_view text)
{
    const auto date = parseIsoDate(text.substr(0, std::min<std::size_t>(10, text.size())));
    if (!date)
        return std::nullopt;
    std::int64_t micros = static_cast<std::int64_t>(date->days) * kMicrosPerDay;
    if (text.size() == 10)
        return DateTime{micros};
    std::size_t pos = 10;
    int h = 0, mi = 0, s = 0;
    if ((text[pos] != ' ' && text[pos] != 'T') || !readInt(text, ++pos, 2, h) || pos >= text.size()
        || text[pos++] != ':' || !readInt(text, pos, 2, mi) || pos >= text.size() || text[pos++] != ':'
        || !readInt(text, pos, 2, s))
        return std::nullopt;
    std::int64_t fraction = 0;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        std::int64_t scale = 100000;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            fraction += (text[pos] - '0') * scale;
            scale /= 10;
            ++pos;
        }
    }
    // A time zone suffix (timestamptz) is ignored: the value is taken as wall-clock time.
    micros += ((h * 60LL + mi) * 60LL + s) * 1'000'000LL + fraction;
    return DateTime{micros};
}

std::string formatIsoDate(Date date)
{
    const CivilDate c = civilFromDate(date);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.year, c.month, c.day);
    return buf;
}

std::string formatIsoDateTime(DateTime value)
{
    std::int64_t days = value.micros / kMicrosPerDay;
    std::int64_t rest = value.micros % kMicrosPerDay;
    if (rest < 0) {
        rest += kMicrosPerDay;
        --days;
    }
    const std::int64_t secs = rest / 1'000'000;
    const std::int64_t frac = rest % 1'000'000;
    char buf[48];
    std::snprintf(buf, sizeof buf, " %02lld:%02lld:%02lld.%06lld", static_cast<long long>(secs / 3600),
                  static_cast<long long>(secs / 60 % 60), static_cast<long long>(secs % 60),
                  static_cast<long long>(frac));
    return formatIsoDate(Date{static_cast<std::int32_t>(days)}) + buf;
}

std::string formatDouble(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::optional<double> parseDouble(std::string_view text)
{
    if (text == "NaN")
        return std::nan("");
    if (text == "Infinity")
        return HUGE_VAL;
    if (text == "-Infinity")
        return -HUGE_VAL;
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace db
