#include "GridTestData.h"

#include "db/DbError.h"
#include "grid/ViewState.h"

#include <QCollator>
#include <QtTest>

#include <set>

using gridtest::exportedLines;
using gridtest::shownDataRows;
using gridtest::shownLines;

Q_DECLARE_METATYPE(std::vector<int>)
Q_DECLARE_METATYPE(grid::SortOrder)

namespace {

enum Col { Conta, Partener, Valoare, DataDoc, NrCrt };

class ViewStateTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<db::MemoryDataset> ds;
    std::unique_ptr<grid::ViewState> state;

    void expectRows(const std::vector<int>& expected)
    {
        const std::vector<int> actual = shownDataRows(*state);
        QCOMPARE(actual, expected);
    }

    // The export gives the same rows as the view once every group is open.
    void expectExportMatchesView()
    {
        const QStringList exported = exportedLines(*state);
        state->expandAll();
        QCOMPARE(exported, shownLines(*state));
    }

private slots:
    void init()
    {
        ds = gridtest::ledgerDataset();
        state = std::make_unique<grid::ViewState>();
        state->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        state->setColumns(gridtest::ledgerColumns());
        state->setDataset(ds.get());
    }

    void showsDatasetOrderUntilToldOtherwise()
    {
        expectRows({0, 1, 2, 3, 4, 5, 6});
        QCOMPARE(state->visibleColumnCount(), 5);
        QCOMPARE(state->text(state->value(0, Valoare)), QStringLiteral("10.5"));
        QCOMPARE(state->text(state->value(0, DataDoc)), QStringLiteral("3/2/25"));
        QVERIFY(grid::isNull(state->value(2, Partener)));
        QCOMPARE(state->columnWidth(Conta), 61);
        QCOMPARE(state->columnWidth(Partener), grid::ViewState::defaultColumnWidth);
        expectExportMatchesView();
    }

