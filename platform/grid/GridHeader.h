#pragma once

#include "TableViewStyleSheet.h"

#include <QHeaderView>

#include <map>
#include <optional>

class QLineEdit;

namespace grid {

class ViewState;

// The column headers of a grid. A click sorts (Shift adds the column to the
// sort, Ctrl removes it), the button at a header's right opens the column's
// value filter, dragging a header moves the column or, dropped on the
// group-by box, groups by it. Under the captions it can show the filter row:
// one editor per column, kept across changes of the rows so typing goes on.
// Sections are always in the state's visible order; a move is applied to the
// state, never kept as a header-only mapping.
class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    GridHeader(const ViewState& state, const std::optional<TableViewStyleSheet>& sheet, const void* grid,
               QWidget* parent = nullptr);

    void setFilterRowVisible(bool visible);
    bool filterRowVisible() const { return filterRow_; }
    // The filter row's editor of a column, null before the first sync.
    QLineEdit* filterEditor(int columnId) const;
    // Creates the editors of new visible columns, fills them from the state
    // and places them under their headers.
    void syncFilterEditors();

    // Viewport coordinates of a header's caption area and its filter button.
    QRect labelRect(int visibleIndex) const;
    QRect filterButtonRect(int visibleIndex) const;
    // Where a column dropped at `x` would be inserted (a visible index).
    int dropIndexAt(int x) const;

    QSize sizeHint() const override;

signals:
    void sortClicked(int visibleIndex, Qt::KeyboardModifiers modifiers);
    void filterButtonClicked(int visibleIndex);
    void filterTextEdited(int columnId, const QString& text);
    // A header or group-by button dropped before the visible column `insertBefore`.
    void columnDropped(int columnId, bool fromGroupBox, int insertBefore);
    void menuRequested(int visibleIndex, const QPoint& globalPos);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
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
    struct Press {
        int section;
        QPoint pos;
        Qt::KeyboardModifiers modifiers;
    };

    int labelHeight() const;
    bool onHandle(const QPoint& pos) const;
    void layoutEditors();
    void startDrag(int visibleIndex, const QPoint& pos);
    bool acceptDrag(QDropEvent* event);

    const ViewState& state_;
    const std::optional<TableViewStyleSheet>& sheet_;
    const void* grid_;
    bool filterRow_ = false;
    int editorHeight_ = 0;
    std::optional<Press> press_;
    int dropIndex_ = -1;
    std::map<int, QLineEdit*> editors_; // by column id
};

} // namespace grid
