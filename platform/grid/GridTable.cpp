#include "GridTable.h"

#include "GridModel.h"
#include "RowLook.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace grid {

GridTable::GridTable(GridModel& model, const std::optional<TableViewStyleSheet>& sheet, QWidget* parent)
    : QTableView(parent), model_(model), sheet_(sheet)
{
}

bool GridTable::isGroup(int row) const { return model_.data(model_.index(row, 0), GridModel::RowKindRole).toInt() == 1; }

int GridTable::level(int row) const { return model_.data(model_.index(row, 0), GridModel::GroupLevelRole).toInt(); }

QRect GridTable::glyphRect(int row) const
{
    const int size = 9;
    const int top = rowViewportPosition(row) + (rowHeight(row) - size) / 2;
    const int left = -horizontalOffset() + level(row) * levelIndent + 4;
    return QRect(left, top, size, size);
}

void GridTable::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (model_.state().groupColumns().empty() || model_.rowCount() == 0)
        return;
    QPainter painter(viewport());
    const int first = std::max(0, rowAt(event->rect().top()));
    int last = rowAt(event->rect().bottom());
    if (last < 0)
        last = model_.rowCount() - 1;
    for (int row = first; row <= last; ++row)
        if (isGroup(row))
            paintGroupRow(painter, row);
}

void GridTable::paintGroupRow(QPainter& painter, int row)
{
    const bool current = currentIndex().row() == row;
    RowLook look;
    if (sheet_) {
        look = groupRowLook(*sheet_, palette(), font(), current, hasFocus());
    } else {
        const QPalette::ColorGroup cg = hasFocus() ? QPalette::Active : QPalette::Inactive;
        look = current ? RowLook{palette().color(cg, QPalette::Highlight), palette().color(cg, QPalette::HighlightedText),
                                 font()}
                       : RowLook{palette().color(QPalette::Window), palette().color(QPalette::WindowText), font()};
    }
    const int gridLine = showGrid() ? 1 : 0;
    const QRect rowRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row) - gridLine);
    painter.fillRect(rowRect, look.background);

    const QRect glyph = glyphRect(row);
    painter.setPen(look.text);
    painter.drawRect(glyph.adjusted(0, 0, -1, -1));
    const int mid = glyph.top() + glyph.height() / 2;
    painter.drawLine(glyph.left() + 2, mid, glyph.right() - 2, mid);
    if (!model_.data(model_.index(row, 0), GridModel::GroupExpandedRole).toBool()) {
        const int centre = glyph.left() + glyph.width() / 2;
        painter.drawLine(centre, glyph.top() + 2, centre, glyph.bottom() - 2);
    }
    painter.setFont(look.font);
    const QRect textRect(glyph.right() + 6, rowRect.top(), rowRect.right() - glyph.right() - 6, rowRect.height());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, model_.groupText(row));
}

void GridTable::setExpanded(int row, bool expanded)
{
    const int column = std::max(0, currentIndex().column());
    model_.setExpanded(row, expanded);
    // Keep the group row focused; inserting or removing rows below it does
    // not move it, but a reset of the selection would.
    if (currentIndex().row() != row)
        setCurrentIndex(model_.index(row, column));
}

void GridTable::goToRow(int row)
{
    if (row < 0 || row >= model_.rowCount())
        return;
    setCurrentIndex(model_.index(row, std::max(0, currentIndex().column())));
}

int GridTable::parentGroup(int row) const
{
    const int wanted = isGroup(row) ? level(row) - 1 : int(model_.state().groupColumns().size()) - 1;
    for (int r = row - 1; r >= 0 && wanted >= 0; --r)
        if (isGroup(r) && level(r) == wanted)
            return r;
    return -1;
}

void GridTable::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && isGroup(index.row())
        && glyphRect(index.row()).adjusted(-2, -2, 2, 2).contains(event->position().toPoint())) {
        goToRow(index.row());
        setExpanded(index.row(), !model_.data(index, GridModel::GroupExpandedRole).toBool());
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void GridTable::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && isGroup(index.row())) {
        setExpanded(index.row(), !model_.data(index, GridModel::GroupExpandedRole).toBool());
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void GridTable::keyPressEvent(QKeyEvent* event)
{
    const int row = currentIndex().row();
    if (row >= 0 && isGroup(row)) {
        const bool expanded = model_.data(model_.index(row, 0), GridModel::GroupExpandedRole).toBool();
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Right:
            setExpanded(row, true);
            return;
        case Qt::Key_Minus:
            setExpanded(row, false);
            return;
        case Qt::Key_Left:
            if (expanded)
                setExpanded(row, false);
            else
                goToRow(parentGroup(row));
            return;
        default: break;
        }
    } else if (row >= 0 && event->key() == Qt::Key_Left && event->modifiers() == Qt::NoModifier
               && !model_.state().groupColumns().empty() && currentIndex().column() == 0) {
        goToRow(parentGroup(row));
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex GridTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const int column = std::max(0, currentIndex().column());
    if (action == MoveHome && model_.rowCount() > 0)
        return model_.index(0, column);
    if (action == MoveEnd && model_.rowCount() > 0)
        return model_.index(model_.rowCount() - 1, column);
    return QTableView::moveCursor(action, modifiers);
}

// The focused row changes between the selection and the inactive style.
void GridTable::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void GridTable::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

} // namespace grid
