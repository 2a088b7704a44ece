#include "ViewState.h"

#include "ColumnIndex.h"

#include "db/Dataset.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

namespace grid {

ViewState::ViewState() : format_(QLocale()), collationLocale_(QLocale()) {}

ViewState::~ViewState() = default;

// ---- Binding ----

void ViewState::setDataset(const db::Dataset* dataset)
{
    std::vector<Column> columns = columns_;
    bindFields(columns, dataset); // throws before anything changes
    columns_ = std::move(columns);
    dataset_ = dataset;
    dataChanged();
}

void ViewState::setColumns(std::vector<ColumnDef> defs)
{
    std::vector<Column> columns;
    for (ColumnDef& def : defs)
        columns.push_back(Column{std::move(def), -1, db::FieldKind::WideMemo});
    bindFields(columns, dataset_);
    columns_ = std::move(columns);
    order_.resize(columns_.size());
    std::iota(order_.begin(), order_.end(), 0);
    sortKeys_.clear();
    valueFilters_.clear();
    filterTexts_.clear();
    grouping_.clear();
    expandedByDefault_ = false;
    toggledGroups_.clear();
    updateVisible();
    dataChanged();
}

void ViewState::bindFields(std::vector<Column>& columns, const db::Dataset* dataset)
{
    for (Column& c : columns) {
        c.field = -1;
        if (!dataset)
            continue;
        const db::Field& f = dataset->fieldByName(c.def.field);
        c.field = f.index;
        c.kind = f.def.kind;
    }
}

void ViewState::setLocale(const QLocale& locale)
{
    format_ = DisplayFormat(locale);
    collationLocale_ = locale;
    dataChanged();
}

void ViewState::dataChanged()
{
    indexes_.clear();
    invalidate(Stage::Rows);
}

void ViewState::invalidate(Stage stage)
{
    if (stage > dirty_)
        dirty_ = stage;
}

const db::RowStore* ViewState::store() const
{
    return dataset_ && dataset_->active() ? &dataset_->rows() : nullptr;
}

// ---- Columns ----

int ViewState::columnWidth(int id) const
{
    const int w = column(id).width;
    return w > 0 ? w : defaultColumnWidth;
}

void ViewState::setColumnWidth(int id, int width) { columns_[static_cast<std::size_t>(id)].def.width = width; }

int ViewState::visibleIndexOf(int id) const
{
    const auto it = std::find(visible_.begin(), visible_.end(), id);
    return it == visible_.end() ? -1 : static_cast<int>(it - visible_.begin());
}

void ViewState::updateVisible()
{
    visible_.clear();
    for (int id : order_)
        if (std::find(grouping_.begin(), grouping_.end(), id) == grouping_.end())
            visible_.push_back(id);
}

void ViewState::moveColumn(int id, int visibleIndex)
{
    if (visibleIndexOf(id) < 0)
        return;
    order_.erase(std::find(order_.begin(), order_.end(), id));
    updateVisible();
    if (visibleIndex < 0 || visibleIndex >= static_cast<int>(visible_.size()))
        order_.push_back(id);
    else
        order_.insert(std::find(order_.begin(), order_.end(), visible_[static_cast<std::size_t>(visibleIndex)]), id);
    updateVisible();
}

// ---- Sorting ----

std::optional<SortOrder> ViewState::sortOrder(int id) const
{
    for (const SortKey& k : sortKeys_)
        if (k.column == id)
            return k.order;
    return std::nullopt;
}

void ViewState::sortBy(int id, SortOrder order)
{
    // Grouped columns keep their own order; the rest give way to this column.
    std::vector<SortKey> keys;
    for (const SortKey& k : sortKeys_)
        if (k.column != id && std::find(grouping_.begin(), grouping_.end(), k.column) != grouping_.end())
            keys.push_back(k);
    keys.push_back(SortKey{id, order});
    sortKeys_ = std::move(keys);
    invalidate(Stage::Rows);
}

void ViewState::addSortKey(int id, SortOrder order)
{
    for (SortKey& k : sortKeys_)
        if (k.column == id) {
            k.order = order;
            invalidate(Stage::Rows);
            return;
        }
    sortKeys_.push_back(SortKey{id, order});
    invalidate(Stage::Rows);
}

void ViewState::removeSortKey(int id)
{
    std::erase_if(sortKeys_, [id](const SortKey& k) { return k.column == id; });
    invalidate(Stage::Rows);
}

void ViewState::clearSorting()
{
    sortKeys_.clear();
    invalidate(Stage::Rows);
}

// ---- Filtering ----

void ViewState::setValueFilter(int id, ValueFilter filter)
{
    if (filter.isEmpty())
        valueFilters_.erase(id);
    else
        valueFilters_[id] = std::move(filter);
    invalidate(Stage::Rows);
}

const ValueFilter* ViewState::valueFilter(int id) const
{
    const auto it = valueFilters_.find(id);
    return it == valueFilters_.end() ? nullptr : &it->second;
}

void ViewState::setFilterText(int id, const QString& text)
{
    if (text.isEmpty())
        filterTexts_.erase(id);
    else
        filterTexts_[id] = text;
    invalidate(Stage::Rows);
}

QString ViewState::filterText(int id) const
{
    const auto it = filterTexts_.find(id);
    return it == filterTexts_.end() ? QString() : it->second;
}

void ViewState::clearFilter()
{
    valueFilters_.clear();
    filterTexts_.clear();
    invalidate(Stage::Rows);
}

QStringList ViewState::filterChoices(int id) const
{
    QStringList choices;
    const db::RowStore* rows = store();
    if (!rows)
        return choices;
    ColumnIndex& idx = index(id);
    const std::vector<std::uint32_t>& ranks = idx.ranks(*rows, collationLocale_);
    std::vector<std::uint32_t> byRank(ranks.size());
    for (std::uint32_t i = 0; i < ranks.size(); ++i)
        byRank[ranks[i]] = i;
    QSet<QString> seen;
    for (std::uint32_t valueId : byRank) {
        const CellValue v = idx.value(*rows, valueId);
        if (isBlank(v))
            continue;
        QString t = format_.text(v);
        if (!seen.contains(t)) {
            seen.insert(t);
            choices.push_back(std::move(t));
        }
    }
    return choices;
}

QString ViewState::filterDescription() const
{
    QStringList parts;
    QCollator collator(collationLocale_);
    collator.setNumericMode(true);
    for (int id : order_) {
        const QString& caption = column(id).caption;
        if (const ValueFilter* vf = valueFilter(id)) {
            QStringList values(vf->values.begin(), vf->values.end());
            std::sort(values.begin(), values.end(), collator);
            QString part = caption;
            if (values.isEmpty())
                part += QStringLiteral(" is blank");
            else if (values.size() == 1)
                part += QStringLiteral(" is ") + values.front();
            else
                part += QStringLiteral(" is one of ") + values.join(QStringLiteral(", "));
            if (!values.isEmpty() && vf->blanks)
                part += QStringLiteral(" or blank");
            parts.push_back(part);
        }
        const QString text = filterText(id);
        if (!text.isEmpty())
            parts.push_back(caption + QStringLiteral(" contains \"") + text + QLatin1Char('"'));
    }
    return parts.join(QStringLiteral(" and "));
}

// ---- Grouping ----

void ViewState::groupBy(int id, int level)
{
    std::erase(grouping_, id);
    if (level < 0 || level > static_cast<int>(grouping_.size()))
        level = static_cast<int>(grouping_.size());
    grouping_.insert(grouping_.begin() + level, id);
    expandedByDefault_ = false;
    toggledGroups_.clear();
    updateVisible();
    invalidate(Stage::Rows);
}

void ViewState::ungroup(int id)
{
    if (std::erase(grouping_, id) == 0)
        return;
    expandedByDefault_ = false;
    toggledGroups_.clear();
    updateVisible();
    invalidate(Stage::Rows);
}

void ViewState::clearGrouping()
{
    grouping_.clear();
    expandedByDefault_ = false;
    toggledGroups_.clear();
    updateVisible();
    invalidate(Stage::Rows);
}

void ViewState::expandAll()
{
    expandedByDefault_ = true;
    toggledGroups_.clear();
    for (GroupNode& g : groups_)
        g.expanded = true;
    invalidate(Stage::Shown);
}

void ViewState::collapseAll()
{
    expandedByDefault_ = false;
    toggledGroups_.clear();
    for (GroupNode& g : groups_)
        g.expanded = false;
    invalidate(Stage::Shown);
}

bool ViewState::setExpanded(int shownRow, bool expanded)
{
    ensure();
    if (shownRow < 0 || shownRow >= rowCount() || !isGroupRow(shownRow))
        return false;
    const auto node = static_cast<std::size_t>(-shown_[static_cast<std::size_t>(shownRow)] - 1);
    if (groups_[node].expanded == expanded)
        return false;
    groups_[node].expanded = expanded;
    std::vector<db::Value> path = groupPath(node);
    if (expanded == expandedByDefault_)
        toggledGroups_.erase(path);
    else
        toggledGroups_.insert(std::move(path));
    invalidate(Stage::Shown);
    return true;
}

int ViewState::groupContentRows(int shownRow) const
{
    ensure();
    if (shownRow < 0 || shownRow >= rowCount() || !isGroupRow(shownRow))
        return 0;
    return contentRows(static_cast<std::size_t>(-shown_[static_cast<std::size_t>(shownRow)] - 1));
}

int ViewState::contentRows(std::size_t node) const
{
    const GroupNode& g = groups_[node];
    if (g.level + 1 == static_cast<int>(grouping_.size()))
        return g.end - g.begin;
    int n = 0;
    for (auto child = node + 1; child < static_cast<std::size_t>(g.subtreeEnd);
         child = static_cast<std::size_t>(groups_[child].subtreeEnd))
        n += 1 + (groups_[child].expanded ? contentRows(child) : 0);
    return n;
}

// ---- Rebuilding the sequence ----

ColumnIndex& ViewState::index(int id) const
{
    const Column& c = columns_[static_cast<std::size_t>(id)];
    std::unique_ptr<ColumnIndex>& slot = indexes_[c.field];
    if (!slot)
        slot = std::make_unique<ColumnIndex>(*store(), c.field, c.kind);
    return *slot;
}

void ViewState::dropUnusedIndexes() const
{
    std::set<int> used;
    for (const SortKey& k : sortKeys_)
        used.insert(columns_[static_cast<std::size_t>(k.column)].field);
    for (int id : grouping_)
        used.insert(columns_[static_cast<std::size_t>(id)].field);
    for (const auto& [id, f] : valueFilters_)
        used.insert(columns_[static_cast<std::size_t>(id)].field);
    for (const auto& [id, t] : filterTexts_)
        used.insert(columns_[static_cast<std::size_t>(id)].field);
    std::erase_if(indexes_, [&](const auto& entry) { return !used.contains(entry.first); });
}

void ViewState::ensure() const
{
    if (dirty_ == Stage::Rows)
        rebuildRows();
    if (dirty_ != Stage::Clean)
        rebuildShown();
    dirty_ = Stage::Clean;
}

void ViewState::rebuildRows() const
{
    rows_.clear();
    groups_.clear();
    if (store()) {
        filterRows();
        sortRows();
        if (!grouping_.empty()) {
            buildGroups(0, 0, static_cast<std::int32_t>(rows_.size()));
            markExpansion();
        }
    }
    dropUnusedIndexes();
}

void ViewState::filterRows() const
{
    const db::RowStore& rows = *store();
    const int n = rows.rowCount();

    // Each condition is decided once per distinct value; rows then only look
    // up their value's verdict.
    struct Test {
        const ColumnIndex* index;
        std::vector<std::uint8_t> pass;
    };
    std::vector<Test> tests;
    std::set<int> ids;
    for (const auto& [id, f] : valueFilters_)
        ids.insert(id);
    for (const auto& [id, t] : filterTexts_)
        ids.insert(id);
    for (int id : ids) {
        ColumnIndex& idx = index(id);
        const ValueFilter* vf = valueFilter(id);
        const QString contains = filterText(id);
        Test test{&idx, std::vector<std::uint8_t>(idx.idCount(), 0)};
        for (std::uint32_t valueId = 0; valueId < idx.idCount(); ++valueId) {
            const CellValue v = idx.value(rows, valueId);
            const QString t = format_.text(v);
            bool ok = true;
            if (vf)
                ok = isBlank(v) ? vf->blanks : vf->values.contains(t);
            if (ok && !contains.isEmpty())
                ok = t.contains(contains, Qt::CaseInsensitive);
            test.pass[valueId] = ok ? 1 : 0;
        }
        tests.push_back(std::move(test));
    }

    if (tests.empty()) {
        rows_.resize(static_cast<std::size_t>(n));
        std::iota(rows_.begin(), rows_.end(), 0);
        return;
    }
    rows_.reserve(static_cast<std::size_t>(n));
    for (int row = 0; row < n; ++row) {
        bool ok = true;
        for (const Test& t : tests)
            if (!t.pass[t.index->id(row)]) {
                ok = false;
                break;
            }
        if (ok)
            rows_.push_back(row);
    }
    rows_.shrink_to_fit();
}

void ViewState::sortRows() const
{
    // Grouping columns sort first (in their own sort order, ascending unless
    // given), then the other sort keys.
    std::vector<SortKey> keys;
    for (int id : grouping_)
        keys.push_back(SortKey{id, sortOrder(id).value_or(SortOrder::Ascending)});
    for (const SortKey& k : sortKeys_)
        if (std::find(grouping_.begin(), grouping_.end(), k.column) == grouping_.end())
            keys.push_back(k);
    if (keys.empty() || rows_.size() < 2)
        return;

    // Least significant key first: each pass is a stable counting sort on the
    // key's ranks, so together they sort by all keys and keep the dataset's
    // order among equal rows.
    const db::RowStore& rows = *store();
    std::vector<std::int32_t> sorted(rows_.size());
    std::vector<std::uint32_t> counts;
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) {
        ColumnIndex& idx = index(k->column);
        const std::vector<std::uint32_t>& ranks = idx.ranks(rows, collationLocale_);
        const auto top = static_cast<std::uint32_t>(ranks.size() - 1);
        const bool descending = k->order == SortOrder::Descending;
        auto key = [&](std::int32_t row) {
            const std::uint32_t r = ranks[idx.id(row)];
            return descending ? top - r : r;
        };
        counts.assign(ranks.size() + 1, 0);
        for (std::int32_t row : rows_)
            ++counts[key(row) + 1];
        std::partial_sum(counts.begin(), counts.end(), counts.begin());
        for (std::int32_t row : rows_)
            sorted[counts[key(row)]++] = row;
        rows_.swap(sorted);
    }
}

