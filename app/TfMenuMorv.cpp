#include "TfMenuMorv.h"

#include "ui_TfMenuMorv.h"

#include "app/Anchors.h"
#include "app/errors/Guarded.h"
#include "data/TdmCon.h"

#include <QDialog>

TfMenuMorv::TfMenuMorv(Links links, QWidget* parent) : QWidget(parent), ui(new Ui::TfMenuMorv), links_(std::move(links))
{
    ui->setupUi(this);
    // Give the panels their designed sizes before the anchors take their
    // distances from the panels' edges.
    layout()->activate();
    fitLabels();
    app::applyAnchors(this);

    connect(ui->ButtonLogin, &QPushButton::clicked, this, app::guarded(this, &TfMenuMorv::ButtonLoginClick));
    connect(ui->Button1, &QPushButton::clicked, this, app::guarded(this, &TfMenuMorv::Button1Click));
    FormCreate();
}

TfMenuMorv::~TfMenuMorv() = default;

void TfMenuMorv::fitLabels()
{
    for (QLabel* label : {ui->Label1, ui->Label2, ui->LabelUser})
        app::fitLabelToText(label);
    app::fitWrappedLabel(ui->LabelDataBase);
}

void TfMenuMorv::FormCreate() { ui->PanelMenu->setVisible(false); }

void TfMenuMorv::ButtonLoginClick()
{
    if (links_.runSignIn() != QDialog::Accepted)
        return;
    ui->PanelLogin->setVisible(false);
    ui->PanelMenu->setVisible(true);
    const TdmCon& dm = links_.dataModule();
    ui->LabelDataBase->setText(dm.glDataBase);
    ui->LabelUser->setText(QStringLiteral("User ") + dm.glUser);
    app::fitWrappedLabel(ui->LabelDataBase);
    app::fitLabelToText(ui->LabelUser);
}

void TfMenuMorv::Button1Click()
{
    QWidget* sheet = links_.accountSheet();
    // show() keeps a minimised window minimised; raise() puts it above the others.
    sheet->show();
    sheet->raise();
    if (!sheet->isMinimized())
        sheet->activateWindow();
}
