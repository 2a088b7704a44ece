#pragma once

#include <string>

namespace xlsx {

// A column of the worksheet: its header caption and its width on screen in
// pixels at 96 dpi (0 or less: the spreadsheet's default width).
struct Column {
    std::string caption;
    int widthPixels = 0;
};

} // namespace xlsx
