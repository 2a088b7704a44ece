#pragma once

#include "TableViewStyleSheet.h"

#include <QWidget>

#include <optional>

namespace grid {

class ViewState;

// The box above the headers that holds the grouping columns, outermost
// first, as buttons. A header dropped on it groups by that column at the
// place it is dropped; a button dragged back onto the headers ungroups it;
// a click on a button turns its group order round.
class GroupByBox : public QWidget {
    Q_OBJECT
public:
    static QString hintText();

    GroupByBox(const ViewState& state, const std::optional<TableViewStyleSheet>& sheet, const void* grid,
               QWidget* parent = nullptr);

    QRect buttonRect(int level) const;
    // The grouping level a column dropped at `x` would take.
    int dropLevelAt(int x) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void columnDropped(int columnId, bool fromGroupBox, int level);
    void buttonClicked(int level);
    void menuRequested(int columnId, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int levelAt(const QPoint& pos) const;
    int buttonHeight() const;
    QFont buttonFont() const;
    bool acceptDrag(QDropEvent* event);

    const ViewState& state_;
    const std::optional<TableViewStyleSheet>& sheet_;
    const void* grid_;
    int pressedLevel_ = -1;
    QPoint pressPos_;
    int dropLevel_ = -1;
};

} // namespace grid
