#pragma once

#include "db/Query.h"
#include "storage/MemTable.h"

#include <QDialog>

#include <memory>

class TdmCon;
class QLineEdit;
class QPushButton;
namespace desktop {
class DesktopServices;
}
namespace Ui {
class TfrmLogin;
}

// The sign-in dialog (frmLogin). It remembers the last company and user name
// in "UlvBrenu.json" in the roaming application-data folder, and its "Login"
// button runs the sign-in; the dialog closes with Accepted once it succeeds.
class TfrmLogin : public QDialog {
    Q_OBJECT

public:
    TfrmLogin(desktop::DesktopServices& desktop, QString applicationName, QWidget* parent = nullptr);
    ~TfrmLogin() override;

    // The dialog is created before the data module; this completes its
    // directory query's reference to the directory connection.
    void setDataModule(TdmCon& dm);

    QLineEdit* Edit1() const;
    QLineEdit* Edit2() const;
    QLineEdit* Edit3() const;
    QPushButton* Button1() const;

    // Last company and user name, bound to Edit1 and Edit2.
    storage::MemTable dsLogin;
    // The company look-up in the directory database.
    db::Query dsUlvMobil;

    // Where the remembered names live.
    QString rememberedFilePath() const;

public slots:
    void Button1Click();
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showRememberedRow();

    std::unique_ptr<Ui::TfrmLogin> ui;
    desktop::DesktopServices& desktop_;
    QString applicationName_;
    TdmCon* dm_ = nullptr;
    bool shownBefore_ = false;
};
