#include "RowLook.h"

namespace grid {

namespace {

RowLook resolve(const CellStyle& s, const QColor& background, const QColor& text, const QFont& font)
{
    return RowLook{s.color.value_or(background), s.textColor.value_or(text), s.font.value_or(font)};
}

CellStyle currentStyle(const TableViewStyleSheet& sheet, const CellStyle& under, bool gridHasFocus)
{
    return overlay(under, gridHasFocus ? sheet.selection : sheet.inactive);
}

} // namespace

RowLook dataRowLook(const TableViewStyleSheet& sheet, const QPalette& palette, const QFont& font, int row, bool current,
                    bool gridHasFocus)
{
    CellStyle s = overlay(CellStyle{}, sheet.content);
    s = overlay(s, row % 2 == 0 ? sheet.contentEven : sheet.contentOdd);
    if (current)
        s = currentStyle(sheet, s, gridHasFocus);
    return resolve(s, palette.color(QPalette::Base), palette.color(QPalette::Text), font);
}

RowLook groupRowLook(const TableViewStyleSheet& sheet, const QPalette& palette, const QFont& font, bool current,
                     bool gridHasFocus)
{
    CellStyle s = overlay(CellStyle{}, sheet.group);
    if (current)
        s = currentStyle(sheet, s, gridHasFocus);
    return resolve(s, palette.color(QPalette::Window), palette.color(QPalette::WindowText), font);
}

RowLook partLook(const std::optional<CellStyle>& style, const QColor& background, const QColor& text, const QFont& font)
{
    return resolve(overlay(CellStyle{}, style), background, text, font);
}

} // namespace grid
