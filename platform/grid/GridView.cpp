#include "GridView.h"

#include "FilterBar.h"
#include "GridDelegate.h"
#include "GridHeader.h"
#include "GridIndicator.h"
#include "GridModel.h"
#include "GridTable.h"
#include "GroupByBox.h"
#include "NavigatorBar.h"
#include "ValueFilterPopup.h"

#include <QMenu>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace grid {

namespace {

// Sets a flag for the length of a scope, also when the scope throws.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

GridView::GridView(QWidget* parent)
    : QWidget(parent),
      model_(new GridModel(state_, this)),
      groupBox_(new GroupByBox(state_, sheet_, this, this)),
      table_(new GridTable(*model_, sheet_, this)),
      header_(new GridHeader(state_, sheet_, this, table_)),
      indicator_(new GridIndicator(sheet_, table_)),
      filterBar_(new FilterBar(sheet_, this)),
      navigator_(new NavigatorBar(this))
{
    groupBox_->setObjectName(QStringLiteral("groupByBox"));
    table_->setObjectName(QStringLiteral("gridTable"));
    filterBar_->setObjectName(QStringLiteral("filterBar"));
    navigator_->setObjectName(QStringLiteral("navigator"));

    table_->setHorizontalHeader(header_);
    table_->setVerticalHeader(indicator_);
    table_->setModel(model_);
    table_->setItemDelegate(new GridDelegate(sheet_, table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setCornerButtonEnabled(false);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Every row has the same height, so the table never measures rows.
    indicator_->setSectionResizeMode(QHeaderView::Fixed);
    indicator_->hide();
    header_->setStretchLastSection(false);
    setFocusProxy(table_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(groupBox_);
    layout->addWidget(table_, 1);
    layout->addWidget(filterBar_);
    layout->addWidget(navigator_);
    navigator_->hide();

    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { onCurrentRowChanged(current); });
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this] { updateNavigator(); });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { updateNavigator(); });
    connect(header_, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!applyingWidths_ && logical < state_.visibleColumnCount())
            state_.setColumnWidth(state_.visibleColumn(logical), size);
    });
    connect(header_, &GridHeader::sortClicked, this, &GridView::sortClick);
    connect(header_, &GridHeader::filterButtonClicked, this, [this](int v) { showValueFilter(v); });
    connect(header_, &GridHeader::filterTextEdited, this, &GridView::setFilterText);
    connect(header_, &GridHeader::columnDropped, this, &GridView::headerDrop);
    connect(header_, &GridHeader::menuRequested, this,
            [this](int v, const QPoint& pos) { showColumnMenu(state_.visibleColumn(v), pos); });
    connect(groupBox_, &GroupByBox::columnDropped, this, &GridView::groupBoxDrop);
    connect(groupBox_, &GroupByBox::buttonClicked, this, &GridView::toggleGroupOrder);
    connect(groupBox_, &GroupByBox::menuRequested, this, &GridView::showColumnMenu);
    connect(filterBar_, &FilterBar::clearRequested, this, &GridView::clearFilter);
    connect(navigator_, &NavigatorBar::firstClicked, this, [this] { setFocusedRow(0); });
    connect(navigator_, &NavigatorBar::priorClicked, this, [this] { setFocusedRow(std::max(0, focusedRow() - 1)); });
    connect(navigator_, &NavigatorBar::nextClicked, this, [this] { setFocusedRow(focusedRow() + 1); });
    connect(navigator_, &NavigatorBar::lastClicked, this, [this] { setFocusedRow(model_->rowCount() - 1); });

    applyStyle();
}

GridView::~GridView()
{
    detach();
    // The parts read the view state and the style sheet, which are members of
    // this class: they must go before the members do, not afterwards in
    // QWidget's destructor (hiding them there still runs their handlers).
    delete table_;
    delete groupBox_;
    delete filterBar_;
    delete navigator_;
    delete model_;
}

void GridView::detach()
{
    if (dataset_ && listener_)
        dataset_->unsubscribe(listener_);
    listener_ = 0;
    dataset_ = nullptr;
}

// ---- Configuration ----

void GridView::setColumns(std::vector<ColumnDef> columns)
{
    apply([&](ViewState& s) { s.setColumns(std::move(columns)); });
}

void GridView::setDataSource(db::DataSource* source)
{
    db::Dataset* dataset = source ? source->dataset : nullptr;
    apply([&](ViewState& s) { s.setDataset(dataset); });
    detach();
    source_ = source;
    dataset_ = dataset;
    if (dataset_)
        listener_ = dataset_->subscribe([this](db::Dataset::Event event, int row) { onDatasetEvent(event, row); });
    apply([](ViewState&) {});
}

void GridView::setTableStyleSheet(std::optional<TableViewStyleSheet> sheet)
{
    sheet_ = std::move(sheet);
    applyStyle();
}

