#pragma once

#include "FisaContAnaliticQuery.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class TdmCon;
class TfrmConts_select;
namespace desktop {
class DesktopServices;
class SaveFileDialog;
}
namespace grid {
class GridView;
}
namespace ledger {
class DateEdit;
}
namespace Ui {
class TfFisaContA_Morv;
}

// The analytic account sheet (fFisaContA_Morv): a synthetic account and a
// whole-month period in, the ledger's rows out in the grid, and the export of
// what the grid shows to a workbook. Closing it only hides it: the account,
// the dates, the rows and the last exported path stay for the next showing.
class TfFisaContA_Morv : public QWidget {
    Q_OBJECT

public:
    TfFisaContA_Morv(TdmCon& dm, desktop::DesktopServices& desktop, desktop::SaveFileDialog& saveDialog,
                     QWidget* parent = nullptr);
    ~TfFisaContA_Morv() override;

    // The picker is created after this window; this completes the reference.
    void setPicker(TfrmConts_select* picker) { frmConts_select_ = picker; }

    ledger::FisaContAnaliticQuery ledgerQuery;
    db::Query& dsFisaContAnalitic;

    ledger::DateEdit* cxDateEdit1() const;
    ledger::DateEdit* cxDateEdit2() const;
    QLineEdit* cxButtonEdit1() const;
    QPushButton* cxButton1() const;
    QPushButton* cxButton2() const;
    QPushButton* btnCauta() const;
    QPushButton* ButtonExportExcel() const;
    QLabel* LabelPathSave() const;
    grid::GridView* cxGrid1() const;

public slots:
    void FormCreate();
    void cxDateEdit1PropertiesEditValueChanged();
    void cxDateEdit2PropertiesEditValueChanged();
    void cxButton1Click();
    void cxButton2Click();
    void cxButtonEdit1PropertiesButtonClick();
    void btnCautaClick();
    void ButtonExportExcelClick();
    void LabelPathSaveClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLastExport(const QString& path);

    std::unique_ptr<Ui::TfFisaContA_Morv> ui;
    TdmCon& dm_;
    desktop::DesktopServices& desktop_;
    desktop::SaveFileDialog& saveDialog_;
    TfrmConts_select* frmConts_select_ = nullptr;
};
