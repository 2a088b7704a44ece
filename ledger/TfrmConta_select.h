#pragma once

#include "AccountPicker.h"

// The analytic-account picker (frmConta_select): built like the synthetic
// one, with the data module's style sheet. Created at start; nothing shows it.
class TfrmConta_select : public ledger::AccountPicker {
    Q_OBJECT
public:
    TfrmConta_select(db::Connection* conUlv, const grid::TableViewStyleSheet& styleSheet, QWidget* parent = nullptr);

    db::Query& dsConta;
};
