#include "GridStyles.h"

namespace datamod {

namespace {

std::optional<grid::CellStyle> cell(const Style* style)
{
    if (!style)
        return std::nullopt;
    return toCellStyle(*style);
}

} // namespace

grid::CellStyle toCellStyle(const Style& style)
{
    grid::CellStyle out;
    out.color = style.color;
    out.textColor = style.textColor;
    if (style.font)
        out.font = style.font->toFont();
    return out;
}

grid::TableViewStyleSheet toGridStyleSheet(const TableViewStyleSheet& sheet)
{
    grid::TableViewStyleSheet out;
    out.caption = sheet.caption;
    out.background = cell(sheet.background);
    out.content = cell(sheet.content);
    out.contentEven = cell(sheet.contentEven);
    out.contentOdd = cell(sheet.contentOdd);
    out.filterBox = cell(sheet.filterBox);
    out.incSearch = cell(sheet.incSearch);
    out.footer = cell(sheet.footer);
    out.group = cell(sheet.group);
    out.groupByBox = cell(sheet.groupByBox);
    out.header = cell(sheet.header);
    out.inactive = cell(sheet.inactive);
    out.indicator = cell(sheet.indicator);
    out.preview = cell(sheet.preview);
    out.selection = cell(sheet.selection);
    return out;
}

} // namespace datamod
