#pragma once

#include "xlsx/Cell.h"
#include "xlsx/Column.h"
#include "xlsx/SharedStrings.h"
#include "xlsx/XmlSink.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xlsx {

// Writes xl/worksheets/sheet1.xml row by row into a sink, so that the rows
// never pile up in memory: a bold header row frozen at the top, then group
// rows and data rows with their outline levels. Texts go to the shared
// strings table.
class SheetXmlWriter {
public:
    // What a worksheet holds at most, header row included.
    static constexpr std::uint32_t maxRows = 1048576;
    // Spreadsheet programs fold at most 7 levels; deeper rows are written at
    // level 7.
    static constexpr int maxOutlineLevels = 7;

    SheetXmlWriter(XmlSink& sink, SharedStrings& strings);

    // Writes everything before the rows and the header row of captions.
    // `deepestOutlineLevel` is the highest level any row will have: the
    // worksheet states it before its rows.
    void begin(const std::vector<Column>& columns, int deepestOutlineLevel);

    // A data row; `cells` may be fewer than the columns, not more.
    // Throws std::invalid_argument for a level outside 0..deepest or too many
    // cells, std::length_error when the worksheet is full; nothing is written
    // then.
    void addRow(int outlineLevel, std::span<const Cell> cells);

    // A group row: its text in the first column, bold, above the rows of its
    // group (which have a higher level).
    void addGroupRow(int outlineLevel, std::string_view text);

    void end();

    // Rows written so far, header row included.
    std::uint32_t rowCount() const { return rowCount_; }

private:
    void checkRow(int outlineLevel, std::size_t cellCount) const;
    void openRow(int outlineLevel);
    void openCell(std::size_t column, const char* attributes);
    void addTextCell(std::size_t column, std::string_view text, const char* attributes);
    void addCell(std::size_t column, const Cell& cell);
    void addDateCell(std::size_t column, const Cell& cell);
    void appendNumber(double value);

    XmlSink& sink_;
    SharedStrings& strings_;
    std::vector<std::string> columnLetters_;
    int deepestOutlineLevel_ = 0;
    std::uint32_t rowCount_ = 0;
    std::string rowNumber_;
};

// Excel's serial number of a day given as days since 1970-01-01, in the 1900
// date system (which counts a 29 February 1900 that never was); false for
// days before 1900-01-01 or after 9999-12-31, which a workbook cannot hold.
bool excelSerialOfDay(std::int64_t daysSince1970, std::int64_t& serial);

// The worksheet's width of a column `pixels` wide, in the unit of the format:
// characters of the default font's digit width (7 pixels for Calibri 11),
// padding included, in steps of 1/256.
double columnWidthOfPixels(int pixels);

} // namespace xlsx
