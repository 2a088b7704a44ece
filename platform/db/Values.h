#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace db {

// A calendar date without time of day, as days since 1970-01-01.
struct Date {
    std::int32_t days = 0;
    friend bool operator==(Date, Date) = default;
    friend auto operator<=>(Date, Date) = default;
};

// A date with time of day (no time zone), as microseconds since 1970-01-01 00:00.
struct DateTime {
    std::int64_t micros = 0;
    friend bool operator==(DateTime, DateTime) = default;
    friend auto operator<=>(DateTime, DateTime) = default;
};

struct CivilDate {
    int year = 1970;
    int month = 1;
    int day = 1;
    friend bool operator==(CivilDate, CivilDate) = default;
};

// Proleptic Gregorian calendar arithmetic, independent of locale and time zone.
Date dateFromCivil(int year, int month, int day);
CivilDate civilFromDate(Date date);
bool isValidCivil(int year, int month, int day);
int daysInMonth(int year, int month);

// ISO forms as the server sends them with DateStyle ISO: "2025-03-01",
// "2025-03-01 13:45:10.5". Return nothing for anything else.
std::optional<Date> parseIsoDate(std::string_view text);
std::optional<DateTime> parseIsoDateTime(std::string_view text);
std::string formatIsoDate(Date date);
std::string formatIsoDateTime(DateTime value);

// Shortest text that reads back as the same double; "Infinity", "-Infinity", "NaN".
std::string formatDouble(double value);
std::optional<double> parseDouble(std::string_view text);

// A typed field value; Integer and LargeInt fields both read as int64.
using Value = std::variant<std::monostate, bool, std::int64_t, double, Date, DateTime, std::string>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

} // namespace db
