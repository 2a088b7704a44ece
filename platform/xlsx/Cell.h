#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace xlsx {

// One value of a worksheet row, kept in its native type so that the
// spreadsheet receives numbers it can sum and dates it can format.
class Cell {
public:
    enum class Kind : std::uint8_t { Null, Number, Date, DateTime, Text, Boolean };

    Cell() = default;

    static Cell null() { return {}; }
    static Cell number(double value) { return Cell(Kind::Number, value); }
    // Days since 1970-01-01 (negative before it).
    static Cell date(std::int32_t daysSince1970) { return Cell(Kind::Date, daysSince1970); }
    // Days since 1970-01-01 00:00, the fraction being the time of day.
    static Cell dateTime(double daysSince1970) { return Cell(Kind::DateTime, daysSince1970); }
    // UTF-8 text.
    static Cell text(std::string value)
    {
        Cell c(Kind::Text, 0);
        c.text_ = std::move(value);
        return c;
    }
    static Cell boolean(bool value) { return Cell(Kind::Boolean, value ? 1 : 0); }

    Kind kind() const { return kind_; }
    // Number, days of a date or date-time, or 0/1 of a boolean.
    double value() const { return value_; }
    const std::string& text() const { return text_; }

private:
    Cell(Kind kind, double value) : kind_(kind), value_(value) {}

    Kind kind_ = Kind::Null;
    double value_ = 0;
    std::string text_;
};

} // namespace xlsx
