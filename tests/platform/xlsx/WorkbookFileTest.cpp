// Whole workbooks written to disk and read back by an independent reader
// (openpyxl), and their parts checked against the ECMA-376 schemas.
#include "TestTools.h"

#include "xlsx/Workbook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace xlsx;
using namespace xlsxtest;

namespace {

class WorkbookFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        python = pythonWithOpenpyxl();
        ASSERT_FALSE(python.empty()) << "No python3 with openpyxl: install the Debian package python3-openpyxl";
    }

    std::string readBack(const std::filesystem::path& file, bool summary = false)
    {
        std::vector<std::string> command{python, script(), "dump", file.string()};
        if (summary)
            command.push_back("--summary");
        const CommandResult result = run(command);
        EXPECT_EQ(result.exitCode, 0) << result.output;
        return result.output;
    }

    static std::string script() { return (sourceDir() / "tests/platform/xlsx/read_workbook.py").string(); }

    std::string python;
    TempFolder folder;
};

const std::string allParts =
    "parts: [Content_Types].xml _rels/.rels docProps/app.xml docProps/core.xml xl/_rels/workbook.xml.rels "
    "xl/sharedStrings.xml xl/styles.xml xl/workbook.xml xl/worksheets/sheet1.xml\n"
    "deflated: True\n";

// A ledger grouped by account and then by document type, as the grid shows it.
void writeGroupedLedger(WorkbookWriter& w)
{
    w.setColumns({{"Cont", 64}, {"Data", 80}, {"Document", 0}, {"Debit", 100}, {"Credit", 100}, {"Storno", 50}});
    w.setDeepestOutlineLevel(2);
    w.addGroupRow(0, "Cont : 401 (3)");
    w.addGroupRow(1, "Tip : FA (2)");
    w.addRow(2, {Cell::text("401"), Cell::date(20409), Cell::text("FA 12"), Cell::number(1234.56), Cell::null(),
                 Cell::boolean(false)});
    w.addRow(2, {Cell::text("401"), Cell::date(20410), Cell::text("FA 13"), Cell::number(0.1), Cell::null(),
                 Cell::boolean(true)});
    w.addGroupRow(1, "Tip : OP (1)");
    w.addRow(2, {Cell::text("401"), Cell::dateTime(20411.25), Cell::text("OP 7"), Cell::null(), Cell::number(0.2)});
    w.addGroupRow(0, "Cont : 5121 (1)");
    w.addGroupRow(1, "Tip : OP (1)");
    w.addRow(2, {Cell::text("5121"), Cell::date(20411), Cell::null(), Cell::number(-7), Cell::number(1e-3)});
}

TEST_F(WorkbookFileTest, GroupedLedgerReadsBackWithTypesLevelsAndLayout)
{
    const auto file = folder.path() / "FisaContAnalitic_17.11.2025.xlsx";
    WorkbookWriter w(file, "FisaContAnalitic_17.11.2025");
    writeGroupedLedger(w);
    w.finish();

    EXPECT_EQ(readBack(file),
              allParts +
                  "sheets: ['FisaContAnalitic_17.11.2025']\n"
                  "freeze: A2\n"
                  "summaryBelow: False\n"
                  "outlineLevelRow: 2\n"
                  "widths: A=9.140625 B=11.42578125 D=14.28515625 E=14.28515625 F=7.140625\n"
                  "rows: 10\n"
                  "sums: D=1227.6599999999999 E=0.201\n"
                  "row 1 [0]: b'Cont' | b'Data' | b'Document' | b'Debit' | b'Credit' | b'Storno'\n"
                  "row 2 [0]: b'Cont : 401 (3)' | None | None | None | None | None\n"
                  "row 3 [1]: b'Tip : FA (2)' | None | None | None | None | None\n"
                  "row 4 [2]: '401' | date(2025-11-17) | 'FA 12' | 1234.56 | None | False\n"
                  "row 5 [2]: '401' | date(2025-11-18) | 'FA 13' | 0.1 | None | True\n"
                  "row 6 [1]: b'Tip : OP (1)' | None | None | None | None | None\n"
                  "row 7 [2]: '401' | datetime(2025-11-19 06:00:00) | 'OP 7' | None | 0.2 | None\n"
                  "row 8 [0]: b'Cont : 5121 (1)' | None | None | None | None | None\n"
                  "row 9 [1]: b'Tip : OP (1)' | None | None | None | None | None\n"
                  "row 10 [2]: '5121' | date(2025-11-19) | None | -7 | 0.001 | None\n");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{file.filename().string()});
}

