#pragma once

#include "CellValue.h"
#include "ColumnDef.h"
#include "DisplayFormat.h"
#include "ValueFilter.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace db {
class Dataset;
}

namespace grid {

class ColumnIndex;

// A group row of the shown sequence.
struct GroupRow {
    int column = -1;   // id of the grouping column
    int level = 0;     // 0 for the outermost grouping column
    int count = 0;     // data rows in the group, inner levels included
    int firstRow = -1; // a dataset row of the group (it holds the group's value)
    CellValue value;   // the grouping column's typed value
    bool expanded = false;
};

// Receives the shown sequence with every group expanded: what the export writes.
class SequenceVisitor {
public:
    virtual ~SequenceVisitor() = default;
    virtual void groupRow(const GroupRow& group) = 0;
    // A data row; its typed cells come from ViewState::value(datasetRow, i).
    virtual void dataRow(int datasetRow) = 0;
};

// The one truth of what a grid shows. Given a dataset and the declared
// columns it keeps the on-screen column order, the sort keys, the value
// filters, the filter-row conditions, the grouping columns and which groups
// are expanded, and turns the dataset's rows into the shown sequence of group
// rows and data rows. The widget paints that sequence; the export visits it.
//
// Columns are named by their id, the position in the declared list; a visible
// index counts the columns on screen, left to right. Grouped columns leave the
// header and come back to their place when ungrouped.
//
// Sorting, filtering and grouping run on arrays of row indexes and on integer
// ranks of each column's distinct values; the sequence is rebuilt lazily,
// when it is next read.
class ViewState {
public:
    static constexpr int defaultColumnWidth = 80;

    ViewState();
    ~ViewState();
    ViewState(const ViewState&) = delete;
    ViewState& operator=(const ViewState&) = delete;

    // ---- Binding
    // Binds the columns to the dataset's fields by name; throws the dataset's
    // "Field '<name>' not found" error when a column names an undeclared field.
    void setDataset(const db::Dataset* dataset);
    const db::Dataset* dataset() const { return dataset_; }
    // Declares the columns; order, sorting, filters and grouping start afresh.
    void setColumns(std::vector<ColumnDef> columns);
    // The locale of the display texts and of the text collation.
    void setLocale(const QLocale& locale);
    const DisplayFormat& format() const { return format_; }
    // The dataset's rows changed (opened, refreshed, closed, a row posted).
    void dataChanged();

    // ---- Columns
    int columnCount() const { return static_cast<int>(columns_.size()); }
    const ColumnDef& column(int id) const { return columns_[static_cast<std::size_t>(id)].def; }
    db::FieldKind columnKind(int id) const { return columns_[static_cast<std::size_t>(id)].kind; }
    int columnWidth(int id) const;
    void setColumnWidth(int id, int width);
    int visibleColumnCount() const { return static_cast<int>(visible_.size()); }
    int visibleColumn(int visibleIndex) const { return visible_[static_cast<std::size_t>(visibleIndex)]; }
    int visibleIndexOf(int id) const; // -1 while the column is grouped
    // Moves a visible column so that it ends at `visibleIndex`.
    void moveColumn(int id, int visibleIndex);

    // ---- Sorting
    const std::vector<SortKey>& sortKeys() const { return sortKeys_; }
    std::optional<SortOrder> sortOrder(int id) const;
    void sortBy(int id, SortOrder order);     // the column becomes the only sort key
    void addSortKey(int id, SortOrder order); // appended, or its order changed in place
    void removeSortKey(int id);
    void clearSorting();

    // ---- Filtering
    // An empty filter removes the column's value filter.
    void setValueFilter(int id, ValueFilter filter);
    const ValueFilter* valueFilter(int id) const;
    // The column's distinct display texts in value order, blanks left out:
    // what the value filter offers to tick.
    QStringList filterChoices(int id) const;
    // The filter row's condition: rows whose display text contains `text`,
    // ignoring case. An empty text removes the condition.
    void setFilterText(int id, const QString& text);
    QString filterText(int id) const;
    bool hasFilter() const { return !valueFilters_.empty() || !filterTexts_.empty(); }
    void clearFilter();
    // The active filter in words, for the filter bar.
    QString filterDescription() const;

