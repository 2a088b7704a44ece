// Every part of the package against its exact expected XML.
#include "xlsx/AppPropertiesXml.h"
#include "xlsx/ContentTypesXml.h"
#include "xlsx/CorePropertiesXml.h"
#include "xlsx/RelationshipsXml.h"
#include "xlsx/SharedStrings.h"
#include "xlsx/SheetXmlWriter.h"
#include "xlsx/StylesXml.h"
#include "xlsx/WorkbookXml.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace xlsx;

namespace {

const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

TEST(PartsTest, ContentTypesNameEveryPartWithItsMediaType)
{
    EXPECT_EQ(contentTypesXml(),
              declaration +
                  R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
                  R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
                  R"(<Default Extension="xml" ContentType="application/xml"/>)"
                  R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
                  R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
                  R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
                  R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)"
                  R"(<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>)"
                  R"(<Override PartName="/docProps/app.xml" ContentType="application/vnd.openxmlformats-officedocument.extended-properties+xml"/>)"
                  R"(</Types>)");
}

TEST(PartsTest, PackageRelationshipsLeadToWorkbookAndProperties)
{
    EXPECT_EQ(packageRelationshipsXml(),
              declaration +
                  R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                  R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
                  R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>)"
                  R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties" Target="docProps/app.xml"/>)"
                  R"(</Relationships>)");
}

TEST(PartsTest, WorkbookRelationshipsLeadToSheetStylesAndStrings)
{
    EXPECT_EQ(workbookRelationshipsXml(),
              declaration +
                  R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                  R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
                  R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
                  R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)"
                  R"(</Relationships>)");
}

TEST(PartsTest, WorkbookNamesItsSheetWithMarkupEscaped)
{
    EXPECT_EQ(workbookXml(R"(A&B <"x">)"),
              declaration +
                  R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
                  R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
                  R"(<bookViews><workbookView/></bookViews>)"
                  R"(<sheets><sheet name="A&amp;B &lt;&quot;x&quot;&gt;" sheetId="1" r:id="rId1"/></sheets></workbook>)");
}

TEST(PartsTest, StylesDeclareNormalBoldDateAndDateTime)
{
    EXPECT_EQ(stylesXml(),
              declaration +
                  R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                  R"(<fonts count="2">)"
                  R"(<font><sz val="11"/><name val="Calibri"/><family val="2"/></font>)"
                  R"(<font><b/><sz val="11"/><name val="Calibri"/><family val="2"/></font>)"
                  R"(</fonts>)"
                  R"(<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>)"
                  R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
                  R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
                  R"(<cellXfs count="4">)"
                  R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
                  R"(<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/>)"
                  R"(<xf numFmtId="14" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
                  R"(<xf numFmtId="22" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
                  R"(</cellXfs>)"
                  R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
                  R"(</styleSheet>)");
}

TEST(PartsTest, CorePropertiesCarryCreationTimeInUtc)
{
    using namespace std::chrono;
    // 2025-11-17 08:05:09 UTC
    const system_clock::time_point created{sys_days{year{2025} / 11 / 17} + hours{8} + minutes{5} + seconds{9}};
    EXPECT_EQ(corePropertiesXml(created),
              declaration +
                  R"(<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" )"
                  R"(xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/" )"
                  R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)"
                  R"(<dcterms:created xsi:type="dcterms:W3CDTF">2025-11-17T08:05:09Z</dcterms:created>)"
                  R"(<dcterms:modified xsi:type="dcterms:W3CDTF">2025-11-17T08:05:09Z</dcterms:modified>)"
                  R"(</cp:coreProperties>)");
}

TEST(PartsTest, AppPropertiesNameTheApplication)
{
    EXPECT_EQ(appPropertiesXml(),
              declaration +
                  R"(<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties">)"
                  R"(<Application>wMorv</Application></Properties>)");
}

// Collects what a writer hands to its sink, in chunks as small as one byte
// so that the test also sees that nothing is lost between chunks.
struct CollectingSink {
    std::string text;
    int chunks = 0;
    XmlSink sink{[this](std::string_view chunk) {
                     text.append(chunk);
                     ++chunks;
                 },
                 1};
};

