#include "JsonStorage.h"

#include "JsonParser.h"
#include "JsonWriter.h"
#include "StorageError.h"

#include <string>

namespace storage {

namespace {

constexpr int writtenVersion = 16;
const char byteOrderMark[] = "\xEF\xBB\xBF";

[[noreturn]] void notStorage(std::size_t offset, const std::string& what)
{
    throw StorageError("not a valid table storage file, at byte " + std::to_string(offset) + ": " + what);
}

std::string quoted(QStringView name)
{
    return "\"" + name.toString().toStdString() + "\"";
}

// The member `name` of `owner`, which must be of `kind`; nullptr when absent.
const JsonValue* optionalMember(const JsonValue& owner, const char16_t* name, JsonValue::Kind kind,
                                const char* ownerName)
{
    const JsonValue* v = owner.member(name);
    if (v && v->kind != kind)
        notStorage(v->offset, quoted(name) + " of " + ownerName + " is " + kindName(v->kind) + ", " +
                                  kindName(kind) + " expected");
    return v;
}

const JsonValue& requiredMember(const JsonValue& owner, const char16_t* name, JsonValue::Kind kind,
                                const char* ownerName)
{
    const JsonValue* v = optionalMember(owner, name, kind, ownerName);
    if (!v)
        notStorage(owner.offset, std::string(ownerName) + " has no member " + quoted(name));
    return *v;
}

int readVersion(const JsonValue& fdbs)
{
    const JsonValue& v = requiredMember(fdbs, u"Version", JsonValue::Kind::Number, "\"FDBS\"");
    bool ok = false;
    const int version = v.text.toInt(&ok);
    if (!ok || (version != 15 && version != 16))
        notStorage(v.offset, "storage version " + v.text.toStdString() + " is not supported (15 and 16 are)");
    return version;
}

void readColumns(const JsonValue& table, StoredTable& out)
{
    const JsonValue* list = optionalMember(table, u"ColumnList", JsonValue::Kind::Array, "the table");
    if (!list)
        return;
    for (const JsonValue& item : list->items) {
        if (!item.isObject())
            notStorage(item.offset, std::string("an entry of \"ColumnList\" is ") + kindName(item.kind) +
                                        ", object expected");
        StoredColumn column;
        column.name = requiredMember(item, u"Name", JsonValue::Kind::String, "a column").text;
        if (const JsonValue* type = optionalMember(item, u"DataType", JsonValue::Kind::String, "a column"))
            column.dataType = type->text;
        if (const JsonValue* size = optionalMember(item, u"Size", JsonValue::Kind::Number, "a column"))
            column.size = size->text.toInt();
        out.columns.push_back(std::move(column));
    }
}

void readRows(const JsonValue& table, StoredTable& out)
{
    const JsonValue* list = optionalMember(table, u"RowList", JsonValue::Kind::Array, "the table");
    if (!list)
        return;
    for (std::size_t i = 0; i < list->items.size(); ++i) {
        const JsonValue& row = list->items[i];
        const std::string which = "row " + std::to_string(i + 1) + " of \"RowList\"";
        if (!row.isObject())
            notStorage(row.offset, which + " is " + kindName(row.kind) + ", object expected");
        // A deleted row stays in the file until its deletion is applied, but
        // the table no longer shows it.
        if (const JsonValue* state = optionalMember(row, u"RowState", JsonValue::Kind::String, which.c_str());
            state && state->text == u"Deleted")
            continue;
        const JsonValue* newest = nullptr;
        for (const char16_t* version : {u"Proposed", u"Current", u"Original"}) {
            newest = optionalMember(row, version, JsonValue::Kind::Object, which.c_str());
            if (newest)
                break;
        }
        if (!newest)
            notStorage(row.offset, which + " has none of \"Original\", \"Current\" and \"Proposed\"");
        out.rows.push_back(StoredRow{*newest});
    }
}

// The value of `column` in a row version: the member of that exact name, else
// the first whose name differs only in letter case.
const JsonValue* findValue(const JsonValue& values, const QString& column)
{
    if (const JsonValue* exact = values.member(column))
        return exact;
    for (std::size_t i = 0; i < values.names.size(); ++i)
        if (values.names[i].compare(column, Qt::CaseInsensitive) == 0)
            return &values.items[i];
    return nullptr;
}

} // namespace

QByteArray formatJsonStorage(const MemTable& table)
{
    JsonWriter w;
    w.beginObject();
    w.name(u"FDBS");
    w.beginObject();
    w.name(u"Version");
    w.number(writtenVersion);
    w.name(u"Manager");
    w.beginObject();
    w.name(u"TableList");
    w.beginArray();
    w.beginObject();
    w.name(u"class");
    w.string(u"Table");
    if (!table.name().isEmpty()) {
        w.name(u"Name");
        w.string(table.name());
    }
    w.name(u"ColumnList");
    w.beginArray();
    for (const MemTable::Column& column : table.columns()) {
        w.beginObject();
        w.name(u"class");
        w.string(u"Column");
        w.name(u"Name");
        w.string(column.name);
        w.name(u"DataType");
        w.string(u"WideString");
        w.name(u"Size");
        w.number(column.size);
        w.name(u"AllowNull");
        w.boolean(true);
        w.endObject();
    }
    w.endArray();
    w.name(u"ConstraintList");
    w.beginArray();
    w.endArray();
    w.name(u"ViewList");
    w.beginArray();
    w.endArray();
    w.name(u"RowList");
    w.beginArray();
    int rowId = 0;
    for (int r = 0; r < table.rowCount(); ++r) {
        if (!table.isStored(r))
            continue;
        w.beginObject();
        w.name(u"RowID");
        w.number(rowId++);
        w.name(u"Original");
        w.beginObject();
        const MemTable::Row& row = table.row(r);
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (!row[c])
                continue;
            w.name(table.columns()[c].name);
            w.string(*row[c]);
        }
        w.endObject();
        w.endObject();
    }
    w.endArray();
    w.endObject(); // table
    w.endArray();  // TableList
    w.endObject(); // Manager
    w.endObject(); // FDBS
    w.endObject();
    return QByteArray(byteOrderMark) + w.bytes();
}

