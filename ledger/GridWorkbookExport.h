#pragma once

#include <QString>

namespace grid {
class ViewState;
}

namespace ledger {

// Writes what a grid shows to an .xlsx workbook at `path`: a header row with
// the visible columns' captions in their on-screen order, then the shown
// rows in order with every group expanded (group rows carry the column, the
// value and the row count; the rows under them an outline level), values in
// their own types. The worksheet is named after the file. Throws with the
// full path and the system's reason when the file cannot be written; an
// existing file is then left as it was.
void exportGridToWorkbook(const grid::ViewState& view, const QString& path);

} // namespace ledger
