#include "GridTestData.h"

#include "db/DbError.h"
#include "grid/ColumnDrag.h"
#include "grid/FilterBar.h"
#include "grid/GridHeader.h"
#include "grid/GridIndicator.h"
#include "grid/GridModel.h"
#include "grid/GridTable.h"
#include "grid/GridView.h"
#include "grid/GroupByBox.h"
#include "grid/NavigatorBar.h"
#include "grid/ValueFilterModel.h"
#include "grid/ValueFilterPopup.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

enum Col { Conta, Partener, Valoare, DataDoc, NrCrt };

// What the grid shows, read from its model: group rows by their label, data
// rows by their dataset row and displayed cells.
QStringList viewLines(const grid::GridView& view)
{
    const grid::GridModel& m = *view.model();
    QStringList lines;
    for (int r = 0; r < m.rowCount(); ++r) {
        if (m.data(m.index(r, 0), grid::GridModel::RowKindRole).toInt() == 1) {
            lines.push_back(QStringLiteral("G%1 %2").arg(m.data(m.index(r, 0), grid::GridModel::GroupLevelRole).toInt())
                                .arg(m.data(m.index(r, 0)).toString()));
            continue;
        }
        QStringList cells;
        for (int c = 0; c < m.columnCount(); ++c)
            cells.push_back(m.data(m.index(r, c)).toString());
        lines.push_back(QStringLiteral("R%1:%2").arg(m.data(m.index(r, 0), grid::GridModel::DatasetRowRole).toInt())
                            .arg(cells.join(QLatin1Char('|'))));
    }
    return lines;
}

QStringList viewCaptions(const grid::GridView& view)
{
    QStringList captions;
    for (int c = 0; c < view.model()->columnCount(); ++c)
        captions.push_back(view.model()->headerData(c, Qt::Horizontal).toString());
    return captions;
}

// The export's sequence, written the way the grid labels its rows.
class ExportLines : public grid::SequenceVisitor {
public:
    explicit ExportLines(const grid::ViewState& s) : s_(s)
    {
        for (int i = 0; i < s.visibleColumnCount(); ++i)
            captions.push_back(s.column(s.visibleColumn(i)).caption);
    }
    void groupRow(const grid::GroupRow& g) override
    {
        const QString value = grid::isBlank(g.value) ? QStringLiteral("(Blanks)") : s_.text(g.value);
        lines.push_back(QStringLiteral("G%1 %2: %3 (%4)").arg(g.level).arg(s_.column(g.column).caption, value).arg(g.count));
    }
    void dataRow(int row) override
    {
        QStringList cells;
        for (int i = 0; i < s_.visibleColumnCount(); ++i)
            cells.push_back(s_.text(s_.value(row, i)));
        lines.push_back(QStringLiteral("R%1:%2").arg(row).arg(cells.join(QLatin1Char('|'))));
    }
    QStringList captions;
    QStringList lines;

private:
    const grid::ViewState& s_;
};

std::vector<int> viewDataRows(const grid::GridView& view)
{
    std::vector<int> rows;
    const grid::GridModel& m = *view.model();
    for (int r = 0; r < m.rowCount(); ++r) {
        const int row = m.data(m.index(r, 0), grid::GridModel::DatasetRowRole).toInt();
        if (row >= 0)
            rows.push_back(row);
    }
    return rows;
}

grid::TableViewStyleSheet testSheet()
{
    grid::TableViewStyleSheet s;
    s.caption = "Test";
    s.background = grid::CellStyle{QColor(255, 251, 240), {}, {}};
    s.content = grid::CellStyle{QColor(217, 234, 247), QColor(Qt::black), {}};
    s.contentEven = grid::CellStyle{QColor(217, 234, 247), QColor(Qt::black), {}};
    s.contentOdd = grid::CellStyle{QColor(234, 243, 251), QColor(Qt::black), {}};
    s.filterBox = grid::CellStyle{QColor(255, 255, 225), QColor(Qt::black), {}};
    s.group = grid::CellStyle{QColor(241, 239, 226), {}, {}};
    s.groupByBox = grid::CellStyle{QColor(254, 213, 71), QColor(Qt::black), {}};
    QFont bold;
    bold.setBold(true);
    s.header = grid::CellStyle{QColor(49, 106, 197), QColor(Qt::white), bold};
    s.inactive = grid::CellStyle{QColor(164, 196, 235), {}, {}};
    s.indicator = grid::CellStyle{QColor(164, 196, 235), {}, {}};
    s.selection = grid::CellStyle{QColor(49, 106, 197), QColor(Qt::white), {}};
    return s;
}

class GridViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<db::MemoryDataset> ds;
    db::DataSource source;
    std::unique_ptr<grid::GridView> view;
    std::unique_ptr<QAbstractItemModelTester> tester;

    grid::GridHeader* header() const { return view->header(); }
    QPoint headerPoint(int visibleIndex) const { return header()->labelRect(visibleIndex).center() - QPoint(10, 0); }

    // The export holds what the grid shows, in order, with every group open.
    void expectExportMatchesView()
    {
        ExportLines exported(view->viewState());
        view->viewState().visitAllExpanded(exported);
        QCOMPARE(exported.captions, viewCaptions(*view));
        if (!view->viewState().groupColumns().empty())
            view->expandAll();
        QCOMPARE(exported.lines, viewLines(*view));
    }

    void dropOn(QWidget* target, int columnId, bool fromGroupBox, QPoint pos)
    {
        std::unique_ptr<QMimeData> mime(grid::ColumnDrag{view.get(), columnId, fromGroupBox}.toMime());
        QDragEnterEvent enter(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
    }

    QAction* menuAction(QMenu* menu, const QString& text)
    {
        for (QAction* a : menu->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }

private slots:
    void init()
    {
        ds = gridtest::ledgerDataset();
        source = db::DataSource{"dsouTest", ds.get()};
        view = std::make_unique<grid::GridView>();
        tester = std::make_unique<QAbstractItemModelTester>(view->model(),
                                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        view->setDisplayLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        view->setColumns(gridtest::ledgerColumns());
        view->setDataSource(&source);
        view->setNavigatorVisible(true);
        view->resize(640, 360);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    void cleanup()
    {
        tester.reset();
        view.reset();
        ds.reset();
    }

    void datasetDestroyedWhileBoundLeavesAnEmptyGrid()
    {
        QVERIFY(view->model()->rowCount() > 0);
        ds.reset();
        QCOMPARE(view->dataSource(), nullptr);
        QCOMPARE(view->model()->rowCount(), 0);
        view->sortClick(0, Qt::NoModifier); // nothing left to read: no crash
        view->repaint();
    }

    void headerClicksSortAndModifiersAddOrRemove()
    {
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, {}, headerPoint(Valoare));
        QCOMPARE(viewDataRows(*view), (std::vector<int>{2, 4, 1, 5, 6, 0, 3}));
        expectExportMatchesView();
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, {}, headerPoint(Valoare));
        QCOMPARE(viewDataRows(*view), (std::vector<int>{3, 0, 6, 1, 5, 4, 2}));

        // A plain click on another column sorts by it alone; Shift adds a key.
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, {}, headerPoint(Conta));
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, Qt::ShiftModifier, headerPoint(Valoare));
        QCOMPARE(view->viewState().sortKeys().size(), std::size_t(2));
        QCOMPARE(viewDataRows(*view), (std::vector<int>{1, 5, 3, 2, 6, 0, 4}));
        expectExportMatchesView();
        // Shift+click on a sorted column turns it round in place.
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, Qt::ShiftModifier, headerPoint(Valoare));
        QCOMPARE(viewDataRows(*view), (std::vector<int>{3, 1, 5, 0, 6, 2, 4}));
        // Ctrl+click removes the column from the sort.
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, Qt::ControlModifier, headerPoint(Conta));
        QCOMPARE(viewDataRows(*view), (std::vector<int>{3, 0, 6, 1, 5, 4, 2}));
        expectExportMatchesView();

        // The header's context menu, opened by a right click.
        const QPoint at = headerPoint(Conta);
        QContextMenuEvent context(QContextMenuEvent::Mouse, at, header()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(header()->viewport(), &context);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                texts.push_back(a->text());
        QCOMPARE(texts, (QStringList{"Group by this column", "Remove from grouping", "Expand all", "Collapse all",
                                     "Clear sorting", "Clear filter"}));
        menuAction(menu, "Clear sorting")->trigger();
        menu->close();
        QCOMPARE(viewDataRows(*view), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    }

    void sortKeepsTheFocusedRecord()
    {
        ds->setRecNo(3);
        view->sortClick(NrCrt, Qt::NoModifier);
        view->sortClick(NrCrt, Qt::NoModifier);
        QCOMPARE(view->focusedRow(), 3); // rows 6..0: row 3 is the fourth
        QCOMPARE(ds->recNo(), 3);
    }

    void valueFilterDropDownWithBlanks()
    {
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, {}, header()->filterButtonRect(Partener).center());
        auto* popup = qobject_cast<grid::ValueFilterPopup*>(QApplication::activePopupWidget());
        QVERIFY(popup);
        QAbstractItemModelTester popupTester(popup->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(popup->model()->rowCount(), 6);
        QCOMPARE(popup->model()->index(0).data().toString(), QStringLiteral("(Blanks)"));
        QCOMPARE(popup->model()->index(1).data().toString(), QStringLiteral("alfa"));

        // A click anywhere on an entry ticks it and filters at once.
        const QRect alfa = popup->list()->visualRect(popup->model()->index(popup->model()->rowOf("Alfa")));
        QTest::mouseClick(popup->list()->viewport(), Qt::LeftButton, {}, alfa.center());
        QCOMPARE(viewDataRows(*view), (std::vector<int>{1}));
        QVERIFY(view->filterBar()->isVisible());
        QCOMPARE(view->filterBar()->description(), QStringLiteral("partener is Alfa"));
        QCOMPARE(view->navigator()->infoText(), QStringLiteral("Record 1 of 1"));
        QCOMPARE(ds->recNo(), 1); // the current row moved onto the one shown

        const QRect blanks = popup->list()->visualRect(popup->model()->index(0));
        QTest::mouseClick(popup->list()->viewport(), Qt::LeftButton, {}, blanks.center());
        QCOMPARE(viewDataRows(*view), (std::vector<int>{1, 2, 4}));
        QCOMPARE(view->filterBar()->description(), QStringLiteral("partener is Alfa or blank"));
        expectExportMatchesView();

        const QPointer<grid::ValueFilterPopup> guard(popup);
        QTest::mouseClick(popup->clearButton(), Qt::LeftButton);
        QVERIFY(!guard || !guard->isVisible());
        QCOMPARE(viewDataRows(*view).size(), std::size_t(7));
        QVERIFY(!view->filterBar()->isVisible());

        // The filter bar's button clears as well, and the drop-down shows the ticks in force.
        view->setValueFilter(Valoare, {{"2"}, false});
        grid::ValueFilterPopup* again = view->showValueFilter(Valoare);
        QCOMPARE(again->model()->index(again->model()->rowOf("2")).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
        again->close();
        QCOMPARE(viewDataRows(*view), (std::vector<int>{1, 5}));
        QTest::mouseClick(view->filterBar()->clearButton(), Qt::LeftButton);
        QCOMPARE(viewDataRows(*view).size(), std::size_t(7));
    }

    void filterRowAppliesAtEveryKeystrokeAndStaysWhenShownAgain()
    {
        view->setFilterRowVisible(true);
        QLineEdit* editor = header()->filterEditor(Partener);
        QVERIFY(editor && editor->isVisible());
        QVERIFY(editor->geometry().top() >= header()->labelRect(Partener).bottom());
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_A);
        QCOMPARE(viewDataRows(*view), (std::vector<int>{0, 1, 3, 5, 6})); // "a" in beta, Alfa, Gamma, alfa, Beta
        QTest::keyClick(editor, Qt::Key_L);
        QCOMPARE(viewDataRows(*view), (std::vector<int>{1, 5}));
        QVERIFY(editor->hasFocus()); // typing goes on in the same editor
        QCOMPARE(view->filterBar()->description(), QStringLiteral("partener contains \"al\""));
        expectExportMatchesView();

        view->hide();
        ds->refresh();
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QCOMPARE(header()->filterEditor(Partener)->text(), QStringLiteral("al"));
        QCOMPARE(viewDataRows(*view), (std::vector<int>{1, 5}));
        QCOMPARE(view->navigator()->infoText(), QStringLiteral("Record 1 of 2"));

        view->clearFilter();
        QCOMPARE(header()->filterEditor(Partener)->text(), QString());
        QCOMPARE(viewDataRows(*view).size(), std::size_t(7));
    }

    void groupingFromTheGroupByBoxAndTheMenu()
    {
        view->sortClick(Valoare, Qt::NoModifier);
        dropOn(view->groupByBox(), Conta, false, QPoint(20, 10));
        QCOMPARE(view->viewState().groupColumns(), (std::vector<int>{Conta}));
        QCOMPARE(viewCaptions(*view), (QStringList{"partener", "valoare", "data_doc", "nr_crt"}));
        QCOMPARE(viewLines(*view),
                 (QStringList{"G0 conta: 401.01 (3)", "G0 conta: 401.02 (3)", "G0 conta: 401.03 (1)"}));

        // Open the second group with its glyph, close it with the keyboard.
        grid::GridTable* table = view->table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->glyphRect(1).center());
        QCOMPARE(view->model()->rowCount(), 6);
        QCOMPARE(view->focusedRow(), 1);
        QCOMPARE(viewDataRows(*view), (std::vector<int>{2, 6, 0}));
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Minus);
        QCOMPARE(view->model()->rowCount(), 3);
        QTest::keyClick(table, Qt::Key_Right);
        QCOMPARE(view->model()->rowCount(), 6);
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(ds->recNo(), 2);
        QTest::keyClick(table, Qt::Key_Left); // from a data row to its group
        QCOMPARE(view->focusedRow(), 1);
        QTest::keyClick(table, Qt::Key_Left);
        QCOMPARE(view->model()->rowCount(), 3);
        QTest::keyClick(table, Qt::Key_Plus);
        QCOMPARE(view->model()->rowCount(), 6);
        expectExportMatchesView();

        // A click on the group button turns the group order round.
        QTest::mouseClick(view->groupByBox(), Qt::LeftButton, {}, view->groupByBox()->buttonRect(0).center());
        QCOMPARE(viewLines(*view).first(), QStringLiteral("G0 conta: 401.03 (1)"));
        QTest::mouseClick(view->groupByBox(), Qt::LeftButton, {}, view->groupByBox()->buttonRect(0).center());
        QCOMPARE(viewLines(*view).first(), QStringLiteral("G0 conta: 401.01 (3)"));

        // A second level from the header's menu.
        QMenu* menu = view->createColumnMenu(DataDoc, view.get());
        QVERIFY(!menuAction(menu, "Remove from grouping")->isEnabled());
        menuAction(menu, "Group by this column")->trigger();
        delete menu;
        QCOMPARE(view->viewState().groupColumns(), (std::vector<int>{Conta, DataDoc}));
        QCOMPARE(view->model()->rowCount(), 3); // regrouped: collapsed again
        menu = view->createColumnMenu(DataDoc, view.get());
        menuAction(menu, "Expand all")->trigger();
        delete menu;
        QCOMPARE(viewLines(*view).mid(0, 3),
                 (QStringList{"G0 conta: 401.01 (3)", "G1 data_doc: 12/31/24 (1)", "R3:Gamma|100|4"}));
        QCOMPARE(view->model()->rowCount(), 3 + 7 + 7);
        expectExportMatchesView();

        // Dragging a group button onto the box's front makes it the outer level.
        dropOn(view->groupByBox(), DataDoc, true, QPoint(1, 10));
        QCOMPARE(view->viewState().groupColumns(), (std::vector<int>{DataDoc, Conta}));

        // Dragged back onto the headers, before the first one, it is ungrouped there.
        dropOn(header()->viewport(), DataDoc, true, QPoint(2, 5));
        QCOMPARE(view->viewState().groupColumns(), (std::vector<int>{Conta}));
        QCOMPARE(viewCaptions(*view), (QStringList{"data_doc", "partener", "valoare", "nr_crt"}));

        menu = view->createColumnMenu(Conta, view.get());
        menuAction(menu, "Remove from grouping")->trigger();
        delete menu;
        QVERIFY(view->viewState().groupColumns().empty());
        QCOMPARE(view->model()->rowCount(), 7);
        expectExportMatchesView();
    }

    void movingColumnsByDraggingHeaders()
    {
        // Dropped before the first header, valoare becomes the first column.
        dropOn(header()->viewport(), Valoare, false, QPoint(2, 5));
        QCOMPARE(viewCaptions(*view), (QStringList{"valoare", "conta", "partener", "data_doc", "nr_crt"}));
        QCOMPARE(header()->sectionSize(0), 91); // the width goes with the column
        QCOMPARE(header()->sectionSize(1), 61);
        expectExportMatchesView();

        // Dropped after the last header, conta goes to the end.
        const QRect last = header()->labelRect(4);
        dropOn(header()->viewport(), Conta, false, QPoint(last.right() - 2, 5));
        QCOMPARE(viewCaptions(*view), (QStringList{"valoare", "partener", "data_doc", "nr_crt", "conta"}));
        QCOMPARE(view->model()->index(0, 4).data().toString(), QStringLiteral("401.02"));
        expectExportMatchesView();

        // A drop from another grid is refused.
        int other = 0;
        std::unique_ptr<QMimeData> mime(grid::ColumnDrag{&other, Conta, false}.toMime());
        QDragEnterEvent enter(QPoint(2, 5), Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header()->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
    }

    void navigatorAndKeyboardMoveTheFocusedRow()
    {
        grid::NavigatorBar* nav = view->navigator();
        QCOMPARE(nav->infoText(), QStringLiteral("Record 1 of 7"));
        QVERIFY(!nav->firstButton()->isEnabled());
        QTest::mouseClick(nav->nextButton(), Qt::LeftButton);
        QCOMPARE(nav->infoText(), QStringLiteral("Record 2 of 7"));
        QCOMPARE(ds->recNo(), 1);
        QTest::mouseClick(nav->lastButton(), Qt::LeftButton);
        QCOMPARE(nav->infoText(), QStringLiteral("Record 7 of 7"));
        QVERIFY(!nav->nextButton()->isEnabled());
        QTest::mouseClick(nav->priorButton(), Qt::LeftButton);
        QCOMPARE(ds->recNo(), 5);
        QTest::mouseClick(nav->firstButton(), Qt::LeftButton);
        QCOMPARE(ds->recNo(), 0);

        view->setIndicatorVisible(true);
        grid::GridTable* table = view->table();
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(ds->recNo(), 1);
        QCOMPARE(view->indicator()->focusedRow(), 1);
        QTest::keyClick(table, Qt::Key_End);
        QCOMPARE(ds->recNo(), 6);
        QTest::keyClick(table, Qt::Key_Home);
        QCOMPARE(ds->recNo(), 0);
        QTest::keyClick(table, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(ds->recNo(), 6);
        QTest::keyClick(table, Qt::Key_Up);
        QCOMPARE(ds->recNo(), 5);
        QTest::keyClick(table, Qt::Key_PageUp);
        QCOMPARE(ds->recNo(), 0);
        QTest::keyClick(table, Qt::Key_PageDown);
        QCOMPARE(ds->recNo(), 6);
        QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(nav->infoText(), QStringLiteral("Record 1 of 7"));

        // The dataset moving on its own moves the focus.
        ds->setRecNo(4);
        QCOMPARE(view->focusedRow(), 4);
        QCOMPARE(view->indicator()->focusedRow(), 4);
        QCOMPARE(nav->infoText(), QStringLiteral("Record 5 of 7"));

        // With groups the navigator counts the shown rows, group rows included.
        view->groupBy(Conta);
        QCOMPARE(nav->infoText(), QStringLiteral("Record 3 of 3")); // the group of row 4
        ds->close();
        QCOMPARE(nav->infoText(), QStringLiteral("Record 0 of 0"));
    }

    void styleSheetReachesThePaintedRows()
    {
        grid::GridTable* table = view->table();
        view->setIndicatorVisible(true);
        ds->setRecNo(2);
        // Native look first: rows on the palette's base colour.
        QImage image = table->viewport()->grab().toImage();
        auto cellPoint = [&](int row, int column) {
            const QRect r = table->visualRect(view->model()->index(row, column));
            return QPoint(r.right() - 4, r.center().y());
        };
        QCOMPARE(image.pixelColor(cellPoint(0, Partener)), table->palette().color(QPalette::Base));

        view->setTableStyleSheet(testSheet());
        view->setFocus();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        table->setFocus();
        QVERIFY(table->hasFocus());
        image = table->viewport()->grab().toImage();
        QCOMPARE(image.pixelColor(cellPoint(0, Partener)), QColor(217, 234, 247)); // even
        QCOMPARE(image.pixelColor(cellPoint(1, Partener)), QColor(234, 243, 251)); // odd
        QCOMPARE(image.pixelColor(cellPoint(3, Partener)), QColor(234, 243, 251));
        QCOMPARE(image.pixelColor(cellPoint(2, Partener)), QColor(49, 106, 197)); // focused row, grid focused
        QCOMPARE(image.pixelColor(QPoint(20, table->viewport()->height() - 3)), QColor(255, 251, 240)); // no rows there

        // Focus elsewhere: the focused row takes the inactive style.
        view->navigator()->setFocusPolicy(Qt::StrongFocus);
        view->navigator()->setFocus();
        QVERIFY(!table->hasFocus());
        image = table->viewport()->grab().toImage();
        QCOMPARE(image.pixelColor(cellPoint(2, Partener)), QColor(164, 196, 235));

        const QImage head = header()->viewport()->grab().toImage();
        QCOMPARE(head.pixelColor(header()->labelRect(Partener).topLeft() + QPoint(2, 2)), QColor(49, 106, 197));
        const QImage indicator = view->indicator()->viewport()->grab().toImage();
        QCOMPARE(indicator.pixelColor(QPoint(2, table->rowViewportPosition(0) + 3)), QColor(164, 196, 235));
        const QImage box = view->groupByBox()->grab().toImage();
        QCOMPARE(box.pixelColor(QPoint(box.width() - 5, 3)), QColor(254, 213, 71));

        view->groupBy(Conta); // row 2 is in the second group, which is focused
        image = table->viewport()->grab().toImage();
        const QRect firstGroup = table->visualRect(view->model()->index(0, 2));
        QCOMPARE(image.pixelColor(QPoint(firstGroup.right() - 4, firstGroup.center().y())), QColor(241, 239, 226));

        view->setValueFilter(Valoare, {{"2"}, false});
        const QImage bar = view->filterBar()->grab().toImage();
        QCOMPARE(bar.pixelColor(QPoint(bar.width() - 3, 2)), QColor(255, 255, 225));
    }

    void unknownFieldLeavesTheGridAsItWas()
    {
        std::vector<grid::ColumnDef> columns = gridtest::ledgerColumns();
        columns.push_back({"lipsa", "lipsa", 0});
        QVERIFY_THROWS_EXCEPTION(db::DbError, view->setColumns(columns));
        QCOMPARE(view->model()->columnCount(), 5);
        QCOMPARE(view->model()->rowCount(), 7);
    }
};

} // namespace

QTEST_MAIN(GridViewTest)
#include "GridViewTest.moc"
