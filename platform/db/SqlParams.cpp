#include "SqlParams.h"

#include <algorithm>
#include <cctype>

namespace db {

namespace {

bool isIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80; }
bool isIdentChar(char c) { return isIdentStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '$'; }

// Copies a quoted run starting at sql[i] (the opening quote) up to and including
// its closing quote; a doubled quote inside stays part of the run.
std::size_t skipQuoted(std::string_view sql, std::size_t i, char quote)
{
    std::size_t j = i + 1;
    while (j < sql.size()) {
        if (sql[j] == quote) {
            if (j + 1 < sql.size() && sql[j + 1] == quote) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return sql.size();
}

// E'...' strings allow backslash escapes of the quote.
std::size_t skipEscapeString(std::string_view sql, std::size_t i)
{
    std::size_t j = i + 1;
    while (j < sql.size()) {
        if (sql[j] == '\\') {
            j += 2;
            continue;
        }
        if (sql[j] == '\'') {
            if (j + 1 < sql.size() && sql[j + 1] == '\'') {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return sql.size();
}

// $tag$ ... $tag$; returns i unchanged when sql[i] does not open a dollar quote.
std::size_t skipDollarQuoted(std::string_view sql, std::size_t i)
{
    std::size_t j = i + 1;
    while (j < sql.size() && sql[j] != '$') {
        if (!isIdentChar(sql[j]) || sql[j] == '$' || (j == i + 1 && std::isdigit(static_cast<unsigned char>(sql[j]))))
            return i;
        ++j;
    }
    if (j >= sql.size())
        return i;
    const std::string_view tag = sql.substr(i, j - i + 1);
    const std::size_t end = sql.find(tag, j + 1);
    return end == std::string_view::npos ? sql.size() : end + tag.size();
}

} // namespace

PreparedSql prepareSql(std::string_view sql)
{
    PreparedSql out;
    out.text.reserve(sql.size());
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        std::size_t next = i;
        if (c == '\'') {
            const bool escape = i > 0 && (sql[i - 1] == 'E' || sql[i - 1] == 'e')
                && (i < 2 || !isIdentChar(sql[i - 2]));
            next = escape ? skipEscapeString(sql, i) : skipQuoted(sql, i, '\'');
        } else if (c == '"') {
            next = skipQuoted(sql, i, '"');
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            next = sql.find('\n', i);
            if (next == std::string_view::npos)
                next = sql.size();
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            // Block comments nest in PostgreSQL.
            int depth = 0;
            next = i;
            do {
                if (sql.compare(next, 2, "/*") == 0) {
                    ++depth;
                    next += 2;
                } else if (sql.compare(next, 2, "*/") == 0) {
                    --depth;
                    next += 2;
                } else {
                    ++next;
                }
            } while (depth > 0 && next < sql.size());
        } else if (c == '$' && (i == 0 || !isIdentChar(sql[i - 1]))) {
            next = skipDollarQuoted(sql, i);
        } else if (c == ':' && i + 1 < sql.size() && sql[i + 1] == ':') {
            next = i + 2;
        } else if (c == ':' && i + 1 < sql.size() && isIdentStart(sql[i + 1])) {
            std::size_t j = i + 1;
            while (j < sql.size() && isIdentChar(sql[j]) && sql[j] != '$')
                ++j;
            const std::string name(sql.substr(i + 1, j - i - 1));
            auto it = std::find_if(out.names.begin(), out.names.end(), [&](const std::string& n) {
                return std::equal(n.begin(), n.end(), name.begin(), name.end(),
                                  [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
            });
            if (it == out.names.end()) {
                out.names.push_back(name);
                it = out.names.end() - 1;
            }
            out.text += '$';
            out.text += std::to_string(it - out.names.begin() + 1);
            i = j;
            continue;
        }
        if (next == i)
            next = i + 1;
        out.text.append(sql.substr(i, next - i));
        i = next;
    }
    return out;
}

} // namespace db
