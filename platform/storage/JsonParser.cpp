#include "JsonParser.h"

#include "StorageError.h"

#include <string>

namespace storage {

namespace {

// Deep enough for any real storage file (it nests five levels); the limit
// keeps a hostile file from exhausting the stack.
constexpr int maxDepth = 256;

class Parser {
public:
    Parser(QByteArrayView bytes, std::size_t start) : bytes_(bytes), pos_(start) {}

    JsonValue parseDocument()
    {
        skipSpace();
        if (atEnd())
            fail("the file holds no JSON value");
        JsonValue root = parseValue(0);
        skipSpace();
        if (!atEnd())
            fail("unexpected " + describe(pos_) + " after the end of the JSON value");
        return root;
    }

private:
    [[noreturn]] void fail(const std::string& what) const { failAt(pos_, what); }

    [[noreturn]] static void failAt(std::size_t offset, const std::string& what)
    {
        throw StorageError("invalid JSON at byte " + std::to_string(offset) + ": " + what);
    }

    bool atEnd() const { return pos_ >= static_cast<std::size_t>(bytes_.size()); }
    unsigned char peek() const { return static_cast<unsigned char>(bytes_[static_cast<qsizetype>(pos_)]); }

    std::string describe(std::size_t offset) const
    {
        if (offset >= static_cast<std::size_t>(bytes_.size()))
            return "end of the file";
        const auto c = static_cast<unsigned char>(bytes_[static_cast<qsizetype>(offset)]);
        if (c > 32 && c < 127)
            return std::string("character '") + static_cast<char>(c) + "'";
        static const char hex[] = "0123456789ABCDEF";
        return std::string("byte 0x") + hex[c >> 4] + hex[c & 15];
    }

    void skipSpace()
    {
        while (!atEnd()) {
            const unsigned char c = peek();
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                return;
            ++pos_;
        }
    }

    void expect(char c, const char* context)
    {
        skipSpace();
        if (atEnd() || peek() != static_cast<unsigned char>(c))
            fail(std::string("expected '") + c + "' " + context + ", found " + describe(pos_));
        ++pos_;
    }

    JsonValue parseValue(int depth)
    {
        skipSpace();
        if (atEnd())
            fail("unexpected end of the file, a value was expected");
        JsonValue v;
        v.offset = pos_;
        switch (peek()) {
        case '{': parseObject(v, depth); break;
        case '[': parseArray(v, depth); break;
        case '"':
            v.kind = JsonValue::Kind::String;
            v.text = parseString();
            break;
        case 't': parseWord("true", v, JsonValue::Kind::True); break;
        case 'f': parseWord("false", v, JsonValue::Kind::False); break;
        case 'n': parseWord("null", v, JsonValue::Kind::Null); break;
        default:
            if (peek() == '-' || (peek() >= '0' && peek() <= '9'))
                parseNumber(v);
            else
                fail("unexpected " + describe(pos_) + ", a value was expected");
        }
        return v;
    }

    void parseWord(const char* word, JsonValue& v, JsonValue::Kind kind)
    {
        const std::size_t start = pos_;
        for (const char* p = word; *p; ++p, ++pos_)
            if (atEnd() || peek() != static_cast<unsigned char>(*p))
                failAt(start, "unexpected " + describe(start) + ", a value was expected");
        v.kind = kind;
    }

    void parseNumber(JsonValue& v)
    {
        const std::size_t start = pos_;
        auto digits = [this] {
            const std::size_t first = pos_;
            while (!atEnd() && peek() >= '0' && peek() <= '9')
                ++pos_;
            return pos_ - first;
        };
        if (peek() == '-')
            ++pos_;
        if (!atEnd() && peek() == '0')
            ++pos_;
        else if (digits() == 0)
            fail("malformed number: a digit was expected, found " + describe(pos_));
        if (!atEnd() && peek() == '.') {
            ++pos_;
            if (digits() == 0)
                fail("malformed number: a digit was expected after '.', found " + describe(pos_));
        }
        if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
            ++pos_;
            if (!atEnd() && (peek() == '+' || peek() == '-'))
                ++pos_;
            if (digits() == 0)
                fail("malformed number: a digit was expected in the exponent, found " + describe(pos_));
        }
        v.kind = JsonValue::Kind::Number;
        v.text = QString::fromLatin1(bytes_.data() + start, static_cast<qsizetype>(pos_ - start));
    }

    void parseArray(JsonValue& v, int depth)
    {
        if (depth >= maxDepth)
            fail("values are nested too deeply");
        v.kind = JsonValue::Kind::Array;
        ++pos_;
        skipSpace();
        if (!atEnd() && peek() == ']') {
            ++pos_;
            return;
        }
        for (;;) {
            v.items.push_back(parseValue(depth + 1));
            skipSpace();
            if (!atEnd() && peek() == ',') {
                ++pos_;
                continue;
            }
            expect(']', "or ',' in an array");
            return;
        }
    }

