#include "login/PasswordDigest.h"

#include <gtest/gtest.h>

namespace {

TEST(PasswordValue, DigestOnlyForExactlyHashSHA2)
{
    struct Case { const char* password; const char* hashType; const char* expected; };
    const Case cases[] = {
        {"secret", "HashSHA2", "2bb80d537b1da3e38bd30361aa855686bde0eacd7162fef6a25fe97bf527a25b"},
        {"", "HashSHA2", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        // UTF-8 bytes of "parolă" (c4 83 for ă)
        {"parol\xc4\x83", "HashSHA2", "6dcf62a2bd7eb90cf724ffdf5279d2be3df6b159f80f7d080c5448131195bc0d"},
        {"secret", "hashsha2", "secret"},
        {"secret", "HashSHA2 ", "secret"},
        {"secret", "", "secret"},
        {"", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(login::passwordValue(QString::fromUtf8(c.password), QString::fromUtf8(c.hashType)).toStdString(),
                  c.expected)
            << c.password << " / " << c.hashType;
}

} // namespace
