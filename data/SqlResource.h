#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace datamod {

// The SQL text of a component of the data module, kept as the resource
// ":/data/queries/<component>.sql": one line of the file per line of the
// text, every blank kept. Throws when the resource is missing.
std::vector<std::string> sqlLines(std::string_view component);

// The lines of any SQL resource, by its full resource path; the library that
// holds the resource must have registered it.
std::vector<std::string> resourceLines(const QString& path);

} // namespace datamod
