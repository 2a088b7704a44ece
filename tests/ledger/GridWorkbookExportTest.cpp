// The workbook holds what the grid shows: read back with openpyxl after
// sorting, filtering, grouping and moving columns.
#include "../platform/grid/GridTestData.h"
#include "../platform/xlsx/TestTools.h"

#include "grid/ViewState.h"
#include "ledger/GridWorkbookExport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>

#include <sstream>

namespace {

class Export : public testing::Test {
protected:
    void SetUp() override
    {
        python = xlsxtest::pythonWithOpenpyxl();
        ASSERT_FALSE(python.empty()) << "No python3 with openpyxl: install the Debian package python3-openpyxl";
        view.setLocale(QLocale(QLocale::Romanian, QLocale::Romania));
        view.setColumns(gridtest::ledgerColumns());
        view.setDataset(ds.get());
    }

    // The dumped rows, one line each: "row N [level]: cell | cell ...".
    std::vector<std::string> exportAndRead(const std::string& name = "FisaContAnalitic_17.11.2025.xlsx")
    {
        const std::string path = (folder.path() / name).string();
        ledger::exportGridToWorkbook(view, QString::fromStdString(path));
        const auto result = xlsxtest::run({python, script(), "dump", path});
        EXPECT_EQ(result.exitCode, 0) << result.output;
        std::vector<std::string> lines;
        std::istringstream in(result.output);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    static std::string script()
    {
        return (xlsxtest::sourceDir() / "tests/platform/xlsx/read_workbook.py").string();
    }

    static std::vector<std::string> rowsOnly(const std::vector<std::string>& lines)
    {
        std::vector<std::string> rows;
        for (const auto& l : lines)
            if (l.rfind("row ", 0) == 0)
                rows.push_back(l.substr(l.find(':') + 2));
        return rows;
    }

    static std::string lineStarting(const std::vector<std::string>& lines, const std::string& prefix)
    {
        for (const auto& l : lines)
            if (l.rfind(prefix, 0) == 0)
                return l.substr(prefix.size());
        return "(missing " + prefix + ")";
    }

    std::string python;
    xlsxtest::TempFolder folder;
    std::unique_ptr<db::MemoryDataset> ds = gridtest::ledgerDataset();
    grid::ViewState view;
};

TEST_F(Export, PlainRowsInDatasetOrderWithTypedCells)
{
    const auto lines = exportAndRead();
    EXPECT_EQ(lineStarting(lines, "sheets: "), "['FisaContAnalitic_17.11.2025']");
    EXPECT_EQ(lineStarting(lines, "freeze: "), "A2");
    EXPECT_EQ(lineStarting(lines, "sums: "), "C=116.25 E=28") << "amounts and numbers arrive as numbers";
    const std::vector<std::string> expected = {
        "b'conta' | b'partener' | b'valoare' | b'data_doc' | b'nr_crt'",
        "'401.02' | 'beta' | 10.5 | date(2025-03-02) | 1",
        "'401.01' | 'Alfa' | 2 | date(2025-01-15) | 2",
        "'401.02' | None | None | None | 3",
        "'401.01' | 'Gamma' | 100 | date(2024-12-31) | 4",
        "'401.03' | '' | -7.25 | date(2025-03-02) | 5",
        "'401.01' | 'alfa' | 2 | date(2025-02-01) | 6",
        "'401.02' | 'Beta' | 9 | date(2025-01-15) | 7",
    };
    EXPECT_EQ(rowsOnly(lines), expected);
}

TEST_F(Export, FollowsSortFilterAndMovedColumns)
{
    view.sortBy(2, grid::SortOrder::Descending);         // valoare
    view.setValueFilter(0, grid::ValueFilter{{QStringLiteral("401.01"), QStringLiteral("401.02")}, false});
    view.moveColumn(4, 0);                                // nr_crt first
    const std::vector<std::string> expected = {
        "b'nr_crt' | b'conta' | b'partener' | b'valoare' | b'data_doc'",
        "4 | '401.01' | 'Gamma' | 100 | date(2024-12-31)",
        "1 | '401.02' | 'beta' | 10.5 | date(2025-03-02)",
        "7 | '401.02' | 'Beta' | 9 | date(2025-01-15)",
        "2 | '401.01' | 'Alfa' | 2 | date(2025-01-15)",
        "6 | '401.01' | 'alfa' | 2 | date(2025-02-01)",
        "3 | '401.02' | None | None | None",
    };
    EXPECT_EQ(rowsOnly(exportAndRead()), expected);
}

TEST_F(Export, GroupsAreWrittenExpandedWithOutlineLevels)
{
    view.groupBy(0); // conta
    view.sortBy(4, grid::SortOrder::Descending);
    view.collapseAll(); // collapsed on screen, expanded in the workbook
    const auto lines = exportAndRead("Grouped.xlsx");
    EXPECT_EQ(lineStarting(lines, "outlineLevelRow: "), "1");
    EXPECT_EQ(lineStarting(lines, "summaryBelow: "), "False");
    std::vector<std::string> rows;
    for (const auto& l : lines)
        if (l.rfind("row ", 0) == 0)
            rows.push_back(l.substr(l.find('[')));
    const std::vector<std::string> expected = {
        "[0]: b'partener' | b'valoare' | b'data_doc' | b'nr_crt'",
        "[0]: b'conta : 401.01 (3)' | None | None | None",
        "[1]: 'alfa' | 2 | date(2025-02-01) | 6",
        "[1]: 'Gamma' | 100 | date(2024-12-31) | 4",
        "[1]: 'Alfa' | 2 | date(2025-01-15) | 2",
        "[0]: b'conta : 401.02 (3)' | None | None | None",
        "[1]: 'Beta' | 9 | date(2025-01-15) | 7",
        "[1]: None | None | None | 3",
        "[1]: 'beta' | 10.5 | date(2025-03-02) | 1",
        "[0]: b'conta : 401.03 (1)' | None | None | None",
        "[1]: '' | -7.25 | date(2025-03-02) | 5",
    };
    EXPECT_EQ(rows, expected);
}

TEST_F(Export, EmptyGridWritesTheHeaderAlone)
{
    ds->close();
    view.dataChanged();
    EXPECT_EQ(rowsOnly(exportAndRead()), std::vector<std::string>{"b'conta' | b'partener' | b'valoare' | b'data_doc' | b'nr_crt'"});
}

TEST_F(Export, UnwritableTargetNamesThePathAndLeavesNothing)
{
    const QString path = QString::fromStdString((folder.path() / "missing" / "x.xlsx").string());
    try {
        ledger::exportGridToWorkbook(view, path);
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path.toStdString() + "\". No such file or directory");
    }
    EXPECT_TRUE(folder.entries().empty());
}

} // namespace
