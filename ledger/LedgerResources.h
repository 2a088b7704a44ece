#pragma once

#include <string>
#include <vector>

namespace ledger {

// The lines of the SQL resource ":/ledger/sql/<name>.sql", every blank kept.
std::vector<std::string> sqlResourceLines(const char* name);

} // namespace ledger
