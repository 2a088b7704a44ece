// Sheet names that a workbook accepts, made from file names.
#include "xlsx/SheetName.h"

#include <gtest/gtest.h>

#include <string>

using namespace xlsx;

namespace {

TEST(SheetNameTest, ProposedNamesAreMadeValid)
{
    struct Case {
        const char* what;
        std::string proposed;
        std::string valid;
    };
    const std::string smiley = "\xF0\x9F\x98\x80";  // two UTF-16 units
    const Case cases[] = {
        {"the usual export name", "FisaContAnalitic_17.11.2025", "FisaContAnalitic_17.11.2025"},
        {"exactly 31 characters", std::string(31, 'x'), std::string(31, 'x')},
        {"longer than 31", "FisaContAnalitic_17.11.2025_copie_2", "FisaContAnalitic_17.11.2025_cop"},
        {"forbidden characters", "a:b\\c/d?e*f[g]h", "a_b_c_d_e_f_g_h"},
        {"control characters and malformed UTF-8", "a\tb\x01" "c\xFF", "a_b_c_"},
        {"apostrophes at the ends", "'quoted'", "quoted"},
        {"apostrophes inside stay", "it's", "it's"},
        {"an apostrophe left at the end by the cut", std::string(30, 'x') + "'y", std::string(30, 'x')},
        {"only apostrophes", "'''", "Sheet1"},
        {"empty", "", "Sheet1"},
        {"reserved name", "history", "history_"},
        {"non-ASCII counts in UTF-16 units", std::string(29, 'x') + smiley + "z",
         std::string(29, 'x') + smiley},
        {"a pair is not split by the cut", std::string(30, 'x') + smiley, std::string(30, 'x')},
        {"non-ASCII letters stay", "Fi\xC8\x99\xC4\x83", "Fi\xC8\x99\xC4\x83"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(validSheetName(c.proposed), c.valid) << c.what;
}

} // namespace