void ViewState::buildGroups(int level, std::int32_t begin, std::int32_t end) const
{
    const ColumnIndex& idx = index(grouping_[static_cast<std::size_t>(level)]);
    const bool innermost = level + 1 == static_cast<int>(grouping_.size());
    std::int32_t i = begin;
    while (i < end) {
        const std::uint32_t id = idx.id(rows_[static_cast<std::size_t>(i)]);
        std::int32_t j = i + 1;
        while (j < end && idx.id(rows_[static_cast<std::size_t>(j)]) == id)
            ++j;
        const std::size_t node = groups_.size();
        groups_.push_back(GroupNode{i, j, 0, static_cast<std::int16_t>(level), expandedByDefault_});
        if (!innermost)
            buildGroups(level + 1, i, j);
        groups_[node].subtreeEnd = static_cast<std::int32_t>(groups_.size());
        i = j;
    }
}

void ViewState::markExpansion() const
{
    if (toggledGroups_.empty())
        return;
    for (std::size_t node = 0; node < groups_.size(); ++node)
        if (toggledGroups_.contains(groupPath(node)))
            groups_[node].expanded = !expandedByDefault_;
}

std::vector<db::Value> ViewState::groupPath(std::size_t node) const
{
    // The group's values from the outermost level in; all groups on the path
    // share the group's first row.
    const std::int32_t row = rows_[static_cast<std::size_t>(groups_[node].begin)];
    std::vector<db::Value> path;
    for (int level = 0; level <= groups_[node].level; ++level)
        path.push_back(toValue(columnValue(row, grouping_[static_cast<std::size_t>(level)])));
    return path;
}

