// A tour of the real program for the README's pictures: it makes the six
// instances as wMorv does, drives the windows as an operator would (signs in,
// opens the account sheet, looks up an account in the picker, searches,
// groups and filters the rows) and saves a PNG of each window on the way.
//
//   wMorv.screenshots FOLDER [--company C] [--user U] [--password P]
//                            [--account A] [--picker-filter T]
//
// It needs a display (scripts/screenshots.sh runs it under Xvfb) and the
// servers the build points at (by default the local demo servers).
#include "StepRunner.h"

#include "app/AppInstances.h"
#include "app/Startup.h"
#include "app/TfMenuMorv.h"
#include "grid/FilterBar.h"
#include "grid/GridHeader.h"
#include "grid/GridModel.h"
#include "grid/GridTable.h"
#include "grid/GridView.h"
#include "ledger/DateEdit.h"
#include "ledger/TfFisaContA_Morv.h"
#include "ledger/TfrmConts_select.h"
#include "login/TfrmLogin.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <QToolButton>
#include <QWindow>

#include <stdexcept>

namespace {

struct Options {
    QDir folder;
    QString company;
    QString user;
    QString password;
    QString account;
    QString pickerFilter;
};

Options readOptions(const QApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Drives wMorv's windows and saves a screenshot of each."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where the PNG files go."));
    const QCommandLineOption company(QStringLiteral("company"), QStringLiteral("Company to sign in to."),
                                     QStringLiteral("name"), QStringLiteral("Morv Demo"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("User name."), QStringLiteral("name"),
                                  QStringLiteral("demo"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Password."),
                                      QStringLiteral("text"), QStringLiteral("demo"));
    const QCommandLineOption account(QStringLiteral("account"), QStringLiteral("Synthetic account to look up."),
                                     QStringLiteral("conts"), QStringLiteral("4111"));
    const QCommandLineOption pickerFilter(QStringLiteral("picker-filter"),
                                          QStringLiteral("What to type into the picker's filter row."),
                                          QStringLiteral("text"), QStringLiteral("4"));
    parser.addOptions({company, user, password, account, pickerFilter});
    parser.process(application);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const QString folder = parser.positionalArguments().front();
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot make the folder " + folder.toStdString());
    return {QDir(folder),
            parser.value(company),
            parser.value(user),
            parser.value(password),
            parser.value(account),
            parser.value(pickerFilter)};
}

bool onScreen(const QWidget* window)
{
    return window->isVisible() && window->windowHandle() && window->windowHandle()->isExposed();
}

// Replaces what an edit holds by typing, so its handlers see the operator's keystrokes.
void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

template <typename W>
W* child(const QObject* parent, const char* name)
{
    W* found = parent->findChild<W*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("no widget named ") + name);
    return found;
}

int columnId(const grid::ViewState& state, const std::string& field)
{
    for (int id = 0; id < state.columnCount(); ++id)
        if (state.column(id).field == field)
            return id;
    throw std::runtime_error("the grid has no column " + field);
}

// The shown row whose cell in the given column reads `text`, or -1.
int shownRowWithText(const grid::GridView* grid, int columnId, const QString& text)
{
    const grid::ViewState& state = grid->viewState();
    const int visible = state.visibleIndexOf(columnId);
    const grid::GridModel* model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row)
        if (!state.isGroupRow(row) && model->data(model->index(row, visible)).toString() == text)
            return row;
    return -1;
}

class Tour {
public:
    Tour(const Options& options, const app::Instances& all)
        : options_(options),
          menu_(all.fMenuMorv),
          login_(static_cast<TfrmLogin*>(all.frmLogin)),
          sheet_(static_cast<TfFisaContA_Morv*>(all.fFisaContA_Morv)),
          picker_(static_cast<TfrmConts_select*>(all.frmConts_select))
    {
    }

