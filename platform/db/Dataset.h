#pragma once

#include "FieldKind.h"
#include "Values.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace db {

struct FieldDef {
    std::string column;
    FieldKind kind = FieldKind::WideString;
    int size = 0;
    bool required = false;
    bool readOnly = false;
};

// A declared field: its object name is the dataset's name followed by the column name.
struct Field {
    std::string objectName;
    FieldDef def;
    int index = 0;
};

// Column-wise storage of the rows of a dataset: one typed array per declared
// field, so a million rows cost a few hundred bytes each and no object per cell.
class RowStore {
public:
    void reset(const std::vector<Field>& fields, std::size_t reserveRows = 0);
    int rowCount() const { return rows_; }

    bool isNull(int row, int field) const { return cols_[field].nulls[row] != 0; }
    std::string_view text(int row, int field) const;
    double number(int row, int field) const { return cols_[field].doubles[row]; }
    std::int64_t integer(int row, int field) const { return cols_[field].ints[row]; }
    bool boolean(int row, int field) const { return cols_[field].ints[row] != 0; }
    Date date(int row, int field) const { return Date{static_cast<std::int32_t>(cols_[field].ints[row])}; }
    DateTime dateTime(int row, int field) const { return DateTime{cols_[field].ints[row]}; }
    Value value(int row, int field) const;

    // Appends one row of nulls and returns its index.
    int appendRow();
    void setNull(int row, int field);
    void setText(int row, int field, std::string_view text);
    void setNumber(int row, int field, double v);
    void setInteger(int row, int field, std::int64_t v);
    // Stores a value already converted to the field's kind (see Dataset::convert).
    void setValue(int row, int field, const Value& v);
    std::size_t bytesUsed() const;

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    struct Column {
        FieldKind kind = FieldKind::WideMemo;
        std::vector<std::uint8_t> nulls;
        std::vector<double> doubles;     // Float
        std::vector<std::int64_t> ints;  // Boolean, Integer, LargeInt, Date (days), DateTime (micros)
        std::vector<Span> spans;         // text kinds, into pool
        std::string pool;
    };
    std::vector<Column> cols_;
    int rows_ = 0;
};

// A dataset: declared fields, the fetched rows, a current row and an edit buffer.
// Datasets that talk to a server (Query) implement open and post; MemoryDataset
// holds rows given by the program itself.
class Dataset {
public:
    enum class State { Inactive, Browse, Edit, Insert };
    // Destroyed comes from the dataset's destructor: a listener drops its
    // reference then and must not read the dataset any more.
    enum class Event { Opened, Closed, Refreshed, CurrentChanged, RowChanged, Destroyed };
    using Listener = std::function<void(Event, int row)>;

    explicit Dataset(std::string name);
    virtual ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    const std::string& name() const { return name_; }

    Field& addField(FieldDef def);
    const std::vector<Field>& fields() const { return fields_; }
    int fieldIndex(std::string_view column) const; // -1 when not declared
    // Throws "<dataset>: Field '<column>' not found".
    const Field& fieldByName(std::string_view column) const;

    State state() const { return state_; }
    bool active() const { return state_ != State::Inactive; }
    virtual void open() = 0;
    void close();
    virtual void refresh() = 0;

    int recordCount() const { return store_.rowCount(); }
    const RowStore& rows() const { return store_; }
    // Current row, -1 when the dataset has no rows.
    int recNo() const { return current_; }
    void setRecNo(int row);
    void first() { setRecNo(0); }
    void last() { setRecNo(recordCount() - 1); }
    void next() { setRecNo(current_ + 1); }
    void prior() { setRecNo(current_ - 1); }
    bool isEmpty() const { return recordCount() == 0; }

    // The current row's value (the edit buffer while editing).
    Value value(std::string_view column) const;
    // As text: null reads as an empty text; numbers and dates in their plain forms.
    std::string asString(std::string_view column) const;
    std::int64_t asInteger(std::string_view column) const;
    double asFloat(std::string_view column) const;
    bool isNull(std::string_view column) const;

    // Edit the current row, or begin a new row when there is none.
    void edit();
    void append();
    void setValue(std::string_view column, const Value& value);
    // Writes the edit buffer; throws and stays in edit mode when writing fails.
    void post();
    void cancel();

    int subscribe(Listener listener);
    void unsubscribe(int id);

    static std::string displayText(const Value& value);

protected:
    // Implementations write the edit to their storage (server, memory) and
    // throw on failure. `changed` holds the indexes of the fields that were set.
    virtual void writeRow(State mode, int row, const std::vector<Value>& before, const std::vector<Value>& after,
                          const std::vector<int>& changed) = 0;

    RowStore& store() { return store_; }
    void setActive(bool active);
    void resetStore(std::size_t reserveRows = 0) { store_.reset(fields_, reserveRows); }
    // Takes rows loaded aside, so a load that fails half-way never shows.
    void replaceRows(RowStore rows) { store_ = std::move(rows); }
    void notify(Event event, int row = -1);
    void afterLoad(Event event); // sets the current row after rows were (re)loaded
    Value convert(const Field& field, const Value& value) const;

private:
    std::vector<Value> rowValues(int row) const;

    std::string name_;
    std::vector<Field> fields_;
    RowStore store_;
    State state_ = State::Inactive;
    int current_ = -1;
    std::vector<Value> editBuffer_;
    std::vector<int> changed_;
    std::map<int, Listener> listeners_;
    int nextListenerId_ = 1;
};

// A dataset whose rows the program supplies (tests, benchmarks, in-memory lists).
class MemoryDataset : public Dataset {
public:
    using Dataset::Dataset;
    void open() override;
    void refresh() override;
    // Adds a row while open (values in declared field order, converted to the
    // field kinds). Listeners hear of added rows at the next refresh().
    void appendRow(const std::vector<Value>& values);
    void reserve(std::size_t rows);

protected:
    void writeRow(State mode, int row, const std::vector<Value>& before, const std::vector<Value>& after,
                  const std::vector<int>& changed) override;
};

} // namespace db
