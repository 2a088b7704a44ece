#include "GridDelegate.h"

#include "GridModel.h"
#include "RowLook.h"

#include <QAbstractItemView>
#include <QPainter>

namespace grid {

GridDelegate::GridDelegate(const std::optional<TableViewStyleSheet>& sheet, QObject* parent)
    : QStyledItemDelegate(parent), sheet_(sheet)
{
}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The whole row is the focus; no dotted frame around one cell.
    option->state &= ~QStyle::State_HasFocus;
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (index.data(GridModel::RowKindRole).toInt() == 1)
        return;
    if (!sheet_) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const bool gridHasFocus = view && view->hasFocus();
    const bool current = option.state & QStyle::State_Selected;
    const RowLook look = dataRowLook(*sheet_, option.palette, option.font, index.row(), current, gridHasFocus);

    painter->save();
    painter->fillRect(option.rect, look.background);
    painter->setFont(look.font);
    painter->setPen(look.text);
    const QRect textRect = option.rect.adjusted(3, 0, -3, 0);
    const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    const QString text = painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, int(align), text);
    painter->restore();
}

} // namespace grid
