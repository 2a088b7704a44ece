#include "desktop/PathJoin.h"

#include <gtest/gtest.h>

namespace {

TEST(JoinPath, OneSeparatorUnlessTheFolderIsEmptyOrEndsWithOne)
{
    struct Case {
        const char* folder;
        const char* expected;
    };
    const Case cases[] = {
        {"", "UlvBrenu.json"},
        {"/home/ana/.config", "/home/ana/.config/UlvBrenu.json"},
        {"/home/ana/.config/", "/home/ana/.config/UlvBrenu.json"},
        {"/", "/UlvBrenu.json"},
        {"relative", "relative/UlvBrenu.json"},
        {"/home/ana//", "/home/ana//UlvBrenu.json"},
#ifdef Q_OS_WIN
        {"C:\\Users\\ana\\AppData\\Roaming", "C:\\Users\\ana\\AppData\\Roaming\\UlvBrenu.json"},
        {"C:\\", "C:\\UlvBrenu.json"},
#else
        // A backslash is an ordinary character of a file name here.
        {"/home/ana\\", "/home/ana\\/UlvBrenu.json"},
#endif
    };
    for (const Case& c : cases)
        EXPECT_EQ(desktop::joinPath(QString::fromUtf8(c.folder), QStringLiteral("UlvBrenu.json")).toStdString(),
                  c.expected)
            << "folder: " << c.folder;
}

} // namespace
