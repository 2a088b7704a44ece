#pragma once

#include <string>
#include <string_view>

namespace xlsx {

// The longest worksheet name a workbook accepts, in UTF-16 code units.
inline constexpr int maxSheetNameUnits = 31;

// Turns a proposed name (usually the file name without folder and
// extension) into one a workbook accepts, since a workbook with an invalid
// sheet name does not open: characters a sheet name may not hold
// (: \ / ? * [ ], control characters, malformed UTF-8) become "_", apostrophes
// at either end are dropped, the name is cut to 31 characters without
// splitting one, the name "History" that spreadsheet programs reserve gets a
// "_" appended, and an empty result becomes "Sheet1".
std::string validSheetName(std::string_view proposed);

} // namespace xlsx
