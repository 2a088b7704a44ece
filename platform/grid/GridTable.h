#pragma once

#include "TableViewStyleSheet.h"

#include <QTableView>

#include <optional>

namespace grid {

class GridModel;

// The rows of a grid: a table view over the flat sequence. Group rows are
// painted across the whole width with their expand glyph, indented by level;
// the glyph, a double click, + and - and Left and Right open and close them.
// Home and End go to the first and last row, like Ctrl+Home and Ctrl+End.
class GridTable : public QTableView {
    Q_OBJECT
public:
    static constexpr int levelIndent = 16;

    GridTable(GridModel& model, const std::optional<TableViewStyleSheet>& sheet, QWidget* parent = nullptr);

    // The expand glyph of a group row, in viewport coordinates.
    QRect glyphRect(int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool isGroup(int row) const;
    int level(int row) const;
    void setExpanded(int row, bool expanded);
    void goToRow(int row);
    int parentGroup(int row) const;
    void paintGroupRow(QPainter& painter, int row);

    GridModel& model_;
    const std::optional<TableViewStyleSheet>& sheet_;
};

} // namespace grid
