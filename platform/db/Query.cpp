#include "Query.h"

#include "Connection.h"
#include "DbError.h"
#include "PgResult.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace db {

namespace {

bool sameName(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string quoteIdent(std::string_view ident)
{
    std::string out = "\"";
    for (char c : ident) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

// Runs an operation and releases the server connection afterwards in
// disconnected mode, also when the operation fails.
template <typename F>
void withOperation(Connection& con, F&& f)
{
    try {
        f();
    } catch (...) {
        con.operationDone();
        throw;
    }
    con.operationDone();
}

// The text a value is sent as, and the SQL type it is compared as.
std::optional<std::string> paramText(const Value& v)
{
    if (isNull(v))
        return std::nullopt;
    if (auto b = std::get_if<bool>(&v))
        return std::string(*b ? "true" : "false");
    return Dataset::displayText(v);
}

// Parameters go untyped, so the server reads them as the column's own type
// (date, char(n), numeric ...). Only a Float is compared as the double that
// the dataset holds, since a numeric column may carry more digits than that.
std::string matchCondition(const Field& f, std::size_t paramNo)
{
    const std::string n = "$" + std::to_string(paramNo);
    if (f.def.kind == FieldKind::Float)
        return quoteIdent(f.def.column) + "::double precision is not distinct from " + n + "::double precision";
    return quoteIdent(f.def.column) + " is not distinct from " + n;
}

} // namespace

Query::Query(std::string name, Connection* connection) : Dataset(std::move(name)), connection_(connection) {}

void Query::setSql(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            text += '\n';
        text += lines[i];
    }
    setSql(text);
}

void Query::setSql(const std::string& text)
{
    close();
    sql_ = text;
    prepared_ = prepareSql(sql_);
    std::vector<Param> params;
    for (const auto& n : prepared_.names) {
        auto old = std::find_if(params_.begin(), params_.end(), [&](const Param& p) { return sameName(p.name, n); });
        params.push_back(old != params_.end() ? *old : Param{n, std::nullopt});
    }
    params_ = std::move(params);
}

Param& Query::param(const std::string& name)
{
    auto it = std::find_if(params_.begin(), params_.end(), [&](const Param& p) { return sameName(p.name, name); });
    if (it == params_.end())
        throw DbError(this->name() + ": Parameter '" + name + "' not found");
    return *it;
}

void Query::setParam(const std::string& name, const std::string& value) { param(name).value = value; }

void Query::clearParam(const std::string& name) { param(name).value.reset(); }

void Query::open()
{
    if (active())
        return;
    fetch(Event::Opened);
}

void Query::refresh()
{
    if (!active())
        throw DbError(name() + ": Cannot perform this operation on a closed dataset");
    cancel();
    fetch(Event::Refreshed);
}

void Query::fetch(Event event)
{
    if (!connection_)
        throw DbError(name() + ": No connection assigned");
    std::vector<std::optional<std::string>> values;
    values.reserve(params_.size());
    for (const Param& p : params_)
        values.push_back(p.value);

    const auto& fs = fields();
    std::vector<int> columnOf(fs.size(), -1);
    unsigned table = 0;
    RowStore rows;
    rows.reset(fs);
    bool bindingFailed = false;

    // Every declared field is bound to its column when the server has
    // described the result, before the first row is stored; rows are parsed
    // as they arrive, into storage of their own, so that a failed open
    // leaves the dataset closed and a failed refresh its previous rows.
    auto describe = [&](const PgResult& res) {
        bool oneTable = true;
        for (const Field& f : fs) {
            int col = -1;
            for (int c = 0; c < res.columns(); ++c)
                if (res.columnName(c) == f.def.column) {
                    col = c;
                    break;
                }
            if (col < 0) {
                bindingFailed = true;
                throw DbError(name() + ": Field '" + f.def.column + "' not found");
            }
            const ColumnKind ck = columnKind(res.columnType(col), res.columnModifier(col));
            if (!ck.known || !isCompatible(f.def.kind, ck.kind)) {
                bindingFailed = true;
                throw DbError(name() + ": Type mismatch for field '" + f.def.column + "', expecting: "
                              + std::string(kindName(f.def.kind)) + " actual: " + ck.name);
            }
            columnOf[f.index] = col;
            const unsigned t = res.columnTable(col);
            if (f.index == 0)
                table = t;
            else if (t != table)
                oneTable = false;
        }
        if (!oneTable)
            table = 0;
    };
    auto store = [&](const PgResult& res) {
        const int r = rows.appendRow();
        for (const Field& f : fs) {
            const int col = columnOf[f.index];
            if (res.isNull(0, col))
                continue;
            storeText(rows, r, f, res.text(0, col));
        }
    };

    try {
        withOperation(*connection_, [&] { connection_->execStreaming(prepared_.text, values, describe, store); });
    } catch (...) {
        // A result that no longer fits the declared fields closes the dataset.
        if (bindingFailed && active()) {
            setActive(false);
            resetStore();
            notify(Event::Closed);
        }
        throw;
    }
    tableOid_ = table;
    replaceRows(std::move(rows));
    setActive(true);
    afterLoad(event);
}

void Query::storeText(RowStore& rows, int r, const Field& f, std::string_view text) const
{
    const int fi = f.index;
    switch (f.def.kind) {
    case FieldKind::WideString:
    case FieldKind::WideMemo:
        rows.setText(r, fi, text);
        return;
    case FieldKind::Boolean:
        rows.setInteger(r, fi, text == "t" ? 1 : 0);
        return;
    case FieldKind::Integer:
    case FieldKind::LargeInt: {
        std::int64_t v = 0;
        std::from_chars(text.data(), text.data() + text.size(), v);
        rows.setInteger(r, fi, v);
        return;
    }
    case FieldKind::Float:
        if (auto d = parseDouble(text)) {
            rows.setNumber(r, fi, *d);
            return;
        }
        throw DbError(name() + ": '" + std::string(text) + "' is not a valid floating point value for field '" + f.def.column + "'");
    case FieldKind::Date:
        if (auto d = parseIsoDate(text)) {
            rows.setInteger(r, fi, d->days);
            return;
        }
        [[fallthrough]]; // a timestamp column read as a date keeps its day
    case FieldKind::DateTime:
        if (auto t = parseIsoDateTime(text)) {
            rows.setValue(r, fi, convert(f, *t));
            return;
        }
        throw DbError(name() + ": '" + std::string(text) + "' is not a valid date for field '" + f.def.column + "'");
    }
}

std::string Query::qualifiedTableName()
{
    if (tableOid_ == 0)
        throw DbError(name() + ": Cannot modify a read-only dataset");
    PgResult res = connection_->exec(
        "select n.nspname, c.relname from pg_catalog.pg_class c "
        "join pg_catalog.pg_namespace n on n.oid = c.relnamespace where c.oid = $1",
        {std::to_string(tableOid_)});
    if (res.rows() != 1)
        throw DbError(name() + ": the table behind the dataset no longer exists");
    return quoteIdent(res.text(0, 0)) + "." + quoteIdent(res.text(0, 1));
}

void Query::writeRow(State mode, int, const std::vector<Value>& before, const std::vector<Value>& after,
                     const std::vector<int>& changed)
{
    if (readOnly_)
        throw DbError(name() + ": Cannot modify a read-only dataset");
    if (!connection_)
        throw DbError(name() + ": No connection assigned");
    const auto& fs = fields();
    withOperation(*connection_, [&] {
        const std::string table = qualifiedTableName();
        std::vector<std::optional<std::string>> params;
        std::string sql;
        if (mode == State::Insert) {
            if (changed.empty()) {
                sql = "insert into " + table + " default values";
            } else {
                std::string cols, vals;
                for (int i : changed) {
                    params.push_back(paramText(after[i]));
                    cols += (cols.empty() ? "" : ", ") + quoteIdent(fs[i].def.column);
                    vals += (vals.empty() ? "$" : ", $") + std::to_string(params.size());
                }
                sql = "insert into " + table + " (" + cols + ") values (" + vals + ")";
            }
        } else {
            if (changed.empty())
                return;
            std::string sets, where;
            for (int i : changed) {
                params.push_back(paramText(after[i]));
                sets += (sets.empty() ? "" : ", ") + quoteIdent(fs[i].def.column) + " = $" + std::to_string(params.size());
            }
            // The row is found by every value that was read, compared in the
            // form the dataset holds it; ctid limits the write to one row even
            // when several rows hold the same values.
            for (const Field& f : fs) {
                params.push_back(paramText(before[f.index]));
                where += (where.empty() ? "" : " and ") + matchCondition(f, params.size());
            }
            sql = "update " + table + " set " + sets + " where ctid = (select ctid from " + table + " where " + where
                + " limit 1)";
        }
        PgResult res = connection_->exec(sql, params);
        if (res.affectedRows() != 1)
            throw DbError(name() + ": Record not found or changed by another user");
    });
}

} // namespace db
