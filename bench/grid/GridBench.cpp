// Times the grid over a million ledger-shaped rows: binding, sorting,
// grouping, filtering and scrolling, each as the operator would trigger it
// (the change, the model reset and a full repaint offscreen), and the memory
// the grid adds beside the dataset.
#include "LedgerData.h"

#include "grid/GridModel.h"
#include "grid/GridTable.h"
#include "grid/GridView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

std::size_t heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

void settle(grid::GridView& view)
{
    QApplication::processEvents();
    view.repaint();
}

void timed(const char* what, grid::GridView& view, const std::function<void()>& work)
{
    QElapsedTimer t;
    t.start();
    work();
    settle(view);
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    std::printf("%-46s %8.1f ms   %s\n", what, ms, ms < 1000 ? "" : "(over 1 s)");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1'000'000;

    std::printf("generating %d ledger rows of 36 fields...\n", rows);
    auto ds = gridbench::ledgerDataset(rows);
    db::DataSource source{"dsouFisaContAnalitic", ds.get()};
    std::printf("dataset storage: %.1f MB (%.0f bytes/row)\n\n", static_cast<double>(ds->rows().bytesUsed()) / 1e6,
                static_cast<double>(ds->rows().bytesUsed()) / rows);

    // The account sheet's 22 columns.
    const char* shown[] = {"conts",          "conta",          "data_doc",   "tip_doc",    "explicatie",
                           "partener",       "nr_doc",         "conts_coresp", "conta_coresp", "moneda",
                           "valoare_db_lei", "valoare_cr_lei", "valoare_db", "valoare_cr", "sold_final_lei",
                           "sold_final",     "tip_sold_final", "data_incep_abonament", "data_sf_abonament",
                           "data_incep",     "data_sf",        "emitent"};
    std::vector<grid::ColumnDef> columns;
    for (const char* name : shown)
        columns.push_back({name, QString::fromLatin1(name), 0});
    auto visible = [&](const char* name) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].field == name)
                return static_cast<int>(i);
        return -1;
    };

    const std::size_t heapBefore = heapInUse();
    grid::GridView view;
    view.setNavigatorVisible(true);
    view.setColumns(columns);
    view.resize(1050, 475);
    view.show();
    settle(view);

    timed("bind the loaded dataset", view, [&] { view.setDataSource(&source); });
    timed("sort by partener (20,000 distinct texts)", view, [&] { view.sortClick(visible("partener"), Qt::NoModifier); });
    timed("sort by sold_final (numbers)", view, [&] { view.sortClick(visible("sold_final"), Qt::NoModifier); });
    timed("sort by data_doc descending (dates)", view, [&] {
        view.sortClick(visible("data_doc"), Qt::NoModifier);
        view.sortClick(visible("data_doc"), Qt::NoModifier);
    });
    timed("add conta to the sort (Shift+click)", view, [&] { view.sortClick(visible("conta"), Qt::ShiftModifier); });
    timed("group by partener (20,000 groups)", view, [&] { view.groupBy(visible("partener")); });
    timed("expand all groups", view, [&] { view.expandAll(); });
    timed("value filter moneda = EUR", view, [&] { view.setValueFilter(visible("moneda"), {{"EUR"}, false}); });

    grid::GridTable* table = view.table();
    table->setFocus();
    timed("scroll a page (Page Down, repaint)", view, [&] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(table, &key);
    });
    timed("jump to the last row (Ctrl+End, repaint)", view, [&] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(table, &key);
    });

    const std::size_t heapAfter = heapInUse();
    std::printf("\nshown rows %d (data rows passing the filter %d)\n", view.model()->rowCount(),
                view.viewState().filteredRowCount());
    std::printf("memory the grid adds: %.1f bytes/row (heap growth), of which the view state %.1f bytes/row\n",
                static_cast<double>(heapAfter - heapBefore) / rows,
                static_cast<double>(view.viewState().bytesUsed()) / rows);

    std::printf("\nhigh-cardinality text sorts (beyond the goals):\n");
    timed("clear filter and grouping", view, [&] {
        view.clearFilter();
        view.ungroup(visible("partener"));
    });
    timed("sort by nr_doc (~333,000 distinct texts)", view, [&] { view.sortClick(visible("nr_doc"), Qt::NoModifier); });
    timed("sort by explicatie (~280,000 distinct texts)", view,
          [&] { view.sortClick(visible("explicatie"), Qt::NoModifier); });
    std::printf("memory after these: %.1f bytes/row\n", static_cast<double>(heapInUse() - heapBefore) / rows);
    return 0;
}
