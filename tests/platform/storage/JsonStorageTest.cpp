#include "storage/JsonStorage.h"
#include "storage/MemTable.h"
#include "storage/StorageError.h"

#include "QStringPrinting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using storage::MemTable;

MemTable loginTable()
{
    return MemTable(QStringLiteral("dsLogin"), {{QStringLiteral("company"), 200}, {QStringLiteral("username"), 200}});
}

const QByteArray bom = "\xEF\xBB\xBF";
const QByteArray head = "{\"FDBS\":{\"Version\":16,\"Manager\":{\"TableList\":[{\"class\":\"Table\",\"Name\":\"dsLogin\","
                        "\"ColumnList\":["
                        "{\"class\":\"Column\",\"Name\":\"company\",\"DataType\":\"WideString\",\"Size\":200,\"AllowNull\":true},"
                        "{\"class\":\"Column\",\"Name\":\"username\",\"DataType\":\"WideString\",\"Size\":200,\"AllowNull\":true}],"
                        "\"ConstraintList\":[],\"ViewList\":[],\"RowList\":[";
const QByteArray tail = "]}]}}}";

TEST(JsonStorage, WritesTheSignInTableByteForByteAndReadsItBack)
{
    MemTable t = loginTable();
    const QString company = QString::fromUtf16(u"S.C. \"Alfa\\Beta/Gama\" ăâîșțĂÂÎȘȚ") + QChar(u'\b') + QChar(u'\t') +
                            QChar(u'\n') + QChar(u'\f') + QChar(u'\r') + QChar(0x01) + QChar(0x1F);
    t.setField(QStringLiteral("company"), company);
    t.setField(QStringLiteral("username"), QStringLiteral("ion/popescu"));

    const QByteArray expected =
        bom + head +
        "{\"RowID\":0,\"Original\":{\"company\":\"S.C. \\\"Alfa\\\\Beta\\/Gama\\\" "
        "\xC4\x83\xC3\xA2\xC3\xAE\xC8\x99\xC8\x9B\xC4\x82\xC3\x82\xC3\x8E\xC8\x98\xC8\x9A"
        "\\b\\t\\n\\f\\r\\u0001\\u001F\",\"username\":\"ion\\/popescu\"}}" +
        tail;
    const QByteArray file = storage::formatJsonStorage(t);
    EXPECT_EQ(file, expected);

    MemTable back = loginTable();
    storage::loadJsonStorage(back, file);
    ASSERT_EQ(back.rowCount(), 1);
    EXPECT_EQ(back.field(QStringLiteral("company")), company);
    EXPECT_EQ(back.field(QStringLiteral("username")), QStringLiteral("ion/popescu"));
    EXPECT_EQ(storage::formatJsonStorage(back), expected);
}

TEST(JsonStorage, LeavesNullValuesOutAndNumbersRowsFromZero)
{
    MemTable t = loginTable();
    t.setField(QStringLiteral("username"), QStringLiteral("u1"));
    t.appendRow();
    t.setField(QStringLiteral("company"), QString());
    EXPECT_EQ(storage::formatJsonStorage(t),
              bom + head + "{\"RowID\":0,\"Original\":{\"username\":\"u1\"}},{\"RowID\":1,\"Original\":{\"company\":\"\"}}" + tail);
}

TEST(JsonStorage, TableWithoutRowsAndUnchangedNewRowWriteAnEmptyRowList)
{
    MemTable t = loginTable();
    EXPECT_EQ(storage::formatJsonStorage(t), bom + head + tail);
    t.appendRow();
    EXPECT_EQ(storage::formatJsonStorage(t), bom + head + tail);
    t.setField(QStringLiteral("company"), QStringLiteral("A"));
    t.appendRow();
    EXPECT_EQ(storage::formatJsonStorage(t), bom + head + "{\"RowID\":0,\"Original\":{\"company\":\"A\"}}" + tail);
}

