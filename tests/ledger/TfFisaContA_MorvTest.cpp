// The account sheet window as the operator drives it: dates typed or set and
// snapped to whole months, the month buttons, "Cauta" against a company
// database of its own, and what survives closing the window.
#include "LedgerTestData.h"
#include "ModalBoxes.h"
#include "PgFixture.h"
#include "SheetFixture.h"

#include "data/TdmCon.h"
#include "desktop/RecordingDesktopServices.h"
#include "desktop/SaveFileDialog.h"
#include "grid/GridIndicator.h"
#include "grid/GridView.h"
#include "grid/NavigatorBar.h"
#include "ledger/DateEdit.h"
#include "ledger/FisaContAnaliticQuery.h"
#include "ledger/TfFisaContA_Morv.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using OptDate = std::optional<QDate>;

OptDate optional(const QDate& d) { return d.isValid() ? OptDate(d) : std::nullopt; }

// An edit's value, an invalid date when it is empty.
QDate shown(const ledger::DateEdit* edit) { return edit->date().value_or(QDate()); }

// Writes every insert and update of the period row to a table of the test's own.
const char* kPeriodWriteLog =
    "create table period_writes (n serial, op text, data_incep date, data_sf date);"
    "create function log_period() returns trigger language plpgsql as $$ begin"
    " insert into period_writes (op, data_incep, data_sf) values (tg_op, new.data_incep, new.data_sf); return new; end $$;"
    "create trigger log_period after insert or update on data_list for each row execute function log_period();";

} // namespace

class TfFisaContA_MorvTest : public QObject, private SheetFixture {
    Q_OBJECT

private:

    // The first column of a one-row select on the test's own connection, as text.
    QString serverText(const std::string& sql)
    {
        db::Connection con("check");
        company->configure(con);
        db::Query q("dsCheck", &con);
        q.setSql("select (" + sql + ")::text as r");
        q.addField({"r", db::FieldKind::WideMemo});
        q.open();
        return QString::fromStdString(q.asString("r"));
    }

    QString periodRows()
    {
        return serverText("select coalesce(string_agg(concat_ws('..', data_incep, data_sf, moneda_raportare), ';'), '')"
                          " from data_list");
    }

    QString periodWrites()
    {
        return serverText("select coalesce(string_agg(concat_ws(' ', op, data_incep, data_sf), ';' order by n), '')"
                          " from period_writes");
    }

    void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    void enterDate(ledger::DateEdit* edit, const QString& text)
    {
        type(edit->lineEdit(), text);
        QTest::keyClick(edit->lineEdit(), Qt::Key_Return);
    }

    // The rows the grid shows, in order: the cells of its 22 columns.
    QStringList gridLines() const
    {
        const grid::ViewState& view = sheet->cxGrid1()->viewState();
        QStringList lines;
        for (int r = 0; r < view.rowCount(); ++r) {
            const int row = view.datasetRow(r);
            QStringList cells{QString::number(row)};
            for (int id = 0; id < view.columnCount(); ++id)
                cells << QString::fromStdString(db::Dataset::displayText(grid::toValue(view.columnValue(row, id))));
            lines << cells.join(QLatin1Char('|'));
        }
        return lines;
    }

    // The same 22 cells of the ledger for an account, read independently of
    // the window on a connection of the test's own.
    QStringList ledgerLines(const std::string& account) const
    {
        db::Connection con("check");
        company->configure(con);
        ledger::FisaContAnaliticQuery expected(&con);
        expected.run(account);
        const db::Dataset& ds = expected.dsFisaContAnalitic;
        const grid::ViewState& view = sheet->cxGrid1()->viewState();
        QStringList lines;
        for (int r = 0; r < ds.recordCount(); ++r) {
            QStringList cells{QString::number(r)};
            for (int id = 0; id < view.columnCount(); ++id)
                cells << QString::fromStdString(db::Dataset::displayText(ds.rows().value(r, ds.fieldIndex(view.column(id).field))));
            lines << cells.join(QLatin1Char('|'));
        }
        return lines;
    }

    void ledgerRows()
    {
        ledgertest::LedgerData data(*company);
        data.opening({.conta = "C001", .soldDb = "100"});
        data.opening({.conta = "C002", .soldCr = "5"});
        data.line({.date = "2025-03-20", .nr = "2", .conta = "C001", .dbcr = "CR", .valoare = "20"});
        data.line({.date = "2025-03-05", .nr = "1", .conta = "C001", .dbcr = "DB", .valoare = "50.25"});
        data.line({.date = "2025-03-07", .nr = "3", .conta = "C002", .dbcr = "DB", .valoare = "7"});
        data.line({.date = "2025-03-06", .nr = "9", .conts = "401", .dbcr = "DB", .valoare = "9"});
        data.line({.date = "2025-04-02", .nr = "8", .conta = "C001", .dbcr = "DB", .valoare = "1"});
    }

