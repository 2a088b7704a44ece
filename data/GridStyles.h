#pragma once

#include "data/StyleRepository.h"
#include "grid/TableViewStyleSheet.h"

namespace datamod {

// A style of the repository as the grid paints it. The grid's cell styles
// carry no font colour of their own: every style here that sets a font also
// sets a text colour, and that is the colour the text is painted in.
grid::CellStyle toCellStyle(const Style& style);

// A style sheet as the grid applies it; elements without a style stay unset.
grid::TableViewStyleSheet toGridStyleSheet(const TableViewStyleSheet& sheet);

} // namespace datamod
