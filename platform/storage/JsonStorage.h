#pragma once

#include "JsonValue.h"
#include "MemTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace storage {

// The JSON storage format of the in-memory table.
//
// What the writer produces for a table named "dsLogin" with the columns
// company and username (text of 200) and one row, on one line:
//
//   EF BB BF {"FDBS":{"Version":16,"Manager":{"TableList":[{"class":"Table",
//   "Name":"dsLogin","ColumnList":[{"class":"Column","Name":"company",
//   "DataType":"WideString","Size":200,"AllowNull":true},{"class":"Column",
//   "Name":"username","DataType":"WideString","Size":200,"AllowNull":true}],
//   "ConstraintList":[],"ViewList":[],"RowList":[{"RowID":0,"Original":
//   {"company":"...","username":"..."}}]}]}}}
//
// Settings are written only where they differ from the format's defaults:
// a column accepts no null unless it says "AllowNull", and ours all do, so
// that one is written; the table's name is left out when empty. A row is
// written as its "Original" version only, with one member per non-null
// value in column order; its state (unchanged) and prior state are defaults.
struct StoredColumn {
    QString name;
    QString dataType; // empty when the file does not say
    int size = 0;     // 0 when the file does not say
};

struct StoredRow {
    // The members of the row's newest version ("Proposed", else "Current",
    // else "Original"), in file order: names in `values.names`, values in `values.items`.
    JsonValue values;
};

struct StoredTable {
    int version = 0;
    QString name;
    std::vector<StoredColumn> columns; // empty when the file has no column list
    std::vector<StoredRow> rows;       // rows marked deleted are left out
};

// The whole file for `table`: byte-order mark and one line of JSON. A new row
// that was begun but never changed is not written.
QByteArray formatJsonStorage(const MemTable& table);

// Reads the first table of a storage file, with or without a byte-order mark,
// versions 15 and 16, ignoring members it does not know. Throws StorageError
// saying what is wrong and at which byte when the bytes are not JSON or not
// this format.
StoredTable parseJsonStorage(QByteArrayView bytes);

// Replaces the content of `table` with the rows of the stored table, column
// by column matched by name (without regard to letter case); a column the
// file lacks reads as null, a column the table lacks is ignored. Strings are
// taken as they are, numbers as written and booleans as "true"/"false".
// Throws StorageError when a matched value is an object or an array; the
// table is then left unchanged.
void loadStoredTable(MemTable& table, const StoredTable& stored);

// parseJsonStorage followed by loadStoredTable.
void loadJsonStorage(MemTable& table, QByteArrayView bytes);

} // namespace storage
