#pragma once

// Rows for the ledger's server objects in a test's own database: the period
// row, taken-over balances, journal lines, documents and document lines.

#include "PgFixture.h"

#include "db/Dataset.h"

#include <string>
#include <vector>

namespace ledgertest {

struct Line {
    std::string date; // registration and document date
    std::string tip = "FACT";
    std::string nr = "1";
    std::string conts = "411";
    std::string conta = "C001";
    std::string moneda = "RON";
    std::string dbcr = "DB";
    std::string valoare = "0";
    std::string valoareLei = "";  // same as valoare when empty
    std::string contsCoresp = ""; // null when empty
    std::string contaCoresp = "";
    std::string curs = "1";
};

struct Opening {
    std::string conts = "411";
    std::string conta = "C001";
    std::string moneda = "RON";
    std::string soldDb = "0";
    std::string soldCr = "0";
    std::string soldDbLei = "";  // same as soldDb when empty
    std::string soldCrLei = "";
};

std::string sqlText(const std::string& text);  // quoted literal
std::string sqlOrNull(const std::string& text); // null when empty

class LedgerData {
public:
    explicit LedgerData(testsupport::ScratchDatabase& db) : db_(db) {}
    void period(const std::string& from, const std::string& to);
    void opening(const Opening& o);
    void line(const Line& l);
    void doc(const std::string& date, const std::string& tip, const std::string& nr, const std::string& partener,
             const std::string& emitent);
    void docLine(const std::string& date, const std::string& tip, const std::string& nr, int scv,
                 const std::string& articol, const std::string& contsVenit, const std::string& contaVenit,
                 const std::string& dataIncep, const std::string& dataSf);

private:
    testsupport::ScratchDatabase& db_;
};

// One fetched row as values by column name.
struct Row {
    const db::Dataset* ds;
    int row;
    db::Value operator[](std::string_view column) const;
    double num(std::string_view column) const;
    std::string text(std::string_view column) const;
    bool null(std::string_view column) const { return db::isNull((*this)[column]); }
};

std::vector<Row> rowsOf(const db::Dataset& ds);

} // namespace ledgertest
