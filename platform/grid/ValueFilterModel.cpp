#include "ValueFilterModel.h"

namespace grid {

ValueFilterModel::ValueFilterModel(QStringList choices, const ValueFilter* current, QObject* parent)
    : QAbstractListModel(parent), choices_(std::move(choices)), ticked_(static_cast<std::size_t>(choices_.size()) + 1, false)
{
    if (!current)
        return;
    ticked_[0] = current->blanks;
    for (qsizetype i = 0; i < choices_.size(); ++i)
        ticked_[static_cast<std::size_t>(i) + 1] = current->values.contains(choices_[i]);
}

int ValueFilterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(ticked_.size());
}

QVariant ValueFilterModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    if (role == Qt::DisplayRole)
        return row == 0 ? blanksText() : choices_[row - 1];
    if (role == Qt::CheckStateRole)
        return ticked_[static_cast<std::size_t>(row)] ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ValueFilterModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const bool tick = value.value<Qt::CheckState>() == Qt::Checked;
    if (ticked_[static_cast<std::size_t>(index.row())] != tick)
        toggle(index.row());
    return true;
}

Qt::ItemFlags ValueFilterModel::flags(const QModelIndex& index) const
{
    // Not user-checkable for the view: a click anywhere on an entry ticks it
    // (the popup handles it), not only a click on the box.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void ValueFilterModel::toggle(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    ticked_[static_cast<std::size_t>(row)] = !ticked_[static_cast<std::size_t>(row)];
    const QModelIndex i = index(row);
    emit dataChanged(i, i, {Qt::CheckStateRole});
    emit filterChanged(filter());
}

int ValueFilterModel::rowOf(const QString& text) const
{
    if (text == blanksText())
        return 0;
    const qsizetype i = choices_.indexOf(text);
    return i < 0 ? -1 : static_cast<int>(i) + 1;
}

ValueFilter ValueFilterModel::filter() const
{
    ValueFilter f;
    f.blanks = ticked_[0];
    for (qsizetype i = 0; i < choices_.size(); ++i)
        if (ticked_[static_cast<std::size_t>(i) + 1])
            f.values.insert(choices_[i]);
    return f;
}

} // namespace grid