TEST_F(WorkbookFileTest, EmptyGridGivesHeaderRowAloneUnderAValidSheetName)
{
    const auto file = folder.path() / "out.xlsx";
    WorkbookWriter w(file, "'Fisa [2025]: final/v2?'");
    w.setColumns({{"Cont", 0}, {"Suma", 0}});
    w.finish();

    EXPECT_EQ(readBack(file), allParts +
                                  "sheets: ['Fisa _2025__ final_v2_']\n"
                                  "freeze: A2\n"
                                  "summaryBelow: False\n"
                                  "outlineLevelRow: None\n"
                                  "widths: \n"
                                  "rows: 1\n"
                                  "sums: \n"
                                  "row 1 [0]: b'Cont' | b'Suma'\n");
}

TEST_F(WorkbookFileTest, TextsXmlCannotCarryAndOverlongTextsStillOpen)
{
    const auto file = folder.path() / "texts.xlsx";
    WorkbookWriter w(file, "texts");
    w.setColumns({{"Text", 0}});
    w.addRow(0, {Cell::text("bell\x07 and\r\nbreak")});
    w.addRow(0, {Cell::text(" _x0041_ ")});
    w.addRow(0, {Cell::text("x" + std::string(40000, 'y'))});
    w.addRow(0, {Cell::text("a\xFF" "b")});
    w.finish();

    // openpyxl hands the OOXML escapes back undecoded (except _x005F_), which
    // shows that the file holds them.
    EXPECT_EQ(readBack(file), allParts +
                                  "sheets: ['texts']\n"
                                  "freeze: A2\n"
                                  "summaryBelow: False\n"
                                  "outlineLevelRow: None\n"
                                  "widths: \n"
                                  "rows: 5\n"
                                  "sums: \n"
                                  "row 1 [0]: b'Text'\n"
                                  "row 2 [0]: 'bell_x0007_ and_x000D_\\nbreak'\n"
                                  "row 3 [0]: ' _x0041_ '\n"
                                  "row 4 [0]: 'xyyyyyyyyy'...'yyyyyyyyyy' (32767 characters)\n"
                                  "row 5 [0]: 'a\\ufffdb'\n");
}

TEST_F(WorkbookFileTest, ManyRowsArriveAsNumbersThatSum)
{
    const auto file = folder.path() / "many.xlsx";
    WorkbookWriter w(file, "many");
    w.setColumns({{"Nr", 0}, {"Suma", 0}, {"Data", 0}, {"Tip", 0}});
    constexpr int rows = 30000;
    std::vector<Cell> cells(4);
    for (int i = 0; i < rows; ++i) {
        cells[0] = Cell::number(i);
        cells[1] = Cell::number(i % 100 * 0.25);
        cells[2] = Cell::date(20000 + i % 365);
        cells[3] = Cell::text(i % 3 == 0 ? "FA" : "OP");
        w.addRow(0, cells);
    }
    w.finish();

    const std::string summary = readBack(file, true);
    EXPECT_NE(summary.find("rows: 30001\n"), std::string::npos) << summary;
    // 0 + 1 + ... + 29999, and 300 times 0.25 * (0 + ... + 99); no date sums:
    // dates are read as dates, not numbers.
    EXPECT_NE(summary.find("sums: A=449985000 B=371250.0\n"), std::string::npos) << summary;
}

TEST_F(WorkbookFileTest, RefusedRowLeavesTheWriterUsable)
{
    const auto file = folder.path() / "refused.xlsx";
    WorkbookWriter w(file, "refused");
    w.setColumns({{"A", 0}});
    w.addRow(0, {Cell::number(1)});
    EXPECT_THROW(w.addRow(0, {Cell::number(2), Cell::number(3)}), std::invalid_argument);
    EXPECT_THROW(w.addRow(1, {Cell::number(2)}), std::invalid_argument);
    w.addRow(0, {Cell::number(4)});
    w.finish();
    EXPECT_NE(readBack(file, true).find("rows: 3\nsums: A=5\n"), std::string::npos);
}