TEST(PartsTest, SharedStringsKeepEachTextOnceInOrderOfFirstUse)
{
    SharedStrings strings;
    EXPECT_EQ(strings.indexOf("b"), 0u);
    EXPECT_EQ(strings.indexOf(" padded"), 1u);
    EXPECT_EQ(strings.indexOf("b"), 0u);
    EXPECT_EQ(strings.indexOf("x<y & _x0041_"), 2u);
    EXPECT_EQ(strings.indexOf(""), 3u);
    EXPECT_EQ(strings.uniqueCount(), 4u);
    EXPECT_EQ(strings.referenceCount(), 5u);

    CollectingSink out;
    strings.write(out.sink);
    EXPECT_EQ(out.text, declaration +
                            R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="5" uniqueCount="4">)"
                            R"(<si><t>b</t></si>)"
                            R"(<si><t xml:space="preserve"> padded</t></si>)"
                            R"(<si><t>x&lt;y &amp; _x005F_x0041_</t></si>)"
                            R"(<si><t></t></si>)"
                            R"(</sst>)");
}

class SheetXmlWriterTest : public ::testing::Test {
protected:
    static std::string head(const std::string& formatAndColumns)
    {
        return declaration +
               R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
               R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
               R"(<sheetPr><outlinePr summaryBelow="0"/></sheetPr>)"
               R"(<sheetViews><sheetView tabSelected="1" workbookViewId="0">)"
               R"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)"
               R"(<selection pane="bottomLeft" activeCell="A2" sqref="A2"/>)"
               R"(</sheetView></sheetViews>)" +
               formatAndColumns + "<sheetData>";
    }

    SharedStrings strings;
    CollectingSink out;
    SheetXmlWriter sheet{out.sink, strings};
};

TEST_F(SheetXmlWriterTest, HeaderOnlySheetHasBoldCaptionsAndWidths)
{
    sheet.begin({{"Cont", 64}, {"Default width", 0}, {"Suma", 100}}, 0);
    sheet.end();
    EXPECT_EQ(out.text, head(R"(<sheetFormatPr defaultRowHeight="15"/>)"
                             R"(<cols><col min="1" max="1" width="9.140625" customWidth="1"/>)"
                             R"(<col min="3" max="3" width="14.28515625" customWidth="1"/></cols>)") +
                            R"(<row r="1"><c r="A1" s="1" t="s"><v>0</v></c><c r="B1" s="1" t="s"><v>1</v></c>)"
                            R"(<c r="C1" s="1" t="s"><v>2</v></c></row>)"
                            R"(</sheetData></worksheet>)");
    EXPECT_GT(out.chunks, 1);
}

TEST_F(SheetXmlWriterTest, RowsCarryNativeTypesOutlineLevelsAndSharedTexts)
{
    sheet.begin({{"A", 0}, {"B", 0}, {"C", 0}, {"D", 0}, {"E", 0}, {"F", 0}}, 2);
    sheet.addGroupRow(0, "Cont : 401 (2)");
    sheet.addGroupRow(1, "Tip : FA (2)");
    const std::vector<Cell> first{Cell::text("A"),      Cell::number(1234.5), Cell::date(20409),
                                  Cell::dateTime(0.75), Cell::boolean(true),  Cell::null()};
    sheet.addRow(2, first);
    const std::vector<Cell> second{Cell::null(), Cell::number(-0.1), Cell::date(-25509),
                                   Cell::number(std::numeric_limits<double>::quiet_NaN()),
                                   Cell::boolean(false)};
    sheet.addRow(2, second);
    sheet.end();
    EXPECT_EQ(sheet.rowCount(), 5u);
    EXPECT_EQ(out.text,
              head(R"(<sheetFormatPr defaultRowHeight="15" outlineLevelRow="2"/>)") +
                  R"(<row r="1"><c r="A1" s="1" t="s"><v>0</v></c><c r="B1" s="1" t="s"><v>1</v></c>)"
                  R"(<c r="C1" s="1" t="s"><v>2</v></c><c r="D1" s="1" t="s"><v>3</v></c>)"
                  R"(<c r="E1" s="1" t="s"><v>4</v></c><c r="F1" s="1" t="s"><v>5</v></c></row>)"
                  R"(<row r="2"><c r="A2" s="1" t="s"><v>6</v></c></row>)"
                  R"(<row r="3" outlineLevel="1"><c r="A3" s="1" t="s"><v>7</v></c></row>)"
                  R"(<row r="4" outlineLevel="2"><c r="A4" t="s"><v>0</v></c><c r="B4"><v>1234.5</v></c>)"
                  R"(<c r="C4" s="2"><v>45978</v></c><c r="D4" s="3"><v>25569.75</v></c>)"
                  R"(<c r="E4" t="b"><v>1</v></c></row>)"
                  R"(<row r="5" outlineLevel="2"><c r="B5"><v>-0.1</v></c><c r="C5" s="2"><v>59</v></c>)"
                  R"(<c r="E5" t="b"><v>0</v></c></row>)"
                  R"(</sheetData></worksheet>)");
}

