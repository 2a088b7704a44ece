// How texts become the content of a cell's <t> element.
#include "xlsx/XmlText.h"

#include <gtest/gtest.h>

#include <string>

using namespace xlsx;

namespace {

std::string cellText(const std::string& text)
{
    std::string out;
    appendCellText(out, text);
    return out;
}

std::string repeated(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD

TEST(CellTextTest, EscapesWhatXmlCannotCarryTheWayOoxmlProvides)
{
    struct Case {
        const char* what;
        std::string text;
        std::string xml;
    };
    const Case cases[] = {
        {"plain", "Factura 12/2025", "Factura 12/2025"},
        {"markup", "a&b<c>d\"'", "a&amp;b&lt;c&gt;d\"'"},
        {"tab and line feed stay", "a\tb\nc", "a\tb\nc"},
        {"carriage return, which a parser turns into a line feed", "a\r\nb", "a_x000D_\nb"},
        {"control characters", std::string("\x01x\x1F\x00", 4), "_x0001_x_x001F__x0000_"},
        {"non-characters", "\xEF\xBF\xBE\xEF\xBF\xBF", "_xFFFE__xFFFF_"},
        {"literal escape sequence", "_x0041_", "_x005F_x0041_"},
        {"escape look-alike before an escaped character", "_x0041\x01", "_x005F_x0041_x0001_"},
        {"underscores that cannot be read as escapes", "snake_case _x _x12 _xZZZZ_", "snake_case _x _x12 _xZZZZ_"},
        {"valid UTF-8 passes", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"stray byte", "a\xFF" "b", "a" + replacement + "b"},
        {"encoded surrogate", "\xED\xA0\x80", replacement + replacement + replacement},
        {"overlong form", "\xC0\xAF", replacement + replacement},
        {"empty", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellText(c.text), c.xml) << c.what;
}

TEST(CellTextTest, LongTextsAreCutToWhatACellHoldsCountingUtf16Units)
{
    struct Case {
        const char* what;
        std::string text;
        std::string xml;
    };
    const std::string smiley = "\xF0\x9F\x98\x80";  // two UTF-16 units
    const std::string eAcute = "\xC3\xA9";          // one unit, two bytes
    const Case cases[] = {
        {"exactly the limit", std::string(32767, 'a'), std::string(32767, 'a')},
        {"one past the limit", std::string(32768, 'a'), std::string(32767, 'a')},
        {"far past the limit", std::string(100000, 'a'), std::string(32767, 'a')},
        {"a pair that would straddle the limit is dropped whole", std::string(32766, 'a') + smiley,
         std::string(32766, 'a')},
        {"a pair that ends at the limit stays", std::string(32765, 'a') + smiley + "b",
         std::string(32765, 'a') + smiley},
        {"two-byte characters count once", repeated(eAcute, 40000), repeated(eAcute, 32767)},
        {"an escaped character counts as the one it stands for", repeated("\x01", 40000),
         repeated("_x0001_", 32767)},
        {"markup counts as the one character it is", repeated("&", 40000), repeated("&amp;", 32767)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellText(c.text), c.xml) << c.what;
}

TEST(CellTextTest, SpaceAtEitherEndNeedsPreserving)
{
    EXPECT_TRUE(needsPreservedSpace(" a"));
    EXPECT_TRUE(needsPreservedSpace("a "));
    EXPECT_TRUE(needsPreservedSpace("a\n"));
    EXPECT_TRUE(needsPreservedSpace("\ta"));
    EXPECT_FALSE(needsPreservedSpace("a b"));
    EXPECT_FALSE(needsPreservedSpace(""));
}

} // namespace
