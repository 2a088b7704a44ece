#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db {

// A SQL text with its ":pName" markers replaced by "$1", "$2", ... in order of
// first appearance; a name used twice gets the same number. String literals,
// quoted identifiers, dollar-quoted bodies, comments and "::" casts are left alone.
struct PreparedSql {
    std::string text;
    std::vector<std::string> names; // names[i] is $(i+1)
};

PreparedSql prepareSql(std::string_view sql);

} // namespace db
