// "Cauta" without its window: input checks in order, the period row written
// and committed, then the ledger read for the account.
#include "LedgerTestData.h"
#include "PgFixture.h"

#include "data/TdmCon.h"
#include "ledger/FisaContAnaliticQuery.h"
#include "ledger/SheetSearch.h"

#include <gtest/gtest.h>

namespace {

class Search : public testing::Test {
protected:
    void SetUp() override
    {
        scratch.configure(dm.conUlv);
        dm.conUlv.setSslMode(db::SslMode::Prefer);
    }

    std::string periodRows()
    {
        db::Connection con("check");
        scratch.configure(con);
        db::Query q("dsCheck", &con);
        q.setSql(std::string("select coalesce(string_agg(concat_ws('..', data_incep, data_sf, moneda_raportare), ';'), '') as r"
                             " from data_list"));
        q.addField({"r", db::FieldKind::WideMemo});
        q.open();
        return q.asString("r");
    }

    std::string message(const QString& account, std::optional<QDate> start, std::optional<QDate> end)
    {
        try {
            search.run(account, start, end);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "ok";
    }

    testsupport::ScratchDatabase scratch;
    TdmCon dm;
    ledger::FisaContAnaliticQuery ledgerQuery{&dm.conUlv};
    ledger::SheetSearch search{dm.dsDataList, ledgerQuery};
};

TEST_F(Search, InputChecksComeInOrderAndTouchNothing)
{
    const QDate d(2025, 3, 15);
    EXPECT_EQ(message("", std::nullopt, std::nullopt), "Alegeti Conts!");
    EXPECT_EQ(message("", d, d), "Alegeti Conts!");
    EXPECT_EQ(message("411", std::nullopt, d), "Alegeti Perioada Dorita!");
    EXPECT_EQ(message("411", d, std::nullopt), "Alegeti Perioada Dorita!");
    EXPECT_FALSE(dm.dsDataList.active());
    EXPECT_EQ(periodRows(), "");
    EXPECT_EQ(message("   ", d, d), "ok") << "blanks are an account text";
    EXPECT_EQ(ledgerQuery.dsFisaContAnalitic.recordCount(), 0);
}

TEST_F(Search, FirstSearchInsertsThePeriodRowLaterOnesUpdateIt)
{
    ledgertest::LedgerData data(scratch);
    data.opening({.soldDb = "100"});
    data.line({.date = "2025-03-05", .dbcr = "DB", .valoare = "50"});
    data.line({.date = "2025-05-05", .nr = "2", .dbcr = "CR", .valoare = "20"});

    EXPECT_EQ(message("411", QDate(2025, 3, 15), QDate(2025, 3, 3)), "ok");
    EXPECT_EQ(periodRows(), "2025-03-01..2025-03-31");
    EXPECT_EQ(ledgerQuery.dsFisaContAnalitic.recordCount(), 2);

    scratch.exec("update data_list set moneda_raportare = 'EUR'");
    EXPECT_EQ(message("411", QDate(2025, 1, 15), QDate(2025, 5, 3)), "ok");
    EXPECT_EQ(periodRows(), "2025-01-01..2025-05-31..EUR") << "one row, its other columns kept";
    EXPECT_EQ(ledgerQuery.dsFisaContAnalitic.recordCount(), 3);

    // A start month after the end month is written as it is.
    EXPECT_EQ(message("411", QDate(2025, 6, 1), QDate(2025, 2, 1)), "ok");
    EXPECT_EQ(periodRows(), "2025-06-01..2025-02-28..EUR");
}

TEST_F(Search, FailedPeriodWriteKeepsTheRowsAndFailedLedgerLeavesItClosed)
{
    ledgertest::LedgerData data(scratch);
    data.opening({.soldDb = "100"});
    ASSERT_EQ(message("411", QDate(2025, 3, 1), QDate(2025, 3, 31)), "ok");
    ASSERT_EQ(ledgerQuery.dsFisaContAnalitic.recordCount(), 1);

    scratch.exec("create function refuse() returns trigger language plpgsql as $$ begin raise exception 'period locked'; end $$;"
                 "create trigger t before update on data_list for each row execute function refuse();");
    EXPECT_EQ(message("411", QDate(2025, 4, 1), QDate(2025, 4, 30)), "period locked");
    EXPECT_EQ(ledgerQuery.dsFisaContAnalitic.recordCount(), 1) << "the previous rows stay";
    EXPECT_EQ(dm.dsDataList.state(), db::Dataset::State::Browse);

    scratch.exec("drop trigger t on data_list; alter table doc add column conts varchar(7);");
    EXPECT_NE(message("411", QDate(2025, 4, 1), QDate(2025, 4, 30)).find("ambiguous"), std::string::npos);
    EXPECT_FALSE(ledgerQuery.dsFisaContAnalitic.active());
}

} // namespace
