// The product's ledger statement, which works on the chosen synthetic account
// only, against the statement in its first form (tests/ledger/reference),
// which numbers and sums the whole company: on generated data both must give
// the same rows, nr_crt included, in the same order.
#include "LedgerTestData.h"

#include "ledger/FisaContAnaliticQuery.h"

#include "db/Connection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using Values = std::vector<db::Value>;

std::string referenceStatement()
{
    const char* src = std::getenv("WMORV_SOURCE_DIR");
    if (!src)
        throw std::runtime_error("WMORV_SOURCE_DIR is not set: run the test through ctest");
    const std::string path = std::string(src) + "/tests/ledger/reference/FisaContAnaliticReference.sql";
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<Values> fetched(const db::Dataset& ds)
{
    std::vector<Values> out;
    for (int r = 0; r < ds.recordCount(); ++r) {
        Values v;
        for (std::size_t f = 0; f < ds.fields().size(); ++f)
            v.push_back(ds.rows().value(r, static_cast<int>(f)));
        out.push_back(std::move(v));
    }
    return out;
}

std::string show(const Values& row)
{
    std::string s;
    for (const db::Value& v : row)
        s += (s.empty() ? "" : " | ") + db::Dataset::displayText(v);
    return s;
}

// Rows equal on the five ordering keys (conts, conta, data_doc, tip_doc,
// nr_doc) are numbered in the server's arbitrary order, which may differ
// between the two statements and between runs; within such a tie the rows are
// compared as a multiset on what does not depend on that order, with the same
// set of numbers, and the running columns after the last of them.
class Comparison {
public:
    explicit Comparison(const db::Dataset& ds)
    {
        for (const char* c : {"conts", "conta", "data_doc", "tip_doc", "nr_doc"})
            keys_.push_back(ds.fieldIndex(c));
        nrCrt_ = ds.fieldIndex("nr_crt");
        for (const char* c : {"sold_db_incremental", "sold_cr_incremental", "sold_db_lei_incremental",
                              "sold_cr_lei_incremental", "rulaj_db_incremental", "rulaj_cr_incremental",
                              "rulaj_db_lei_incremental", "rulaj_cr_lei_incremental", "sold_final", "tip_sold_final",
                              "sold_final_lei", "nr_crt"})
            running_.push_back(ds.fieldIndex(c));
        for (int f = 0; f < static_cast<int>(ds.fields().size()); ++f)
            if (std::find(running_.begin(), running_.end(), f) == running_.end())
                fixed_.push_back(f);
    }

    void expectSame(const std::vector<Values>& reference, const std::vector<Values>& product, const std::string& what) const
    {
        ASSERT_EQ(product.size(), reference.size()) << what;
        std::size_t i = 0;
        while (i < reference.size()) {
            std::size_t end = i + 1;
            while (end < reference.size() && sameKeys(reference[i], reference[end]))
                ++end;
            for (std::size_t k = i; k < end; ++k)
                ASSERT_TRUE(sameKeys(reference[i], product[k])) << what << ": row " << k << " out of order\n  reference "
                                                                << show(reference[k]) << "\n  product   " << show(product[k]);
            EXPECT_EQ(project(reference, i, end, fixed_), project(product, i, end, fixed_))
                << what << ": rows " << i << ".." << end - 1 << " differ\n  reference " << show(reference[i])
                << "\n  product   " << show(product[i]);
            EXPECT_EQ(project(reference, i, end, {nrCrt_}), project(product, i, end, {nrCrt_})) << what << ": nr_crt of rows "
                                                                                                 << i << ".." << end - 1;
            EXPECT_EQ(pick(reference[end - 1], running_), pick(product[end - 1], running_))
                << what << ": running values after row " << end - 1 << "\n  reference " << show(reference[end - 1])
                << "\n  product   " << show(product[end - 1]);
            i = end;
        }
    }

private:
    bool sameKeys(const Values& a, const Values& b) const
    {
        return std::all_of(keys_.begin(), keys_.end(), [&](int k) { return a[k] == b[k]; });
    }
    static Values pick(const Values& row, const std::vector<int>& cols)
    {
        Values out;
        for (int c : cols)
            out.push_back(row[c]);
        return out;
    }
    static std::vector<Values> project(const std::vector<Values>& rows, std::size_t from, std::size_t to,
                                       const std::vector<int>& cols)
    {
        std::vector<Values> out;
        for (std::size_t r = from; r < to; ++r)
            out.push_back(pick(rows[r], cols));
        std::sort(out.begin(), out.end());
        return out;
    }

    std::vector<int> keys_, running_, fixed_;
    int nrCrt_ = -1;
};

class LedgerEquivalence : public testing::Test {
protected:
    void SetUp() override
    {
        scratch.configure(con);
        con.setSslMode(db::SslMode::Prefer);
        reference.dsFisaContAnalitic.setSql(referenceStatement());
    }

    // Journal lines, taken-over balances, documents and subscription lines for
    // the given synthetic accounts, from a fixed seed. Lines fall from November
    // 2024 to June 2025; `inPeriodOnly` accounts have lines from February 2025
    // on and no taken-over balance, so in a period starting then they have no
    // opening rows.
    void generate(const std::vector<std::string>& accounts, const std::vector<std::string>& inPeriodOnly)
    {
        const auto list = [](const std::vector<std::string>& v) {
            std::string s = "array[";
            for (std::size_t i = 0; i < v.size(); ++i)
                s += (i ? ", " : "") + ledgertest::sqlText(v[i]);
            return s + "]::varchar(7)[]";
        };
        scratch.exec("select setseed(0.17);"
                     "insert into jurnal (data_reg_jurnal, data_doc, tip_doc, nr_doc, conts, conta, moneda, dbcr, valoare,"
                     "  curs, valoare_lei, conts_coresp, conta_coresp, explicatie)"
                     " select d, d, tip, nr, conts, 'A' || a, case when a = 3 then 'EUR' else 'RON' end,"
                     "  case when random() < 0.5 then 'DB' else 'CR' end, v, case when a = 3 then 4.97 else 1 end,"
                     "  case when a = 3 then round(v * 4.97, 2) else v end,"
                     "  case when r < 0.2 then '472' else '704' end, case when r < 0.2 then '.Upgrade' else 'V1' end,"
                     "  'linia ' || nr"
                     " from (select c.conts, g::text as nr, floor(random() * 4)::int as a, random() as r,"
                     "   round((random() * 900)::numeric, 2) as v,"
                     "   (array['FACT', 'CHIT', 'NC'])[1 + floor(random() * 3)::int] as tip,"
                     "   case when c.conts = any(" + list(inPeriodOnly) + ")"
                     "     then date '2025-02-01' + floor(random() * 150)::int"
                     "     else date '2024-11-01' + floor(random() * 240)::int end as d"
                     "  from unnest(" + list(accounts) + ") c(conts), generate_series(1, 40) g) x;"
                     "insert into conta_sold_initial (conts, conta, moneda, data_sold, sold_db, sold_cr, sold_db_lei, sold_cr_lei)"
                     " select conts, conta, moneda, date '2024-01-01', round((random() * 500)::numeric, 2),"
                     "  round((random() * 300)::numeric, 2), round((random() * 900)::numeric, 2), 0"
                     " from (select distinct conts, conta, moneda from jurnal) j"
                     " where conta <> 'A2' and conts <> all(" + list(inPeriodOnly) + ");"
                     "insert into doc (data_doc, tip_doc, nr_doc, partener, emitent)"
                     " select distinct data_doc, tip_doc, nr_doc, 'Partener ' || nr_doc, 'op' || tip_doc from jurnal"
                     " where nr_doc::int % 5 <> 0;"
                     "insert into doc_poz (data_doc, tip_doc, nr_doc, scv, articol, conts_venit, conta_venit, data_incep, data_sf)"
                     " select data_doc, tip_doc, nr_doc, s, case when s = 2 then 'Alt articol' else 'Abonament Upgrade' end,"
                     "  '472', '.Upgrade', data_doc + 10 * s, data_doc + 365 - s"
                     " from (select distinct data_doc, tip_doc, nr_doc from jurnal where conts_coresp = '472') j,"
                     "  generate_series(1, 3) s");
    }

    // Lines equal on all five ordering keys: three with different amounts on
    // one analytic account, two alike on another.
    void addTies(const std::string& conts)
    {
        using ledgertest::Line;
        for (const auto& [dbcr, amount] : {std::pair{"DB", "10.00"}, {"CR", "20.50"}, {"DB", "3.25"}})
            data.line({.date = "2025-03-15", .tip = "NC", .nr = "T1", .conts = conts, .conta = "A0", .dbcr = dbcr,
                       .valoare = amount});
        for (int i = 0; i < 2; ++i)
            data.line({.date = "2025-03-16", .tip = "NC", .nr = "T2", .conts = conts, .conta = "A1", .dbcr = "CR",
                       .valoare = "7.00"});
    }

    void expectSameAsReference(const std::vector<std::string>& accounts, const std::string& period)
    {
        const Comparison cmp(product.dsFisaContAnalitic);
        for (const std::string& conts : accounts) {
            reference.run(conts);
            product.run(conts);
            cmp.expectSame(fetched(reference.dsFisaContAnalitic), fetched(product.dsFisaContAnalitic),
                           "account '" + conts + "', period " + period);
        }
    }

    testsupport::ScratchDatabase scratch;
    db::Connection con{"conUlv"};
    ledger::FisaContAnaliticQuery product{&con};
    ledger::FisaContAnaliticQuery reference{&con};
    ledgertest::LedgerData data{scratch};
};

TEST_F(LedgerEquivalence, SameRowsAsTheReferenceStatement)
{
    // 1011 sorts first and 7999 last; 4111 has ties; 5125 has no opening rows
    // in a period from February; 4, 4110 and 9999 are unknown, "" is blank.
    generate({"1011", "2011", "401", "4111", "4112", "5125", "6022", "7999"}, {"5125"});
    addTies("4111");
    const std::vector<std::string> accounts{"1011", "7999", "4111", "4112", "5125", "401", "4", "4110", "9999", ""};

    data.period("2025-02-01", "2025-04-30");
    expectSameAsReference(accounts, "February to April");
    data.period("2025-03-01", "2025-03-31");
    expectSameAsReference(accounts, "March");
    data.period("2025-06-01", "");
    expectSameAsReference(accounts, "from June, without an end");

    // The data holds what the cases are meant to cover.
    data.period("2025-02-01", "2025-04-30");
    product.run("5125");
    EXPECT_GT(product.dsFisaContAnalitic.recordCount(), 10);
    for (const ledgertest::Row& r : ledgertest::rowsOf(product.dsFisaContAnalitic))
        EXPECT_NE(r.text("nr_doc"), "Sold Initial");
    product.run("4112");
    int subscriptions = 0;
    for (const ledgertest::Row& r : ledgertest::rowsOf(product.dsFisaContAnalitic))
        subscriptions += !r.null("data_incep_abonament");
    EXPECT_GT(subscriptions, 0);
    product.run("7999");
    EXPECT_GT(product.dsFisaContAnalitic.rows().integer(0, product.dsFisaContAnalitic.fieldIndex("nr_crt")), 100);
}

// The views' conts may carry a linguistic collation, under which "a1" sorts
// before "B1" (it sorts after it byte by byte): the rows counted before the
// chosen account must follow the same order as the numbering.
TEST_F(LedgerEquivalence, NumberingFollowsTheCollationOfTheViews)
{
    const std::vector<std::string> accounts{"411", "a1", "A2", "B1", "b2", "Ș1", "Z9"};
    generate(accounts, {});
    scratch.exec(R"(
        alter view view_conta_sold_per_incep rename to sold_per_incep_base;
        alter view view_contab_rulaj_reg_per rename to rulaj_reg_per_base;
        create view view_conta_sold_per_incep as
        select conts collate "ro-x-icu" as conts, conta, moneda, data_incep, data_sf,
               sold_db, sold_cr, sold_db_lei, sold_cr_lei
        from sold_per_incep_base;
        create view view_contab_rulaj_reg_per as
        select data_reg_jurnal, data_doc, tip_doc, nr_doc, conts collate "ro-x-icu" as conts, conta, moneda,
               valoare_db, valoare_cr, curs, valoare_db_lei, valoare_cr_lei, dbcr, conts_coresp, conta_coresp,
               explicatie, data_incep, data_sf
        from rulaj_reg_per_base;
    )");
    data.period("2025-02-01", "2025-04-30");
    expectSameAsReference(accounts, "February to April, Romanian collation");
}

} // namespace
