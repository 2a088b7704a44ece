#include "xlsx/SheetXmlWriter.h"

#include "xlsx/StylesXml.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace xlsx {

namespace {

constexpr std::int64_t firstDayOf1900 = -25567;     // 1900-01-01, serial 1
constexpr std::int64_t firstDayAfterLeapBug = -25508; // 1900-03-01, serial 61
constexpr std::int64_t serialOfEpoch = 25569;        // 1970-01-01
constexpr std::int64_t lastDay = 2932896;            // 9999-12-31, the last day a workbook holds
constexpr double farthestDay = 1e7;                  // beyond any calendar year we can name
constexpr int digitWidthPixels = 7;
constexpr double maxColumnWidth = 255;

std::string columnLetters(std::size_t index)
{
    std::string letters;
    for (std::size_t n = index + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

template <typename Number>
void appendInteger(std::string& out, Number value)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

// A day the 1900 date system cannot hold, as ISO text so that it is not lost.
std::string isoDateText(double days, bool withTime)
{
    const double whole = std::floor(days);
    const std::chrono::sys_days day{std::chrono::days{static_cast<std::int64_t>(whole)}};
    const std::chrono::year_month_day ymd{day};
    char text[80];
    int length = std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                               static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    if (withTime) {
        const auto seconds = static_cast<long>(std::floor((days - whole) * 86400.0));
        std::snprintf(text + length, sizeof text - length, " %02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    }
    return text;
}

constexpr const char* boldText = R"( s="1" t="s")";
constexpr const char* dateStyle = R"( s="2")";
constexpr const char* dateTimeStyle = R"( s="3")";
static_assert(static_cast<int>(CellStyle::Bold) == 1 && static_cast<int>(CellStyle::Date) == 2 &&
              static_cast<int>(CellStyle::DateTime) == 3);

} // namespace

bool excelSerialOfDay(std::int64_t days, std::int64_t& serial)
{
    if (days < firstDayOf1900 || days > lastDay)
        return false;
    serial = days + (days >= firstDayAfterLeapBug ? serialOfEpoch : serialOfEpoch - 1);
    return true;
}

double columnWidthOfPixels(int pixels)
{
    const double width = std::floor(pixels * 256.0 / digitWidthPixels) / 256.0;
    return std::min(width, maxColumnWidth);
}

SheetXmlWriter::SheetXmlWriter(XmlSink& sink, SharedStrings& strings) : sink_(sink), strings_(strings) {}

void SheetXmlWriter::begin(const std::vector<Column>& columns, int deepestOutlineLevel)
{
    if (deepestOutlineLevel < 0)
        throw std::invalid_argument("An outline level cannot be negative");
    deepestOutlineLevel_ = deepestOutlineLevel;
    columnLetters_.clear();
    for (std::size_t i = 0; i < columns.size(); ++i)
        columnLetters_.push_back(columnLetters(i));

    std::string& out = sink_.buffer();
    // The group row stands above its rows, hence summaryBelow="0"; the
    // header row stays in view when scrolling.
    out += R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
           R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
           R"(<sheetPr><outlinePr summaryBelow="0"/></sheetPr>)"
           R"(<sheetViews><sheetView tabSelected="1" workbookViewId="0">)"
           R"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)"
           R"(<selection pane="bottomLeft" activeCell="A2" sqref="A2"/>)"
           R"(</sheetView></sheetViews>)"
           R"(<sheetFormatPr defaultRowHeight="15")";
    if (deepestOutlineLevel_ > 0) {
        out += R"( outlineLevelRow=")";
        appendInteger(out, std::min(deepestOutlineLevel_, maxOutlineLevels));
        out += '"';
    }
    out += "/>";

    const bool anyWidth =
        std::any_of(columns.begin(), columns.end(), [](const Column& c) { return c.widthPixels > 0; });
    if (anyWidth) {
        out += "<cols>";
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i].widthPixels <= 0)
                continue;
            out += R"(<col min=")";
            appendInteger(out, i + 1);
            out += R"(" max=")";
            appendInteger(out, i + 1);
            out += R"(" width=")";
            appendNumber(columnWidthOfPixels(columns[i].widthPixels));
            out += R"(" customWidth="1"/>)";
        }
        out += "</cols>";
    }
    out += "<sheetData>";

    if (!columns.empty()) {
        openRow(0);
        for (std::size_t i = 0; i < columns.size(); ++i)
            addTextCell(i, columns[i].caption, boldText);
        out += "</row>";
    }
    sink_.flushIfFull();
}

