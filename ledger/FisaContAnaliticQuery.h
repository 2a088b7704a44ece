#pragma once

#include "db/DataSource.h"
#include "db/Query.h"

#include <string>

namespace db {
class Connection;
}

namespace ledger {

// The analytic account sheet's dataset: the ledger statement on the company
// connection, with its one parameter pConts and its 36 declared fields, read
// only. The period is not a parameter: the server's views follow the period
// row of data_list, which the caller writes before each run.
class FisaContAnaliticQuery {
public:
    // conUlv is the company connection, owned elsewhere and outliving this.
    explicit FisaContAnaliticQuery(db::Connection* conUlv);
    FisaContAnaliticQuery(const FisaContAnaliticQuery&) = delete;
    FisaContAnaliticQuery& operator=(const FisaContAnaliticQuery&) = delete;

    // Close, set pConts to the account exactly as given (no trimming, no case
    // folding), open. A server error propagates and leaves the dataset closed.
    void run(const std::string& conts);

    // The statement as shipped in the resources.
    static std::string statementText();

    db::Query dsFisaContAnalitic;
    db::DataSource dsouFisaContAnalitic;
};

} // namespace ledger
