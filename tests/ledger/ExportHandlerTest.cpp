// "Export Excel" and the path label of the account sheet, with a recording
// save dialog and desktop: the proposed name, cancel, the file actually
// written (read back with openpyxl), the failures, and the grid's state.
#include "../platform/xlsx/TestTools.h"
#include "LedgerTestData.h"
#include "ModalBoxes.h"
#include "PgFixture.h"
#include "SheetFixture.h"

#include "data/TdmCon.h"
#include "desktop/RecordingDesktopServices.h"
#include "desktop/SaveFileDialog.h"
#include "grid/GridModel.h"
#include "grid/GridView.h"
#include "ledger/DateEdit.h"
#include "ledger/TfFisaContA_Morv.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <map>
#include <memory>

namespace {

// A workbook as openpyxl reads it: the sheet names, the summed numeric
// columns and each row's outline level and cells as the reader prints them.
struct Workbook {
    int exitCode = -1;
    QString output;
    QString sheets;
    QString sums;
    std::vector<int> levels;
    std::vector<QStringList> rows;

    // The column of a header caption (the header is bold: b'caption').
    int column(const QString& caption) const
    {
        return rows.empty() ? -1 : int(rows[0].indexOf(QStringLiteral("b'%1'").arg(caption)));
    }
};

Workbook readBack(const QString& path)
{
    Workbook book;
    const std::string script = (xlsxtest::sourceDir() / "tests/platform/xlsx/read_workbook.py").string();
    const auto result = xlsxtest::run({xlsxtest::pythonWithOpenpyxl(), script, "dump", path.toStdString()});
    book.exitCode = result.exitCode;
    book.output = QString::fromStdString(result.output);
    for (const QString& line : book.output.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("sheets: ")))
            book.sheets = line.mid(8);
        else if (line.startsWith(QLatin1String("sums: ")))
            book.sums = line.mid(6);
        else if (line.startsWith(QLatin1String("row "))) {
            const qsizetype open = line.indexOf(QLatin1Char('['));
            book.levels.push_back(line.mid(open + 1, line.indexOf(QLatin1Char(']')) - open - 1).toInt());
            book.rows.push_back(line.mid(line.indexOf(QLatin1String(": ")) + 2).split(QStringLiteral(" | ")));
        }
    }
    return book;
}

// Every file and folder under `folder`, hidden ones included, relative and sorted.
QStringList everythingIn(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

// Python's repr of a text, as the reader prints cells (ASCII texts only here).
QString repr(const std::string& text) { return QStringLiteral("'%1'").arg(QString::fromStdString(text)); }

} // namespace

class ExportHandlerTest : public QObject, private SheetFixture {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> folder;

    QString inFolder(const QString& name) const { return folder->filePath(name); }

    void exportTo(const std::optional<QString>& chosen)
    {
        saveDialog->answer = chosen;
        QTest::mouseClick(sheet->ButtonExportExcel(), Qt::LeftButton);
    }

    // Openings and movements of three analytic accounts of 411 in March 2025,
    // the first movement with its document's partner and operator.
    void searchMarch411()
    {
        ledgertest::LedgerData data(*company);
        data.opening({.conta = "C001", .soldDb = "100"});
        data.opening({.conta = "C002", .soldCr = "5"});
        data.line({.date = "2025-03-05", .nr = "1", .conta = "C001", .dbcr = "DB", .valoare = "50.25"});
        data.line({.date = "2025-03-20", .nr = "2", .conta = "C001", .dbcr = "CR", .valoare = "20"});
        data.line({.date = "2025-03-07", .nr = "3", .conta = "C002", .dbcr = "DB", .valoare = "7"});
        data.line({.date = "2025-03-02", .nr = "4", .conta = "C003", .dbcr = "DB", .valoare = "12.5"});
        data.line({.date = "2025-03-31", .tip = "CHIT", .nr = "5", .conta = "C003", .dbcr = "CR", .valoare = "2.5"});
        data.line({.date = "2025-03-15", .nr = "6", .conta = "C002", .dbcr = "DB", .valoare = "1000"});
        data.doc("2025-03-05", "FACT", "1", "Alfa SA", "ana");
        sheet->cxButtonEdit1()->setText(QStringLiteral("411"));
        sheet->cxDateEdit1()->setDate(QDate(2025, 3, 1));
        sheet->cxDateEdit2()->setDate(QDate(2025, 3, 31));
        QTest::mouseClick(sheet->btnCauta(), Qt::LeftButton);
    }