    void sortsOneColumnByItsType_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<grid::SortOrder>("order");
        QTest::addColumn<std::vector<int>>("rows");
        const auto asc = grid::SortOrder::Ascending;
        const auto desc = grid::SortOrder::Descending;
        // Collation puts "alfa" beside "Alfa"; bytes would put every capital first.
        QTest::newRow("text asc, null then empty first") << int(Partener) << asc << std::vector<int>{2, 4, 5, 1, 0, 6, 3};
        QTest::newRow("text desc") << int(Partener) << desc << std::vector<int>{3, 6, 0, 1, 5, 4, 2};
        // As numbers 9 < 10.5 < 100; equal amounts keep the dataset's order.
        QTest::newRow("number asc") << int(Valoare) << asc << std::vector<int>{2, 4, 1, 5, 6, 0, 3};
        QTest::newRow("number desc") << int(Valoare) << desc << std::vector<int>{3, 0, 6, 1, 5, 4, 2};
        // As dates, not as the text "12/31/24" that would sort after "1/15/25".
        QTest::newRow("date asc") << int(DataDoc) << asc << std::vector<int>{2, 3, 1, 6, 5, 0, 4};
        QTest::newRow("integer desc") << int(NrCrt) << desc << std::vector<int>{6, 5, 4, 3, 2, 1, 0};
    }

    void sortsOneColumnByItsType()
    {
        QFETCH(int, column);
        QFETCH(grid::SortOrder, order);
        QFETCH(std::vector<int>, rows);
        state->sortBy(column, order);
        expectRows(rows);
        expectExportMatchesView();
    }

    void sortsByTwoColumns()
    {
        state->sortBy(Conta, grid::SortOrder::Ascending);
        state->addSortKey(Valoare, grid::SortOrder::Descending);
        expectRows({3, 1, 5, 0, 6, 2, 4});
        expectExportMatchesView();

        // Changing the first key's direction keeps the second key.
        state->addSortKey(Conta, grid::SortOrder::Descending);
        expectRows({4, 0, 6, 2, 3, 1, 5});
        QCOMPARE(state->sortKeys().size(), std::size_t(2));

        state->removeSortKey(Conta);
        expectRows({3, 0, 6, 1, 5, 4, 2});

        state->sortBy(NrCrt, grid::SortOrder::Descending);
        QCOMPARE(state->sortKeys(), (std::vector<grid::SortKey>{{NrCrt, grid::SortOrder::Descending}}));
        state->clearSorting();
        expectRows({0, 1, 2, 3, 4, 5, 6});
    }

    void filtersByDisplayedValuesWithBlanks()
    {
        QCOMPARE(state->filterChoices(Partener), (QStringList{"alfa", "Alfa", "beta", "Beta", "Gamma"}));
        QCOMPARE(state->filterChoices(Valoare), (QStringList{"-7.25", "2", "9", "10.5", "100"}));
        QCOMPARE(state->filterChoices(DataDoc), (QStringList{"12/31/24", "1/15/25", "2/1/25", "3/2/25"}));

        state->setValueFilter(Partener, {{"Alfa", "beta"}, false});
        expectRows({0, 1});
        QCOMPARE(state->filterDescription(), QStringLiteral("partener is one of Alfa, beta"));
        expectExportMatchesView();

        // Blanks are the null partner and the empty one.
        state->setValueFilter(Partener, {{"Alfa", "beta"}, true});
        expectRows({0, 1, 2, 4});
        QCOMPARE(state->filterDescription(), QStringLiteral("partener is one of Alfa, beta or blank"));
        state->setValueFilter(Partener, {{}, true});
        expectRows({2, 4});
        QCOMPARE(state->filterDescription(), QStringLiteral("partener is blank"));

        // A number is chosen by its display text; both rows holding 2 pass.
        state->setValueFilter(Valoare, {{"2"}, false});
        expectRows({});
        state->setValueFilter(Partener, {});
        expectRows({1, 5});
        QCOMPARE(state->filterDescription(), QStringLiteral("valoare is 2"));
        state->setValueFilter(DataDoc, {{"1/15/25"}, false});
        expectRows({1});

        state->clearFilter();
        QVERIFY(!state->hasFilter());
        QCOMPARE(state->filterDescription(), QString());
        expectRows({0, 1, 2, 3, 4, 5, 6});
    }

    void filterRowMatchesTextIgnoringCase()
    {
        state->setFilterText(Partener, "ALF");
        expectRows({1, 5});
        QCOMPARE(state->filterDescription(), QStringLiteral("partener contains \"ALF\""));

        // Amounts match by their display text: "2" is in "2" and in "-7.25".
        state->setFilterText(Partener, QString());
        state->setFilterText(Valoare, "2");
        expectRows({1, 4, 5});
        state->setFilterText(Conta, "02");
        expectRows({});
        state->setFilterText(Valoare, QString());
        expectRows({0, 2, 6});
        expectExportMatchesView();
    }

    void filterStaysInForceWhenTheRowsAreReadAgain()
    {
        state->setFilterText(Partener, "beta");
        state->sortBy(NrCrt, grid::SortOrder::Descending);
        expectRows({6, 0});
        ds->appendRow({std::string("401.09"), std::string("Betania"), 1.0, db::Value{}, std::int64_t{8}});
        ds->refresh();
        state->dataChanged();
        expectRows({7, 6, 0});
        ds->close();
        state->dataChanged();
        QCOMPARE(state->rowCount(), 0);
        QCOMPARE(state->filterText(Partener), QStringLiteral("beta"));
    }

    void groupsOnOneLevelWithCounts()
    {
        state->sortBy(Valoare, grid::SortOrder::Descending);
        state->groupBy(Conta);
        // The grouped column leaves the visible columns; groups start collapsed.
        QCOMPARE(state->visibleColumnCount(), 4);
        QCOMPARE(state->visibleColumn(0), int(Partener));
        QCOMPARE(shownLines(*state), (QStringList{"G0 conta=401.01 (3)", "G0 conta=401.02 (3)", "G0 conta=401.03 (1)"}));

        QVERIFY(state->setExpanded(1, true));
        QVERIFY(!state->setExpanded(1, true));
        QCOMPARE(shownLines(*state),
                 (QStringList{"G0 conta=401.01 (3)", "G0 conta=401.02 (3)", "R0", "R6", "R2", "G0 conta=401.03 (1)"}));
        QCOMPARE(state->shownRowOf(6), 3);
        QCOMPARE(state->shownRowOf(5), 0); // inside the collapsed first group

        // The open group stays open when the rows are sorted again.
        state->sortBy(NrCrt, grid::SortOrder::Descending);
        QCOMPARE(shownLines(*state),
                 (QStringList{"G0 conta=401.01 (3)", "G0 conta=401.02 (3)", "R6", "R2", "R0", "G0 conta=401.03 (1)"}));

        const QStringList exported = exportedLines(*state);
        QCOMPARE(exported, (QStringList{"G0 conta=401.01 (3)", "R5", "R3", "R1", "G0 conta=401.02 (3)", "R6", "R2", "R0",
                                        "G0 conta=401.03 (1)", "R4"}));
        state->collapseAll();
        QCOMPARE(state->rowCount(), 3);
        expectExportMatchesView();

        // The group order follows the grouping column's own sort order.
        state->addSortKey(Conta, grid::SortOrder::Descending);
        QCOMPARE(state->groupRow(0).value, grid::CellValue(std::string_view("401.03")));

        state->ungroup(Conta);
        QCOMPARE(state->visibleColumn(0), int(Conta));
        QCOMPARE(state->rowCount(), 7);
    }

    void groupsOnTwoLevelsWithCounts()
    {
        state->groupBy(Conta);
        state->groupBy(DataDoc);
        state->setFilterText(Partener, "a"); // drops the null partner of row 2
        QCOMPARE(exportedLines(*state),
                 (QStringList{"G0 conta=401.01 (3)", "G1 data_doc=12/31/24 (1)", "R3", "G1 data_doc=1/15/25 (1)", "R1",
                              "G1 data_doc=2/1/25 (1)", "R5", "G0 conta=401.02 (2)", "G1 data_doc=1/15/25 (1)", "R6",
                              "G1 data_doc=3/2/25 (1)", "R0"}));
        QCOMPARE(state->rowCount(), 2);
        QVERIFY(state->setExpanded(1, true));
        QCOMPARE(shownLines(*state),
                 (QStringList{"G0 conta=401.01 (3)", "G0 conta=401.02 (2)", "G1 data_doc=1/15/25 (1)",
                              "G1 data_doc=3/2/25 (1)"}));
        const grid::GroupRow inner = state->groupRow(3);
        QCOMPARE(inner.level, 1);
        QCOMPARE(inner.column, int(DataDoc));
        QCOMPARE(inner.value, grid::CellValue(db::dateFromCivil(2025, 3, 2)));
        QCOMPARE(inner.count, 1);

        // Moving DataDoc to the outer level regroups from scratch.
        state->groupBy(DataDoc, 0);
        QCOMPARE(state->groupColumns(), (std::vector<int>{DataDoc, Conta}));
        QCOMPARE(state->rowCount(), 4);
        QCOMPARE(state->groupRow(1).count, 2); // 1/15/25 holds rows 1 and 6
        expectExportMatchesView();
    }

    void movesColumnsEverywhere()
    {
        state->moveColumn(Valoare, 0);
        QCOMPARE(state->visibleColumn(0), int(Valoare));
        QCOMPARE(state->visibleColumn(1), int(Conta));
        QCOMPARE(state->value(3, 0), grid::CellValue(100.0));
        state->moveColumn(Valoare, 4);
        QCOMPARE(state->visibleColumn(4), int(Valoare));
        QCOMPARE(state->visibleColumn(3), int(NrCrt));

        // A grouped column comes back to where it stood among the others.
        state->moveColumn(Partener, 0);
        state->groupBy(DataDoc);
        state->moveColumn(NrCrt, 0);
        state->ungroup(DataDoc);
        std::vector<int> order;
        for (int i = 0; i < state->visibleColumnCount(); ++i)
            order.push_back(state->visibleColumn(i));
        QCOMPARE(order, (std::vector<int>{NrCrt, Partener, Conta, DataDoc, Valoare}));
    }

    void exportGivesTypedValuesInScreenOrder()
    {
        state->moveColumn(DataDoc, 0);
        state->setValueFilter(Conta, {{"401.03"}, false});
        struct Cells : grid::SequenceVisitor {
            const grid::ViewState* s = nullptr;
            std::vector<grid::CellValue> cells;
            void groupRow(const grid::GroupRow&) override { QFAIL("no grouping"); }
            void dataRow(int row) override
            {
                for (int i = 0; i < s->visibleColumnCount(); ++i)
                    cells.push_back(s->value(row, i));
            }
        } v;
        v.s = state.get();
        state->visitAllExpanded(v);
        const std::vector<grid::CellValue> expected{db::dateFromCivil(2025, 3, 2), std::string_view("401.03"),
                                                    std::string_view(""), -7.25, std::int64_t{5}};
        QVERIFY(v.cells == expected);
    }

    void shownRowOfFilteredRowIsNone()
    {
        state->setValueFilter(Conta, {{"401.01"}, false});
        QCOMPARE(state->shownRowOf(0), -1);
        QCOMPARE(state->shownRowOf(5), 2);
        QCOMPARE(state->filteredRowCount(), 3);
    }

    // Past a few tens of thousands of distinct values numbers are ranked by
    // sorting and texts collated on two threads; the order must not change.
    void largeColumnsSortLikeSmallOnes()
    {
        db::MemoryDataset big("dsBig");
        big.addField({"amount", db::FieldKind::Float});
        big.addField({"name", db::FieldKind::WideString, 40});
        big.open();
        const int n = 90'000;
        std::uint32_t seed = 7;
        auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
        for (int i = 0; i < n; ++i) {
            const std::uint32_t r = next();
            db::Value amount;
            if (r % 97 != 0)
                amount = static_cast<double>(r % 1'000'000) / 8.0 - 3000.0; // about 86,000 distinct
            const char* prefixes[] = {"Alfa", "alfa", "Beta", "\xC8\x98" "coala", "Scoala", "zeta"}; // "Școala"
            db::Value name;
            if (r % 89 != 0)
                name = std::string(prefixes[(r >> 8) % 6]) + " " + std::to_string(r % 40'000);
            big.appendRow({amount, name});
        }
        big.refresh();
        grid::ViewState s;
        const QLocale ro(QLocale::Romanian, QLocale::Romania);
        s.setLocale(ro);
        s.setColumns({{"amount", "amount", 0}, {"name", "name", 0}});
        s.setDataset(&big);

        std::vector<grid::CellValue> amounts(n);
        for (int row = 0; row < n; ++row)
            amounts[row] = s.columnValue(row, 0);
        auto number = [&](int row) { return std::get_if<double>(&amounts[row]); };
        s.sortBy(0, grid::SortOrder::Ascending);
        std::vector<int> rows = shownDataRows(s);
        QCOMPARE(int(rows.size()), n);
        for (int i = 1; i < n; ++i) {
            const double* a = number(rows[i - 1]);
            const double* b = number(rows[i]);
            const bool inOrder = !b ? !a && rows[i - 1] < rows[i] // nulls first, in dataset order
                                    : !a || *a < *b || (*a == *b && rows[i - 1] < rows[i]);
            if (!inOrder)
                QFAIL(qPrintable(QStringLiteral("amounts out of order at %1").arg(i)));
        }
        s.groupBy(0);
        std::set<double> distinct;
        for (int row = 0; row < n; ++row)
            if (const double* v = number(row))
                distinct.insert(*v);
        QCOMPARE(s.rowCount(), int(distinct.size()) + 1); // one group per amount, and the blanks

        s.clearGrouping();
        s.sortBy(1, grid::SortOrder::Descending);
        rows = shownDataRows(s);
        QCollator collator(ro);
        for (int i = 1; i < n; ++i) {
            const grid::CellValue va = s.columnValue(rows[i - 1], 1);
            const grid::CellValue vb = s.columnValue(rows[i], 1);
            const auto* a = std::get_if<std::string_view>(&va);
            const auto* b = std::get_if<std::string_view>(&vb);
            if (!b)
                continue; // nulls last when descending
            QVERIFY2(a, "a null before a text in descending order");
            const int c = collator.compare(QString::fromUtf8(a->data(), a->size()), QString::fromUtf8(b->data(), b->size()));
            if (c < 0 || (c == 0 && *a == *b && rows[i - 1] > rows[i]))
                QFAIL(qPrintable(QStringLiteral("names out of order at %1").arg(i)));
        }
        QVERIFY(std::holds_alternative<std::monostate>(s.columnValue(rows.back(), 1)));
    }

    void unknownFieldIsReportedByName()
    {
        grid::ViewState s;
        s.setColumns({{"conta", "conta", 0}, {"nu_exista", "x", 0}});
        try {
            s.setDataset(ds.get());
            QFAIL("binding an undeclared field must fail");
        } catch (const db::DbError& e) {
            QCOMPARE(QString::fromStdString(e.what()), QStringLiteral("dsTest: Field 'nu_exista' not found"));
        }
    }
};

} // namespace

QTEST_GUILESS_MAIN(ViewStateTest)
#include "ViewStateTest.moc"