    // ---- Grouping
    const std::vector<int>& groupColumns() const { return grouping_; }
    // Groups by the column at `level` (-1: innermost). Groups start collapsed.
    void groupBy(int id, int level = -1);
    void ungroup(int id);
    void clearGrouping();
    void expandAll();
    void collapseAll();
    // Expands or collapses the group row at `shownRow`; false when nothing changed.
    bool setExpanded(int shownRow, bool expanded);
    // The rows shown under the group row at `shownRow` while it is expanded.
    int groupContentRows(int shownRow) const;

    // ---- The shown sequence
    int rowCount() const;
    bool isGroupRow(int shownRow) const;
    int datasetRow(int shownRow) const; // -1 for a group row
    GroupRow groupRow(int shownRow) const;
    // The shown row of a dataset row, or the innermost shown group holding it
    // while its group is collapsed; -1 when the filter hides it.
    int shownRowOf(int datasetRow) const;
    // Data rows that pass the filter.
    int filteredRowCount() const;
    CellValue value(int datasetRow, int visibleIndex) const { return columnValue(datasetRow, visibleColumn(visibleIndex)); }
    CellValue columnValue(int datasetRow, int id) const;
    QString text(const CellValue& value) const { return format_.text(value); }

    // ---- Export: the sequence with every group expanded, in order.
    void visitAllExpanded(SequenceVisitor& visitor) const;

    // Memory the state holds beside the dataset.
    std::size_t bytesUsed() const;

private:
    struct Column {
        ColumnDef def;
        int field = -1;
        db::FieldKind kind = db::FieldKind::WideMemo;
    };
    struct GroupNode {
        std::int32_t begin;      // range in rows_
        std::int32_t end;
        std::int32_t subtreeEnd; // first node after this group's inner groups
        std::int16_t level;
        bool expanded;
    };
    enum class Stage { Clean, Shown, Rows };

    static void bindFields(std::vector<Column>& columns, const db::Dataset* dataset);
    void updateVisible();
    void invalidate(Stage stage);
    void ensure() const;
    void rebuildRows() const;
    void filterRows() const;
    void sortRows() const;
    void buildGroups(int level, std::int32_t begin, std::int32_t end) const;
    void markExpansion() const;
    void rebuildShown() const;
    ColumnIndex& index(int id) const;
    void dropUnusedIndexes() const;
    std::vector<db::Value> groupPath(std::size_t node) const;
    int contentRows(std::size_t node) const;
    GroupRow groupOf(std::size_t node) const;
    const db::RowStore* store() const;

    const db::Dataset* dataset_ = nullptr;
    std::vector<Column> columns_;
    std::vector<int> order_;   // every column id, on-screen order
    std::vector<int> visible_; // order_ without the grouped columns
    std::vector<SortKey> sortKeys_;
    std::map<int, ValueFilter> valueFilters_;
    std::map<int, QString> filterTexts_;
    std::vector<int> grouping_;
    bool expandedByDefault_ = false;
    std::set<std::vector<db::Value>> toggledGroups_; // paths of groups not in the default state
    DisplayFormat format_;
    QLocale collationLocale_;

    mutable Stage dirty_ = Stage::Rows;
    mutable std::map<int, std::unique_ptr<ColumnIndex>> indexes_; // by field
    mutable std::vector<std::int32_t> rows_;                       // filtered dataset rows, sorted
    mutable std::vector<GroupNode> groups_;                        // depth first
    mutable std::vector<std::int32_t> shown_; // grouped: >= 0 a position in rows_, < 0 group -(n+1)
};

} // namespace grid
