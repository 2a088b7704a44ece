#pragma once

#include <QByteArray>
#include <QStringView>

namespace storage {

// Writes one JSON text on a single line, without spaces, members in the order
// they are given. Commas are placed by the writer; the caller only opens and
// closes objects and arrays, names members and gives values.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member; a value or an opening must follow.
    void name(QStringView name);
    void string(QStringView text);
    void number(long long value);
    void boolean(bool value);

    const QByteArray& bytes() const { return out_; }

    // Appends `text` as a quoted JSON string with the storage format's escapes:
    // \" \\ \/ \b \t \n \f \r, other characters below 32 as \u with four
    // upper-case hex digits, everything else as UTF-8; a surrogate half without
    // its partner becomes U+FFFD and a character with code 0 ends the text.
    static void appendString(QByteArray& out, QStringView text);

private:
    void beforeValue();

    QByteArray out_;
    bool needComma_ = false;
};

} // namespace storage