    void parseObject(JsonValue& v, int depth)
    {
        if (depth >= maxDepth)
            fail("values are nested too deeply");
        v.kind = JsonValue::Kind::Object;
        ++pos_;
        skipSpace();
        if (!atEnd() && peek() == '}') {
            ++pos_;
            return;
        }
        for (;;) {
            skipSpace();
            if (atEnd() || peek() != '"')
                fail("expected a member name in double quotes, found " + describe(pos_));
            v.names.push_back(parseString());
            expect(':', "after a member name");
            v.items.push_back(parseValue(depth + 1));
            skipSpace();
            if (!atEnd() && peek() == ',') {
                ++pos_;
                continue;
            }
            expect('}', "or ',' in an object");
            return;
        }
    }

    int hexDigit(std::size_t at) const
    {
        if (at >= static_cast<std::size_t>(bytes_.size()))
            return -1;
        const auto c = static_cast<unsigned char>(bytes_[static_cast<qsizetype>(at)]);
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // The four hex digits of a \u escape; pos_ is on the 'u'.
    char16_t parseHex4()
    {
        unsigned value = 0;
        for (int i = 1; i <= 4; ++i) {
            const int d = hexDigit(pos_ + static_cast<std::size_t>(i));
            if (d < 0)
                failAt(pos_ - 1, "\\u must be followed by four hexadecimal digits");
            value = value * 16 + static_cast<unsigned>(d);
        }
        pos_ += 5;
        return static_cast<char16_t>(value);
    }

    // One UTF-8 encoded character at pos_; returns its code point.
    char32_t decodeUtf8()
    {
        const std::size_t start = pos_;
        const unsigned char lead = peek();
        int extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, cp = lead & 0x1F, min = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, cp = lead & 0x0F, min = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, cp = lead & 0x07, min = 0x10000;
        } else {
            failAt(start, "invalid UTF-8 (" + describe(start) + ")");
        }
        ++pos_;
        for (int i = 0; i < extra; ++i, ++pos_) {
            if (atEnd() || (peek() & 0xC0) != 0x80)
                failAt(start, "invalid UTF-8 (" + describe(start) + " starts a sequence that is cut short)");
            cp = (cp << 6) | (peek() & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            failAt(start, "invalid UTF-8 (a sequence that encodes no character)");
        return cp;
    }

    QString parseString()
    {
        const std::size_t start = pos_;
        ++pos_; // opening quote
        QString out;
        bool ended = false; // a character with code 0 was met
        char16_t pendingHigh = 0;
        auto put = [&](char16_t unit) {
            if (!ended)
                out.append(QChar(unit));
        };
        auto flushHigh = [&] {
            if (pendingHigh) {
                put(u'\uFFFD');
                pendingHigh = 0;
            }
        };
        for (;;) {
            if (atEnd())
                failAt(start, "the string that starts here has no closing quote");
            const unsigned char c = peek();
            if (c == '"') {
                ++pos_;
                flushHigh();
                return out;
            }
            if (c < 0x20)
                fail("control character " + describe(pos_) + " inside a string must be escaped");
            if (c == '\\') {
                ++pos_;
                if (atEnd())
                    failAt(start, "the string that starts here has no closing quote");
                const unsigned char e = peek();
                if (e == 'u') {
                    const char16_t unit = parseHex4();
                    if (QChar::isHighSurrogate(unit)) {
                        flushHigh();
                        pendingHigh = unit;
                    } else if (QChar::isLowSurrogate(unit)) {
                        if (pendingHigh) {
                            put(pendingHigh);
                            put(unit);
                            pendingHigh = 0;
                        } else {
                            put(u'\uFFFD');
                        }
                    } else {
                        flushHigh();
                        if (unit == 0)
                            ended = true;
                        put(unit);
                    }
                    continue;
                }
                flushHigh();
                switch (e) {
                case '"': put(u'"'); break;
                case '\\': put(u'\\'); break;
                case '/': put(u'/'); break;
                case 'b': put(u'\b'); break;
                case 'f': put(u'\f'); break;
                case 'n': put(u'\n'); break;
                case 'r': put(u'\r'); break;
                case 't': put(u'\t'); break;
                default: failAt(pos_ - 1, "unknown escape \\" + describeEscape(e));
                }
                ++pos_;
                continue;
            }
            flushHigh();
            if (c < 0x80) {
                put(c);
                ++pos_;
                continue;
            }
            const char32_t cp = decodeUtf8();
            if (cp >= 0x10000) {
                put(QChar::highSurrogate(cp));
                put(QChar::lowSurrogate(cp));
            } else {
                put(static_cast<char16_t>(cp));
            }
        }
    }

    static std::string describeEscape(unsigned char e)
    {
        if (e > 32 && e < 127)
            return std::string(1, static_cast<char>(e));
        static const char hex[] = "0123456789ABCDEF";
        return std::string("(byte 0x") + hex[e >> 4] + hex[e & 15] + ")";
    }

    QByteArrayView bytes_;
    std::size_t pos_;
};

} // namespace

JsonValue parseJson(QByteArrayView bytes, std::size_t start)
{
    return Parser(bytes, start).parseDocument();
}

} // namespace storage
