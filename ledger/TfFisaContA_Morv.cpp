#include "TfFisaContA_Morv.h"

#include "DateEdit.h"
#include "ExportName.h"
#include "GridWorkbookExport.h"
#include "PeriodRule.h"
#include "SheetSearch.h"
#include "TfrmConts_select.h"
#include "ui_TfFisaContA_Morv.h"

#include "app/Anchors.h"
#include "app/errors/Guarded.h"
#include "data/TdmCon.h"
#include "desktop/BusyCursor.h"
#include "desktop/DesktopServices.h"
#include "desktop/SaveFileDialog.h"
#include "grid/GridView.h"

#include <QAction>
#include <QMouseEvent>
#include <QStyle>

namespace {

// The grid's 22 columns, in order; width 0 is the grid's default width.
std::vector<grid::ColumnDef> sheetColumns()
{
    return {
        {"conts", QStringLiteral("conts"), 0},
        {"conta", QStringLiteral("conta"), 61},
        {"data_doc", QStringLiteral("data_doc"), 0},
        {"tip_doc", QStringLiteral("tip_doc"), 54},
        {"explicatie", QStringLiteral("explicatie"), 305},
        {"partener", QStringLiteral("partener"), 219},
        {"nr_doc", QStringLiteral("nr_doc"), 0},
        {"conts_coresp", QStringLiteral("conts_coresp"), 85},
        {"conta_coresp", QStringLiteral("conta_coresp"), 86},
        {"moneda", QStringLiteral("moneda"), 54},
        {"valoare_db_lei", QStringLiteral("valoare_db_lei"), 91},
        {"valoare_cr_lei", QStringLiteral("valoare_cr_lei"), 90},
        {"valoare_db", QStringLiteral("valoare_db"), 75},
        {"valoare_cr", QStringLiteral("valoare_cr"), 74},
        {"sold_final_lei", QStringLiteral("sold_final_lei"), 83},
        {"sold_final", QStringLiteral("sold_final"), 80},
        {"tip_sold_final", QStringLiteral("tip_sold_final"), 83},
        {"data_incep_abonament", QStringLiteral("data_incep_abonament"), 105},
        {"data_sf_abonament", QStringLiteral("data_sf_abonament"), 83},
        {"data_incep", QStringLiteral("data_incep"), 72},
        {"data_sf", QStringLiteral("data_sf"), 0},
        {"emitent", QStringLiteral("user"), 100},
    };
}

// The grid is disabled and does not repaint while the export reads it, and
// comes back however the export ends.
class GridHeldStill {
public:
    explicit GridHeldStill(QWidget* grid) : grid_(grid)
    {
        grid_->setEnabled(false);
        grid_->setUpdatesEnabled(false);
    }
    ~GridHeldStill()
    {
        grid_->setUpdatesEnabled(true);
        grid_->setEnabled(true);
    }
    GridHeldStill(const GridHeldStill&) = delete;
    GridHeldStill& operator=(const GridHeldStill&) = delete;

private:
    QWidget* grid_;
};

} // namespace

TfFisaContA_Morv::TfFisaContA_Morv(TdmCon& dm, desktop::DesktopServices& desktop, desktop::SaveFileDialog& saveDialog,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window),
      ledgerQuery(&dm.conUlv),
      dsFisaContAnalitic(ledgerQuery.dsFisaContAnalitic),
      ui(std::make_unique<Ui::TfFisaContA_Morv>()),
      dm_(dm),
      desktop_(desktop),
      saveDialog_(saveDialog)
{
    ui->setupUi(this);
    QPalette title = ui->Label3->palette();
    title.setColor(QPalette::WindowText, palette().color(QPalette::Link));
    ui->Label3->setPalette(title);

    grid::GridView* g = ui->cxGrid1;
    g->setDataSource(&ledgerQuery.dsouFisaContAnalitic);
    g->setColumns(sheetColumns());
    g->setTableStyleSheet(dm.GridTableViewStyleSheetDevExpress);
    g->setNavigatorVisible(true);
    g->setFilterRowVisible(false);
    g->setIndicatorVisible(false);

    // The account edit's ellipsis button.
    QAction* ellipsis = ui->cxButtonEdit1->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                                     QLineEdit::TrailingPosition);
    ellipsis->setText(QStringLiteral("..."));
    ellipsis->setToolTip(tr("Choose an account"));

    using app::guarded;
    connect(ui->cxDateEdit1, &ledger::DateEdit::editValueChanged, this,
            guarded(this, &TfFisaContA_Morv::cxDateEdit1PropertiesEditValueChanged));
    connect(ui->cxDateEdit2, &ledger::DateEdit::editValueChanged, this,
            guarded(this, &TfFisaContA_Morv::cxDateEdit2PropertiesEditValueChanged));
    connect(ui->cxButton1, &QPushButton::clicked, this, guarded(this, &TfFisaContA_Morv::cxButton1Click));
    connect(ui->cxButton2, &QPushButton::clicked, this, guarded(this, &TfFisaContA_Morv::cxButton2Click));
    connect(ellipsis, &QAction::triggered, this, guarded(this, &TfFisaContA_Morv::cxButtonEdit1PropertiesButtonClick));
    connect(ui->btnCauta, &QPushButton::clicked, this, guarded(this, &TfFisaContA_Morv::btnCautaClick));
    connect(ui->ButtonExportExcel, &QPushButton::clicked, this, guarded(this, &TfFisaContA_Morv::ButtonExportExcelClick));
    ui->LabelPathSave->installEventFilter(this);

    // The client area takes the window's designed size first; the anchors
    // measure their distances from its edges at that size.
    layout()->activate();
    app::fitLabelsToText(ui->ClientArea);
    app::applyAnchors(ui->ClientArea);
    app::runGuarded([this] { FormCreate(); });
}

