#pragma once

#include "Dataset.h"
#include "SqlParams.h"

#include <optional>
#include <string>
#include <vector>

namespace db {

class Connection;

// A named text parameter; it holds no value (SQL null) until set.
struct Param {
    std::string name;
    std::optional<std::string> value;
};

// A dataset filled by one SQL statement on a connection. The SQL text may hold
// ":pName" markers; each reaches the server as a bound parameter, never as text
// pasted into the statement. Opening binds the declared fields to the result
// columns by name and checks their kinds.
class Query : public Dataset {
public:
    Query(std::string name, Connection* connection);

    void setConnection(Connection* connection) { connection_ = connection; }
    Connection* connection() const { return connection_; }

    // Lines are joined with line breaks.
    void setSql(const std::vector<std::string>& lines);
    void setSql(const std::string& text);
    const std::string& sql() const { return sql_; }

    const std::vector<Param>& params() const { return params_; }
    // Throws "<dataset>: Parameter '<name>' not found" for an unknown name.
    void setParam(const std::string& name, const std::string& value);
    void clearParam(const std::string& name);

    void open() override;
    void refresh() override;

    // Whether the rows may be edited and posted back (a query over one table).
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }

protected:
    void writeRow(State mode, int row, const std::vector<Value>& before, const std::vector<Value>& after,
                  const std::vector<int>& changed) override;

private:
    void fetch(Event event);
    // Stores one column's text as the field's kind.
    void storeText(RowStore& rows, int row, const Field& field, std::string_view text) const;
    Param& param(const std::string& name);
    std::string qualifiedTableName();

    Connection* connection_;
    std::string sql_;
    PreparedSql prepared_;
    std::vector<Param> params_;
    bool readOnly_ = false;
    unsigned tableOid_ = 0; // the one table every declared field comes from, 0 when none
};

} // namespace db
