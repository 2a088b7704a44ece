#include "xlsx/XmlText.h"

#include "xlsx/Utf8.h"

namespace xlsx {

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "_x" followed by four hex digits is what a reader takes for an escape, so
// the underscore of such a sequence in the text must itself be escaped.
bool startsEscapeLookalike(std::string_view s, std::size_t underscore)
{
    if (underscore + 6 > s.size() || s[underscore + 1] != 'x')
        return false;
    for (std::size_t i = underscore + 2; i < underscore + 6; ++i)
        if (!isHexDigit(s[i]))
            return false;
    return true;
}

void appendEscape(std::string& out, char32_t cp)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += hex[(cp >> shift) & 0xF];
    out += '_';
}

bool isPlain(unsigned char b)
{
    return b >= 0x20 && b < 0x80 && b != '&' && b != '<' && b != '>' && b != '_';
}

} // namespace

void appendCellText(std::string& out, std::string_view s)
{
    // Most texts are short and plain; they need no per-character work.
    bool plain = s.size() <= static_cast<std::size_t>(maxCellTextUnits);
    for (std::size_t i = 0; plain && i < s.size(); ++i)
        plain = isPlain(static_cast<unsigned char>(s[i]));
    if (plain) {
        out.append(s);
        return;
    }

    int units = 0;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t start = pos;
        char32_t cp = utf8::next(s, pos);
        const bool malformed = cp == utf8::invalid;
        if (malformed)
            cp = 0xFFFD;
        units += utf8::utf16Units(cp);
        if (units > maxCellTextUnits)
            break;
        switch (cp) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\t':
        case '\n': out += static_cast<char>(cp); break;
        case '_':
            if (startsEscapeLookalike(s, start))
                appendEscape(out, '_');
            else
                out += '_';
            break;
        case 0xFFFE:
        case 0xFFFF: appendEscape(out, cp); break;
        default:
            if (cp < 0x20)
                appendEscape(out, cp);
            else if (malformed)
                utf8::append(out, cp);
            else
                out.append(s.substr(start, pos - start));
        }
    }
}

bool needsPreservedSpace(std::string_view s)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !s.empty() && (isSpace(s.front()) || isSpace(s.back()));
}

void appendEscapedAttribute(std::string& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
}

} // namespace xlsx
