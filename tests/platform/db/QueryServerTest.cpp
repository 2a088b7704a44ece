// The dataset layer against a real server: binding of declared fields,
// parameters as data, and writing a row back.
#include "PgFixture.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <gtest/gtest.h>

namespace {

using db::FieldKind;

class QueryOnServer : public testing::Test {
protected:
    void SetUp() override
    {
        scratch.configure(con);
        con.setSslMode(db::SslMode::Prefer);
    }

    std::string openError(db::Query& q)
    {
        try {
            q.open();
        } catch (const db::DbError& e) {
            EXPECT_FALSE(q.active()) << "a query that fails to open stays closed";
            return e.what();
        }
        return "opened";
    }

    testsupport::ScratchDatabase scratch;
    db::Connection con{"conTest"};
};

TEST_F(QueryOnServer, BindsDeclaredFieldsByNameAndIgnoresOtherColumns)
{
    db::Query q("dsT", &con);
    q.setSql(std::vector<std::string>{"select 2::smallint as small, 1.50::numeric(10,2) as num,", "  'x'::varchar(7) as code,",
                                      " 'extra' as ignored, 7::bigint as big, date '2024-02-29' as d", ";"});
    q.addField({"code", FieldKind::WideString, 7});
    q.addField({"num", FieldKind::Float});
    q.addField({"small", FieldKind::Integer});
    q.addField({"big", FieldKind::LargeInt});
    q.addField({"d", FieldKind::Date});
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.asString("code"), "x");
    EXPECT_EQ(q.asFloat("num"), 1.5);
    EXPECT_EQ(q.asInteger("small"), 2);
    EXPECT_EQ(q.asInteger("big"), 7);
    EXPECT_EQ(std::get<db::Date>(q.value("d")), db::dateFromCivil(2024, 2, 29));
    EXPECT_THROW(q.asString("ignored"), db::DbError);
}

TEST_F(QueryOnServer, BindingErrorsNameTheDatasetAndTheColumn)
{
    scratch.exec("create table t (tip_doc varchar(7), gln varchar(13), n bigint);"
                 "create view v as select tip_doc from t union all select cast(null as varchar(10));");
    struct Case { const char* sql; db::FieldDef field; const char* message; };
    const Case cases[] = {
        {"select tip_doc from t", {"gln", FieldKind::WideString, 13}, "dsEu: Field 'gln' not found"},
        {"select tip_doc from v", {"tip_doc", FieldKind::WideString, 7},
         "dsEu: Type mismatch for field 'tip_doc', expecting: WideString actual: WideMemo"},
        {"select n from t", {"n", FieldKind::Integer}, "dsEu: Type mismatch for field 'n', expecting: Integer actual: LargeInt"},
        {"select 'a'::text as n", {"n", FieldKind::WideString, 10},
         "dsEu: Type mismatch for field 'n', expecting: WideString actual: WideMemo"},
    };
    for (const Case& c : cases) {
        db::Query q("dsEu", &con);
        q.setSql(std::string(c.sql));
        q.addField(c.field);
        EXPECT_EQ(openError(q), c.message) << c.sql;
    }
}

TEST_F(QueryOnServer, ParametersReachTheServerAsData)
{
    scratch.exec("create table names (v text);");
    const std::string hostile[] = {"O'Brien", "back\\slash\\", "a; drop table names; --", "' or '1'='1",
                                   "ăâîșț ĂÂÎȘȚ €", ":pOther", "$1", "line\nbreak", ""};
    db::Query insert("dsIns", &con);
    insert.setSql(std::string("insert into names values (:pV) returning v"));
    insert.addField({"v", FieldKind::WideMemo});
    for (const std::string& text : hostile) {
        insert.close();
        insert.setParam("pV", text);
        insert.open();
        EXPECT_EQ(insert.asString("v"), text);
    }
    db::Query q("dsQ", &con);
    q.setSql(std::vector<std::string>{"select count(*)::integer as n from names", "where v = :pV", ";"});
    q.addField({"n", FieldKind::Integer});
    for (const std::string& text : hostile) {
        q.close();
        q.setParam("pV", text);
        q.open();
        EXPECT_EQ(q.asInteger("n"), 1) << text;
    }
    EXPECT_THROW(q.setParam("pMissing", "x"), db::DbError);
}

TEST_F(QueryOnServer, ErrorHalfWayThroughTheRowsKeepsThePreviousRowsAndTheSession)
{
    scratch.exec("create table t (a integer); insert into t values (4), (2), (1);");
    db::Query q("dsQ", &con);
    q.setSql(std::string("select (10 / a)::integer as q from t order by a desc"));
    q.addField({"q", FieldKind::Integer});
    q.open();
    ASSERT_EQ(q.recordCount(), 3);
    // Rows come before the failing one: the server fails while streaming.
    scratch.exec("insert into t values (0)");
    try {
        q.refresh();
        ADD_FAILURE() << "division by zero went unnoticed";
    } catch (const db::DbError& e) {
        EXPECT_STREQ(e.what(), "division by zero");
        EXPECT_EQ(e.sqlState(), "22012");
    }
    EXPECT_TRUE(q.active());
    EXPECT_EQ(q.recordCount(), 3) << "the rows before the refresh stay, none half-loaded";
    EXPECT_EQ(q.asInteger("q"), 2);
    scratch.exec("delete from t where a = 0");
    q.refresh(); // the same session serves the next statement
    EXPECT_EQ(q.recordCount(), 3);
}

