#include "MemTable.h"

#include "StorageError.h"

#include <utility>

namespace storage {

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

MemTable::MemTable(QString name, std::vector<Column> columns) : name_(std::move(name)), columns_(std::move(columns))
{
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const Column& c = columns_[i];
        if (c.name.isEmpty())
            throw StorageError(utf8(name_) + ": column " + std::to_string(i + 1) + " has no name");
        if (c.size < 1)
            throw StorageError(utf8(name_) + ": column '" + utf8(c.name) + "' needs a size of at least 1");
        for (std::size_t j = 0; j < i; ++j)
            if (columns_[j].name.compare(c.name, Qt::CaseInsensitive) == 0)
                throw StorageError(utf8(name_) + ": column '" + utf8(c.name) + "' is declared twice");
    }
}

int MemTable::columnIndex(const QString& name) const
{
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int MemTable::checkedColumn(const QString& name) const
{
    const int index = columnIndex(name);
    if (index < 0)
        throw StorageError(utf8(name_) + ": Field '" + utf8(name) + "' not found");
    return index;
}

void MemTable::setCurrentRow(int row)
{
    post();
    if (row < 0 || row >= rowCount())
        throw StorageError(utf8(name_) + ": row " + std::to_string(row) + " is out of range");
    current_ = row;
}

const MemTable::Row& MemTable::row(int row) const
{
    if (row < 0 || row >= rowCount())
        throw StorageError(utf8(name_) + ": row " + std::to_string(row) + " is out of range");
    return rows_[static_cast<std::size_t>(row)];
}

MemTable::Value MemTable::value(int row, int column) const
{
    const Row& r = this->row(row);
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        throw StorageError(utf8(name_) + ": column " + std::to_string(column) + " is out of range");
    return r[static_cast<std::size_t>(column)];
}

MemTable::Value MemTable::field(const QString& column) const
{
    const int index = checkedColumn(column);
    if (current_ < 0)
        return std::nullopt;
    return rows_[static_cast<std::size_t>(current_)][static_cast<std::size_t>(index)];
}

void MemTable::setField(const QString& column, const Value& value)
{
    const int index = checkedColumn(column);
    const Column& c = columns_[static_cast<std::size_t>(index)];
    if (value && value->size() > c.size)
        throw StorageError(utf8(name_) + ": the text for '" + utf8(c.name) + "' has " + std::to_string(value->size()) +
                           " characters, more than the column's " + std::to_string(c.size));
    if (current_ < 0)
        appendRow();
    rows_[static_cast<std::size_t>(current_)][static_cast<std::size_t>(index)] = value;
    if (newRow_)
        newRowChanged_ = true;
}

void MemTable::appendRow()
{
    post();
    rows_.emplace_back(columns_.size());
    current_ = rowCount() - 1;
    newRow_ = true;
    newRowChanged_ = false;
}

void MemTable::post()
{
    if (!newRow_)
        return;
    if (!newRowChanged_) {
        rows_.erase(rows_.begin() + current_);
        current_ = rows_.empty() ? -1 : std::min(current_, rowCount() - 1);
    }
    newRow_ = false;
    newRowChanged_ = false;
}

bool MemTable::isStored(int row) const
{
    return !(newRow_ && !newRowChanged_ && row == current_);
}

void MemTable::load(std::vector<Row> rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].size() != columns_.size())
            throw StorageError(utf8(name_) + ": row " + std::to_string(i) + " has " + std::to_string(rows[i].size()) +
                               " values for " + std::to_string(columns_.size()) + " columns");
    rows_ = std::move(rows);
    current_ = rows_.empty() ? -1 : 0;
    newRow_ = false;
    newRowChanged_ = false;
}

} // namespace storage
