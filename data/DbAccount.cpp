#include "DbAccount.h"

#include "data/BuildConfig.h"
#include "db/Connection.h"

#include <string>

namespace datamod {

namespace {

// Reading through volatile keeps the compiler from combining the two arrays
// at build time, which would put the plain password into the binary.
unsigned char byteAt(const unsigned char* bytes, std::size_t i)
{
    return static_cast<const volatile unsigned char*>(bytes)[i];
}

void wipe(std::string& text)
{
    volatile char* p = text.data();
    for (std::size_t i = 0; i < text.size(); ++i)
        p[i] = 0;
}

} // namespace

const char* directoryHost() { return build::directoryHost; }

void setAccount(db::Connection& connection)
{
    std::string password(build::passwordCipher.size(), '\0');
    for (std::size_t i = 0; i < password.size(); ++i)
        password[i] = static_cast<char>(byteAt(build::passwordCipher.data(), i) ^ byteAt(build::passwordKey.data(), i));
    connection.setUserName("ulv");
    connection.setPassword(password);
    wipe(password);
}

} // namespace datamod