TEST_F(WorkbookFileTest, ExistingFileIsReplaced)
{
    const auto file = folder.path() / "again.xlsx";
    writeFile(file, "an older export");
    WorkbookWriter w(file, "again");
    w.setColumns({{"A", 0}});
    w.addRow(0, {Cell::number(42)});
    w.finish();
    EXPECT_NE(readBack(file, true).find("rows: 2\nsums: A=42\n"), std::string::npos);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"again.xlsx"});
}

// Each part of the package against the ECMA-376 schema of its kind.
TEST_F(WorkbookFileTest, PartsValidateAgainstTheEcmaSchemas)
{
    const auto schemas = schemaDir();
    if (!std::filesystem::exists(schemas / "sml.xsd"))
        GTEST_SKIP() << "The ECMA-376 schemas are not at " << schemas << "; the schema checks did not run";
    ASSERT_EQ(run({"xmllint", "--version"}).exitCode, 0) << "xmllint missing: install the Debian package libxml2-utils";

    const auto file = folder.path() / "valid.xlsx";
    {
        WorkbookWriter w(file, "valid");
        writeGroupedLedger(w);
        w.addRow(2, {Cell::text(" padded "), Cell::date(-30000), Cell::text("ctrl\x01"), Cell::number(NAN)});
        w.finish();
    }
    const auto parts = folder.path() / "parts";
    const CommandResult extracted = run({python, script(), "extract", file.string(), parts.string()});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.output;

    const auto support = sourceDir() / "tests/platform/xlsx/xsd-support";
    struct Check {
        std::string part;
        std::filesystem::path schema;
    };
    const std::vector<Check> checks{
        {"[Content_Types].xml", schemas / "opc-xsd/opc-contentTypes.xsd"},
        {"_rels/.rels", schemas / "opc-xsd/opc-relationships.xsd"},
        {"xl/_rels/workbook.xml.rels", schemas / "opc-xsd/opc-relationships.xsd"},
        {"docProps/core.xml", support / "core-properties.xsd"},
        {"docProps/app.xml", schemas / "shared-documentPropertiesExtended.xsd"},
        {"xl/workbook.xml", schemas / "sml.xsd"},
        {"xl/styles.xml", schemas / "sml.xsd"},
        {"xl/sharedStrings.xml", schemas / "sml.xsd"},
        {"xl/worksheets/sheet1.xml", schemas / "sml.xsd"},
    };
    // Every part of the package is checked, none is left out.
    std::vector<std::string> checked, extractedNames;
    for (const Check& check : checks)
        checked.push_back(check.part);
    for (std::size_t start = 0, end; (end = extracted.output.find('\n', start)) != std::string::npos; start = end + 1)
        extractedNames.push_back(extracted.output.substr(start, end - start));
    std::sort(checked.begin(), checked.end());
    std::sort(extractedNames.begin(), extractedNames.end());
    EXPECT_EQ(extractedNames, checked);

    for (const Check& check : checks) {
        auto path = parts / check.part;
        if (check.part == "xl/sharedStrings.xml") {
            // Texts with white space at an end carry xml:space="preserve",
            // which spreadsheet programs need to keep that space and which
            // Excel itself writes, but the schema's text type does not
            // declare the XML namespace's attributes. Everything else of the
            // part is validated.
            std::string xml = readFile(path);
            const std::string preserve = R"( xml:space="preserve")";
            ASSERT_NE(xml.find(preserve), std::string::npos);
            for (auto at = xml.find(preserve); at != std::string::npos; at = xml.find(preserve))
                xml.erase(at, preserve.size());
            path += ".checked";
            writeFile(path, xml);
        }
        const CommandResult result =
            run({"xmllint", "--noout", "--nonet", "--schema", check.schema.string(), path.string()});
        EXPECT_EQ(result.exitCode, 0) << check.part << ":\n" << result.output;
    }
}

} // namespace
