#include "GridIndicator.h"

#include "RowLook.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace grid {

GridIndicator::GridIndicator(const std::optional<TableViewStyleSheet>& sheet, QWidget* parent)
    : QHeaderView(Qt::Vertical, parent), sheet_(sheet)
{
    setSectionsClickable(false);
    setHighlightSections(false);
}

QSize GridIndicator::sizeHint() const { return QSize(width, QHeaderView::sizeHint().height()); }

void GridIndicator::setFocusedRow(int row)
{
    if (row == focused_)
        return;
    focused_ = row;
    viewport()->update();
}

void GridIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    QColor mark = palette().color(QPalette::ButtonText);
    if (sheet_ && sheet_->indicator) {
        const RowLook look = partLook(sheet_->indicator, palette().color(QPalette::Button), mark, font());
        painter->fillRect(rect, look.background);
        painter->setPen(look.background.darker(130));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        mark = look.text;
    } else {
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = rect;
        opt.section = logicalIndex;
        opt.state |= QStyle::State_Enabled | QStyle::State_Raised;
        style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    }
    if (logicalIndex == focused_) {
        const int cy = rect.center().y();
        const int cx = rect.center().x() - 1;
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(mark);
        painter->setBrush(mark);
        painter->drawPolygon(QPolygon({QPoint(cx - 2, cy - 4), QPoint(cx - 2, cy + 4), QPoint(cx + 2, cy)}));
    }
    painter->restore();
}

} // namespace grid
