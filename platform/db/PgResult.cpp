#include "PgResult.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace db {

void PgResult::Deleter::operator()(pg_result* res) const { PQclear(res); }

int PgResult::rows() const { return PQntuples(get()); }
int PgResult::columns() const { return PQnfields(get()); }
std::string_view PgResult::columnName(int col) const { return PQfname(get(), col); }
unsigned PgResult::columnType(int col) const { return PQftype(get(), col); }
int PgResult::columnModifier(int col) const { return PQfmod(get(), col); }
unsigned PgResult::columnTable(int col) const { return PQftable(get(), col); }
bool PgResult::isNull(int row, int col) const { return PQgetisnull(get(), row, col) != 0; }

std::string_view PgResult::text(int row, int col) const
{
    return {PQgetvalue(get(), row, col), static_cast<std::size_t>(PQgetlength(get(), row, col))};
}

long PgResult::affectedRows() const
{
    const char* n = PQcmdTuples(get());
    return n && *n ? std::strtol(n, nullptr, 10) : 0;
}

} // namespace db
