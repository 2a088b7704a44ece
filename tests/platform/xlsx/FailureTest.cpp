// A workbook that cannot be written is reported with its full path and the
// system's reason, leaves no file behind and keeps an existing file intact.
#include "TestTools.h"

#include "xlsx/Workbook.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace xlsx;
using namespace xlsxtest;

namespace {

std::string creationError(const std::filesystem::path& path, const std::string& reason)
{
    return "Cannot create file \"" + path.string() + "\". " + reason;
}

// Runs `action` and returns the message of the std::runtime_error it throws.
template <typename Action>
std::string failureOf(Action&& action)
{
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(FailureTest, FilesThatCannotBeCreatedAreNamedWithTheSystemsReason)
{
    TempFolder folder;
    writeFile(folder.path() / "plain.txt", "a file, not a folder");
    std::filesystem::create_directory(folder.path() / "taken.xlsx");
    struct Case {
        const char* what;
        std::filesystem::path target;
        std::string reason;
    };
    const Case cases[] = {
        {"missing folder", folder.path() / "missing" / "x.xlsx", "No such file or directory"},
        {"folder that is a file", folder.path() / "plain.txt" / "x.xlsx", "Not a directory"},
        {"target that is a folder", folder.path() / "taken.xlsx", "Is a directory"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(failureOf([&] { WorkbookWriter w(c.target, "x"); }), creationError(c.target, c.reason)) << c.what;
    }
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"plain.txt", "taken.xlsx"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "taken.xlsx"));
}

TEST(FailureTest, ReadOnlyFolderIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "Running as root, which folder permissions do not stop";
    TempFolder folder;
    const auto locked = folder.path() / "locked";
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const auto target = locked / "x.xlsx";
    EXPECT_EQ(failureOf([&] { WorkbookWriter w(target, "x"); }), creationError(target, "Permission denied"));
    EXPECT_TRUE(std::filesystem::is_empty(locked));
}

// Fills rows with numbers that do not compress well, so that the file grows.
void addNoisyRows(WorkbookWriter& w, int count)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> amount(0, 1e6);
    std::vector<Cell> cells(4);
    for (int i = 0; i < count; ++i) {
        for (auto& cell : cells)
            cell = Cell::number(amount(random));
        w.addRow(0, cells);
    }
}

// A failure after much of the workbook is written: the file-size limit of
// the process stops the writing halfway, as a full disk would.
TEST(FailureTest, FailureWhileWritingKeepsTheExistingFileAndLeavesNothingBehind)
{
    TempFolder folder;
    const auto target = folder.path() / "report.xlsx";
    writeFile(target, "the previous export");

    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previousAction {};
    ::sigaction(SIGXFSZ, &ignore, &previousAction);
    rlimit previousLimit{};
    ::getrlimit(RLIMIT_FSIZE, &previousLimit);
    rlimit small = previousLimit;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    std::string message;
    bool laterCallRefused = false;
    {
        WorkbookWriter w(target, "report");
        w.setColumns({{"A", 0}, {"B", 0}, {"C", 0}, {"D", 0}});
        message = failureOf([&] {
            addNoisyRows(w, 100000);
            w.finish();
        });
        try {
            w.addRow(0, {Cell::number(1)});
        } catch (const std::logic_error&) {
            laterCallRefused = true;
        }
    }
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    ::sigaction(SIGXFSZ, &previousAction, nullptr);

    EXPECT_EQ(message, creationError(target, "File too large"));
    EXPECT_TRUE(laterCallRefused);
    EXPECT_EQ(readFile(target), "the previous export");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.xlsx"});
}

TEST(FailureTest, WorkbookAbandonedBeforeFinishLeavesNothingBehind)
{
    TempFolder folder;
    const auto target = folder.path() / "report.xlsx";
    writeFile(target, "the previous export");
    {
        WorkbookWriter w(target, "report");
        w.setColumns({{"A", 0}, {"B", 0}, {"C", 0}, {"D", 0}});
        addNoisyRows(w, 1000);
    }
    EXPECT_EQ(readFile(target), "the previous export");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"report.xlsx"});
}

TEST(FailureTest, MoreRowsThanAWorksheetHoldsIsAnErrorNotABrokenFile)
{
    TempFolder folder;
    const auto target = folder.path() / "huge.xlsx";
    WorkbookWriter w(target, "huge");
    w.setColumns({{"A", 0}});
    const std::vector<Cell> row{Cell::number(1)};
    // The header row and 1,048,575 data rows fill the worksheet.
    for (int i = 1; i < 1048576; ++i)
        w.addRow(0, row);
    EXPECT_EQ(failureOf([&] { w.addRow(0, row); }),
              creationError(target, "A worksheet holds at most 1,048,576 rows"));
    EXPECT_TRUE(folder.entries().empty());
}

} // namespace
