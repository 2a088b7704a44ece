#pragma once

#include "ViewState.h"

#include <QAbstractTableModel>

#include <functional>

namespace grid {

// The shown sequence of a ViewState as a flat table: one model row per shown
// row (group rows included), one model column per visible column. Cells are
// formatted when a view asks for them, which it does only for the rows on
// screen. Every change of the state goes through this model so that views
// hear of it.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        RowKindRole = Qt::UserRole + 1, // 0 for a data row, 1 for a group row
        DatasetRowRole,                 // the dataset row of a data row, -1 for a group row
        GroupLevelRole,
        GroupCountRole,
        GroupExpandedRole,
    };

    explicit GridModel(ViewState& state, QObject* parent = nullptr);

    const ViewState& state() const { return state_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Applies a change that may reshape the sequence and its columns.
    void change(const std::function<void(ViewState&)>& apply);
    // Opens or closes one group row; the rows under it come and go as row
    // insertions and removals, so the view keeps its place.
    bool setExpanded(int row, bool expanded);

    // "<caption>: <value> (<count>)", the text of a group row.
    QString groupText(int row) const;

private:
    ViewState& state_;
};

} // namespace grid