void GridView::setDisplayLocale(const QLocale& locale)
{
    apply([&](ViewState& s) { s.setLocale(locale); });
}

void GridView::setGroupByBoxVisible(bool visible) { groupBox_->setVisible(visible); }

void GridView::setFilterRowVisible(bool visible) { header_->setFilterRowVisible(visible); }

bool GridView::filterRowVisible() const { return header_->filterRowVisible(); }

void GridView::setIndicatorVisible(bool visible) { indicator_->setVisible(visible); }

void GridView::setNavigatorVisible(bool visible) { navigator_->setVisible(visible); }

void GridView::applyStyle()
{
    QFont content = font();
    QFont headerFont = font();
    QPalette tablePalette = palette();
    int rowHeight = QFontMetrics(content).height();
    if (sheet_) {
        if (sheet_->content && sheet_->content->font)
            content = *sheet_->content->font;
        for (const auto* s : {&sheet_->content, &sheet_->contentEven, &sheet_->contentOdd, &sheet_->selection,
                              &sheet_->inactive, &sheet_->group})
            if (*s && (*s)->font)
                rowHeight = std::max(rowHeight, QFontMetrics(*(*s)->font).height());
        if (sheet_->header && sheet_->header->font)
            headerFont = *sheet_->header->font;
        if (sheet_->background && sheet_->background->color)
            tablePalette.setColor(QPalette::Base, *sheet_->background->color);
    }
    rowHeight = std::max(rowHeight, QFontMetrics(content).height()) + 4;
    table_->setFont(content);
    table_->setPalette(tablePalette);
    header_->setFont(headerFont);
    indicator_->setMinimumSectionSize(1);
    indicator_->setDefaultSectionSize(rowHeight);
    filterBar_->applyStyle();
    groupBox_->updateGeometry();
    groupBox_->update();
    header_->viewport()->update();
    indicator_->viewport()->update();
    table_->viewport()->update();
}

// ---- Changes of the view state ----

void GridView::apply(const std::function<void(ViewState&)>& change)
{
    const int column = std::max(0, table_->currentIndex().column());
    try {
        model_->change(change);
    } catch (...) {
        afterReset(column);
        throw;
    }
    afterReset(column);
}

void GridView::afterReset(int column)
{
    applyColumnWidths();
    header_->syncFilterEditors();
    header_->viewport()->update();
    groupBox_->update();
    filterBar_->setDescription(state_.filterDescription());

    int target = -1;
    if (dataset_ && dataset_->active() && dataset_->recNo() >= 0)
        target = state_.shownRowOf(dataset_->recNo());
    if (target < 0 && model_->rowCount() > 0)
        target = 0;
    if (target >= 0)
        setCurrentRow(target, std::min(column, std::max(0, model_->columnCount() - 1)));
    updateNavigator();
}

void GridView::applyColumnWidths()
{
    FlagScope scope(applyingWidths_);
    for (int i = 0; i < state_.visibleColumnCount() && i < header_->count(); ++i)
        header_->resizeSection(i, state_.columnWidth(state_.visibleColumn(i)));
}

void GridView::sortClick(int visibleIndex, Qt::KeyboardModifiers modifiers)
{
    if (visibleIndex < 0 || visibleIndex >= state_.visibleColumnCount())
        return;
    const int id = state_.visibleColumn(visibleIndex);
    const std::optional<SortOrder> current = state_.sortOrder(id);
    const SortOrder next = current == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
    if (modifiers & Qt::ControlModifier)
        apply([&](ViewState& s) { s.removeSortKey(id); });
    else if (modifiers & Qt::ShiftModifier)
        apply([&](ViewState& s) { s.addSortKey(id, next); });
    else
        apply([&](ViewState& s) { s.sortBy(id, next); });
}

void GridView::clearSorting()
{
    apply([](ViewState& s) { s.clearSorting(); });
}

void GridView::setValueFilter(int columnId, const ValueFilter& filter)
{
    apply([&](ViewState& s) { s.setValueFilter(columnId, filter); });
}

void GridView::setFilterText(int columnId, const QString& text)
{
    apply([&](ViewState& s) { s.setFilterText(columnId, text); });
}

void GridView::clearFilter()
{
    apply([](ViewState& s) { s.clearFilter(); });
}

void GridView::groupBy(int columnId, int level)
{
    apply([&](ViewState& s) { s.groupBy(columnId, level); });
}

void GridView::ungroup(int columnId)
{
    apply([&](ViewState& s) { s.ungroup(columnId); });
}

void GridView::moveColumn(int columnId, int visibleIndex)
{
    apply([&](ViewState& s) { s.moveColumn(columnId, visibleIndex); });
}

void GridView::expandAll()
{
    apply([](ViewState& s) { s.expandAll(); });
}

void GridView::collapseAll()
{
    apply([](ViewState& s) { s.collapseAll(); });
}

