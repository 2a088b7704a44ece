#include "Dataset.h"

#include "DbError.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace db {

// ---- RowStore ----

void RowStore::reset(const std::vector<Field>& fields, std::size_t reserveRows)
{
    cols_.clear();
    cols_.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        Column& c = cols_[i];
        c.kind = fields[i].def.kind;
        c.nulls.reserve(reserveRows);
        if (c.kind == FieldKind::Float)
            c.doubles.reserve(reserveRows);
        else if (isTextKind(c.kind))
            c.spans.reserve(reserveRows);
        else
            c.ints.reserve(reserveRows);
    }
    rows_ = 0;
}

std::string_view RowStore::text(int row, int field) const
{
    const Column& c = cols_[field];
    const Span s = c.spans[row];
    return std::string_view(c.pool).substr(s.offset, s.length);
}

Value RowStore::value(int row, int field) const
{
    if (isNull(row, field))
        return {};
    switch (cols_[field].kind) {
    case FieldKind::WideString:
    case FieldKind::WideMemo: return std::string(text(row, field));
    case FieldKind::Boolean: return boolean(row, field);
    case FieldKind::Integer:
    case FieldKind::LargeInt: return integer(row, field);
    case FieldKind::Float: return number(row, field);
    case FieldKind::Date: return date(row, field);
    case FieldKind::DateTime: return dateTime(row, field);
    }
    return {};
}

int RowStore::appendRow()
{
    for (Column& c : cols_) {
        c.nulls.push_back(1);
        if (c.kind == FieldKind::Float)
            c.doubles.push_back(0);
        else if (isTextKind(c.kind))
            c.spans.push_back(Span{0, 0});
        else
            c.ints.push_back(0);
    }
    return rows_++;
}

void RowStore::setNull(int row, int field) { cols_[field].nulls[row] = 1; }

void RowStore::setText(int row, int field, std::string_view text)
{
    Column& c = cols_[field];
    if (c.pool.size() + text.size() > UINT32_MAX)
        throw DbError("too much text in one column for the dataset to hold");
    c.spans[row] = Span{static_cast<std::uint32_t>(c.pool.size()), static_cast<std::uint32_t>(text.size())};
    c.pool.append(text);
    c.nulls[row] = 0;
}

void RowStore::setNumber(int row, int field, double v)
{
    cols_[field].doubles[row] = v;
    cols_[field].nulls[row] = 0;
}

void RowStore::setInteger(int row, int field, std::int64_t v)
{
    cols_[field].ints[row] = v;
    cols_[field].nulls[row] = 0;
}

void RowStore::setValue(int row, int field, const Value& v)
{
    if (db::isNull(v)) {
        setNull(row, field);
        return;
    }
    switch (cols_[field].kind) {
    case FieldKind::WideString:
    case FieldKind::WideMemo: setText(row, field, std::get<std::string>(v)); break;
    case FieldKind::Boolean: setInteger(row, field, std::get<bool>(v) ? 1 : 0); break;
    case FieldKind::Integer:
    case FieldKind::LargeInt: setInteger(row, field, std::get<std::int64_t>(v)); break;
    case FieldKind::Float: setNumber(row, field, std::get<double>(v)); break;
    case FieldKind::Date: setInteger(row, field, std::get<Date>(v).days); break;
    case FieldKind::DateTime: setInteger(row, field, std::get<DateTime>(v).micros); break;
    }
}

std::size_t RowStore::bytesUsed() const
{
    std::size_t total = 0;
    for (const Column& c : cols_)
        total += c.nulls.capacity() + c.doubles.capacity() * sizeof(double) + c.ints.capacity() * sizeof(std::int64_t)
            + c.spans.capacity() * sizeof(Span) + c.pool.capacity();
    return total;
}

// ---- Dataset ----

Dataset::Dataset(std::string name) : name_(std::move(name)) {}

Dataset::~Dataset() { notify(Event::Destroyed); }

Field& Dataset::addField(FieldDef def)
{
    if (active())
        throw DbError(name_ + ": Cannot add a field to an open dataset");
    Field f{name_ + def.column, std::move(def), static_cast<int>(fields_.size())};
    fields_.push_back(std::move(f));
    return fields_.back();
}

