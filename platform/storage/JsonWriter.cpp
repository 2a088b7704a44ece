#include "JsonWriter.h"

#include <QChar>

namespace storage {

namespace {

void appendUtf8(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.append(static_cast<char>(0xC0 | (cp >> 6)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(static_cast<char>(0xE0 | (cp >> 12)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (cp >> 18)));
        out.append(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

void JsonWriter::appendString(QByteArray& out, QStringView text)
{
    static const char hex[] = "0123456789ABCDEF";
    out.append('"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit == 0)
            break;
        switch (unit) {
        case u'"': out.append("\\\""); continue;
        case u'\\': out.append("\\\\"); continue;
        case u'/': out.append("\\/"); continue;
        case u'\b': out.append("\\b"); continue;
        case u'\t': out.append("\\t"); continue;
        case u'\n': out.append("\\n"); continue;
        case u'\f': out.append("\\f"); continue;
        case u'\r': out.append("\\r"); continue;
        default: break;
        }
        if (unit < 0x20) {
            out.append("\\u00");
            out.append(hex[unit >> 4]);
            out.append(hex[unit & 15]);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            appendUtf8(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, unit);
        }
    }
    out.append('"');
}

void JsonWriter::beforeValue()
{
    if (needComma_)
        out_.append(',');
    needComma_ = false;
}

void JsonWriter::beginObject()
{
    beforeValue();
    out_.append('{');
}

void JsonWriter::endObject()
{
    out_.append('}');
    needComma_ = true;
}

void JsonWriter::beginArray()
{
    beforeValue();
    out_.append('[');
}

void JsonWriter::endArray()
{
    out_.append(']');
    needComma_ = true;
}

void JsonWriter::name(QStringView name)
{
    beforeValue();
    appendString(out_, name);
    out_.append(':');
}

void JsonWriter::string(QStringView text)
{
    beforeValue();
    appendString(out_, text);
    needComma_ = true;
}

void JsonWriter::number(long long value)
{
    beforeValue();
    out_.append(QByteArray::number(value));
    needComma_ = true;
}

void JsonWriter::boolean(bool value)
{
    beforeValue();
    out_.append(value ? "true" : "false");
    needComma_ = true;
}

} // namespace storage
