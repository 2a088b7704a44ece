#include "db/Dataset.h"
#include "db/FieldKind.h"
#include "db/Values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Dates, RoundTripAcrossLeapYearsAndCenturies)
{
    struct Case { int y, m, d; std::int32_t days; };
    for (const Case& c : {Case{1970, 1, 1, 0}, Case{2000, 2, 29, 11016}, Case{1900, 3, 1, -25508},
                          Case{2024, 2, 29, 19782}, Case{1969, 12, 31, -1}}) {
        const db::Date d = db::dateFromCivil(c.y, c.m, c.d);
        EXPECT_EQ(d.days, c.days) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(db::civilFromDate(d), (db::CivilDate{c.y, c.m, c.d}));
    }
    EXPECT_EQ(db::daysInMonth(2024, 2), 29);
    EXPECT_EQ(db::daysInMonth(2025, 2), 28);
    EXPECT_EQ(db::daysInMonth(1900, 2), 28);
    EXPECT_EQ(db::daysInMonth(2000, 2), 29);
}

TEST(Dates, ParseOnlyIsoForms)
{
    EXPECT_EQ(db::parseIsoDate("2025-03-01"), db::dateFromCivil(2025, 3, 1));
    for (const char* bad : {"", "2025-3-1", "01.03.2025", "2025-02-30", "2025-03-01 BC", "2025-03-01x"})
        EXPECT_FALSE(db::parseIsoDate(bad).has_value()) << bad;
    const auto t = db::parseIsoDateTime("2025-03-01 13:45:10.25");
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(db::formatIsoDateTime(*t), "2025-03-01 13:45:10.250000");
    EXPECT_EQ(db::parseIsoDateTime("2025-03-01")->micros, db::dateFromCivil(2025, 3, 1).days * 86'400'000'000LL);
}

TEST(Doubles, ShortestRoundTripAndSpecialValues)
{
    for (double v : {0.1, -0.1, 49.7, 1e20, 5.551115123125783e-17, 123456789.0123, -0.0})
        EXPECT_EQ(db::parseDouble(db::formatDouble(v)), v);
    EXPECT_EQ(db::formatDouble(0.1 + 0.2), "0.30000000000000004");
    EXPECT_TRUE(std::isnan(*db::parseDouble("NaN")));
    EXPECT_EQ(*db::parseDouble("-Infinity"), -std::numeric_limits<double>::infinity());
    EXPECT_FALSE(db::parseDouble("1,5").has_value());
    EXPECT_FALSE(db::parseDouble("").has_value());
}

TEST(FieldKinds, CompatibilityFollowsTheDeclaredKind)
{
    using K = db::FieldKind;
    struct Case { unsigned oid; int mod; K field; bool ok; const char* actual; };
    // oids: varchar 1043, bpchar 1042, text 25, int2 21, int4 23, int8 20, float8 701,
    // numeric 1700, date 1082, timestamp 1114, bool 16, uuid 2950
    for (const Case& c : {Case{1043, 11, K::WideString, true, "WideString"}, Case{1043, -1, K::WideString, false, "WideMemo"},
                          Case{1042, 7, K::WideString, true, "WideString"}, Case{25, -1, K::WideMemo, true, "WideMemo"},
                          Case{1043, -1, K::WideMemo, true, "WideMemo"}, Case{25, -1, K::WideString, false, "WideMemo"},
                          Case{21, -1, K::Integer, true, "Integer"}, Case{20, -1, K::Integer, false, "LargeInt"},
                          Case{23, -1, K::LargeInt, false, "Integer"}, Case{1700, -1, K::Float, true, "Float"},
                          Case{701, -1, K::Float, true, "Float"}, Case{1082, -1, K::DateTime, true, "Date"},
                          Case{1114, -1, K::Date, true, "DateTime"}, Case{16, -1, K::Boolean, true, "Boolean"},
                          Case{16, -1, K::Integer, false, "Boolean"}}) {
        const db::ColumnKind ck = db::columnKind(c.oid, c.mod);
        EXPECT_EQ(ck.name, c.actual) << c.oid;
        EXPECT_EQ(ck.known && db::isCompatible(c.field, ck.kind), c.ok) << c.oid << " as " << db::kindName(c.field);
    }
}

TEST(MemoryDataset, EditPostAndRequiredFields)
{
    db::MemoryDataset ds("dsT");
    ds.addField({"name", db::FieldKind::WideString, 20, true});
    ds.addField({"amount", db::FieldKind::Float});
    ds.open();
    ds.edit(); // no row yet: begins a new one
    EXPECT_EQ(ds.state(), db::Dataset::State::Insert);
    ds.setValue("amount", std::int64_t{5});
    EXPECT_THROW(ds.post(), std::exception) << "required field left empty";
    ds.setValue("name", std::string("a'b"));
    ds.post();
    ASSERT_EQ(ds.recordCount(), 1);
    EXPECT_EQ(ds.asString("name"), "a'b");
    EXPECT_EQ(ds.asFloat("amount"), 5.0);
    try {
        ds.asString("nope");
        ADD_FAILURE() << "an undeclared field must not read as empty";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "dsT: Field 'nope' not found");
    }
}

TEST(MemoryDataset, ListenersHearOfLoadsMovesAndTheEnd)
{
    std::vector<db::Dataset::Event> heard;
    {
        db::MemoryDataset ds("dsT");
        ds.addField({"a", db::FieldKind::Integer});
        ds.subscribe([&](db::Dataset::Event e, int) { heard.push_back(e); });
        ds.open();
        ds.appendRow({std::int64_t{1}});
        ds.appendRow({std::int64_t{2}});
        ds.refresh();
        ds.next();
        ds.close();
    }
    using E = db::Dataset::Event;
    EXPECT_EQ(heard, (std::vector<E>{E::Opened, E::Refreshed, E::CurrentChanged, E::Closed, E::Destroyed}));
}

} // namespace
