#include "AccountPicker.h"

#include "LedgerResources.h"

#include "app/Anchors.h"
#include "app/errors/ErrorDisplay.h"
#include "app/errors/Guarded.h"
#include "desktop/BusyCursor.h"
#include "grid/GridView.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

namespace ledger {

AccountPicker::AccountPicker(db::Connection* conUlv, Config config, QWidget* parent)
    : QDialog(parent), query_(config.queryName, conUlv), source_{config.sourceName, &query_}
{
    setWindowTitle(config.caption);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    setFont(f);
    resize(485, 483);

    query_.setSql(sqlResourceLines(config.queryName));
    for (db::FieldDef& field : config.fields) {
        field.readOnly = true;
        query_.addField(std::move(field));
    }
    query_.setReadOnly(true);

    cxGrid1_ = new grid::GridView(this);
    cxGrid1_->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid1_->setGeometry(5, 4, 472, 441);
    cxGrid1_->setProperty("anchors", QStringLiteral("left,top,right,bottom"));
    cxGrid1_->setDataSource(&source_);
    cxGrid1_->setColumns(std::move(config.columns));
    cxGrid1_->setTableStyleSheet(std::move(config.styleSheet));
    cxGrid1_->setFilterRowVisible(true);
    cxGrid1_->setIndicatorVisible(true);
    cxGrid1_->setNavigatorVisible(true);

    cxButton1_ = new QPushButton(QStringLiteral("OK"), this);
    cxButton1_->setObjectName(QStringLiteral("cxButton1"));
    cxButton1_->setGeometry(402, 451, 75, 25);
    cxButton1_->setProperty("anchors", QStringLiteral("left,top"));
    // No default button: Enter in the filter row must not choose an account.
    cxButton1_->setAutoDefault(false);
    cxButton1_->setDefault(false);
    connect(cxButton1_, &QPushButton::clicked, this, &QDialog::accept);

    app::applyAnchors(this);
}

AccountPicker::~AccountPicker() = default;

void AccountPicker::FormShow()
{
    desktop::BusyCursor busy;
    if (query_.active())
        query_.refresh();
    else
        query_.open();
}

void AccountPicker::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        // The picker opens all the same, with the list as it was; the error
        // box follows once it is on screen.
        QTimer::singleShot(0, this, [error = std::current_exception()] { app::ErrorDisplay::show(error); });
    }
}

void AccountPicker::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace ledger