TEST_F(QueryOnServer, UnsetParameterIsNull)
{
    db::Query q("dsQ", &con);
    q.setSql(std::string("select (:pV)::text is null as isnull"));
    q.addField({"isnull", FieldKind::Boolean});
    q.open();
    EXPECT_EQ(std::get<bool>(q.value("isnull")), true);
}

class PostOnServer : public QueryOnServer {
protected:
    void SetUp() override
    {
        QueryOnServer::SetUp();
        scratch.exec("create table period_row (data_incep date not null, data_sf date, moneda_raportare varchar(3),"
                     " curs_raportare double precision, note char(5));");
        ds.setSql(std::vector<std::string>{"select * ", "from period_row", ";"});
        ds.addField({"data_incep", FieldKind::Date, 0, true});
        ds.addField({"data_sf", FieldKind::Date});
        ds.addField({"moneda_raportare", FieldKind::WideString, 3});
        ds.addField({"curs_raportare", FieldKind::Float});
        ds.addField({"note", FieldKind::WideString, 5});
    }

    std::string rows()
    {
        db::Query q("dsCheck", &con);
        q.setSql(std::string("select string_agg(concat_ws('|', data_incep, data_sf, moneda_raportare, curs_raportare, note), ';'"
                             " order by data_incep) as r from period_row"));
        q.addField({"r", FieldKind::WideMemo});
        q.open();
        return q.asString("r");
    }

    void setPeriod(int m1, int m2)
    {
        ds.edit();
        ds.setValue("data_incep", db::dateFromCivil(2025, m1, 1));
        ds.setValue("data_sf", db::DateTime{db::dateFromCivil(2025, m2, 28).days * 86'400'000'000LL + 86'399'999'000LL});
        ds.post();
    }

    db::Query ds{"dsDataList", &con};
};

TEST_F(PostOnServer, InsertsIntoAnEmptyTableThenUpdatesThatRow)
{
    ds.open();
    setPeriod(1, 2);
    EXPECT_EQ(rows(), "2025-01-01|2025-02-28");
    ds.refresh();
    setPeriod(3, 3);
    EXPECT_EQ(rows(), "2025-03-01|2025-03-28");
    EXPECT_EQ(ds.recordCount(), 1);
}

TEST_F(PostOnServer, UpdatesExactlyTheRowThatWasReadAndKeepsItsOtherColumns)
{
    scratch.exec("insert into period_row values ('2020-01-01', null, 'EUR', 4.9771, 'ab'),"
                 " ('2020-01-01', null, 'EUR', 4.9771, 'ab'), ('2019-01-01', '2019-01-31', null, 0.1, null);");
    ds.open();
    ds.first();
    ds.edit();
    ds.setValue("data_incep", db::dateFromCivil(2021, 5, 1));
    ds.post();
    // Two rows were identical: only one of them changed; the rest kept their values.
    EXPECT_EQ(rows(), "2019-01-01|2019-01-31|0.1;2020-01-01|EUR|4.9771|ab   ;2021-05-01|EUR|4.9771|ab   ");
}

TEST_F(PostOnServer, RefusesWhenTheRowChangedOrVanishedInBetween)
{
    scratch.exec("insert into period_row values ('2020-01-01', null, 'RON', 1, null);");
    for (const char* meddle : {"update period_row set curs_raportare = 2", "delete from period_row"}) {
        ds.close();
        ds.open();
        scratch.exec(meddle);
        ds.edit();
        ds.setValue("data_incep", db::dateFromCivil(2030, 1, 1));
        EXPECT_THROW(ds.post(), db::DbError) << meddle;
        EXPECT_EQ(ds.state(), db::Dataset::State::Edit) << "the edit is kept for another try";
        ds.cancel();
        EXPECT_EQ(rows().find("2030"), std::string::npos);
    }
}

TEST_F(PostOnServer, RequiredFieldIsCheckedBeforeWriting)
{
    ds.open();
    ds.edit();
    ds.setValue("data_sf", db::dateFromCivil(2025, 1, 31));
    try {
        ds.post();
        ADD_FAILURE() << "posted a row without its required field";
    } catch (const db::DbError& e) {
        EXPECT_STREQ(e.what(), "Field 'data_incep' must have a value");
    }
    EXPECT_EQ(rows(), "");
}

TEST_F(QueryOnServer, ReadOnlyQueryRefusesToPost)
{
    db::Query q("dsRo", &con);
    q.setSql(std::string("select 1::integer as a"));
    q.addField({"a", FieldKind::Integer});
    q.open();
    q.edit();
    q.setValue("a", std::int64_t{2});
    EXPECT_THROW(q.post(), db::DbError) << "a computed result has no table to write to";
}

} // namespace
