#include "GridModel.h"

namespace grid {

namespace {

bool isNumeric(db::FieldKind kind)
{
    return kind == db::FieldKind::Float || kind == db::FieldKind::Integer || kind == db::FieldKind::LargeInt;
}

} // namespace

GridModel::GridModel(ViewState& state, QObject* parent) : QAbstractTableModel(parent), state_(state) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : state_.rowCount(); }

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : state_.visibleColumnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    const bool group = state_.isGroupRow(row);
    switch (role) {
    case Qt::DisplayRole:
        if (group)
            return index.column() == 0 ? QVariant(groupText(row)) : QVariant();
        return state_.text(state_.value(state_.datasetRow(row), index.column()));
    case Qt::TextAlignmentRole:
        if (!group && isNumeric(state_.columnKind(state_.visibleColumn(index.column()))))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case RowKindRole: return group ? 1 : 0;
    case DatasetRowRole: return state_.datasetRow(row);
    case GroupLevelRole: return group ? QVariant(state_.groupRow(row).level) : QVariant();
    case GroupCountRole: return group ? QVariant(state_.groupRow(row).count) : QVariant();
    case GroupExpandedRole: return group ? QVariant(state_.groupRow(row).expanded) : QVariant();
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    if (section < 0 || section >= state_.visibleColumnCount())
        return {};
    return state_.column(state_.visibleColumn(section)).caption;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridModel::change(const std::function<void(ViewState&)>& apply)
{
    beginResetModel();
    try {
        apply(state_);
    } catch (...) {
        endResetModel();
        throw;
    }
    state_.rowCount();
    endResetModel();
}

bool GridModel::setExpanded(int row, bool expanded)
{
    if (row < 0 || row >= rowCount() || !state_.isGroupRow(row) || state_.groupRow(row).expanded == expanded)
        return false;
    const int rows = state_.groupContentRows(row);
    if (expanded) {
        beginInsertRows({}, row + 1, row + rows);
        state_.setExpanded(row, true);
        state_.rowCount();
        endInsertRows();
    } else {
        beginRemoveRows({}, row + 1, row + rows);
        state_.setExpanded(row, false);
        state_.rowCount();
        endRemoveRows();
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    return true;
}

QString GridModel::groupText(int row) const
{
    const GroupRow g = state_.groupRow(row);
    const QString value = isBlank(g.value) ? QStringLiteral("(Blanks)") : state_.text(g.value);
    return QStringLiteral("%1: %2 (%3)").arg(state_.column(g.column).caption, value).arg(g.count);
}

} // namespace grid
