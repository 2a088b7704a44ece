// Storage files written by other programs. Each must load; what we read is
// compared with what Qt's own JSON reader finds in the same file.
#include "storage/JsonStorage.h"
#include "storage/MemTable.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "QStringPrinting.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QString samplesFolder()
{
    const char* source = std::getenv("WMORV_SOURCE_DIR");
    if (!source)
        return {};
    const QDir dir(QString::fromLocal8Bit(source) + QStringLiteral("/../shared/fixtures/firedac-json"));
    return dir.exists() ? dir.absolutePath() : QString();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// The text our table should hold for a scalar as Qt reads it.
QString expectedText(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::String: return v.toString();
    case QJsonValue::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default: return {};
    }
}

class SampleFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = samplesFolder();
        if (folder_.isEmpty())
            GTEST_SKIP() << "sample storage files not found (../shared/fixtures/firedac-json beside the sources)";
    }
    QStringList files() const { return QDir(folder_).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name); }
    QString path(const QString& name) const { return folder_ + QLatin1Char('/') + name; }

    QString folder_;
};

TEST_F(SampleFiles, EveryFileLoadsWithTheValuesItHolds)
{
    ASSERT_FALSE(files().isEmpty()) << folder_.toStdString();
    for (const QString& name : files()) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = readAll(path(name));
        storage::StoredTable stored;
        ASSERT_NO_THROW(stored = storage::parseJsonStorage(bytes));

        QByteArray plain = bytes;
        if (plain.startsWith("\xEF\xBB\xBF"))
            plain.remove(0, 3);
        const QJsonObject table = QJsonDocument::fromJson(plain)
                                      .object()[QStringLiteral("FDBS")]
                                      .toObject()[QStringLiteral("Manager")]
                                      .toObject()[QStringLiteral("TableList")]
                                      .toArray()
                                      .first()
                                      .toObject();
        const QJsonArray rows = table[QStringLiteral("RowList")].toArray();
        ASSERT_EQ(stored.rows.size(), static_cast<std::size_t>(rows.size()));
        EXPECT_EQ(stored.name, table[QStringLiteral("Name")].toString());
        EXPECT_EQ(stored.columns.size(), static_cast<std::size_t>(table[QStringLiteral("ColumnList")].toArray().size()));

        // One text column per member of the first row, wide enough for anything.
        const QJsonObject first = rows.first().toObject()[QStringLiteral("Original")].toObject();
        std::vector<storage::MemTable::Column> columns;
        for (const QString& key : first.keys())
            columns.push_back({key, 1 << 30});
        storage::MemTable mem(QStringLiteral("sample"), columns);
        ASSERT_NO_THROW(storage::loadStoredTable(mem, stored));
        ASSERT_EQ(mem.rowCount(), rows.size());
        for (int r = 0; r < rows.size(); ++r) {
            const QJsonObject values = rows[r].toObject()[QStringLiteral("Original")].toObject();
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const QJsonValue v = values[columns[c].name];
                const storage::MemTable::Value got = mem.value(r, static_cast<int>(c));
                SCOPED_TRACE("row " + std::to_string(r) + " column " + columns[c].name.toStdString());
                if (v.isUndefined() || v.isNull())
                    EXPECT_EQ(got, std::nullopt);
                else if (v.isDouble())
                    EXPECT_EQ(got.value_or(QString()).toDouble(), v.toDouble());
                else
                    EXPECT_EQ(got, expectedText(v));
            }
        }
    }
}

TEST_F(SampleFiles, SelectedValuesReadAsWritten)
{
    struct Case {
        const char* file;
        int row;
        const char16_t* column;
        const char16_t* text;
    };
    const Case cases[] = {
        {"01-neon-demo-persons.json", 2, u"Surname", u"Cant\u00F9"},
        {"02-neon-tests-persons.json", 2, u"Developer", u"false"},
        {"03-bogdanpolak-dbtable-books.json", 15, u"Price", u"30.13"},
        {"05-gethub-Repos.json", 0, u"Path", u"C:\\Users\\Ryan\\Documents\\Delphi Projects\\ProjectReport"},
        {"05-gethub-Repos.json", 0, u"Link", u"https://github.com/buckcell/ProjectReport.git"},
        {"08-bicho-dados-v16.json", 0, u"DataNascimento", u"20250212T000000.000"},
        {"09-embarcadero-ems-readme-dataonly.json", 0, u"FULL_NAME", u"Nelson, Robert"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        if (!QFile::exists(path(QString::fromLatin1(c.file))))
            continue;
        storage::MemTable t(QStringLiteral("t"), {{QString::fromUtf16(c.column), 1000}});
        storage::loadJsonStorage(t, readAll(path(QString::fromLatin1(c.file))));
        EXPECT_EQ(t.value(c.row, 0), QString::fromUtf16(c.text));
    }
}

} // namespace