TfFisaContA_Morv::~TfFisaContA_Morv() = default;

ledger::DateEdit* TfFisaContA_Morv::cxDateEdit1() const { return ui->cxDateEdit1; }
ledger::DateEdit* TfFisaContA_Morv::cxDateEdit2() const { return ui->cxDateEdit2; }
QLineEdit* TfFisaContA_Morv::cxButtonEdit1() const { return ui->cxButtonEdit1; }
QPushButton* TfFisaContA_Morv::cxButton1() const { return ui->cxButton1; }
QPushButton* TfFisaContA_Morv::cxButton2() const { return ui->cxButton2; }
QPushButton* TfFisaContA_Morv::btnCauta() const { return ui->btnCauta; }
QPushButton* TfFisaContA_Morv::ButtonExportExcel() const { return ui->ButtonExportExcel; }
QLabel* TfFisaContA_Morv::LabelPathSave() const { return ui->LabelPathSave; }
grid::GridView* TfFisaContA_Morv::cxGrid1() const { return ui->cxGrid1; }

bool TfFisaContA_Morv::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->LabelPathSave && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        app::runGuarded([this] { LabelPathSaveClick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfFisaContA_Morv::FormCreate() { showLastExport(QString()); }

void TfFisaContA_Morv::showLastExport(const QString& path)
{
    ui->LabelPathSave->setText(path);
    app::fitLabelToText(ui->LabelPathSave);
}

void TfFisaContA_Morv::cxDateEdit1PropertiesEditValueChanged()
{
    // Setting the snapped date fires this handler once more; that pass finds
    // the date already snapped and changes nothing.
    if (const auto d = ui->cxDateEdit1->date())
        ui->cxDateEdit1->setDate(ledger::firstDayOfMonth(*d));
}

void TfFisaContA_Morv::cxDateEdit2PropertiesEditValueChanged()
{
    if (const auto d = ui->cxDateEdit2->date())
        ui->cxDateEdit2->setDate(ledger::lastDayOfMonth(*d));
}

void TfFisaContA_Morv::cxButton1Click()
{
    const ledger::MonthPeriod p = ledger::currentMonth(desktop_.today());
    ui->cxDateEdit1->setDate(p.start);
    ui->cxDateEdit2->setDate(p.end);
}

void TfFisaContA_Morv::cxButton2Click()
{
    ui->cxDateEdit1->setDate(ledger::previousMonth(desktop_.today()).start);
    // The end follows the start edit as it reads after its own snap.
    ui->cxDateEdit2->setDate(ledger::lastDayOfMonth(*ui->cxDateEdit1->date()));
}

void TfFisaContA_Morv::cxButtonEdit1PropertiesButtonClick()
{
    if (!frmConts_select_)
        throw std::logic_error("the account sheet has no account picker");
    if (frmConts_select_->exec() == QDialog::Accepted)
        ui->cxButtonEdit1->setText(QString::fromStdString(frmConts_select_->dsConts.asString("conts")));
}

void TfFisaContA_Morv::btnCautaClick()
{
    desktop::BusyCursor busy;
    ledger::SheetSearch(dm_.dsDataList, ledgerQuery)
        .run(ui->cxButtonEdit1->text(), ui->cxDateEdit1->date(), ui->cxDateEdit2->date());
}

void TfFisaContA_Morv::ButtonExportExcelClick()
{
    const std::optional<QString> chosen =
        saveDialog_.run(this, QStringLiteral("*.xlsx"), ledger::proposedExportPath(desktop_));
    if (!chosen)
        return;
    // The file written is the chosen name with ".xlsx" for its extension;
    // the shell and the label name that file, the one that exists.
    const QString written = ledger::withXlsxExtension(*chosen);
    {
        desktop::BusyCursor busy;
        GridHeldStill still(ui->cxGrid1);
        ledger::exportGridToWorkbook(ui->cxGrid1->viewState(), written);
    }
    desktop_.shellOpen(written);
    showLastExport(written);
}

void TfFisaContA_Morv::LabelPathSaveClick() { desktop_.shellOpen(ui->LabelPathSave->text()); }