void ViewState::rebuildShown() const
{
    shown_.clear();
    if (grouping_.empty())
        return;
    const auto innermost = static_cast<std::int16_t>(grouping_.size() - 1);
    std::size_t node = 0;
    while (node < groups_.size()) {
        const GroupNode& g = groups_[node];
        shown_.push_back(-static_cast<std::int32_t>(node) - 1);
        if (!g.expanded) {
            node = static_cast<std::size_t>(g.subtreeEnd);
            continue;
        }
        if (g.level == innermost)
            for (std::int32_t p = g.begin; p < g.end; ++p)
                shown_.push_back(p);
        ++node;
    }
    shown_.shrink_to_fit();
}

// ---- The shown sequence ----

int ViewState::rowCount() const
{
    ensure();
    return static_cast<int>(grouping_.empty() ? rows_.size() : shown_.size());
}

bool ViewState::isGroupRow(int shownRow) const
{
    ensure();
    return !grouping_.empty() && shown_[static_cast<std::size_t>(shownRow)] < 0;
}

int ViewState::datasetRow(int shownRow) const
{
    ensure();
    if (grouping_.empty())
        return rows_[static_cast<std::size_t>(shownRow)];
    const std::int32_t entry = shown_[static_cast<std::size_t>(shownRow)];
    return entry < 0 ? -1 : rows_[static_cast<std::size_t>(entry)];
}

