#pragma once

#include <QString>

#include <string>

namespace grid {

// A grid column as a window declares it: the field it shows (by column name),
// its header caption and its width in pixels (0: the grid's default width).
struct ColumnDef {
    std::string field;
    QString caption;
    int width = 0;
};

enum class SortOrder { Ascending, Descending };

struct SortKey {
    int column = -1; // column id: the position in the declared columns
    SortOrder order = SortOrder::Ascending;
    friend bool operator==(const SortKey&, const SortKey&) = default;
};

} // namespace grid
