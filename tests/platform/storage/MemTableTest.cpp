#include "storage/MemTable.h"
#include "storage/StorageError.h"

#include "QStringPrinting.h"

#include <gtest/gtest.h>

namespace {

using storage::MemTable;

MemTable loginTable()
{
    return MemTable(QStringLiteral("dsLogin"), {{QStringLiteral("company"), 200}, {QStringLiteral("username"), 200}});
}

TEST(MemTable, FirstChangeStartsTheRowAndLaterChangesEditIt)
{
    MemTable t = loginTable();
    EXPECT_EQ(t.currentRow(), -1);
    EXPECT_EQ(t.field(QStringLiteral("company")), std::nullopt);

    t.setField(QStringLiteral("company"), QStringLiteral("A"));
    ASSERT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.currentRow(), 0);
    EXPECT_TRUE(t.isNewRow());
    t.setField(QStringLiteral("company"), QStringLiteral("Ab"));
    t.setField(QStringLiteral("username"), QStringLiteral("ion"));
    EXPECT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.field(QStringLiteral("company")), QStringLiteral("Ab"));
    EXPECT_EQ(t.field(QStringLiteral("USERNAME")), QStringLiteral("ion"));

    t.post();
    EXPECT_FALSE(t.isNewRow());
    t.setField(QStringLiteral("company"), QString());
    EXPECT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.field(QStringLiteral("company")), QString()); // empty, not null
}

TEST(MemTable, NewRowNeverChangedIsDroppedAtPost)
{
    MemTable t = loginTable();
    t.appendRow();
    EXPECT_EQ(t.rowCount(), 1);
    EXPECT_FALSE(t.isStored(0));
    t.post();
    EXPECT_EQ(t.rowCount(), 0);
    EXPECT_EQ(t.currentRow(), -1);

    t.setField(QStringLiteral("company"), QStringLiteral("X"));
    t.appendRow(); // posts the changed row, begins another
    EXPECT_EQ(t.rowCount(), 2);
    EXPECT_TRUE(t.isStored(0));
    EXPECT_FALSE(t.isStored(1));
    t.post();
    ASSERT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.currentRow(), 0);
    EXPECT_EQ(t.field(QStringLiteral("company")), QStringLiteral("X"));
}

TEST(MemTable, LoadReplacesContentAndMakesFirstRowCurrent)
{
    MemTable t = loginTable();
    t.setField(QStringLiteral("company"), QStringLiteral("typed, never saved"));
    t.load({{QStringLiteral("first"), std::nullopt}, {QStringLiteral("second"), QStringLiteral("u")}});
    EXPECT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.currentRow(), 0);
    EXPECT_FALSE(t.isNewRow());
    EXPECT_EQ(t.field(QStringLiteral("company")), QStringLiteral("first"));
    EXPECT_EQ(t.field(QStringLiteral("username")), std::nullopt);
    t.setCurrentRow(1);
    EXPECT_EQ(t.field(QStringLiteral("company")), QStringLiteral("second"));

    t.load({});
    EXPECT_EQ(t.rowCount(), 0);
    EXPECT_EQ(t.currentRow(), -1);
    EXPECT_THROW(t.load({{QStringLiteral("one value only")}}), storage::StorageError);
}

TEST(MemTable, RejectsUnknownColumnsAndTooLongTextsWithoutChangingTheRow)
{
    MemTable t = loginTable();
    try {
        t.setField(QStringLiteral("password"), QStringLiteral("x"));
        FAIL() << "unknown column accepted";
    } catch (const storage::StorageError& e) {
        EXPECT_STREQ(e.what(), "dsLogin: Field 'password' not found");
    }
    EXPECT_EQ(t.rowCount(), 0);

    t.setField(QStringLiteral("company"), QString(200, QLatin1Char('a')));
    EXPECT_THROW(t.setField(QStringLiteral("company"), QString(201, QLatin1Char('a'))), storage::StorageError);
    EXPECT_EQ(t.field(QStringLiteral("company"))->size(), 200);

    EXPECT_THROW(MemTable(QStringLiteral("t"), {{QStringLiteral("a"), 1}, {QStringLiteral("A"), 1}}),
                 storage::StorageError);
    EXPECT_THROW(MemTable(QStringLiteral("t"), {{QStringLiteral("a"), 0}}), storage::StorageError);
}

} // namespace
