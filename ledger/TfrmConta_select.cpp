#include "TfrmConta_select.h"

namespace {

ledger::AccountPicker::Config contaConfig(const grid::TableViewStyleSheet& sheet)
{
    using K = db::FieldKind;
    return {QStringLiteral("frmConta_select"),
            "dsConta",
            "dsouConta",
            {{"conts", K::WideString, 7, true},
             {"conta", K::WideString, 25, true},
             {"moneda", K::WideString, 3, true},
             {"den_conta", K::WideString, 100, true}},
            {{"conts", QStringLiteral("conts"), 72},
             {"conta", QStringLiteral("conta"), 101},
             {"den_conta", QStringLiteral("den_conta"), 208},
             {"moneda", QStringLiteral("moneda"), 55}},
            sheet};
}

} // namespace

TfrmConta_select::TfrmConta_select(db::Connection* conUlv, const grid::TableViewStyleSheet& styleSheet, QWidget* parent)
    : AccountPicker(conUlv, contaConfig(styleSheet), parent), dsConta(query())
{
    setObjectName(QStringLiteral("frmConta_select"));
}