GroupRow ViewState::groupOf(std::size_t node) const
{
    const GroupNode& g = groups_[node];
    GroupRow r;
    r.column = grouping_[static_cast<std::size_t>(g.level)];
    r.level = g.level;
    r.count = g.end - g.begin;
    r.firstRow = rows_[static_cast<std::size_t>(g.begin)];
    r.value = columnValue(r.firstRow, r.column);
    r.expanded = g.expanded;
    return r;
}

GroupRow ViewState::groupRow(int shownRow) const
{
    if (!isGroupRow(shownRow))
        return {};
    return groupOf(static_cast<std::size_t>(-shown_[static_cast<std::size_t>(shownRow)] - 1));
}

int ViewState::shownRowOf(int datasetRow) const
{
    ensure();
    const auto it = std::find(rows_.begin(), rows_.end(), datasetRow);
    if (it == rows_.end())
        return -1;
    const auto pos = static_cast<std::int32_t>(it - rows_.begin());
    if (grouping_.empty())
        return pos;
    int best = -1;
    for (std::size_t s = 0; s < shown_.size(); ++s) {
        const std::int32_t entry = shown_[s];
        if (entry >= 0) {
            if (entry == pos)
                return static_cast<int>(s);
            continue;
        }
        const GroupNode& g = groups_[static_cast<std::size_t>(-entry - 1)];
        if (g.begin > pos)
            break;
        if (pos < g.end)
            best = static_cast<int>(s);
    }
    return best;
}