StoredTable parseJsonStorage(QByteArrayView bytes)
{
    const std::size_t start = bytes.startsWith(QByteArrayView(byteOrderMark)) ? 3 : 0;
    const JsonValue root = parseJson(bytes, start);
    if (!root.isObject())
        notStorage(root.offset, std::string("the file holds a JSON ") + kindName(root.kind) +
                                    ", an object with the member \"FDBS\" expected");
    const JsonValue& fdbs = requiredMember(root, u"FDBS", JsonValue::Kind::Object, "the top-level object");

    StoredTable out;
    out.version = readVersion(fdbs);
    const JsonValue& manager = requiredMember(fdbs, u"Manager", JsonValue::Kind::Object, "\"FDBS\"");
    const JsonValue& tables = requiredMember(manager, u"TableList", JsonValue::Kind::Array, "\"Manager\"");
    if (tables.items.empty())
        notStorage(tables.offset, "\"TableList\" holds no table");
    const JsonValue& table = tables.items.front();
    if (!table.isObject())
        notStorage(table.offset, std::string("the first entry of \"TableList\" is ") + kindName(table.kind) +
                                     ", object expected");
    if (const JsonValue* name = optionalMember(table, u"Name", JsonValue::Kind::String, "the table"))
        out.name = name->text;
    readColumns(table, out);
    readRows(table, out);
    return out;
}

void loadStoredTable(MemTable& table, const StoredTable& stored)
{
    const auto& columns = table.columns();
    std::vector<MemTable::Row> rows;
    rows.reserve(stored.rows.size());
    for (std::size_t r = 0; r < stored.rows.size(); ++r) {
        MemTable::Row row(columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const JsonValue* v = findValue(stored.rows[r].values, columns[c].name);
            if (!v)
                continue;
            switch (v->kind) {
            case JsonValue::Kind::Null: break;
            case JsonValue::Kind::String:
            case JsonValue::Kind::Number: row[c] = v->text; break;
            case JsonValue::Kind::True: row[c] = QStringLiteral("true"); break;
            case JsonValue::Kind::False: row[c] = QStringLiteral("false"); break;
            case JsonValue::Kind::Array:
            case JsonValue::Kind::Object:
                notStorage(v->offset, "row " + std::to_string(r + 1) + ": the value of " + quoted(columns[c].name) +
                                          " is " + kindName(v->kind) + ", text expected");
            }
        }
        rows.push_back(std::move(row));
    }
    table.load(std::move(rows));
}

void loadJsonStorage(MemTable& table, QByteArrayView bytes)
{
    loadStoredTable(table, parseJsonStorage(bytes));
}

} // namespace storage
