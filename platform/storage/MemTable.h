#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace storage {

// A small table held in memory: named columns of Unicode text, rows of
// nullable texts and a current row. Edits follow the way bound edit controls
// use a dataset: a change of a field goes straight into the current row, and
// the first change in an empty table begins a new row.
class MemTable {
public:
    struct Column {
        QString name;
        int size = 0; // maximum length in UTF-16 code units, as edit controls count
    };
    using Value = std::optional<QString>; // nullopt is null
    using Row = std::vector<Value>;       // one value per column, in column order

    // Throws StorageError when a column has no name, a repeated name or a size below 1.
    MemTable(QString name, std::vector<Column> columns);

    const QString& name() const { return name_; }
    const std::vector<Column>& columns() const { return columns_; }
    // -1 when there is no such column. Names compare without regard to letter
    // case, as field names do in the datasets this table stands in for.
    int columnIndex(const QString& name) const;

    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // -1 when the table has no row.
    int currentRow() const { return current_; }
    // Posts a pending new row first (see post()); throws for a row out of range.
    void setCurrentRow(int row);
    const Row& row(int row) const;
    Value value(int row, int column) const;

    // The current row's value of a column; nullopt when null or when there is no row.
    // Throws for an unknown column.
    Value field(const QString& column) const;
    // Sets a field of the current row, beginning a new row when the table has none.
    // Throws for an unknown column or a text longer than the column's size.
    void setField(const QString& column, const Value& value);

    // Begins a new row of nulls at the end and makes it current.
    void appendRow();
    // True while the current row was begun by appendRow() or by the first
    // change and has not been posted yet.
    bool isNewRow() const { return newRow_; }
    // Ends the edit of the current row: a new row that was begun but never
    // changed is dropped, any other row is kept as it stands.
    void post();
    // Whether a row would be written by a save: false for a pending new row that was never changed.
    bool isStored(int row) const;

    // Replaces the whole content; the first row (if any) becomes current.
    // Throws when a row does not have one value per column.
    void load(std::vector<Row> rows);

private:
    int checkedColumn(const QString& name) const;

    QString name_;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    int current_ = -1;
    bool newRow_ = false;
    bool newRowChanged_ = false;
};

} // namespace storage
