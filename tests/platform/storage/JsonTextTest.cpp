#include "storage/JsonParser.h"
#include "storage/JsonWriter.h"
#include "storage/StorageError.h"

#include "QStringPrinting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QByteArray written(const QString& text)
{
    QByteArray out;
    storage::JsonWriter::appendString(out, text);
    return out;
}

QString utf16(std::initializer_list<char16_t> units)
{
    QString s;
    for (char16_t u : units)
        s.append(QChar(u));
    return s;
}

TEST(JsonString, EscapesExactlyAsTheStorageFormatDoes)
{
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QStringLiteral("plain"), "\"plain\""},
        {QStringLiteral("a\"b"), "\"a\\\"b\""},
        {QStringLiteral("C:\\dir\\"), "\"C:\\\\dir\\\\\""},
        {QStringLiteral("a/b"), "\"a\\/b\""},
        {QStringLiteral("\b\t\n\f\r"), "\"\\b\\t\\n\\f\\r\""},
        {utf16({0x01, 0x0B, 0x1B, 0x1F}), "\"\\u0001\\u000B\\u001B\\u001F\""},
        {utf16({0x20, 0x7F}), "\" \x7F\""},
        {QString::fromUtf16(u"ăâîșțĂÂÎȘȚ"),
         "\"\xC4\x83\xC3\xA2\xC3\xAE\xC8\x99\xC8\x9B\xC4\x82\xC3\x82\xC3\x8E\xC8\x98\xC8\x9A\""},
        {utf16({0x20AC, 0xFFFF}), "\"\xE2\x82\xAC\xEF\xBF\xBF\""},
        {utf16({0xD83D, 0xDE00}), "\"\xF0\x9F\x98\x80\""},
        // Surrogate halves without their partner.
        {utf16({u'a', 0xD800, u'b'}), "\"a\xEF\xBF\xBD" "b\""},
        {utf16({0xDC00, 0xD800}), "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {utf16({0xD800, 0xD800, 0xDC00}), "\"\xEF\xBF\xBD\xF0\x90\x80\x80\""},
        // A character with code 0 ends the text.
        {utf16({u'a', u'b', 0, u'c', u'"'}), "\"ab\""},
        {utf16({0}), "\"\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(written(c.text), c.bytes) << c.text.toStdString();
}

QString parsedString(const QByteArray& json)
{
    const storage::JsonValue v = storage::parseJson(json);
    EXPECT_TRUE(v.isString()) << json.toStdString();
    return v.text;
}

TEST(JsonString, ReadsBackWhatTheWriterWrites)
{
    const QString text = QString::fromUtf16(u"Firma \"Ăla\" \\ / ș\u00e9\U0001F600") + utf16({0x08, 0x09, 0x0A, 0x0C, 0x0D, 0x01, 0x1F});
    EXPECT_EQ(parsedString(written(text)), text);
}

TEST(JsonString, DecodesEscapesSurrogatesAndNulLikeTheWriter)
{
    EXPECT_EQ(parsedString("\"\\u00e9\\u00C9\\/\""), QString::fromUtf16(u"éÉ/"));
    EXPECT_EQ(parsedString("\"\\ud83d\\ude00\""), utf16({0xD83D, 0xDE00}));
    EXPECT_EQ(parsedString("\"x\\ud83dy\""), utf16({u'x', 0xFFFD, u'y'}));
    EXPECT_EQ(parsedString("\"\\ude00\\ud83d\""), utf16({0xFFFD, 0xFFFD}));
    EXPECT_EQ(parsedString("\"\\ud83d\\u0041\""), utf16({0xFFFD, u'A'}));
    EXPECT_EQ(parsedString("\"ab\\u0000cd\\\"\""), QStringLiteral("ab"));
}

TEST(JsonParser, KeepsMemberOrderAndOffsets)
{
    const storage::JsonValue v = storage::parseJson(" {\"b\": 1, \"a\" : [true, false, null, -0.5e+3], \"b\": \"2\"}\r\n");
    ASSERT_TRUE(v.isObject());
    EXPECT_EQ(v.offset, 1u);
    ASSERT_EQ(v.names.size(), 3u);
    EXPECT_EQ(v.names[0], QStringLiteral("b"));
    EXPECT_EQ(v.names[1], QStringLiteral("a"));
    EXPECT_EQ(v.member(u"b")->text, QStringLiteral("1")); // the first of repeated names
    const storage::JsonValue& a = *v.member(u"a");
    EXPECT_EQ(a.offset, 16u);
    ASSERT_EQ(a.items.size(), 4u);
    EXPECT_EQ(a.items[0].kind, storage::JsonValue::Kind::True);
    EXPECT_EQ(a.items[2].kind, storage::JsonValue::Kind::Null);
    EXPECT_EQ(a.items[3].text, QStringLiteral("-0.5e+3"));
}

TEST(JsonParser, ReportsWhatIsWrongAndWhere)
{
    struct Case {
        QByteArray json;
        std::string message;
    };
    const Case cases[] = {
        {"", "invalid JSON at byte 0: the file holds no JSON value"},
        {"   ", "invalid JSON at byte 3: the file holds no JSON value"},
        {"{\"a\":1", "invalid JSON at byte 6: expected '}' or ',' in an object, found end of the file"},
        {"{\"a\":1,}", "invalid JSON at byte 7: expected a member name in double quotes, found character '}'"},
        {"{\"a\" 1}", "invalid JSON at byte 5: expected ':' after a member name, found character '1'"},
        {"[1 2]", "invalid JSON at byte 3: expected ']' or ',' in an array, found character '2'"},
        {"{} x", "invalid JSON at byte 3: unexpected character 'x' after the end of the JSON value"},
        {"nul", "invalid JSON at byte 0: unexpected character 'n', a value was expected"},
        {"[01]", "invalid JSON at byte 2: expected ']' or ',' in an array, found character '1'"},
        {"-", "invalid JSON at byte 1: malformed number: a digit was expected, found end of the file"},
        {"1.", "invalid JSON at byte 2: malformed number: a digit was expected after '.', found end of the file"},
        {"\"abc", "invalid JSON at byte 0: the string that starts here has no closing quote"},
        {"\"a\tb\"", "invalid JSON at byte 2: control character byte 0x09 inside a string must be escaped"},
        {"\"\\x\"", "invalid JSON at byte 1: unknown escape \\x"},
        {"\"\\u12G4\"", "invalid JSON at byte 1: \\u must be followed by four hexadecimal digits"},
        {"\"a\xC3\"", "invalid JSON at byte 2: invalid UTF-8 (byte 0xC3 starts a sequence that is cut short)"},
        {"\"\xC0\xAF\"", "invalid JSON at byte 1: invalid UTF-8 (byte 0xC0)"},
        {"\"\xED\xA0\x80\"", "invalid JSON at byte 1: invalid UTF-8 (a sequence that encodes no character)"},
        {"\xFF\xFE{", "invalid JSON at byte 0: unexpected byte 0xFF, a value was expected"},
        {QByteArray(300, '['), "invalid JSON at byte 256: values are nested too deeply"},
    };
    for (const Case& c : cases) {
        try {
            storage::parseJson(c.json);
            ADD_FAILURE() << "accepted: " << c.json.toStdString();
        } catch (const storage::StorageError& e) {
            EXPECT_EQ(e.what(), c.message) << c.json.toStdString();
        }
    }
}

} // namespace
