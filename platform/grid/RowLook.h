#pragma once

#include "TableViewStyleSheet.h"

#include <QColor>
#include <QFont>
#include <QPalette>

namespace grid {

// The colours and font one row is painted with under a style sheet: the
// sheet's styles layered over the widget's palette and font.
struct RowLook {
    QColor background;
    QColor text;
    QFont font;
};

// A data row: content, then the even or odd style by the row's position, then
// the selection style (grid focused) or the inactive style (focus elsewhere).
RowLook dataRowLook(const TableViewStyleSheet& sheet, const QPalette& palette, const QFont& font, int row, bool current,
                    bool gridHasFocus);
// A group row: the group style, under the selection styles when current.
RowLook groupRowLook(const TableViewStyleSheet& sheet, const QPalette& palette, const QFont& font, bool current,
                     bool gridHasFocus);
// A single style (header, indicator, group-by box, filter bar) over defaults.
RowLook partLook(const std::optional<CellStyle>& style, const QColor& background, const QColor& text, const QFont& font);

} // namespace grid