    void addSteps(tour::StepRunner& run)
    {
        run.add({"the main window appears", [this] { return onScreen(menu_); },
                 [this] { tour::clickLater(child<QPushButton>(menu_, "ButtonLogin")); }});
        run.add({"the sign-in dialog appears", [this] { return onScreen(login_); }, [this] { signIn(); }});
        run.add({"the sign-in dialog is filled in", [this] { return login_->Edit3()->text() == options_.password; },
                 [this] {
                     save(login_, "sign-in.png");
                     tour::clickLater(login_->Button1());
                 }});
        run.add({"signed in", [this] { return !login_->isVisible() && child<QWidget>(menu_, "PanelMenu")->isVisible(); },
                 [this] {
                     save(menu_, "main-window.png");
                     tour::clickLater(child<QPushButton>(child<QWidget>(menu_, "PanelMenu"), "Button1"));
                 }});
        run.add({"the account sheet appears", [this] { return onScreen(sheet_); },
                 [this] { tour::clickLater(sheet_->cxButton2()); }});
        run.add({"the previous month is chosen",
                 [this] { return sheet_->cxDateEdit1()->date() && sheet_->cxDateEdit2()->date(); },
                 [this] { tour::clickLater(ellipsisButton()); }});
        run.add({"the account picker lists the accounts",
                 [this] { return onScreen(picker_) && picker_->cxGrid1()->model()->rowCount() > 0 && filterEditor(); },
                 [this] { QTest::keyClicks(filterEditor(), options_.pickerFilter); }});
        run.add({"the picker's filter row narrows the list",
                 [this] { return picker_->cxGrid1()->viewState().filterText(contsColumn()) == options_.pickerFilter; },
                 [this] { clickAccountRow(); }});
        run.add({"the account is chosen in the picker",
                 [this] { return picker_->dsConts.asString("conts") == options_.account.toStdString(); },
                 [this] {
                     save(picker_, "picker.png");
                     tour::clickLater(picker_->cxButton1());
                 }});
        run.add({"the picker puts the account into the sheet",
                 [this] { return !picker_->isVisible() && sheet_->cxButtonEdit1()->text() == options_.account; },
                 [this] { tour::clickLater(sheet_->btnCauta()); }});
        run.add({"the sheet shows the account's rows",
                 [this] { return sheet_->cxGrid1()->viewState().rowCount() > 0; },
                 [this] {
                     save(sheet_, "account-sheet.png");
                     groupAndFilter();
                 },
                 500, 180000});
        run.add({"the rows are grouped and filtered",
                 [this] { return sheet_->cxGrid1()->filterBar()->isVisible(); },
                 [this] { save(sheet_, "grouped-filtered.png"); }, 500});
    }

private:
    void signIn()
    {
        typeInto(login_->Edit1(), options_.company);
        typeInto(login_->Edit2(), options_.user);
        typeInto(login_->Edit3(), options_.password);
    }

    // The account edit's button that opens the picker.
    QToolButton* ellipsisButton() const
    {
        for (QToolButton* button : sheet_->cxButtonEdit1()->findChildren<QToolButton*>())
            if (button->isVisible())
                return button;
        throw std::runtime_error("the account edit has no button to open the picker");
    }

    int contsColumn() const { return columnId(picker_->cxGrid1()->viewState(), "conts"); }

    QLineEdit* filterEditor() const { return picker_->cxGrid1()->header()->filterEditor(contsColumn()); }

    void clickAccountRow()
    {
        grid::GridView* grid = picker_->cxGrid1();
        const int row = shownRowWithText(grid, contsColumn(), options_.account);
        if (row < 0)
            throw std::runtime_error("the picker does not list " + options_.account.toStdString()
                                     + " after filtering by " + options_.pickerFilter.toStdString());
        grid::GridTable* table = grid->table();
        const QModelIndex cell = grid->model()->index(row, 0);
        table->scrollTo(cell);
        tour::clickLater(table->viewport(), table->visualRect(cell).center());
    }

    // Groups the rows by document type and keeps only those against the banks,
    // the cash desk and the service revenue: a few groups of a few rows, all
    // expanded, with the filter bar saying what is filtered.
    void groupAndFilter()
    {
        grid::GridView* grid = sheet_->cxGrid1();
        const grid::ViewState& state = grid->viewState();
        const int counterAccount = columnId(state, "conts_coresp");
        grid::ValueFilter filter;
        for (const QString& choice : state.filterChoices(counterAccount))
            if (QStringList{"5121", "5124", "5311", "704"}.contains(choice))
                filter.values.insert(choice);
        if (filter.isEmpty())
            throw std::runtime_error("no rows against 5121, 5124, 5311 or 704 to filter on");
        grid->groupBy(columnId(state, "tip_doc"));
        grid->setValueFilter(counterAccount, filter);
        grid->expandAll();
    }

    void save(QWidget* window, const char* name) const
    {
        const QString path = options_.folder.filePath(QString::fromLatin1(name));
        // Quality 0 is the PNG writer's strongest compression: the files go
        // into the repository.
        if (!window->grab().save(path, "PNG", 0))
            throw std::runtime_error("cannot write " + path.toStdString());
        QTextStream(stderr) << "tour: wrote " << QDir::toNativeSeparators(path) << Qt::endl;
    }

    const Options& options_;
    TfMenuMorv* menu_;
    TfrmLogin* login_;
    TfFisaContA_Morv* sheet_;
    TfrmConts_select* picker_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    app::configureApplication(application);
    try {
        const Options options = readOptions(application);
        app::AppInstances instances(app::programFactories());
        Tour tour(options, instances.instances());
        tour::StepRunner run;
        tour.addSteps(run);
        instances.mainWindow().show();
        run.start();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QTextStream(stderr) << "tour: " << e.what() << Qt::endl;
        return 1;
    }
}
