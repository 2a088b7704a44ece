#include "FisaContAnaliticQuery.h"

#include "db/DbError.h"

#include <QFile>

// A static library's resources are only registered when something names them.
static void initLedgerResources()
{
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(ledger);
        done = true;
    }
}

namespace ledger {

namespace {

using db::FieldKind;

// The result columns in declared order. Every field is read-only but the two
// that come from doc (partener, emitent), as the sheet's grid has them.
const db::FieldDef kFields[] = {
    {"conts", FieldKind::WideString, 7, false, true},
    {"conta", FieldKind::WideString, 25, false, true},
    {"moneda", FieldKind::WideString, 3, false, true},
    {"data_doc", FieldKind::Date, 0, false, true},
    {"tip_doc", FieldKind::WideString, 7, false, true},
    {"nr_doc", FieldKind::WideString, 15, false, true},
    {"valoare_db", FieldKind::Float, 0, false, true},
    {"valoare_cr", FieldKind::Float, 0, false, true},
    {"curs", FieldKind::Float, 0, false, true},
    {"valoare_db_lei", FieldKind::Float, 0, false, true},
    {"valoare_cr_lei", FieldKind::Float, 0, false, true},
    {"conts_coresp", FieldKind::WideString, 7, false, true},
    {"conta_coresp", FieldKind::WideString, 25, false, true},
    {"explicatie", FieldKind::WideString, 100, false, true},
    {"sold_db", FieldKind::Float, 0, false, true},
    {"sold_cr", FieldKind::Float, 0, false, true},
    {"sold_db_lei", FieldKind::Float, 0, false, true},
    {"sold_cr_lei", FieldKind::Float, 0, false, true},
    {"sold_db_incremental", FieldKind::Float, 0, false, true},
    {"sold_cr_incremental", FieldKind::Float, 0, false, true},
    {"sold_db_lei_incremental", FieldKind::Float, 0, false, true},
    {"sold_cr_lei_incremental", FieldKind::Float, 0, false, true},
    {"rulaj_db_incremental", FieldKind::Float, 0, false, true},
    {"rulaj_cr_incremental", FieldKind::Float, 0, false, true},
    {"rulaj_db_lei_incremental", FieldKind::Float, 0, false, true},
    {"rulaj_cr_lei_incremental", FieldKind::Float, 0, false, true},
    {"data_incep", FieldKind::Date, 0, false, true},
    {"data_sf", FieldKind::Date, 0, false, true},
    // row_number() is bigint.
    {"nr_crt", FieldKind::LargeInt, 0, false, true},
    {"partener", FieldKind::WideString, 100, false, false},
    {"sold_final", FieldKind::Float, 0, false, true},
    // A CASE over two string literals is typed text by the server.
    {"tip_sold_final", FieldKind::WideMemo, 0, false, true},
    {"sold_final_lei", FieldKind::Float, 0, false, true},
    {"emitent", FieldKind::WideString, 100, false, false},
    {"data_incep_abonament", FieldKind::Date, 0, false, true},
    {"data_sf_abonament", FieldKind::Date, 0, false, true},
};

} // namespace

FisaContAnaliticQuery::FisaContAnaliticQuery(db::Connection* conUlv)
    : dsFisaContAnalitic("dsFisaContAnalitic", conUlv), dsouFisaContAnalitic{"dsouFisaContAnalitic", &dsFisaContAnalitic}
{
    dsFisaContAnalitic.setSql(statementText());
    for (const db::FieldDef& f : kFields)
        dsFisaContAnalitic.addField(f);
    dsFisaContAnalitic.setReadOnly(true);
}

void FisaContAnaliticQuery::run(const std::string& conts)
{
    dsFisaContAnalitic.close();
    dsFisaContAnalitic.setParam("pConts", conts);
    dsFisaContAnalitic.open();
}

std::string FisaContAnaliticQuery::statementText()
{
    initLedgerResources();
    QFile file(QStringLiteral(":/ledger/sql/FisaContAnalitic.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw db::DbError("the ledger statement is missing from the program's resources");
    return file.readAll().toStdString();
}

} // namespace ledger
