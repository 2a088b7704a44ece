#include "db/SqlParams.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* sql;
    const char* expected;
    std::vector<std::string> names;
};

class PrepareSql : public testing::TestWithParam<Case> {};

TEST_P(PrepareSql, ReplacesMarkersOutsideLiteralsCommentsAndCasts)
{
    const Case& c = GetParam();
    const db::PreparedSql p = db::prepareSql(c.sql);
    EXPECT_EQ(p.text, c.expected);
    EXPECT_EQ(p.names, c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Markers, PrepareSql,
    testing::Values(
        Case{"select * from emitent where emitent = :pEmitent and operator_parola = :pP",
             "select * from emitent where emitent = $1 and operator_parola = $2", {"pEmitent", "pP"}},
        Case{"where lower(a) = lower(:pA) or b = :pa", "where lower(a) = lower($1) or b = $1", {"pA"}},
        Case{"select ':pNot', \"col:pNot\" from t where x = :pX", "select ':pNot', \"col:pNot\" from t where x = $1", {"pX"}},
        Case{"select 'it''s :pNot' || :pY", "select 'it''s :pNot' || $1", {"pY"}},
        Case{"select E'\\' :pNot' , :pZ", "select E'\\' :pNot' , $1", {"pZ"}},
        Case{"select x::date, cast(:pD as date)", "select x::date, cast($1 as date)", {"pD"}},
        Case{"select 1 -- :pNot\n, :pE", "select 1 -- :pNot\n, $1", {"pE"}},
        Case{"select /* :pNot /* nested :pNot */ */ :pF", "select /* :pNot /* nested :pNot */ */ $1", {"pF"}},
        Case{"select $$ :pNot $$, $t$ :pNot $t$ , :pG", "select $$ :pNot $$, $t$ :pNot $t$ , $1", {"pG"}},
        Case{"where emitent  = :pEmitent--'ULV'\n  and s = :pServiciu --'eFact'",
             "where emitent  = $1--'ULV'\n  and s = $2 --'eFact'", {"pEmitent", "pServiciu"}},
        Case{"select a[1:2] from t", "select a[1:2] from t", {}},
        Case{"select 'unterminated :pNot", "select 'unterminated :pNot", {}}));

} // namespace
