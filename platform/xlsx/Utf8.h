#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace xlsx::utf8 {

// Returned for a byte that does not start a well-formed UTF-8 sequence
// (overlong forms, surrogates, values past U+10FFFF, cut sequences).
inline constexpr char32_t invalid = 0xFFFFFFFF;

inline bool isContinuation(unsigned char b, unsigned char low = 0x80, unsigned char high = 0xBF)
{
    return b >= low && b <= high;
}

// Decodes the code point starting at `pos` and moves `pos` past it; a
// malformed sequence yields `invalid` and moves `pos` by one byte.
inline char32_t next(std::string_view s, std::size_t& pos)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = at(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    char32_t cp = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0) low = 0xA0;
        if (b0 == 0xED) high = 0x9F;  // U+D800..U+DFFF are not characters
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;
    } else {
        ++pos;
        return invalid;
    }
    if (pos + length > s.size() || !isContinuation(at(pos + 1), low, high)) {
        ++pos;
        return invalid;
    }
    for (std::size_t i = 2; i < length; ++i)
        if (!isContinuation(at(pos + i))) {
            ++pos;
            return invalid;
        }
    for (std::size_t i = 1; i < length; ++i)
        cp = (cp << 6) | (at(pos + i) & 0x3F);
    pos += length;
    return cp;
}

// Spreadsheets count text length in UTF-16 code units.
inline int utf16Units(char32_t cp) { return cp >= 0x10000 ? 2 : 1; }

inline void append(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace xlsx::utf8
