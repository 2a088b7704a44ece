// The data module's queries against the reference company schema, through
// the module's own connection settings and account: every declared field
// binds, the period row is written back, and a missing column stops the open.
#include "PgFixture.h"

#include "data/TdmCon.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

namespace {

class TdmConOnServer : public testing::Test {
protected:
    void SetUp() override
    {
        // Only where the company lives changes, as at sign-in; the account,
        // the SSL mode and the disconnected mode stay the module's own.
        dm.conUlv.setServer(testsupport::fixture().host);
        dm.conUlv.setPort(company.port());
        dm.conUlv.setDatabase(company.name());
    }

    std::string openError(db::Query& q)
    {
        try {
            q.open();
        } catch (const db::DbError& e) {
            return e.what();
        }
        return "(opened)";
    }

    testsupport::ScratchDatabase company{"company_tpl"};
    TdmCon dm;
};

TEST_F(TdmConOnServer, EachQueryOpensWithAllDeclaredFieldsBound)
{
    company.exec(R"(
        insert into emitent (emitent, operator_parola, eu_punct_lucru, data_ins, data_export)
            values ('ana', 'secret', 'Sediu', '2025-01-02', '2025-01-02 10:20:30');
        insert into aplicatie_mob (aplicatie_mob, activ, obs) values ('WMorv', true, 'desktop');
        insert into aplicatie_mob_emitent (aplicatie_mob, emitent, rol) values ('wmorv', 'ana', 'contabil');
        insert into eu (cod_cci, data_incep_activitate, tara, localit, adresa, metoda_stoc, tip_contabilitate,
                        data_denominare, norma, jas_ip, gln)
            values ('J1', '2000-01-01', 'RO', 'Iasi', 'Str. 1', 'FIFO', 'partida dubla', '2005-07-01', 8,
                    '10.0.0.5:8080', '5940000000001');
        insert into data_list (data_incep, data_sf, moneda_raportare, curs_raportare)
            values ('2025-01-01', '2025-01-31', 'EUR', 4.97);
    )");

    dm.dsEmitent.setParam("pEmitent", "ana");
    dm.dsEmitent.setParam("pP", "secret");
    dm.dsAplicatieMob.setParam("pAplicatieMob", "wmorv");
    dm.dsAplicatieMobEmitent.setParam("pEmitent", "ana");
    dm.dsAplicatieMobEmitent.setParam("pAplicatieMob", "WMORV");

    struct Case {
        db::Query* query;
        const char* column;
        const char* value;
    };
    const Case cases[] = {
        {&dm.dsEmitent, "eu_punct_lucru", "Sediu"},
        {&dm.dsEmitent, "data_ins", "2025-01-02"},
        {&dm.dsAplicatieMob, "obs", "desktop"},
        {&dm.dsAplicatieMobEmitent, "rol", "contabil"},
        {&dm.dsEu, "jas_ip", "10.0.0.5:8080"},
        {&dm.dsEu, "gln", "5940000000001"},
        {&dm.dsDataList, "data_sf", "2025-01-31"},
        {&dm.dsDataList, "moneda_raportare", "EUR"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query->name());
        ASSERT_NO_THROW(c.query->open());
        EXPECT_EQ(c.query->recordCount(), 1);
        EXPECT_EQ(c.query->asString(c.column), c.value);
        // The company connection holds no server session between operations.
        EXPECT_FALSE(dm.conUlv.connected());
    }
}

TEST_F(TdmConOnServer, EmptyTablesOpenAndReadAsEmptyText)
{
    ASSERT_NO_THROW(dm.dsEu.open());
    EXPECT_EQ(dm.dsEu.recordCount(), 0);
    EXPECT_EQ(dm.dsEu.asString("jas_ip"), "");
}

TEST_F(TdmConOnServer, PeriodRowIsInsertedThenUpdated)
{
    const auto writePeriod = [&](db::Date start, db::Date end) {
        if (dm.dsDataList.active())
            dm.dsDataList.refresh();
        else
            dm.dsDataList.open();
        dm.dsDataList.edit(); // a new row when the table is empty
        dm.dsDataList.setValue("data_incep", start);
        dm.dsDataList.setValue("data_sf", end);
        dm.dsDataList.post();
    };
    writePeriod(db::dateFromCivil(2025, 3, 1), db::dateFromCivil(2025, 3, 31));
    writePeriod(db::dateFromCivil(2024, 2, 1), db::dateFromCivil(2024, 2, 29));

    db::Connection check("check");
    company.configure(check);
    const auto rows = check.exec("select data_incep::text, data_sf::text from data_list");
    ASSERT_EQ(rows.rows(), 1);
    EXPECT_EQ(rows.text(0, 0), "2024-02-01");
    EXPECT_EQ(rows.text(0, 1), "2024-02-29");
}

TEST_F(TdmConOnServer, MissingDeclaredColumnStopsTheOpen)
{
    company.exec("alter table eu drop column gln");
    EXPECT_EQ(openError(dm.dsEu), "dsEu: Field 'gln' not found");
    EXPECT_FALSE(dm.dsEu.active());
    EXPECT_FALSE(dm.conUlv.connected());
    // The connection keeps its settings; the next open goes to the same place.
    EXPECT_EQ(dm.conUlv.database(), company.name());
}

TEST_F(TdmConOnServer, ExtraColumnsChangeNothing)
{
    company.exec("alter table emitent add column culoare text; alter table eu add column extra integer");
    dm.dsEmitent.setParam("pEmitent", "nimeni");
    dm.dsEmitent.setParam("pP", "");
    EXPECT_NO_THROW(dm.dsEmitent.open());
    EXPECT_NO_THROW(dm.dsEu.open());
}

} // namespace
