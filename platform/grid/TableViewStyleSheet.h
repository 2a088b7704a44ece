#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

namespace grid {

// One style of a style sheet; what it leaves out comes from the style below
// it (content under even and odd rows, rows under the selection) or from the
// platform's look.
struct CellStyle {
    std::optional<QColor> color; // background
    std::optional<QColor> textColor;
    std::optional<QFont> font;
};

// The styles a table view paints its parts with. A view without a sheet
// paints with the platform's native look. The footer, incremental-search and
// preview styles are kept for sheets that name them; this grid has no footer,
// preview row or incremental search to paint with them.
struct TableViewStyleSheet {
    QString caption;
    std::optional<CellStyle> background;  // the area without rows
    std::optional<CellStyle> content;     // data cells
    std::optional<CellStyle> contentEven; // data cells of rows 0, 2, 4, ...
    std::optional<CellStyle> contentOdd;  // data cells of rows 1, 3, 5, ...
    std::optional<CellStyle> filterBox;   // the filter bar under the rows
    std::optional<CellStyle> incSearch;
    std::optional<CellStyle> footer;
    std::optional<CellStyle> group;       // group rows
    std::optional<CellStyle> groupByBox;
    std::optional<CellStyle> header;      // column headers
    std::optional<CellStyle> inactive;    // the focused row while the grid has no focus
    std::optional<CellStyle> indicator;
    std::optional<CellStyle> preview;
    std::optional<CellStyle> selection;   // the focused row while the grid has focus
};

// `over`'s attributes where it has them, `under`'s elsewhere.
inline CellStyle overlay(const CellStyle& under, const std::optional<CellStyle>& over)
{
    if (!over)
        return under;
    return CellStyle{over->color ? over->color : under.color, over->textColor ? over->textColor : under.textColor,
                     over->font ? over->font : under.font};
}

} // namespace grid
