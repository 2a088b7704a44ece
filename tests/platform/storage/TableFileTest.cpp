#include "storage/JsonStorage.h"
#include "storage/MemTable.h"
#include "storage/StorageError.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QStringPrinting.h"

#include <gtest/gtest.h>

namespace {

using storage::MemTable;

MemTable loginTable()
{
    return MemTable(QStringLiteral("dsLogin"), {{QStringLiteral("company"), 200}, {QStringLiteral("username"), 200}});
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class TableFile : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString path(const QString& name = QStringLiteral("UlvBrenu.json")) const { return dir_.filePath(name); }
};

TEST_F(TableFile, SavePostsTheEditAndWritesTheWholeFileEachTime)
{
    MemTable t = loginTable();
    t.setField(QStringLiteral("company"), QString::fromUtf16(u"Ședința \"1\""));
    EXPECT_FALSE(storage::fileExists(path()));
    storage::saveTableFile(t, path());
    EXPECT_FALSE(t.isNewRow());
    const QByteArray first = contents(path());
    EXPECT_EQ(first, storage::formatJsonStorage(t));

    storage::saveTableFile(t, path());
    EXPECT_EQ(contents(path()), first);

    // A longer file replaced by a shorter one leaves nothing of the old one.
    t.setField(QStringLiteral("company"), QStringLiteral("B"));
    storage::saveTableFile(t, path());
    EXPECT_EQ(contents(path()), storage::formatJsonStorage(t));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("UlvBrenu.json")});

    MemTable back = loginTable();
    storage::loadTableFile(back, path());
    EXPECT_EQ(back.field(QStringLiteral("company")), QStringLiteral("B"));
}

TEST_F(TableFile, SaveIntoAMissingFolderGivesTheSystemsReason)
{
    MemTable t = loginTable();
    const QString target = dir_.filePath(QStringLiteral("missing/UlvBrenu.json"));
    try {
        storage::saveTableFile(t, target);
        FAIL() << "saved into a missing folder";
    } catch (const storage::StorageError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + target.toStdString() + "\". No such file or directory");
    }
}

TEST_F(TableFile, SaveIntoAReadOnlyFolderFailsAndKeepsTheOldFile)
{
    const QString folder = dir_.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString target = folder + QStringLiteral("/UlvBrenu.json");
    writeFile(target, "old content");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    // The super-user writes anywhere; a read-only system folder stands in for the folder then.
    QFile probe(folder + QStringLiteral("/probe"));
    const bool enforced = !probe.open(QIODevice::WriteOnly);
    probe.remove();
    const QString where = enforced ? target : QStringLiteral("/sys/UlvBrenu.json");

    MemTable t = loginTable();
    t.setField(QStringLiteral("company"), QStringLiteral("new"));
    try {
        storage::saveTableFile(t, where);
        ADD_FAILURE() << "saved into a read-only folder";
    } catch (const storage::StorageError& e) {
        const std::string prefix = "Cannot create file \"" + where.toStdString() + "\". ";
        const std::string message = e.what();
        EXPECT_EQ(message.substr(0, prefix.size()), prefix);
        EXPECT_GT(message.size(), prefix.size()) << "no reason given";
    }
    if (enforced) {
        EXPECT_EQ(contents(target), "old content");
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(TableFile, ExistsMeansARegularFileOrALinkToOne)
{
    writeFile(path(QStringLiteral("real.json")), "{}");
    ASSERT_TRUE(QFile::link(path(QStringLiteral("real.json")), path(QStringLiteral("link.json"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("none.json")), path(QStringLiteral("dangling.json"))));
    ASSERT_TRUE(QDir().mkdir(path(QStringLiteral("folder.json"))));
    EXPECT_TRUE(storage::fileExists(path(QStringLiteral("real.json"))));
    EXPECT_TRUE(storage::fileExists(path(QStringLiteral("link.json"))));
    EXPECT_FALSE(storage::fileExists(path(QStringLiteral("dangling.json"))));
    EXPECT_FALSE(storage::fileExists(path(QStringLiteral("folder.json"))));
    EXPECT_FALSE(storage::fileExists(path(QStringLiteral("none.json"))));
    EXPECT_FALSE(storage::fileExists(QString()));
}

TEST_F(TableFile, SaveThroughALinkReplacesItsTarget)
{
    writeFile(path(QStringLiteral("real.json")), "old");
    ASSERT_TRUE(QFile::link(path(QStringLiteral("real.json")), path()));
    MemTable t = loginTable();
    t.setField(QStringLiteral("username"), QStringLiteral("u"));
    storage::saveTableFile(t, path());
    EXPECT_EQ(contents(path(QStringLiteral("real.json"))), storage::formatJsonStorage(t));
}

TEST_F(TableFile, LoadOfABadFileNamesTheFileAndLeavesTheTable)
{
    writeFile(path(), "\xEF\xBB\xBF{\"FDBS\":{\"Version\":16,\"Manager\":{\"TableList\":[{\"RowList\":[");
    MemTable t = loginTable();
    t.setField(QStringLiteral("company"), QStringLiteral("kept"));
    try {
        storage::loadTableFile(t, path());
        FAIL() << "a cut-off file loaded";
    } catch (const storage::StorageError& e) {
        EXPECT_EQ(std::string(e.what()), "The file \"" + path().toStdString() +
                                             "\" cannot be loaded: invalid JSON at byte 61: unexpected end of the "
                                             "file, a value was expected");
    }
    EXPECT_EQ(t.field(QStringLiteral("company")), QStringLiteral("kept"));

    try {
        storage::loadTableFile(t, path(QStringLiteral("none.json")));
        FAIL() << "a missing file loaded";
    } catch (const storage::StorageError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + path(QStringLiteral("none.json")).toStdString() + "\". No such file or directory");
    }
}

} // namespace