// A storage file around the given rows, laid out as other writers do:
// indented, settings and lists this program does not use, no byte-order mark.
QByteArray foreignFile(const QByteArray& rows, const QByteArray& version = "16")
{
    return "{\n\t\"FDBS\": {\n\t\t\"Version\": " + version +
           ",\n\t\t\"Manager\": {\n\t\t\t\"UpdatesRegistry\": true,\n\t\t\t\"TableList\": [\n\t\t\t\t{\n"
           "\t\t\t\t\t\"class\": \"Table\", \"Name\": \"dsLogin\", \"SourceName\": \"dsLogin\", \"TabID\": 0,\n"
           "\t\t\t\t\t\"EnforceConstraints\": false, \"MinimumCapacity\": 50, \"CheckNotNull\": false,\n"
           "\t\t\t\t\t\"ColumnList\": [{\"class\": \"Column\", \"Name\": \"company\", \"SourceName\": \"company\",\n"
           "\t\t\t\t\t\t\"SourceID\": 1, \"DataType\": \"WideString\", \"Size\": 200, \"Searchable\": true},\n"
           "\t\t\t\t\t\t{\"class\": \"Column\", \"Name\": \"username\", \"DataType\": \"WideString\", \"Size\": 200}],\n"
           "\t\t\t\t\t\"ConstraintList\": [], \"ViewList\": [],\n"
           "\t\t\t\t\t\"RowList\": [" + rows + "]\n\t\t\t\t}\n\t\t\t],\n"
           "\t\t\t\"RelationList\": [],\n\t\t\t\"UpdatesJournal\": {\"SavePoint\": 2, \"Changes\": [{\"a\": [1, {}]}]}\n"
           "\t\t}\n\t}\n}\n";
}

TEST(JsonStorage, TakesTheNewestVersionOfEachRow)
{
    const QByteArray rows =
        "{\"RowID\": 0, \"Original\": {\"company\": \"o\", \"username\": \"o\"}},\n"
        "{\"RowID\": 1, \"RowState\": \"Modified\", \"Original\": {\"company\": \"o\"}, \"Current\": {\"company\": \"c\"}},\n"
        "{\"RowID\": 2, \"RowState\": \"Modified\", \"Original\": {\"company\": \"o\"}, \"Current\": {\"company\": \"c\"},"
        " \"Proposed\": {\"company\": \"p\", \"username\": \"p\"}},\n"
        "{\"Proposed\": {\"username\": \"p\"}, \"Original\": {\"company\": \"o\"}, \"RowPriorState\": \"Inserted\"},\n"
        "{\"RowID\": 4, \"RowState\": \"Deleted\", \"Original\": {\"company\": \"gone\"}}";
    MemTable t = loginTable();
    storage::loadJsonStorage(t, foreignFile(rows));
    ASSERT_EQ(t.rowCount(), 4);
    struct Expected {
        MemTable::Value company, username;
    };
    const Expected expected[] = {
        {QStringLiteral("o"), QStringLiteral("o")},
        {QStringLiteral("c"), std::nullopt},
        {QStringLiteral("p"), QStringLiteral("p")},
        {std::nullopt, QStringLiteral("p")},
    };
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(t.value(r, 0), expected[r].company) << "row " << r;
        EXPECT_EQ(t.value(r, 1), expected[r].username) << "row " << r;
    }
    EXPECT_EQ(t.currentRow(), 0);
}

TEST(JsonStorage, ReadsVersionFifteenAndFilesWithoutByteOrderMark)
{
    for (const QByteArray& version : {QByteArray("15"), QByteArray("16")}) {
        for (const QByteArray& prefix : {QByteArray(), bom}) {
            const QByteArray file = prefix + foreignFile("{\"Original\":{\"company\":\"x\"}}", version);
            const storage::StoredTable stored = storage::parseJsonStorage(file);
            EXPECT_EQ(stored.version, version.toInt());
            EXPECT_EQ(stored.name, QStringLiteral("dsLogin"));
            ASSERT_EQ(stored.columns.size(), 2u);
            EXPECT_EQ(stored.columns[0].dataType, QStringLiteral("WideString"));
            EXPECT_EQ(stored.columns[1].size, 200);
            ASSERT_EQ(stored.rows.size(), 1u);
        }
    }
}