void SheetXmlWriter::checkRow(int outlineLevel, std::size_t cellCount) const
{
    if (outlineLevel < 0 || outlineLevel > deepestOutlineLevel_)
        throw std::invalid_argument("Outline level " + std::to_string(outlineLevel) + " is outside 0.." +
                                    std::to_string(deepestOutlineLevel_));
    if (cellCount > columnLetters_.size())
        throw std::invalid_argument("A row has " + std::to_string(cellCount) + " cells for " +
                                    std::to_string(columnLetters_.size()) + " columns");
    if (rowCount_ >= maxRows)
        throw std::length_error("A worksheet holds at most 1,048,576 rows");
}

void SheetXmlWriter::openRow(int outlineLevel)
{
    ++rowCount_;
    rowNumber_.clear();
    appendInteger(rowNumber_, rowCount_);
    std::string& out = sink_.buffer();
    out += R"(<row r=")";
    out += rowNumber_;
    if (outlineLevel > 0) {
        out += R"(" outlineLevel=")";
        appendInteger(out, std::min(outlineLevel, maxOutlineLevels));
    }
    out += R"(">)";
}

void SheetXmlWriter::openCell(std::size_t column, const char* attributes)
{
    std::string& out = sink_.buffer();
    out += R"(<c r=")";
    out += columnLetters_[column];
    out += rowNumber_;
    out += '"';
    out += attributes;
    out += "><v>";
}

void SheetXmlWriter::addTextCell(std::size_t column, std::string_view text, const char* attributes)
{
    const std::uint32_t index = strings_.indexOf(text);
    openCell(column, attributes);
    appendInteger(sink_.buffer(), index);
    sink_.buffer() += "</v></c>";
}

void SheetXmlWriter::addRow(int outlineLevel, std::span<const Cell> cells)
{
    checkRow(outlineLevel, cells.size());
    openRow(outlineLevel);
    for (std::size_t i = 0; i < cells.size(); ++i)
        addCell(i, cells[i]);
    sink_.buffer() += "</row>";
    sink_.flushIfFull();
}

void SheetXmlWriter::addGroupRow(int outlineLevel, std::string_view text)
{
    checkRow(outlineLevel, columnLetters_.empty() ? 1 : 0);
    openRow(outlineLevel);
    addTextCell(0, text, boldText);
    sink_.buffer() += "</row>";
    sink_.flushIfFull();
}

void SheetXmlWriter::addCell(std::size_t column, const Cell& cell)
{
    switch (cell.kind()) {
    case Cell::Kind::Null: return;
    case Cell::Kind::Number:
        // A workbook has no NaN or infinity; such a value stays empty.
        if (!std::isfinite(cell.value()))
            return;
        openCell(column, "");
        appendNumber(cell.value());
        break;
    case Cell::Kind::Date:
    case Cell::Kind::DateTime: addDateCell(column, cell); return;
    case Cell::Kind::Text: addTextCell(column, cell.text(), R"( t="s")"); return;
    case Cell::Kind::Boolean:
        openCell(column, R"( t="b")");
        sink_.buffer() += cell.value() != 0 ? '1' : '0';
        break;
    }
    sink_.buffer() += "</v></c>";
}

void SheetXmlWriter::addDateCell(std::size_t column, const Cell& cell)
{
    const double days = cell.value();
    if (!std::isfinite(days) || std::abs(days) > farthestDay)
        return;
    const bool withTime = cell.kind() == Cell::Kind::DateTime;
    const double whole = std::floor(days);
    std::int64_t serial = 0;
    if (!excelSerialOfDay(static_cast<std::int64_t>(whole), serial)) {
        addTextCell(column, isoDateText(days, withTime), R"( t="s")");
        return;
    }
    openCell(column, withTime ? dateTimeStyle : dateStyle);
    if (withTime)
        appendNumber(static_cast<double>(serial) + (days - whole));
    else
        appendInteger(sink_.buffer(), serial);
    sink_.buffer() += "</v></c>";
}

void SheetXmlWriter::appendNumber(double value)
{
    // The shortest text that reads back as the same double.
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    sink_.buffer().append(text, result.ptr);
}

void SheetXmlWriter::end()
{
    sink_.buffer() += "</sheetData></worksheet>";
    sink_.flush();
}

} // namespace xlsx
