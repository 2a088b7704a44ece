#pragma once

#include <QMimeData>

#include <optional>

namespace grid {

// What a header or group-by button carries while it is dragged: the column
// and where it came from. Drops are taken only from the same grid.
struct ColumnDrag {
    static constexpr const char* mimeType = "application/x-wmorv-grid-column";

    const void* grid = nullptr;
    int column = -1;
    bool fromGroupBox = false;

    QMimeData* toMime() const;
    static std::optional<ColumnDrag> from(const QMimeData* mime, const void* grid);
};

} // namespace grid
