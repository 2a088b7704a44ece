#pragma once

#include <string>

namespace xlsx {

// Indexes into the cell formats (cellXfs) that stylesXml() declares.
enum class CellStyle : int {
    Normal = 0,
    Bold = 1,      // header row and group rows
    Date = 2,      // built-in format 14
    DateTime = 3,  // built-in format 22
};

// xl/styles.xml. Dates use the built-in formats 14 (short date) and 22 (short
// date and time) rather than a format code of our own: spreadsheet programs
// show these in the reader's regional short date format, which is how the
// grid shows dates, and they are recognised as dates by every reader.
// The font is Calibri 11, whose digit width of 7 pixels the column widths are
// computed with.
std::string stylesXml();

} // namespace xlsx
