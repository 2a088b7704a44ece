#pragma once

#include "TableViewStyleSheet.h"

#include <QHeaderView>

#include <optional>

namespace grid {

// The indicator column at the left of the rows: a narrow vertical header that
// marks the focused row with an arrow.
class GridIndicator : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int width = 14;

    GridIndicator(const std::optional<TableViewStyleSheet>& sheet, QWidget* parent = nullptr);

    void setFocusedRow(int row);
    int focusedRow() const { return focused_; }
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    const std::optional<TableViewStyleSheet>& sheet_;
    int focused_ = -1;
};

} // namespace grid