TEST_F(SheetXmlWriterTest, RowsOutsideTheDeclaredShapeAreRefusedWithoutWritingAnything)
{
    sheet.begin({{"A", 0}}, 1);
    const std::string before = out.text;
    const std::vector<Cell> two{Cell::number(1), Cell::number(2)};
    const std::vector<Cell> one{Cell::number(1)};
    EXPECT_THROW(sheet.addRow(0, two), std::invalid_argument);
    EXPECT_THROW(sheet.addRow(2, one), std::invalid_argument);
    EXPECT_THROW(sheet.addRow(-1, one), std::invalid_argument);
    EXPECT_THROW(sheet.addGroupRow(3, "x"), std::invalid_argument);
    EXPECT_EQ(sheet.rowCount(), 1u);
    out.sink.flush();
    EXPECT_EQ(out.text, before);
}

TEST_F(SheetXmlWriterTest, LevelsDeeperThanSpreadsheetsFoldAreWrittenAtSeven)
{
    sheet.begin({{"A", 0}}, 9);
    sheet.addGroupRow(9, "deep");
    sheet.end();
    EXPECT_NE(out.text.find(R"(outlineLevelRow="7")"), std::string::npos);
    EXPECT_NE(out.text.find(R"(<row r="2" outlineLevel="7">)"), std::string::npos);
}

TEST(SheetValuesTest, DaysBecomeSerialNumbersOfThe1900DateSystem)
{
    struct Case {
        std::int64_t days;
        bool held;
        std::int64_t serial;
    };
    const Case cases[] = {
        {0, true, 25569},          // 1970-01-01
        {20409, true, 45978},      // 2025-11-17
        {-25508, true, 61},        // 1900-03-01: after the 29 February that never was
        {-25509, true, 59},        // 1900-02-28
        {-25567, true, 1},         // 1900-01-01
        {-25568, false, 0},        // 1899-12-31
        {2932896, true, 2958465},  // 9999-12-31
        {2932897, false, 0},
    };
    for (const Case& c : cases) {
        std::int64_t serial = 0;
        EXPECT_EQ(excelSerialOfDay(c.days, serial), c.held) << c.days;
        if (c.held) {
            EXPECT_EQ(serial, c.serial) << c.days;
        }
    }
}

TEST(SheetValuesTest, DaysOutsideTheWorkbookCalendarAreWrittenAsIsoText)
{
    SharedStrings strings;
    CollectingSink out;
    SheetXmlWriter sheet{out.sink, strings};
    sheet.begin({{"D", 0}, {"T", 0}}, 0);
    const std::vector<Cell> row{Cell::date(-25568), Cell::dateTime(-25568 + 0.5)};
    sheet.addRow(0, row);
    sheet.end();
    EXPECT_NE(out.text.find(R"(<c r="A2" t="s"><v>2</v></c><c r="B2" t="s"><v>3</v></c>)"), std::string::npos);
    CollectingSink stringsOut;
    strings.write(stringsOut.sink);
    EXPECT_NE(stringsOut.text.find("<si><t>1899-12-31</t></si><si><t>1899-12-31 12:00:00</t></si>"),
              std::string::npos);
}

TEST(SheetValuesTest, PixelWidthsBecomeCharacterWidthsWithPadding)
{
    // Excel's own default column: 64 pixels, 8.43 characters, stored as 9.140625.
    EXPECT_EQ(columnWidthOfPixels(64), 9.140625);
    EXPECT_EQ(columnWidthOfPixels(7), 1.0);
    EXPECT_EQ(columnWidthOfPixels(100), 14.28515625);
    EXPECT_EQ(columnWidthOfPixels(100000), 255.0);
}

} // namespace