TEST(JsonStorage, MatchesColumnsByNameAndTakesScalarsAsText)
{
    const QByteArray file =
        "{\"FDBS\":{\"Manager\":{\"TableList\":[{\"class\":\"Table\",\"RowList\":[{\"Original\":"
        "{\"Extra\":[1],\"USERNAME\":\"upper\",\"Age\":50,\"Price\":30.13,\"Dev\":true,\"Old\":false,\"company\":null}},"
        "{\"Original\":{\"username\":\"exact\",\"USERNAME\":\"upper\"}}]}]},\"Version\":15}}";
    MemTable t(QStringLiteral("t"), {{QStringLiteral("company"), 10}, {QStringLiteral("username"), 10},
                                    {QStringLiteral("age"), 10}, {QStringLiteral("price"), 10},
                                    {QStringLiteral("dev"), 10}, {QStringLiteral("old"), 10},
                                    {QStringLiteral("missing"), 10}});
    storage::loadJsonStorage(t, file);
    ASSERT_EQ(t.rowCount(), 2);
    const MemTable::Row expected = {std::nullopt,          QStringLiteral("upper"), QStringLiteral("50"),
                                    QStringLiteral("30.13"), QStringLiteral("true"), QStringLiteral("false"),
                                    std::nullopt};
    EXPECT_EQ(t.row(0), expected);
    EXPECT_EQ(t.value(1, 1), QStringLiteral("exact"));
}

TEST(JsonStorage, RejectsFilesThatAreNotThisFormatAndSaysWhy)
{
    struct Case {
        QByteArray file;
        std::string message;
    };
    const QByteArray manager = "{\"FDBS\":{\"Version\":16,\"Manager\":";
    const Case cases[] = {
        {bom + "Company=Alfa", "invalid JSON at byte 3: unexpected character 'C', a value was expected"},
        {bom + head, "invalid JSON at byte " + std::to_string(bom.size() + head.size()) +
                         ": unexpected end of the file, a value was expected"},
        {"[1,2]", "not a valid table storage file, at byte 0: the file holds a JSON array, an object with the member "
                  "\"FDBS\" expected"},
        {"{\"fdbs\":{}}", "not a valid table storage file, at byte 0: the top-level object has no member \"FDBS\""},
        {"{\"FDBS\":{\"Manager\":{}}}", "not a valid table storage file, at byte 8: \"FDBS\" has no member \"Version\""},
        {"{\"FDBS\":{\"Version\":\"16\"}}",
         "not a valid table storage file, at byte 19: \"Version\" of \"FDBS\" is string, number expected"},
        {"{\"FDBS\":{\"Version\":17,\"Manager\":{}}}",
         "not a valid table storage file, at byte 19: storage version 17 is not supported (15 and 16 are)"},
        {"{\"FDBS\":{\"Version\":16}}", "not a valid table storage file, at byte 8: \"FDBS\" has no member \"Manager\""},
        {manager + "{}}}", "not a valid table storage file, at byte 32: \"Manager\" has no member \"TableList\""},
        {manager + "{\"TableList\":[]}}}", "not a valid table storage file, at byte 45: \"TableList\" holds no table"},
        {manager + "{\"TableList\":[{\"RowList\":{}}]}}}",
         "not a valid table storage file, at byte 57: \"RowList\" of the table is object, array expected"},
        {manager + "{\"TableList\":[{\"RowList\":[{\"RowID\":0}]}]}}}",
         "not a valid table storage file, at byte 58: row 1 of \"RowList\" has none of \"Original\", \"Current\" and "
         "\"Proposed\""},
        {manager + "{\"TableList\":[{\"RowList\":[{\"Original\":[]}]}]}}}",
         "not a valid table storage file, at byte 70: \"Original\" of row 1 of \"RowList\" is array, object expected"},
        {manager + "{\"TableList\":[{\"ColumnList\":[{\"class\":\"Column\"}]}]}}}",
         "not a valid table storage file, at byte 61: a column has no member \"Name\""},
        {manager + "{\"TableList\":[{\"RowList\":[{\"Original\":{\"company\":{}}}]}]}}}",
         "not a valid table storage file, at byte 81: row 1: the value of \"company\" is object, text expected"},
    };
    for (const Case& c : cases) {
        MemTable t = loginTable();
        t.setField(QStringLiteral("company"), QStringLiteral("kept"));
        try {
            storage::loadJsonStorage(t, c.file);
            ADD_FAILURE() << "accepted: " << c.file.toStdString();
        } catch (const storage::StorageError& e) {
            EXPECT_EQ(e.what(), c.message) << c.file.toStdString();
        }
        EXPECT_EQ(t.field(QStringLiteral("company")), QStringLiteral("kept")) << c.file.toStdString();
    }
}

} // namespace
