#include "TfrmConts_select.h"

namespace {

ledger::AccountPicker::Config contsConfig()
{
    using K = db::FieldKind;
    return {QStringLiteral("frmConts_select"),
            "dsConts",
            "dsouConts",
            {{"conts", K::WideString, 7, true}, {"den_conts", K::WideString, 100, true}},
            {{"conts", QStringLiteral("conts"), 73}, {"den_conts", QStringLiteral("den_conts"), 387}},
            std::nullopt};
}

} // namespace

TfrmConts_select::TfrmConts_select(db::Connection* conUlv, QWidget* parent)
    : AccountPicker(conUlv, contsConfig(), parent), dsConts(query())
{
    setObjectName(QStringLiteral("frmConts_select"));
}