int Dataset::fieldIndex(std::string_view column) const
{
    for (const Field& f : fields_)
        if (f.def.column == column)
            return f.index;
    return -1;
}

const Field& Dataset::fieldByName(std::string_view column) const
{
    const int i = fieldIndex(column);
    if (i < 0)
        throw DbError(name_ + ": Field '" + std::string(column) + "' not found");
    return fields_[i];
}

void Dataset::close()
{
    if (!active())
        return;
    state_ = State::Inactive;
    resetStore();
    current_ = -1;
    editBuffer_.clear();
    changed_.clear();
    notify(Event::Closed);
}

void Dataset::setActive(bool active)
{
    state_ = active ? State::Browse : State::Inactive;
    editBuffer_.clear();
    changed_.clear();
}

void Dataset::afterLoad(Event event)
{
    current_ = recordCount() > 0 ? 0 : -1;
    notify(event);
}

void Dataset::setRecNo(int row)
{
    if (recordCount() == 0)
        return;
    if (row < 0)
        row = 0;
    if (row >= recordCount())
        row = recordCount() - 1;
    if (row == current_)
        return;
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    current_ = row;
    notify(Event::CurrentChanged, row);
}

Value Dataset::value(std::string_view column) const
{
    const Field& f = fieldByName(column);
    if (state_ == State::Edit || state_ == State::Insert)
        return editBuffer_[f.index];
    if (current_ < 0)
        return {};
    return store_.value(current_, f.index);
}

std::string Dataset::displayText(const Value& v)
{
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(double d) const { return formatDouble(d); }
        std::string operator()(Date d) const { return formatIsoDate(d); }
        std::string operator()(DateTime t) const { return formatIsoDateTime(t); }
        std::string operator()(const std::string& s) const { return s; }
    };
    return std::visit(Visitor{}, v);
}

std::string Dataset::asString(std::string_view column) const { return displayText(value(column)); }

std::int64_t Dataset::asInteger(std::string_view column) const
{
    const Value v = value(column);
    if (auto i = std::get_if<std::int64_t>(&v))
        return *i;
    if (auto d = std::get_if<double>(&v))
        return static_cast<std::int64_t>(std::llround(*d));
    if (auto b = std::get_if<bool>(&v))
        return *b ? 1 : 0;
    if (auto s = std::get_if<std::string>(&v)) {
        try {
            return std::stoll(*s);
        } catch (const std::exception&) {
            throw DbError("'" + *s + "' is not a valid integer value");
        }
    }
    return 0;
}

