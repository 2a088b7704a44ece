#include "TfrmLogin.h"

#include "SignInSequence.h"
#include "ui_TfrmLogin.h"

#include "data/TdmCon.h"
#include "desktop/BusyCursor.h"
#include "desktop/DesktopServices.h"
#include "desktop/PathJoin.h"
#include "app/Anchors.h"
#include "app/errors/Guarded.h"
#include "storage/TableFile.h"

#include <QKeyEvent>
#include <QTimer>

namespace {

const QString rememberedFileName = QStringLiteral("UlvBrenu.json");

storage::MemTable makeLoginTable()
{
    return storage::MemTable(QStringLiteral("dsLogin"),
                             {{QStringLiteral("company"), 200}, {QStringLiteral("username"), 200}});
}

} // namespace

TfrmLogin::TfrmLogin(desktop::DesktopServices& desktop, QString applicationName, QWidget* parent)
    : QDialog(parent),
      dsLogin(makeLoginTable()),
      dsUlvMobil("dsUlvMobil", nullptr),
      ui(std::make_unique<Ui::TfrmLogin>()),
      desktop_(desktop),
      applicationName_(std::move(applicationName))
{
    ui->setupUi(this);
    app::fitLabelsToText(this);
    login::SignInSequence::configureDirectoryQuery(dsUlvMobil);

    connect(ui->Button1, &QPushButton::clicked, this, app::guarded(this, &TfrmLogin::Button1Click));
    // The two edits track the remembered row at every keystroke; textEdited
    // fires for the operator's typing only, so filling the edits from the
    // file never invents a row.
    connect(ui->Edit1, &QLineEdit::textEdited, this,
            app::guarded([this] { dsLogin.setField(QStringLiteral("company"), ui->Edit1->text()); }));
    connect(ui->Edit2, &QLineEdit::textEdited, this,
            app::guarded([this] { dsLogin.setField(QStringLiteral("username"), ui->Edit2->text()); }));
}

TfrmLogin::~TfrmLogin() = default;

void TfrmLogin::setDataModule(TdmCon& dm)
{
    dm_ = &dm;
    dsUlvMobil.setConnection(&dm.conUlvMob);
}

QLineEdit* TfrmLogin::Edit1() const { return ui->Edit1; }
QLineEdit* TfrmLogin::Edit2() const { return ui->Edit2; }
QLineEdit* TfrmLogin::Edit3() const { return ui->Edit3; }
QPushButton* TfrmLogin::Button1() const { return ui->Button1; }

QString TfrmLogin::rememberedFilePath() const
{
    return desktop::joinPath(desktop_.roamingAppDataFolder(), rememberedFileName);
}

void TfrmLogin::showRememberedRow()
{
    ui->Edit1->setText(dsLogin.field(QStringLiteral("company")).value_or(QString()));
    ui->Edit2->setText(dsLogin.field(QStringLiteral("username")).value_or(QString()));
}

void TfrmLogin::FormShow()
{
    const QString path = rememberedFilePath();
    if (!storage::fileExists(path))
        return;
    try {
        storage::loadTableFile(dsLogin, path);
    } catch (...) {
        // An unreadable file must not keep the operator out: the dialog
        // opens with empty edits and the next "Login" writes a good file.
        dsLogin.load({});
        showRememberedRow();
        throw;
    }
    showRememberedRow();
}

void TfrmLogin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        ui->Edit3->setFocus(Qt::OtherFocusReason);
    }
    try {
        FormShow();
    } catch (...) {
        // The error box comes once the dialog is on screen, over it.
        QTimer::singleShot(0, this, [error = std::current_exception()] { app::ErrorDisplay::show(error); });
    }
}

void TfrmLogin::keyPressEvent(QKeyEvent* event)
{
    // Only the close box cancels the dialog; Esc does nothing here.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmLogin::Button1Click()
{
    // Saved before any check, whatever the sign-in then says.
    storage::saveTableFile(dsLogin, rememberedFilePath());
    if (!dm_)
        throw std::logic_error("the sign-in dialog has no data module");
    {
        desktop::BusyCursor busy;
        login::SignInSequence(*dm_, dsUlvMobil, applicationName_).run(ui->Edit1->text(), ui->Edit2->text(),
                                                                      ui->Edit3->text());
    }
    ui->Edit3->clear();
    accept();
}