    double datasetSum(const char* field) const
    {
        const db::Dataset& ds = sheet->dsFisaContAnalitic;
        double sum = 0;
        for (int r = 0; r < ds.recordCount(); ++r) {
            const db::Value v = ds.rows().value(r, ds.fieldIndex(field));
            if (const auto* d = std::get_if<double>(&v))
                sum += *d;
        }
        return sum;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!xlsxtest::pythonWithOpenpyxl().empty(), "No python3 with openpyxl: install python3-openpyxl");
    }

    void init()
    {
        makeSheet();
        folder = std::make_unique<QTemporaryDir>();
        desktopServices->setCommonAppDataFolder(folder->path());
        showSheet();
    }

    void cleanup()
    {
        releaseSheet();
        folder.reset();
    }

    void proposedNameAndCancel_data()
    {
        QTest::addColumn<QString>("commonFolder");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("proposed");

        QTest::newRow("day/month/year") << "/var/tmp" << "dd/MM/yyyy" << QDate(2025, 11, 17)
                                        << "/var/tmp/FisaContAnalitic_17-11-2025.xlsx";
        QTest::newRow("day.month.year") << "/var/tmp" << "dd.MM.yyyy" << QDate(2025, 11, 17)
                                        << "/var/tmp/FisaContAnalitic_17.11.2025.xlsx";
        QTest::newRow("month/day/two-digit year") << "/var/tmp" << "M/d/yy" << QDate(2025, 3, 5)
                                                  << "/var/tmp/FisaContAnalitic_3-5-25.xlsx";
        QTest::newRow("folder with a trailing separator") << "/srv/common/" << "yyyy-MM-dd" << QDate(2025, 11, 17)
                                                          << "/srv/common/FisaContAnalitic_2025-11-17.xlsx";
        QTest::newRow("no common folder") << "" << "dd.MM.yyyy" << QDate(2024, 2, 29)
                                          << "/FisaContAnalitic_29.02.2024.xlsx";
    }

    void proposedNameAndCancel()
    {
        QFETCH(QString, commonFolder);
        QFETCH(QString, format);
        QFETCH(QDate, today);
        QFETCH(QString, proposed);
        desktopServices->setCommonAppDataFolder(commonFolder);
        desktopServices->setShortDateFormat(format);
        desktopServices->setToday(today);
        testapp::BoxCatcher boxes;
        exportTo(std::nullopt);
        QCOMPARE(saveDialog->calls.size(), std::size_t(1));
        QCOMPARE(saveDialog->calls[0].filter, QStringLiteral("*.xlsx"));
        QCOMPARE(saveDialog->calls[0].proposedPath, proposed);
        // Cancel: nothing written, opened or changed, and nothing said.
        QVERIFY(boxes.seen.empty());
        QVERIFY(!QFile::exists(proposed));
        QVERIFY(desktopServices->openRequests().isEmpty());
        QCOMPARE(sheet->LabelPathSave()->text(), QString());
    }

    void everyClickProposesAfreshAndCancelKeepsTheLastExport()
    {
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("elsewhere")));
        exportTo(inFolder(QStringLiteral("elsewhere/mine.xlsx")));
        QCOMPARE(saveDialog->calls[0].proposedPath, inFolder(QStringLiteral("FisaContAnalitic_17.11.2025.xlsx")));
        QCOMPARE(sheet->LabelPathSave()->text(), inFolder(QStringLiteral("elsewhere/mine.xlsx")));

        // The regional format and the day changed meanwhile; the earlier choice is not remembered.
        desktopServices->setShortDateFormat(QStringLiteral("dd/MM/yyyy"));
        desktopServices->setToday(QDate(2025, 11, 18));
        testapp::BoxCatcher boxes;
        exportTo(std::nullopt);
        QCOMPARE(saveDialog->calls.size(), std::size_t(2));
        QCOMPARE(saveDialog->calls[1].proposedPath, inFolder(QStringLiteral("FisaContAnalitic_18-11-2025.xlsx")));
        QVERIFY(boxes.seen.empty());
        QCOMPARE(everythingIn(folder->path()), (QStringList{"elsewhere", "elsewhere/mine.xlsx"}));
        QCOMPARE(desktopServices->openRequests(), QStringList{inFolder(QStringLiteral("elsewhere/mine.xlsx"))});
        QCOMPARE(sheet->LabelPathSave()->text(), inFolder(QStringLiteral("elsewhere/mine.xlsx")));
    }

    void writesTheWorkbookOpensItAndShowsItsPath()
    {
        testapp::BoxCatcher boxes;
        searchMarch411();
        QCOMPARE(sheet->cxGrid1()->viewState().rowCount(), 8); // C003 has movements, no opening
        const QString path = inFolder(QStringLiteral("FisaContAnalitic_17.11.2025.xlsx"));
        // An older file of that name is replaced without a question.
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("not a workbook");
        old.close();

        exportTo(path);
        QVERIFY(boxes.seen.empty());
        QCOMPARE(saveDialog->calls[0].proposedPath, path);
        QCOMPARE(desktopServices->openRequests(), QStringList{path});
        QCOMPARE(sheet->LabelPathSave()->text(), path);
        QVERIFY(sheet->cxGrid1()->isEnabled());
        QVERIFY(sheet->cxGrid1()->updatesEnabled());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(everythingIn(folder->path()), QStringList{"FisaContAnalitic_17.11.2025.xlsx"});

        const Workbook book = readBack(path);
        QVERIFY2(book.exitCode == 0, qPrintable(book.output));
        QCOMPARE(book.sheets, QStringLiteral("['FisaContAnalitic_17.11.2025']"));
        QStringList header;
        for (const char* c : {"conts", "conta", "data_doc", "tip_doc", "explicatie", "partener", "nr_doc", "conts_coresp",
                              "conta_coresp", "moneda", "valoare_db_lei", "valoare_cr_lei", "valoare_db", "valoare_cr",
                              "sold_final_lei", "sold_final", "tip_sold_final", "data_incep_abonament",
                              "data_sf_abonament", "data_incep", "data_sf", "user"})
            header << QStringLiteral("b'%1'").arg(QString::fromLatin1(c));
        QCOMPARE(book.rows.size(), std::size_t(9));
        QCOMPARE(book.rows[0], header);

        // Each row as the grid holds it: texts as texts, dates as dates, numbers that sum.
        const grid::ViewState& view = sheet->cxGrid1()->viewState();
        for (int r = 0; r < view.rowCount(); ++r) {
            const ledgertest::Row row{&sheet->dsFisaContAnalitic, view.datasetRow(r)};
            const QStringList& cells = book.rows[std::size_t(r) + 1];
            QCOMPARE(cells.size(), qsizetype(22));
            QCOMPARE(cells[book.column("conta")], repr(row.text("conta")));
            QCOMPARE(cells[book.column("nr_doc")], repr(row.text("nr_doc")));
            QCOMPARE(cells[book.column("data_doc")], row.null("data_doc")
                                                         ? QStringLiteral("None")
                                                         : QStringLiteral("date(%1)").arg(QString::fromStdString(row.text("data_doc"))));
            QCOMPARE(cells[book.column("data_incep")], QStringLiteral("date(2025-03-01)"));
            QCOMPARE(cells[book.column("tip_sold_final")], repr(row.text("tip_sold_final")));
        }
        QCOMPARE(book.rows[2][book.column("partener")], QStringLiteral("'Alfa SA'"));
        QCOMPARE(book.rows[2][book.column("user")], QStringLiteral("'ana'"));
        QCOMPARE(book.rows[2][book.column("valoare_db_lei")], QStringLiteral("50.25"));
        std::map<QString, double> sums;
        for (const QString& s : book.sums.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            sums[s.section(QLatin1Char('='), 0, 0)] = s.section(QLatin1Char('='), 1).toDouble();
        const std::pair<const char*, const char*> amounts[] = {
            {"K", "valoare_db_lei"}, {"L", "valoare_cr_lei"}, {"M", "valoare_db"},
            {"N", "valoare_cr"},     {"O", "sold_final_lei"}, {"P", "sold_final"},
        };
        for (const auto& [letter, field] : amounts)
            QCOMPARE(sums[QString::fromLatin1(letter)], datasetSum(field));
        QCOMPARE(sums[QStringLiteral("K")], 1069.75);

        // Again to the same name: replaced, opened and shown again.
        exportTo(path);
        QVERIFY(boxes.seen.empty());
        QCOMPARE(desktopServices->openRequests(), (QStringList{path, path}));
        QCOMPARE(everythingIn(folder->path()), QStringList{"FisaContAnalitic_17.11.2025.xlsx"});
        QCOMPARE(readBack(path).rows.size(), std::size_t(9));
    }

    void writtenUnderTheXlsxExtension_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("sheetName");

        QTest::newRow("date typed without the extension")
            << "FisaContAnalitic_17.11.2025" << "FisaContAnalitic_17.11.xlsx" << "FisaContAnalitic_17.11";
        QTest::newRow("another extension") << "raport.csv" << "raport.xlsx" << "raport";
        QTest::newRow("no dot at all") << "raport" << "raport.xlsx" << "raport";
        QTest::newRow("a dot in the folder only") << "v1.2/raport" << "v1.2/raport.xlsx" << "raport";
        QTest::newRow("already .xlsx") << "FisaContAnalitic_17.11.2025.xlsx" << "FisaContAnalitic_17.11.2025.xlsx"
                                       << "FisaContAnalitic_17.11.2025";
    }

    void writtenUnderTheXlsxExtension()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QString, sheetName);
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("v1.2")));
        testapp::BoxCatcher boxes;
        exportTo(inFolder(chosen));
        QVERIFY(boxes.seen.empty());
        QStringList files{QStringLiteral("v1.2"), written};
        files.sort();
        QCOMPARE(everythingIn(folder->path()), files);
        // The shell and the label name the file that exists.
        QCOMPARE(desktopServices->openRequests(), QStringList{inFolder(written)});
        QCOMPARE(sheet->LabelPathSave()->text(), inFolder(written));
        const Workbook book = readBack(inFolder(written));
        QVERIFY2(book.exitCode == 0, qPrintable(book.output));
        QCOMPARE(book.sheets, QStringLiteral("['%1']").arg(sheetName));
    }

    void failureSaysWhyAndChangesNothing_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");

        QTest::newRow("missing folder") << "missing/x.xlsx" << "missing/x.xlsx" << "No such file or directory";
        QTest::newRow("missing folder, no extension") << "missing/x" << "missing/x.xlsx" << "No such file or directory";
        QTest::newRow("a folder under the name") << "taken.xlsx" << "taken.xlsx" << "Is a directory";
    }

    void failureSaysWhyAndChangesNothing()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        testapp::BoxCatcher boxes;
        searchMarch411();
        exportTo(inFolder(QStringLiteral("first.xlsx")));
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("taken.xlsx")));
        const QStringList before = everythingIn(folder->path());

        exportTo(inFolder(chosen));
        QCOMPARE(boxes.seen.size(), std::size_t(1));
        const QString text = boxes.seen[0].text;
        QVERIFY2(text.contains(QStringLiteral("\"%1\"").arg(inFolder(target))), qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        QCOMPARE(desktopServices->openRequests(), QStringList{inFolder(QStringLiteral("first.xlsx"))});
        QCOMPARE(sheet->LabelPathSave()->text(), inFolder(QStringLiteral("first.xlsx")));
        QCOMPARE(everythingIn(folder->path()), before); // no half-written file, no temporary one
        QVERIFY(sheet->cxGrid1()->isEnabled());
        QVERIFY(sheet->cxGrid1()->updatesEnabled());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void labelClickOpensItsText()
    {
        QTest::mouseClick(sheet->LabelPathSave(), Qt::LeftButton);
        QCOMPARE(desktopServices->openRequests(), QStringList{QString()});

        const QString path = inFolder(QStringLiteral("sheet.xlsx"));
        exportTo(path);
        QVERIFY(QFile::remove(path));
        testapp::BoxCatcher boxes;
        QTest::mouseClick(sheet->LabelPathSave(), Qt::LeftButton);
        QCOMPARE(desktopServices->openRequests(), (QStringList{QString(), path, path}));
        QVERIFY(boxes.seen.empty()); // a missing file is the opened program's business
    }

    void emptyGridWritesTheHeaderAlone()
    {
        const QString path = inFolder(QStringLiteral("empty.xlsx"));
        exportTo(path);
        const Workbook book = readBack(path);
        QVERIFY2(book.exitCode == 0, qPrintable(book.output));
        QCOMPARE(book.rows.size(), std::size_t(1));
        QCOMPARE(book.rows[0].size(), qsizetype(22));
        QCOMPARE(book.rows[0].last(), QStringLiteral("b'user'"));
    }

    void workbookFollowsTheGridsState_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("sorted by a header click") << "sort";
        QTest::newRow("sorted descending and filtered") << "sort desc, filter";
        QTest::newRow("grouped, groups collapsed on screen") << "group";
        QTest::newRow("columns moved") << "move";
        QTest::newRow("all of it") << "sort desc, filter, group, move";
    }

    void workbookFollowsTheGridsState()
    {
        QFETCH(QString, change);
        searchMarch411();
        grid::GridView* g = sheet->cxGrid1();
        const grid::ViewState& view = g->viewState();
        enum { Conta = 1, Explicatie = 4, NrDoc = 6, ValoareDbLei = 10, Emitent = 21 };
        if (change.contains(QLatin1String("sort"))) {
            g->sortClick(view.visibleIndexOf(ValoareDbLei), Qt::NoModifier);
            if (change.contains(QLatin1String("desc")))
                g->sortClick(view.visibleIndexOf(ValoareDbLei), Qt::NoModifier);
        }
        if (change.contains(QLatin1String("filter")))
            g->setFilterText(Explicatie, QStringLiteral("fact"));
        if (change.contains(QLatin1String("group"))) {
            g->groupBy(Conta);
            g->collapseAll();
        }
        if (change.contains(QLatin1String("move"))) {
            g->moveColumn(Emitent, 0);
            g->moveColumn(NrDoc, 1);
        }
        const QString path = inFolder(QStringLiteral("state.xlsx"));
        exportTo(path);
        const Workbook book = readBack(path);
        QVERIFY2(book.exitCode == 0, qPrintable(book.output));

        // The header is the grid's on screen, left to right.
        QStringList captions;
        for (int c = 0; c < g->model()->columnCount(); ++c)
            captions << QStringLiteral("b'%1'").arg(g->model()->headerData(c, Qt::Horizontal).toString());
        QCOMPARE(book.rows[0], captions);

        // The rows are the grid's with every group open.
        g->expandAll();
        QStringList expected, actual;
        for (int r = 0; r < view.rowCount(); ++r) {
            if (view.isGroupRow(r)) {
                const grid::GroupRow group = view.groupRow(r);
                expected << QStringLiteral("[%1] group %2 (%3)").arg(group.level).arg(view.text(group.value)).arg(group.count);
            } else {
                const ledgertest::Row row{&sheet->dsFisaContAnalitic, view.datasetRow(r)};
                expected << QStringLiteral("[%1] %2 %3").arg(view.groupColumns().size())
                                .arg(repr(row.text("conta")), repr(row.text("nr_doc")));
            }
        }
        for (std::size_t r = 1; r < book.rows.size(); ++r) {
            const QStringList& cells = book.rows[r];
            if (cells[0].startsWith(QLatin1String("b'conta : "))) {
                // "conta : C001 (3)", written bold in its first cell.
                const QString label = cells[0].mid(10, cells[0].size() - 11);
                actual << QStringLiteral("[%1] group %2").arg(book.levels[r]).arg(label);
            } else {
                const int conta = book.column(QStringLiteral("conta"));
                actual << QStringLiteral("[%1] %2 %3").arg(book.levels[r])
                              .arg(conta < 0 ? QStringLiteral("(grouped)") : cells[conta], cells[book.column("nr_doc")]);
            }
        }
        if (!view.groupColumns().empty()) {
            // Grouped by conta, the data rows no longer show it.
            for (QString& line : expected)
                if (!line.contains(QLatin1String("group")))
                    line.replace(QRegularExpression(QStringLiteral("'C00\\d' ")), QStringLiteral("(grouped) "));
        }
        QCOMPARE(actual, expected);
        QVERIFY(expected.size() > 3);
    }
};

QTEST_MAIN(ExportHandlerTest)
#include "ExportHandlerTest.moc"
