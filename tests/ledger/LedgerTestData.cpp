#include "LedgerTestData.h"

#include <stdexcept>

namespace ledgertest {

std::string sqlText(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + "'";
}

std::string sqlOrNull(const std::string& text) { return text.empty() ? "null" : sqlText(text); }

void LedgerData::period(const std::string& from, const std::string& to)
{
    db_.exec("delete from data_list; insert into data_list (data_incep, data_sf) values (" + sqlText(from) + ", "
             + sqlOrNull(to) + ")");
}

void LedgerData::opening(const Opening& o)
{
    db_.exec("insert into conta_sold_initial (conts, conta, moneda, data_sold, sold_db, sold_cr, sold_db_lei, sold_cr_lei)"
             " values (" + sqlText(o.conts) + ", " + sqlText(o.conta) + ", " + sqlText(o.moneda) + ", date '2000-01-01', "
             + o.soldDb + ", " + o.soldCr + ", " + (o.soldDbLei.empty() ? o.soldDb : o.soldDbLei) + ", "
             + (o.soldCrLei.empty() ? o.soldCr : o.soldCrLei) + ")");
}

void LedgerData::line(const Line& l)
{
    db_.exec("insert into jurnal (data_reg_jurnal, data_doc, tip_doc, nr_doc, conts, conta, moneda, dbcr, valoare, curs,"
             " valoare_lei, conts_coresp, conta_coresp, explicatie) values (" + sqlText(l.date) + ", " + sqlText(l.date)
             + ", " + sqlText(l.tip) + ", " + sqlText(l.nr) + ", " + sqlText(l.conts) + ", " + sqlText(l.conta) + ", "
             + sqlText(l.moneda) + ", " + sqlText(l.dbcr) + ", " + l.valoare + ", " + l.curs + ", "
             + (l.valoareLei.empty() ? l.valoare : l.valoareLei) + ", " + sqlOrNull(l.contsCoresp) + ", "
             + sqlOrNull(l.contaCoresp) + ", " + sqlText(l.tip + " " + l.nr) + ")");
}

void LedgerData::doc(const std::string& date, const std::string& tip, const std::string& nr, const std::string& partener,
                     const std::string& emitent)
{
    db_.exec("insert into doc (data_doc, tip_doc, nr_doc, partener, emitent) values (" + sqlText(date) + ", " + sqlText(tip)
             + ", " + sqlText(nr) + ", " + sqlOrNull(partener) + ", " + sqlOrNull(emitent) + ")");
}

void LedgerData::docLine(const std::string& date, const std::string& tip, const std::string& nr, int scv,
                         const std::string& articol, const std::string& contsVenit, const std::string& contaVenit,
                         const std::string& dataIncep, const std::string& dataSf)
{
    db_.exec("insert into doc_poz (data_doc, tip_doc, nr_doc, scv, articol, conts_venit, conta_venit, data_incep, data_sf)"
             " values (" + sqlText(date) + ", " + sqlText(tip) + ", " + sqlText(nr) + ", " + std::to_string(scv) + ", "
             + sqlText(articol) + ", " + sqlText(contsVenit) + ", " + sqlText(contaVenit) + ", " + sqlOrNull(dataIncep)
             + ", " + sqlOrNull(dataSf) + ")");
}

db::Value Row::operator[](std::string_view column) const
{
    const int f = ds->fieldIndex(column);
    if (f < 0)
        throw std::logic_error("no field " + std::string(column));
    return ds->rows().value(row, f);
}

double Row::num(std::string_view column) const
{
    const db::Value v = (*this)[column];
    if (!std::holds_alternative<double>(v))
        throw std::logic_error(std::string(column) + " is not a number here");
    return std::get<double>(v);
}

std::string Row::text(std::string_view column) const { return db::Dataset::displayText((*this)[column]); }

std::vector<Row> rowsOf(const db::Dataset& ds)
{
    std::vector<Row> out;
    for (int r = 0; r < ds.recordCount(); ++r)
        out.push_back(Row{&ds, r});
    return out;
}

} // namespace ledgertest
