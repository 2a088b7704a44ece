// The account pickers against a company database of their own: what they
// list, the filter row across showings, how they close, and the account
// sheet's ellipsis button that runs the synthetic-account picker.
#include "ModalBoxes.h"
#include "PgFixture.h"
#include "SheetFixture.h"

#include "data/TdmCon.h"
#include "desktop/RecordingDesktopServices.h"
#include "desktop/SaveFileDialog.h"
#include "grid/GridHeader.h"
#include "grid/GridIndicator.h"
#include "grid/GridTable.h"
#include "grid/GridView.h"
#include "grid/NavigatorBar.h"
#include "ledger/TfFisaContA_Morv.h"
#include "ledger/TfrmConta_select.h"
#include "ledger/TfrmConts_select.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The cells of the given columns for every row the grid shows, "a|b" each.
QStringList listed(const ledger::AccountPicker& picker, std::initializer_list<int> columns = {0})
{
    const grid::ViewState& view = picker.cxGrid1()->viewState();
    QStringList lines;
    for (int r = 0; r < view.rowCount(); ++r) {
        QStringList cells;
        for (int id : columns)
            cells << QString::fromStdString(db::Dataset::displayText(grid::toValue(view.columnValue(view.datasetRow(r), id))));
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

QStringList columnsOf(const ledger::AccountPicker& picker)
{
    const grid::ViewState& view = picker.cxGrid1()->viewState();
    QStringList columns;
    for (int i = 0; i < view.visibleColumnCount(); ++i) {
        const int id = view.visibleColumn(i);
        columns << QStringLiteral("%1:%2:%3").arg(QString::fromStdString(view.column(id).field), view.column(id).caption)
                       .arg(view.columnWidth(id));
    }
    return columns;
}

} // namespace

class PickerTest : public QObject, private SheetFixture {
    Q_OBJECT

private:
    std::unique_ptr<TfrmConts_select> picker;

    // Runs `inside` while the picker's modal loop runs; `inside` closes it.
    void whileShown(std::function<void()> inside)
    {
        QTimer::singleShot(0, picker.get(), [this, inside = std::move(inside)] {
            if (picker->isVisible())
                inside();
        });
    }

    // The sheet's ellipsis button, as the operator clicks it.
    void clickEllipsis()
    {
        QLineEdit* edit = sheet->cxButtonEdit1();
        QCOMPARE(edit->actions().size(), 1);
        QToolButton* button = nullptr;
        for (QToolButton* b : edit->findChildren<QToolButton*>())
            if (b->defaultAction() == edit->actions().front())
                button = b;
        QVERIFY(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Focuses the account's row; a missing one shows in what the caller copies.
    void focusAccount(const QString& conts)
    {
        if (const qsizetype row = listed(*picker).indexOf(conts); row >= 0)
            picker->cxGrid1()->setFocusedRow(int(row));
    }

    QLineEdit* filterEditor(int column) const { return picker->cxGrid1()->header()->filterEditor(column); }

private slots:
    void init()
    {
        makeSheet();
        company->exec("delete from conts; delete from conta;"
                      "insert into conts (conts, den_conts, discontinued) values"
                      " ('5121', 'Conturi la banci in lei', false), ('411', 'Clienti', false),"
                      " ('471', 'Cheltuieli inregistrate in avans', true), ('4111', 'Clienti interni', false),"
                      " ('401', 'Furnizori', false);"
                      "insert into conta (conts, conta, moneda, den_conta, discontinued) values"
                      " ('411', 'C002', 'RON', 'Beta SRL', false), ('401', 'F001', 'EUR', 'Gamma GmbH', false),"
                      " ('411', 'C001', 'RON', 'Alfa SA', false), ('411', 'C003', 'RON', 'Inchis SRL', true);");
        picker = std::make_unique<TfrmConts_select>(&dm->conUlv);
        sheet->setPicker(picker.get());
        showSheet();
    }

    void cleanup()
    {
        sheet.reset();
        picker.reset();
        releaseSheet();
    }

    void layoutsAndLists()
    {
        QVERIFY(!picker->dsConts.active()); // nothing is read before the first showing
        picker->show();
        QVERIFY(QTest::qWaitForWindowExposed(picker.get()));
        QCOMPARE(picker->windowTitle(), QStringLiteral("frmConts_select"));
        QCOMPARE(columnsOf(*picker), (QStringList{"conts:conts:73", "den_conts:den_conts:387"}));
        const grid::GridView* g = picker->cxGrid1();
        QVERIFY(g->filterRowVisible());
        QVERIFY(g->indicator()->isVisible());
        QVERIFY(g->navigator()->isVisible());
        QVERIFY(!g->tableStyleSheet().has_value());
        QCOMPARE(picker->cxButton1()->text(), QStringLiteral("OK"));
        QVERIFY(!picker->cxButton1()->isDefault() && !picker->cxButton1()->autoDefault());
        // Active accounts only, by code.
        QCOMPARE(listed(*picker, {0, 1}), (QStringList{"401|Furnizori", "411|Clienti", "4111|Clienti interni",
                                                       "5121|Conturi la banci in lei"}));
        QCOMPARE(g->navigator()->infoText(), QStringLiteral("Record 1 of 4"));
        QCOMPARE(picker->dsConts.recNo(), 0);

        // The analytic-account picker: its own columns, the module's style sheet, by account and analytic.
        TfrmConta_select conta(&dm->conUlv, dm->GridTableViewStyleSheetDevExpress);
        QVERIFY(!conta.dsConta.active());
        conta.show();
        QVERIFY(QTest::qWaitForWindowExposed(&conta));
        QCOMPARE(conta.windowTitle(), QStringLiteral("frmConta_select"));
        QCOMPARE(columnsOf(conta), (QStringList{"conts:conts:72", "conta:conta:101", "den_conta:den_conta:208",
                                                "moneda:moneda:55"}));
        QVERIFY(conta.cxGrid1()->filterRowVisible());
        QVERIFY(conta.cxGrid1()->indicator()->isVisible());
        QVERIFY(conta.cxGrid1()->tableStyleSheet().has_value());
        QCOMPARE(conta.cxGrid1()->tableStyleSheet()->caption, dm->GridTableViewStyleSheetDevExpress.caption);
        QCOMPARE(listed(conta, {0, 1, 2, 3}),
                 (QStringList{"401|F001|Gamma GmbH|EUR", "411|C001|Alfa SA|RON", "411|C002|Beta SRL|RON"}));
    }

    void listIsReadAgainAtEveryShowing()
    {
        picker->show();
        QCOMPARE(listed(*picker), (QStringList{"401", "411", "4111", "5121"}));
        picker->hide();
        QVERIFY(picker->dsConts.active()); // stays open while hidden
        company->exec("insert into conts (conts, den_conts) values ('300', 'Materii prime');"
                      "update conts set discontinued = true where conts = '401';");
        QCOMPARE(listed(*picker), (QStringList{"401", "411", "4111", "5121"}));

        QStringList seen;
        whileShown([&] {
            seen = listed(*picker);
            picker->cxButton1()->click();
        });
        QCOMPARE(picker->exec(), int(QDialog::Accepted));
        QCOMPARE(seen, (QStringList{"300", "411", "4111", "5121"}));

        // A list that cannot be read: the error is shown, the picker opens with the list as it was.
        picker->hide();
        company->exec("alter table conts rename to conts_gone;");
        testapp::BoxCatcher boxes;
        picker->show();
        QTRY_COMPARE(boxes.seen.size(), std::size_t(1));
        QVERIFY2(boxes.seen[0].text.contains("conts"), qPrintable(boxes.seen[0].text));
        QVERIFY(picker->isVisible());
        QCOMPARE(listed(*picker), (QStringList{"300", "411", "4111", "5121"}));
    }

    void filterRowNarrowsAtOnceAndStays()
    {
        picker->show();
        QVERIFY(QTest::qWaitForWindowExposed(picker.get()));
        QLineEdit* editor = filterEditor(0);
        QVERIFY(editor && editor->isVisible());
        editor->setFocus();
        const std::pair<Qt::Key, QStringList> steps[] = {
            {Qt::Key_4, {"401", "411", "4111"}},
            {Qt::Key_1, {"411", "4111"}},
            {Qt::Key_1, {"411", "4111"}},
            {Qt::Key_1, {"4111"}},
            {Qt::Key_Backspace, {"411", "4111"}},
        };
        for (const auto& [key, rows] : steps) {
            QTest::keyClick(editor, key);
            QCOMPARE(listed(*picker), rows);
        }
        // The current row follows onto a shown row when the filter hides it.
        QCOMPARE(QString::fromStdString(picker->dsConts.asString("conts")), QStringLiteral("4111"));

        // Hidden and shown again: the condition is in force over the list read again.
        picker->hide();
        company->exec("insert into conts (conts, den_conts) values ('4119', 'Clienti incerti'), ('419', 'Avansuri');");
        picker->show();
        QCOMPARE(filterEditor(0)->text(), QStringLiteral("411"));
        QCOMPARE(listed(*picker), (QStringList{"411", "4111", "4119"}));
        picker->hide();

        // Through the sheet: the filter is still there and the choice comes from the shown rows.
        QStringList seen;
        QString filterText;
        whileShown([&] {
            seen = listed(*picker);
            filterText = filterEditor(0)->text();
            focusAccount(QStringLiteral("4119"));
            QTest::mouseClick(picker->cxButton1(), Qt::LeftButton);
        });
        clickEllipsis();
        QCOMPARE(filterText, QStringLiteral("411"));
        QCOMPARE(seen, (QStringList{"411", "4111", "4119"}));
        QCOMPARE(picker->result(), int(QDialog::Accepted));
        QCOMPARE(sheet->cxButtonEdit1()->text(), QStringLiteral("4119"));
    }

    void okCopiesTheChosenAccount_data()
    {
        QTest::addColumn<bool>("emptyList");
        QTest::addColumn<QString>("choose");
        QTest::addColumn<QString>("copied");
        QTest::newRow("a chosen account") << false << QStringLiteral("5121") << QStringLiteral("5121");
        QTest::newRow("the first row, untouched") << false << QString() << QStringLiteral("401");
        QTest::newRow("an empty list") << true << QString() << QString();
    }

    void okCopiesTheChosenAccount()
    {
        QFETCH(bool, emptyList);
        QFETCH(QString, choose);
        QFETCH(QString, copied);
        if (emptyList)
            company->exec("update conts set discontinued = true;");
        sheet->cxButtonEdit1()->setText(QStringLiteral("999"));
        QStringList seen;
        whileShown([&] {
            seen = listed(*picker);
            if (!choose.isEmpty())
                focusAccount(choose);
            QTest::mouseClick(picker->cxButton1(), Qt::LeftButton);
        });
        clickEllipsis();
        QCOMPARE(seen.isEmpty(), emptyList);
        QCOMPARE(picker->result(), int(QDialog::Accepted));
        QVERIFY(!picker->isVisible());
        QCOMPARE(sheet->cxButtonEdit1()->text(), copied);
    }

    void closeBoxCancelsAndKeepsTheEdit()
    {
        sheet->cxButtonEdit1()->setText(QStringLiteral("999"));
        whileShown([&] {
            focusAccount(QStringLiteral("5121"));
            picker->close();
        });
        clickEllipsis();
        QCOMPARE(picker->result(), int(QDialog::Rejected));
        QVERIFY(!picker->isVisible());
        QCOMPARE(sheet->cxButtonEdit1()->text(), QStringLiteral("999"));
    }

    void enterAndEscCloseNothing()
    {
        QStringList stillOpen;
        whileShown([&] {
            QWidget* targets[] = {picker.get(), picker->cxGrid1()->table(), filterEditor(0), picker->cxButton1()};
            for (QWidget* target : targets) {
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                    target->setFocus();
                    QTest::keyClick(target, key);
                    stillOpen << QString::fromLatin1(picker->isVisible() ? "open" : "closed");
                }
            }
            if (picker->isVisible())
                picker->cxButton1()->click();
        });
        QCOMPARE(picker->exec(), int(QDialog::Accepted));
        QCOMPARE(stillOpen, QStringList(12, QStringLiteral("open")));
    }
};

QTEST_MAIN(PickerTest)
#include "PickerTest.moc"