int ViewState::filteredRowCount() const
{
    ensure();
    return static_cast<int>(rows_.size());
}

CellValue ViewState::columnValue(int datasetRow, int id) const
{
    const db::RowStore* rows = store();
    const Column& c = columns_[static_cast<std::size_t>(id)];
    if (!rows || datasetRow < 0 || datasetRow >= rows->rowCount())
        return {};
    return readCell(*rows, datasetRow, c.field, c.kind);
}

void ViewState::visitAllExpanded(SequenceVisitor& visitor) const
{
    ensure();
    if (grouping_.empty()) {
        for (std::int32_t row : rows_)
            visitor.dataRow(row);
        return;
    }
    const auto innermost = static_cast<std::int16_t>(grouping_.size() - 1);
    for (std::size_t node = 0; node < groups_.size(); ++node) {
        GroupRow g = groupOf(node);
        g.expanded = true;
        visitor.groupRow(g);
        if (groups_[node].level == innermost)
            for (std::int32_t p = groups_[node].begin; p < groups_[node].end; ++p)
                visitor.dataRow(rows_[static_cast<std::size_t>(p)]);
    }
}

std::size_t ViewState::bytesUsed() const
{
    std::size_t total = rows_.capacity() * sizeof(std::int32_t) + shown_.capacity() * sizeof(std::int32_t)
        + groups_.capacity() * sizeof(GroupNode);
    for (const auto& [field, idx] : indexes_)
        total += idx->bytesUsed();
    return total;
}

} // namespace grid