bool GridView::setExpanded(int row, bool expanded) { return model_->setExpanded(row, expanded); }

void GridView::headerDrop(int columnId, bool fromGroupBox, int insertBefore)
{
    const int from = state_.visibleIndexOf(columnId);
    if (from < 0 || fromGroupBox) {
        apply([&](ViewState& s) {
            s.ungroup(columnId);
            s.moveColumn(columnId, insertBefore);
        });
        return;
    }
    const int to = insertBefore > from ? insertBefore - 1 : insertBefore;
    if (to != from)
        moveColumn(columnId, to);
}

void GridView::groupBoxDrop(int columnId, bool fromGroupBox, int level)
{
    const std::vector<int>& grouping = state_.groupColumns();
    const auto it = std::find(grouping.begin(), grouping.end(), columnId);
    if (fromGroupBox && it != grouping.end()) {
        const int from = static_cast<int>(it - grouping.begin());
        const int to = level > from ? level - 1 : level;
        if (to == from)
            return;
        level = to;
    }
    groupBy(columnId, level);
}

void GridView::toggleGroupOrder(int level)
{
    const int id = state_.groupColumns()[static_cast<std::size_t>(level)];
    const SortOrder next =
        state_.sortOrder(id).value_or(SortOrder::Ascending) == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
    apply([&](ViewState& s) { s.addSortKey(id, next); });
}

// ---- Menus and drop-downs ----

QMenu* GridView::createColumnMenu(int columnId, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const std::vector<int>& grouping = state_.groupColumns();
    const bool grouped = columnId >= 0 && std::find(grouping.begin(), grouping.end(), columnId) != grouping.end();
    menu->addAction(QStringLiteral("Group by this column"), this, [this, columnId] { groupBy(columnId); })
        ->setEnabled(columnId >= 0 && !grouped);
    menu->addAction(QStringLiteral("Remove from grouping"), this, [this, columnId] { ungroup(columnId); })->setEnabled(grouped);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Expand all"), this, [this] { expandAll(); })->setEnabled(!grouping.empty());
    menu->addAction(QStringLiteral("Collapse all"), this, [this] { collapseAll(); })->setEnabled(!grouping.empty());
    menu->addSeparator();
    menu->addAction(QStringLiteral("Clear sorting"), this, [this] { clearSorting(); })->setEnabled(!state_.sortKeys().empty());
    menu->addAction(QStringLiteral("Clear filter"), this, [this] { clearFilter(); })->setEnabled(state_.hasFilter());
    return menu;
}

void GridView::showColumnMenu(int columnId, const QPoint& globalPos)
{
    QMenu* menu = createColumnMenu(columnId, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

ValueFilterPopup* GridView::showValueFilter(int visibleIndex)
{
    if (visibleIndex < 0 || visibleIndex >= state_.visibleColumnCount())
        return nullptr;
    const int id = state_.visibleColumn(visibleIndex);
    auto* popup = new ValueFilterPopup(state_.filterChoices(id), state_.valueFilter(id), this);
    connect(popup, &ValueFilterPopup::filterChanged, this, [this, id](const ValueFilter& f) { setValueFilter(id, f); });
    connect(popup, &ValueFilterPopup::clearRequested, this, [this, id] { setValueFilter(id, {}); });
    const QRect label = header_->labelRect(visibleIndex);
    popup->move(header_->viewport()->mapToGlobal(label.bottomLeft()));
    popup->show();
    return popup;
}

// ---- The focused row ----

int GridView::focusedRow() const { return table_->currentIndex().row(); }

void GridView::setFocusedRow(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    setCurrentRow(row, std::max(0, table_->currentIndex().column()));
}

void GridView::setCurrentRow(int row, int column)
{
    const QModelIndex index = model_->index(row, column);
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

void GridView::onCurrentRowChanged(const QModelIndex& current)
{
    indicator_->setFocusedRow(current.row());
    updateNavigator();
    if (syncing_ || !dataset_ || !current.isValid())
        return;
    const int row = state_.datasetRow(current.row());
    if (row < 0 || row == dataset_->recNo())
        return;
    FlagScope scope(syncing_);
    dataset_->setRecNo(row);
}

void GridView::onDatasetEvent(db::Dataset::Event event, int row)
{
    if (event == db::Dataset::Event::Destroyed) {
        // The dataset is going: show nothing rather than read freed rows.
        setDataSource(nullptr);
        return;
    }
    if (event == db::Dataset::Event::CurrentChanged) {
        if (syncing_)
            return;
        const int shown = state_.shownRowOf(row);
        if (shown >= 0) {
            FlagScope scope(syncing_);
            setCurrentRow(shown, std::max(0, table_->currentIndex().column()));
        }
        return;
    }
    apply([](ViewState& s) { s.dataChanged(); });
}

void GridView::updateNavigator() { navigator_->setPosition(table_->currentIndex().row(), model_->rowCount()); }

} // namespace grid
