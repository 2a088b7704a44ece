#include "xlsx/SheetName.h"

#include "xlsx/Utf8.h"

#include <algorithm>
#include <cctype>

namespace xlsx {

namespace {

bool isForbidden(char32_t cp)
{
    switch (cp) {
    case ':':
    case '\\':
    case '/':
    case '?':
    case '*':
    case '[':
    case ']':
    case 0xFFFE:
    case 0xFFFF:
    case utf8::invalid: return true;
    default: return cp < 0x20;
    }
}

void trimApostrophes(std::string& name)
{
    const auto first = name.find_first_not_of('\'');
    if (first == std::string::npos) {
        name.clear();
        return;
    }
    name.erase(name.find_last_not_of('\'') + 1);
    name.erase(0, first);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::string validSheetName(std::string_view proposed)
{
    std::string cleaned;
    for (std::size_t pos = 0; pos < proposed.size();) {
        const std::size_t start = pos;
        const char32_t cp = utf8::next(proposed, pos);
        if (isForbidden(cp))
            cleaned += '_';
        else
            cleaned.append(proposed.substr(start, pos - start));
    }
    trimApostrophes(cleaned);

    std::string name;
    int units = 0;
    for (std::size_t pos = 0; pos < cleaned.size();) {
        const std::size_t start = pos;
        units += utf8::utf16Units(utf8::next(cleaned, pos));
        if (units > maxSheetNameUnits)
            break;
        name.append(cleaned.substr(start, pos - start));
    }
    // Cutting may have left an apostrophe at the end.
    trimApostrophes(name);

    if (name.empty())
        return "Sheet1";
    if (equalsIgnoringCase(name, "History"))
        name += '_';
    return name;
}

} // namespace xlsx