    void searchMarch411()
    {
        type(sheet->cxButtonEdit1(), "411");
        sheet->cxDateEdit1()->setDate(QDate(2025, 3, 1));
        sheet->cxDateEdit2()->setDate(QDate(2025, 3, 31));
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        // main() fixed the user's format to one with a two-digit year, where
        // what an edit shows and what it reads back can part ways.
        QCOMPARE(QLocale::system().dateFormat(QLocale::ShortFormat), QStringLiteral("M/d/yy"));
    }

    void init()
    {
        makeSheet();
        showSheet();
    }

    void cleanup()
    {
        releaseSheet();
    }

    void layoutAndStartingState()
    {
        QCOMPARE(sheet->windowTitle(), QStringLiteral("fFisaContA_Morv"));
        const std::pair<const char*, const char*> texts[] = {
            {"Label3", "Fisa De Cont Analitic"}, {"Label4", "De la :"},      {"Label5", "Pana la :"},
            {"Label1", "Conts :"},               {"Label6", "Ultimul fisier exportat: "},
        };
        for (const auto& [name, text] : texts) {
            const auto* label = sheet->findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(label, name);
            QCOMPARE(label->text(), QString::fromLatin1(text));
        }
        QCOMPARE(sheet->findChild<QGroupBox*>("cxGroupBox1")->title(), QStringLiteral("Perioada"));
        QCOMPARE(sheet->cxButton1()->text(), QStringLiteral("Luna curenta"));
        QCOMPARE(sheet->cxButton2()->text(), QStringLiteral("Luna anterioara"));
        QCOMPARE(sheet->btnCauta()->text(), QStringLiteral("Cauta"));
        QCOMPARE(sheet->ButtonExportExcel()->text(), QStringLiteral("Export Excel"));

        const grid::GridView* g = sheet->cxGrid1();
        const grid::ViewState& view = g->viewState();
        const QStringList fields = {"conts", "conta", "data_doc", "tip_doc", "explicatie", "partener", "nr_doc",
                                    "conts_coresp", "conta_coresp", "moneda", "valoare_db_lei", "valoare_cr_lei",
                                    "valoare_db", "valoare_cr", "sold_final_lei", "sold_final", "tip_sold_final",
                                    "data_incep_abonament", "data_sf_abonament", "data_incep", "data_sf", "emitent"};
        const int widths[] = {0, 61, 0, 54, 305, 219, 0, 85, 86, 54, 91, 90, 75, 74, 83, 80, 83, 105, 83, 72, 0, 100};
        QStringList shownFields, captions;
        for (int i = 0; i < view.visibleColumnCount(); ++i) {
            const grid::ColumnDef& c = view.column(view.visibleColumn(i));
            shownFields << QString::fromStdString(c.field);
            captions << c.caption;
            if (widths[i] != 0)
                QCOMPARE(view.columnWidth(view.visibleColumn(i)), widths[i]);
        }
        QCOMPARE(shownFields, fields);
        QStringList expectedCaptions = fields;
        expectedCaptions.last() = QStringLiteral("user");
        QCOMPARE(captions, expectedCaptions);

        QVERIFY(g->tableStyleSheet().has_value());
        QCOMPARE(g->tableStyleSheet()->caption, dm->GridTableViewStyleSheetDevExpress.caption);
        QVERIFY(!g->filterRowVisible());
        QVERIFY(!g->indicator()->isVisible());
        QVERIFY(g->navigator()->isVisible());

        // Created hidden-empty: no account, no dates, no rows, no exported path.
        QCOMPARE(sheet->LabelPathSave()->text(), QString());
        QCOMPARE(sheet->cxButtonEdit1()->text(), QString());
        QCOMPARE(shown(sheet->cxDateEdit1()), QDate());
        QCOMPARE(shown(sheet->cxDateEdit2()), QDate());
        QVERIFY(!sheet->dsFisaContAnalitic.active());
        QCOMPARE(view.rowCount(), 0);
    }

