#pragma once

namespace db {
class Connection;
}

namespace datamod {

// The host of the directory server, a build option.
const char* directoryHost();

// Gives a connection the program's database account: the user name "ulv" and
// the password that the build compiled in enciphered. The password is
// deciphered here, only to hand it to the connection.
void setAccount(db::Connection& connection);

} // namespace datamod
