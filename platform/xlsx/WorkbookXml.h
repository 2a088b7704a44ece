#pragma once

#include <string>
#include <string_view>

namespace xlsx {

// xl/workbook.xml: the one worksheet under `sheetName`, which must already be
// valid (see validSheetName).
std::string workbookXml(std::string_view sheetName);

} // namespace xlsx