double Dataset::asFloat(std::string_view column) const
{
    const Value v = value(column);
    if (auto d = std::get_if<double>(&v))
        return *d;
    if (auto i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    if (auto s = std::get_if<std::string>(&v)) {
        if (auto d = parseDouble(*s))
            return *d;
        throw DbError("'" + *s + "' is not a valid floating point value");
    }
    return 0;
}

bool Dataset::isNull(std::string_view column) const { return db::isNull(value(column)); }

std::vector<Value> Dataset::rowValues(int row) const
{
    std::vector<Value> values(fields_.size());
    if (row >= 0)
        for (std::size_t i = 0; i < fields_.size(); ++i)
            values[i] = store_.value(row, static_cast<int>(i));
    return values;
}

void Dataset::edit()
{
    if (!active())
        throw DbError(name_ + ": Cannot perform this operation on a closed dataset");
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (recordCount() == 0) {
        append();
        return;
    }
    editBuffer_ = rowValues(current_);
    changed_.clear();
    state_ = State::Edit;
}

void Dataset::append()
{
    if (!active())
        throw DbError(name_ + ": Cannot perform this operation on a closed dataset");
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    editBuffer_.assign(fields_.size(), Value{});
    changed_.clear();
    state_ = State::Insert;
}

Value Dataset::convert(const Field& f, const Value& v) const
{
    if (db::isNull(v))
        return {};
    auto mismatch = [&]() -> Value {
        throw DbError(name_ + ": Incompatible value for field '" + f.def.column + "'");
    };
    switch (f.def.kind) {
    case FieldKind::WideString:
    case FieldKind::WideMemo:
        return displayText(v);
    case FieldKind::Boolean:
        if (auto b = std::get_if<bool>(&v))
            return *b;
        return mismatch();
    case FieldKind::Integer:
    case FieldKind::LargeInt:
        if (auto i = std::get_if<std::int64_t>(&v))
            return *i;
        return mismatch();
    case FieldKind::Float:
        if (auto d = std::get_if<double>(&v))
            return *d;
        if (auto i = std::get_if<std::int64_t>(&v))
            return static_cast<double>(*i);
        return mismatch();
    case FieldKind::Date:
        if (auto d = std::get_if<Date>(&v))
            return *d;
        if (auto t = std::get_if<DateTime>(&v)) {
            // A date field keeps the day only; time of day is dropped.
            std::int64_t days = t->micros / 86'400'000'000LL;
            if (t->micros < 0 && t->micros % 86'400'000'000LL != 0)
                --days;
            return Date{static_cast<std::int32_t>(days)};
        }
        return mismatch();
    case FieldKind::DateTime:
        if (auto t = std::get_if<DateTime>(&v))
            return *t;
        if (auto d = std::get_if<Date>(&v))
            return DateTime{static_cast<std::int64_t>(d->days) * 86'400'000'000LL};
        return mismatch();
    }
    return mismatch();
}

void Dataset::setValue(std::string_view column, const Value& v)
{
    const Field& f = fieldByName(column);
    if (state_ != State::Edit && state_ != State::Insert)
        throw DbError(name_ + ": Dataset not in edit or insert mode");
    editBuffer_[f.index] = convert(f, v);
    if (std::find(changed_.begin(), changed_.end(), f.index) == changed_.end())
        changed_.push_back(f.index);
}

void Dataset::post()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    for (const Field& f : fields_)
        if (f.def.required && db::isNull(editBuffer_[f.index]))
            throw DbError("Field '" + f.def.column + "' must have a value");
    const State mode = state_;
    const std::vector<Value> before = mode == State::Edit ? rowValues(current_) : std::vector<Value>(fields_.size());
    writeRow(mode, current_, before, editBuffer_, changed_);
    int row = current_;
    if (mode == State::Insert)
        row = store_.appendRow();
    for (std::size_t i = 0; i < fields_.size(); ++i)
        store_.setValue(row, static_cast<int>(i), editBuffer_[i]);
    current_ = row;
    state_ = State::Browse;
    editBuffer_.clear();
    changed_.clear();
    notify(Event::RowChanged, row);
}

void Dataset::cancel()
{
    if (state_ == State::Edit || state_ == State::Insert) {
        state_ = State::Browse;
        editBuffer_.clear();
        changed_.clear();
    }
}

int Dataset::subscribe(Listener listener)
{
    const int id = nextListenerId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void Dataset::unsubscribe(int id) { listeners_.erase(id); }

void Dataset::notify(Event event, int row)
{
    // A listener may unsubscribe while being called; iterate over a copy of the ids.
    std::vector<int> ids;
    ids.reserve(listeners_.size());
    for (const auto& [id, l] : listeners_)
        ids.push_back(id);
    for (int id : ids) {
        auto it = listeners_.find(id);
        if (it != listeners_.end())
            it->second(event, row);
    }
}

// ---- MemoryDataset ----

void MemoryDataset::open()
{
    if (active())
        return;
    resetStore();
    setActive(true);
    afterLoad(Event::Opened);
}

void MemoryDataset::refresh()
{
    if (!active())
        throw DbError(name() + ": Cannot perform this operation on a closed dataset");
    afterLoad(Event::Refreshed);
}

void MemoryDataset::reserve(std::size_t rows)
{
    if (recordCount() == 0)
        resetStore(rows);
}

void MemoryDataset::appendRow(const std::vector<Value>& values)
{
    if (!active())
        open();
    const int row = store().appendRow();
    for (std::size_t i = 0; i < fields().size() && i < values.size(); ++i)
        store().setValue(row, static_cast<int>(i), convert(fields()[i], values[i]));
}

void MemoryDataset::writeRow(State, int, const std::vector<Value>&, const std::vector<Value>&, const std::vector<int>&) {}

} // namespace db
