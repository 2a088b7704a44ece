#pragma once

#include "AccountPicker.h"

// The synthetic-account picker (frmConts_select): the active synthetic
// accounts of the company, in the grid's own look.
class TfrmConts_select : public ledger::AccountPicker {
    Q_OBJECT
public:
    TfrmConts_select(db::Connection* conUlv, QWidget* parent = nullptr);

    db::Query& dsConts;
};
