#pragma once

#include <string>
#include <vector>

namespace db {
class Connection;
}

namespace datamod {

// The type of a declared parameter, as the component declares it.
enum class ParamType { Date, Text, UnicodeText, LongUnicodeText };
enum class ParamDirection { Input, Output };

struct ParamDecl {
    std::string name;
    ParamType type;
    ParamDirection direction;
};

// A server command that the data module declares, fully configured, and that
// no operation of this program runs: an SQL command, or the call of a server
// function. It is a description only; nothing here can send it.
struct DeclaredCommand {
    std::string name;
    db::Connection* connection = nullptr;
    std::vector<std::string> sqlLines;
    std::vector<ParamDecl> params;
    std::string storedProcName; // the called server function; empty for an SQL command
    std::string overload;       // which overload of that function, as "name:n"
};

} // namespace datamod
