#pragma once

#include "ColumnDef.h"
#include "TableViewStyleSheet.h"
#include "ValueFilter.h"
#include "ViewState.h"

#include "db/DataSource.h"
#include "db/Dataset.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QMenu;

namespace grid {

class FilterBar;
class GridHeader;
class GridIndicator;
class GridModel;
class GridTable;
class GroupByBox;
class NavigatorBar;
class ValueFilterPopup;

// A read-only data grid bound to a data source: the group-by box, the table
// of rows with its headers (and, when asked for, the filter row and the
// indicator column), the filter bar and the navigator. What it shows is its
// ViewState; the export reads the same state through viewState().
//
// The grid keeps one focused row in step with the dataset's current row:
// focusing a data row moves the dataset, moving the dataset focuses its row.
// When a filter hides the current row the grid focuses its first shown row
// and, when that is a data row, moves the dataset there.
//
// A dataset destroyed while bound unbinds itself; the grid then shows no rows.
class GridView : public QWidget {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    // Throws the dataset's "Field '<name>' not found" error when a column
    // names a field the bound dataset does not declare; the grid is unchanged.
    void setColumns(std::vector<ColumnDef> columns);
    void setDataSource(db::DataSource* source);
    db::DataSource* dataSource() const { return source_; }

    void setTableStyleSheet(std::optional<TableViewStyleSheet> sheet);
    const std::optional<TableViewStyleSheet>& tableStyleSheet() const { return sheet_; }
    // The locale of display texts and text sorting (default: the user's).
    void setDisplayLocale(const QLocale& locale);

    void setGroupByBoxVisible(bool visible);
    void setFilterRowVisible(bool visible);
    bool filterRowVisible() const;
    void setIndicatorVisible(bool visible);
    void setNavigatorVisible(bool visible);

    const ViewState& viewState() const { return state_; }

    // ---- What the mouse and the keyboard do, also callable directly
    // A header click: sort by the column, ascending and then descending;
    // Shift adds the column to the sort keys, Ctrl removes it.
    void sortClick(int visibleIndex, Qt::KeyboardModifiers modifiers);
    void clearSorting();
    void setValueFilter(int columnId, const ValueFilter& filter);
    void setFilterText(int columnId, const QString& text);
    void clearFilter();
    void groupBy(int columnId, int level = -1);
    void ungroup(int columnId);
    void moveColumn(int columnId, int visibleIndex);
    void expandAll();
    void collapseAll();
    bool setExpanded(int row, bool expanded);
    int focusedRow() const;
    void setFocusedRow(int row);
    // Opens the value filter drop-down of a visible column under its header.
    ValueFilterPopup* showValueFilter(int visibleIndex);
    // The header and group-by box context menu for a column (-1: none).
    QMenu* createColumnMenu(int columnId, QWidget* parent);

    // ---- Parts, for the windows' layouts and for tests
    GridTable* table() const { return table_; }
    GridHeader* header() const { return header_; }
    GridIndicator* indicator() const { return indicator_; }
    GroupByBox* groupByBox() const { return groupBox_; }
    FilterBar* filterBar() const { return filterBar_; }
    NavigatorBar* navigator() const { return navigator_; }
    GridModel* model() const { return model_; }

private:
    void apply(const std::function<void(ViewState&)>& change);
    void afterReset(int column);
    void applyColumnWidths();
    void applyStyle();
    void setCurrentRow(int row, int column);
    void onCurrentRowChanged(const QModelIndex& current);
    void onDatasetEvent(db::Dataset::Event event, int row);
    void updateNavigator();
    void headerDrop(int columnId, bool fromGroupBox, int insertBefore);
    void groupBoxDrop(int columnId, bool fromGroupBox, int level);
    void toggleGroupOrder(int level);
    void showColumnMenu(int columnId, const QPoint& globalPos);
    void detach();

    ViewState state_;
    std::optional<TableViewStyleSheet> sheet_;
    GridModel* model_;
    GroupByBox* groupBox_;
    GridTable* table_;
    GridHeader* header_;
    GridIndicator* indicator_;
    FilterBar* filterBar_;
    NavigatorBar* navigator_;
    db::DataSource* source_ = nullptr;
    db::Dataset* dataset_ = nullptr;
    int listener_ = 0;
    bool syncing_ = false;
    bool applyingWidths_ = false;
};

} // namespace grid
