// The application name from the executable's path: folder dropped, cut at
// the first ".", every character after the first in lower case, and only the
// first 255 characters of the path considered.
#include "app/errors/ApplicationName.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* what;
    QString path;
    QChar separator;
    QString name;
};

TEST(ApplicationName, FromExecutablePath)
{
    const QChar slash('/'), backslash('\\');
    const QString longFolder = QStringLiteral("/") + QString(250, QLatin1Char('d')) + QStringLiteral("/");
    const Case cases[] = {
        {"shipped name on Linux", "/usr/bin/wMorv", slash, "wmorv"},
        {"shipped name on Windows", "C:\\Program Files\\wMorv\\wMorv.exe", backslash, "wmorv"},
        {"upper case keeps its first letter", "C:\\ULV\\WMORV.EXE", backslash, "Wmorv"},
        {"cut at the first dot", "/opt/a.b.exe", slash, "a"},
        {"version in the name", "C:\\Reports\\Report.2025.exe", backslash, "Report"},
        {"no folder", "wMorv", slash, "wmorv"},
        {"only the platform's separator splits", "/opt/x\\WMorv.exe", slash, "x\\wmorv"},
        {"dots in folders do not count", "/home/ana.pop/bin.d/FISA", slash, "Fisa"},
        {"name starting with a dot", "/opt/.hidden", slash, ""},
        {"letters beyond ASCII", "/opt/ÎNCHIDERE.exe", slash, "Închidere"},
        // 252 characters of folders leave three of the file name.
        {"path longer than 255 characters", longFolder + "WMorvLong.exe", slash, "Wmo"},
        // The last separator within the first 255 characters is inside a
        // folder name, so the name comes from that folder.
        {"separator only beyond 255 characters", QStringLiteral("/") + QString(300, QLatin1Char('E')) + "/wMorv", slash,
         QStringLiteral("E") + QString(253, QLatin1Char('e'))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::applicationNameFromPath(c.path, c.separator).toStdString(), c.name.toStdString()) << c.what;
}

} // namespace