    void tabFollowsTheDesignedOrder()
    {
        QVERIFY(QTest::qWaitForWindowActive(sheet.get()));
        sheet->btnCauta()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(sheet->btnCauta()));
        const std::pair<QWidget*, const char*> order[] = {
            {sheet->cxButtonEdit1(), "account edit"},
            {sheet->cxGrid1(), "grid"},
            {sheet->ButtonExportExcel(), "Export Excel"},
            {sheet->cxButton1(), "Luna curenta"},
            {sheet->cxButton2(), "Luna anterioara"},
            {sheet->cxDateEdit2(), "end date"},
            {sheet->cxDateEdit1(), "start date"},
            {sheet->btnCauta(), "Cauta again"},
        };
        for (const auto& [expected, name] : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            QVERIFY2(now == expected || expected->isAncestorOf(now),
                     qPrintable(QStringLiteral("expected the %1, focus is on %2 (%3)")
                                    .arg(QString::fromLatin1(name), now ? now->objectName() : QString(),
                                         now ? QString::fromLatin1(now->metaObject()->className()) : QString())));
        }
    }

    void monthSnap_data()
    {
        QTest::addColumn<bool>("startEdit");
        QTest::addColumn<QString>("how"); // "type" (Enter), "type, Tab", "set" or "calendar"
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("given");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<int>("changes"); // the change and, when it snapped, the snap's own

        const auto row = [](const char* name, bool start, const char* how, const char* text, QDate given, QDate expected,
                            int changes) {
            QTest::newRow(name) << start << QString::fromLatin1(how) << QString::fromLatin1(text) << given << expected
                                << changes;
        };
        row("start typed in the user's format", true, "type", "3/15/25", {}, QDate(2025, 3, 1), 2);
        row("start typed with the full year", true, "type", "3/15/2025", {}, QDate(2025, 3, 1), 2);
        row("start typed in ISO form", true, "type", "2025-03-15", {}, QDate(2025, 3, 1), 2);
        row("start typed, then Tab", true, "type, Tab", "3/15/2025", {}, QDate(2025, 3, 1), 2);
        row("start set", true, "set", "", QDate(2025, 3, 15), QDate(2025, 3, 1), 2);
        row("start picked in the calendar", true, "calendar", "", QDate(2025, 3, 15), QDate(2025, 3, 1), 2);
        row("start already snapped", true, "type", "3/1/2025", {}, QDate(2025, 3, 1), 1);
        row("end leap February typed", false, "type", "2/10/24", {}, QDate(2024, 2, 29), 2);
        row("end leap February set", false, "set", "", QDate(2024, 2, 10), QDate(2024, 2, 29), 2);
        row("end common February typed", false, "type", "2/10/2025", {}, QDate(2025, 2, 28), 2);
        row("end common February set", false, "set", "", QDate(2025, 2, 10), QDate(2025, 2, 28), 2);
        row("end picked in the calendar", false, "calendar", "", QDate(2025, 2, 10), QDate(2025, 2, 28), 2);
        row("end of a century year, not leap", false, "set", "", QDate(2100, 2, 1), QDate(2100, 2, 28), 2);
        row("end of December", false, "type", "12/1/2025", {}, QDate(2025, 12, 31), 2);
        row("end already snapped", false, "set", "", QDate(2024, 2, 29), QDate(2024, 2, 29), 1);
    }

    void monthSnap()
    {
        QFETCH(bool, startEdit);
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QDate, given);
        QFETCH(QDate, expected);
        QFETCH(int, changes);
        QVERIFY(QTest::qWaitForWindowActive(sheet.get()));
        ledger::DateEdit* edit = startEdit ? sheet->cxDateEdit1() : sheet->cxDateEdit2();
        ledger::DateEdit* other = startEdit ? sheet->cxDateEdit2() : sheet->cxDateEdit1();
        QSignalSpy changed(edit, &ledger::DateEdit::editValueChanged);

        if (how == QLatin1String("type")) {
            enterDate(edit, text);
        } else if (how == QLatin1String("type, Tab")) {
            type(edit->lineEdit(), text);
            QTRY_VERIFY(edit->lineEdit()->hasFocus());
            QTest::keyClick(edit->lineEdit(), Qt::Key_Tab);
            QVERIFY(!edit->lineEdit()->hasFocus());
        } else if (how == QLatin1String("set")) {
            edit->setDate(given);
        } else {
            QTest::mouseClick(edit->dropDownButton(), Qt::LeftButton);
            auto* calendar = edit->findChild<QCalendarWidget*>();
            QVERIFY(calendar && calendar->isVisible());
            calendar->setSelectedDate(given);
            QCOMPARE(changed.count(), 0); // moving through the calendar is no choice yet
            QTest::keyClick(calendar->findChild<QTableView*>(), Qt::Key_Return);
            QVERIFY(!calendar->isVisible());
        }
        QCOMPARE(shown(edit), expected);
        QCOMPARE(changed.count(), changes);
        QCOMPARE(shown(other), QDate());

        // What the edit shows reads back as the same date: Enter on it, or
        // leaving the edit, changes nothing.
        QTest::keyClick(edit->lineEdit(), Qt::Key_Return);
        sheet->btnCauta()->setFocus();
        edit->setDate(expected);
        QCOMPARE(shown(edit), expected);
        QCOMPARE(changed.count(), changes);

        // Emptied, it stays empty, once.
        enterDate(edit, QString());
        QCOMPARE(shown(edit), QDate());
        QCOMPARE(edit->lineEdit()->text(), QString());
        QCOMPARE(changed.count(), changes + 1);
        QTest::keyClick(edit->lineEdit(), Qt::Key_Return);
        edit->clear();
        QCOMPARE(changed.count(), changes + 1);

        // Text that is no date keeps the value as it was.
        edit->setDate(expected);
        const int before = changed.count();
        enterDate(edit, QStringLiteral("not a date"));
        QCOMPARE(shown(edit), expected);
        QCOMPARE(changed.count(), before);
    }

    void monthButtons_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");

        QTest::newRow("current, November") << QDate(2025, 11, 17) << false << QDate(2025, 11, 1) << QDate(2025, 11, 30);
        QTest::newRow("current, leap February") << QDate(2024, 2, 29) << false << QDate(2024, 2, 1) << QDate(2024, 2, 29);
        QTest::newRow("previous in January") << QDate(2025, 1, 15) << true << QDate(2024, 12, 1) << QDate(2024, 12, 31);
        QTest::newRow("previous on the 31st") << QDate(2024, 3, 31) << true << QDate(2024, 2, 1) << QDate(2024, 2, 29);
        QTest::newRow("previous in November") << QDate(2025, 11, 1) << true << QDate(2025, 10, 1) << QDate(2025, 10, 31);
    }

    void monthButtons()
    {
        QFETCH(QDate, today);
        QFETCH(bool, previous);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        desktopServices->setToday(today);
        type(sheet->cxButtonEdit1(), "411");
        sheet->cxDateEdit1()->setDate(QDate(2020, 6, 1));
        testapp::BoxCatcher boxes;
        QTest::mouseClick(previous ? sheet->cxButton2() : sheet->cxButton1(), Qt::LeftButton);
        QCOMPARE(shown(sheet->cxDateEdit1()), start);
        QCOMPARE(shown(sheet->cxDateEdit2()), end);
        // The search did not run.
        QVERIFY(boxes.seen.empty());
        QVERIFY(!dm->dsDataList.active());
        QVERIFY(!sheet->dsFisaContAnalitic.active());
        QCOMPARE(periodRows(), QStringLiteral(""));
    }

    void searchChecksInOrder_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("message");

        const QDate s(2025, 3, 1), e(2025, 3, 31);
        QTest::newRow("nothing given") << QStringLiteral("") << QDate() << QDate() << QStringLiteral("Alegeti Conts!");
        QTest::newRow("no account, both dates") << QStringLiteral("") << s << e << QStringLiteral("Alegeti Conts!");
        QTest::newRow("no dates") << QStringLiteral("411") << QDate() << QDate() << QStringLiteral("Alegeti Perioada Dorita!");
        QTest::newRow("no start date") << QStringLiteral("411") << QDate() << e << QStringLiteral("Alegeti Perioada Dorita!");
        QTest::newRow("no end date") << QStringLiteral("411") << s << QDate() << QStringLiteral("Alegeti Perioada Dorita!");
    }

    void searchChecksInOrder()
    {
        QFETCH(QString, account);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, message);
        type(sheet->cxButtonEdit1(), account);
        sheet->cxDateEdit1()->setDate(optional(start));
        sheet->cxDateEdit2()->setDate(optional(end));
        testapp::BoxCatcher boxes;
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QCOMPARE(boxes.seen.size(), std::size_t(1));
        QCOMPARE(boxes.seen[0].text, message);
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
        // Nothing else happened, and the window keeps what was typed.
        QVERIFY(!dm->dsDataList.active());
        QVERIFY(!sheet->dsFisaContAnalitic.active());
        QCOMPARE(periodRows(), QStringLiteral(""));
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->cxButtonEdit1()->text(), account);
        QCOMPARE(shown(sheet->cxDateEdit1()), start);
        QCOMPARE(shown(sheet->cxDateEdit2()), end);
    }

    void blanksAreAnAccountWithNoRows()
    {
        ledgerRows();
        testapp::BoxCatcher boxes;
        type(sheet->cxButtonEdit1(), "   ");
        sheet->cxDateEdit1()->setDate(QDate(2025, 3, 1));
        sheet->cxDateEdit2()->setDate(QDate(2025, 3, 31));
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QVERIFY(boxes.seen.empty());
        QCOMPARE(periodRows(), QStringLiteral("2025-03-01..2025-03-31"));
        QVERIFY(sheet->dsFisaContAnalitic.active());
        QCOMPARE(sheet->cxGrid1()->viewState().rowCount(), 0);
        QCOMPARE(sheet->cxButtonEdit1()->text(), QStringLiteral("   "));
    }

    void searchWritesThePeriodAndShowsTheLedgerRows()
    {
        ledgerRows();
        company->exec(kPeriodWriteLog);

        // The cursor whenever the period row or the ledger is read.
        std::vector<QString> cursors;
        const auto watch = [&cursors](db::Dataset::Event event, int) {
            if (event == db::Dataset::Event::Opened || event == db::Dataset::Event::Refreshed) {
                const QCursor* c = QGuiApplication::overrideCursor();
                cursors.push_back(c && c->shape() == Qt::WaitCursor ? QStringLiteral("busy") : QStringLiteral("normal"));
            }
        };
        const int w1 = dm->dsDataList.subscribe(watch);
        const int w2 = sheet->dsFisaContAnalitic.subscribe(watch);

        testapp::BoxCatcher boxes;
        type(sheet->cxButtonEdit1(), "411");
        enterDate(sheet->cxDateEdit1(), "3/15/25");
        enterDate(sheet->cxDateEdit2(), "3/3/25");
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QVERIFY(boxes.seen.empty());
        QCOMPARE(periodWrites(), QStringLiteral("INSERT 2025-03-01 2025-03-31"));
        QCOMPARE(periodRows(), QStringLiteral("2025-03-01..2025-03-31"));
        const QStringList first = gridLines();
        QCOMPARE(first.size(), 5); // per analytic account its opening row, then its movements
        QCOMPARE(first, ledgerLines("411"));
        for (const QString& line : first)
            QVERIFY2(line.section(QLatin1Char('|'), 1, 1) == QLatin1String("411"), qPrintable(line));

        // Pressed again with the same inputs: written and read again.
        company->exec("alter table data_list disable trigger log_period; update data_list set moneda_raportare = 'EUR';"
                      "alter table data_list enable trigger log_period;");
        ledgertest::LedgerData(*company).line({.date = "2025-03-25", .nr = "4", .conta = "C001", .valoare = "3"});
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QVERIFY(boxes.seen.empty());
        QCOMPARE(periodWrites(), QStringLiteral("INSERT 2025-03-01 2025-03-31;UPDATE 2025-03-01 2025-03-31"));
        QCOMPARE(periodRows(), QStringLiteral("2025-03-01..2025-03-31..EUR")); // one row, its other columns kept
        QCOMPARE(gridLines().size(), 6);
        QCOMPARE(gridLines(), ledgerLines("411"));

        // Several months, and a start month after the end month, are written as they are.
        sheet->cxDateEdit1()->setDate(QDate(2025, 1, 15));
        sheet->cxDateEdit2()->setDate(QDate(2025, 5, 3));
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QCOMPARE(periodRows(), QStringLiteral("2025-01-01..2025-05-31..EUR"));
        QCOMPARE(gridLines(), ledgerLines("411"));
        sheet->cxDateEdit1()->setDate(QDate(2025, 6, 1));
        sheet->cxDateEdit2()->setDate(QDate(2025, 2, 1));
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QVERIFY(boxes.seen.empty());
        QCOMPARE(periodRows(), QStringLiteral("2025-06-01..2025-02-28..EUR"));
        QCOMPARE(serverText("select count(*) from data_list"), QStringLiteral("1"));

        dm->dsDataList.unsubscribe(w1);
        sheet->dsFisaContAnalitic.unsubscribe(w2);
        QCOMPARE(cursors.size(), std::size_t(8)); // per search, the period row and the ledger
        for (const QString& c : cursors)
            QCOMPARE(c, QStringLiteral("busy"));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void failuresKeepOrEmptyTheGrid()
    {
        ledgerRows();
        testapp::BoxCatcher boxes;
        searchMarch411();
        const QStringList rows = gridLines();
        QCOMPARE(rows.size(), 5);

        // The period row is refused: the previous rows stay, the ledger is not rerun.
        company->exec("create function refuse() returns trigger language plpgsql as $$"
                      " begin raise exception 'period locked'; end $$;"
                      "create trigger t before update on data_list for each row execute function refuse();");
        int ledgerReads = 0;
        const int w = sheet->dsFisaContAnalitic.subscribe([&ledgerReads](db::Dataset::Event e, int) {
            ledgerReads += e == db::Dataset::Event::Opened || e == db::Dataset::Event::Closed;
        });
        sheet->cxDateEdit2()->setDate(QDate(2025, 4, 30));
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QCOMPARE(boxes.seen.size(), std::size_t(1));
        QVERIFY2(boxes.seen[0].text.contains("period locked"), qPrintable(boxes.seen[0].text));
        QCOMPARE(ledgerReads, 0);
        QCOMPARE(gridLines(), rows);
        QCOMPARE(dm->dsDataList.state(), db::Dataset::State::Browse);
        QCOMPARE(periodRows(), QStringLiteral("2025-03-01..2025-03-31"));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        sheet->dsFisaContAnalitic.unsubscribe(w);

        // The ledger itself fails: the grid is empty.
        company->exec("drop trigger t on data_list; alter table doc add column conts varchar(7);");
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QCOMPARE(boxes.seen.size(), std::size_t(2));
        QVERIFY2(boxes.seen[1].text.contains("ambiguous"), qPrintable(boxes.seen[1].text));
        QCOMPARE(periodRows(), QStringLiteral("2025-03-01..2025-04-30"));
        QVERIFY(!sheet->dsFisaContAnalitic.active());
        QCOMPARE(sheet->cxGrid1()->viewState().rowCount(), 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        // A date cleared after a search stops the next one before anything is written.
        company->exec("alter table doc drop column conts;");
        searchMarch411();
        QCOMPARE(gridLines(), rows);
        enterDate(sheet->cxDateEdit2(), QString());
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
        QCOMPARE(boxes.seen.size(), std::size_t(3));
        QCOMPARE(boxes.seen[2].text, QStringLiteral("Alegeti Perioada Dorita!"));
        QCOMPARE(gridLines(), rows);
        QCOMPARE(sheet->cxButtonEdit1()->text(), QStringLiteral("411"));
    }

    void closedAndShownAgainKeepsEverything()
    {
        ledgerRows();
        QTemporaryDir folder;
        testapp::BoxCatcher boxes;
        searchMarch411();
        saveDialog->answer = folder.filePath(QStringLiteral("sheet.xlsx"));
        QTest::mouseClick(sheet->ButtonExportExcel(), Qt::LeftButton);
        QVERIFY(boxes.seen.empty());
        const QStringList rows = gridLines();
        QCOMPARE(rows.size(), 5);
        QCOMPARE(sheet->LabelPathSave()->text(), folder.filePath(QStringLiteral("sheet.xlsx")));

        int ledgerEvents = 0;
        const int w = sheet->dsFisaContAnalitic.subscribe([&ledgerEvents](db::Dataset::Event, int) { ++ledgerEvents; });
        QVERIFY(sheet->close());
        QVERIFY(!sheet->isVisible());
        sheet->show();
        QVERIFY(QTest::qWaitForWindowExposed(sheet.get()));
        sheet->dsFisaContAnalitic.unsubscribe(w);

        QCOMPARE(ledgerEvents, 0);
        QCOMPARE(sheet->cxButtonEdit1()->text(), QStringLiteral("411"));
        QCOMPARE(shown(sheet->cxDateEdit1()), QDate(2025, 3, 1));
        QCOMPARE(shown(sheet->cxDateEdit2()), QDate(2025, 3, 31));
        QCOMPARE(gridLines(), rows);
        QCOMPARE(sheet->LabelPathSave()->text(), folder.filePath(QStringLiteral("sheet.xlsx")));
        QVERIFY(boxes.seen.empty());
    }
};

int main(int argc, char** argv)
{
    // The user's short date format is read from the environment once; this
    // one ("M/d/yy") writes two-digit years and puts the month first.
    qputenv("LC_ALL", "en_US.UTF-8");
    QApplication app(argc, argv);
    TfFisaContA_MorvTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TfFisaContA_MorvTest.moc"
