#pragma once

#include "ValueFilter.h"

#include <QAbstractListModel>
#include <QStringList>

#include <vector>

namespace grid {

// The ticks of a value filter drop-down: "(Blanks)" first, then the column's
// distinct display texts. One flag per entry, no object per entry, so a column
// with many distinct values stays light.
class ValueFilterModel : public QAbstractListModel {
    Q_OBJECT
public:
    static QString blanksText() { return QStringLiteral("(Blanks)"); }

    ValueFilterModel(QStringList choices, const ValueFilter* current, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void toggle(int row);
    // The row whose text is `text` ("(Blanks)" included), -1 when absent.
    int rowOf(const QString& text) const;
    ValueFilter filter() const;

signals:
    void filterChanged(const grid::ValueFilter& filter);

private:
    QStringList choices_;
    std::vector<bool> ticked_; // [0] is "(Blanks)"
};

} // namespace grid
