#pragma once

#include "TableViewStyleSheet.h"

#include <QStyledItemDelegate>

#include <optional>

namespace grid {

// Paints the data cells: with the grid's style sheet when it has one, in the
// platform's look otherwise. Group rows are painted whole by the table.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridDelegate(const std::optional<TableViewStyleSheet>& sheet, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const std::optional<TableViewStyleSheet>& sheet_;
};

} // namespace grid
