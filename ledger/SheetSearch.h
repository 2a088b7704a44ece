#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace db {
class Query;
}

namespace ledger {

class FisaContAnaliticQuery;

// The "Cauta" of the account sheet without its window: check the inputs,
// write the whole-month period into the period row of data_list (committed
// at once), then run the ledger statement for the account.
class SheetSearch {
public:
    SheetSearch(db::Query& dsDataList, FisaContAnaliticQuery& ledger);

    // Throws "Alegeti Conts!" for an empty account text (blanks are not
    // empty) and "Alegeti Perioada Dorita!" for a missing date. A failure to
    // write the period leaves the ledger rows as they were; a failure of the
    // ledger statement leaves it closed.
    void run(const QString& account, const std::optional<QDate>& start, const std::optional<QDate>& end);

private:
    void writePeriod(const QDate& start, const QDate& end);

    db::Query& dsDataList_;
    FisaContAnaliticQuery& ledger_;
};

} // namespace ledger
