#include "SystemDesktopServices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#include <shlobj.h>
#endif

namespace desktop {

namespace {

#ifdef Q_OS_WIN
QString shellFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return {};
    return QString::fromWCharArray(buffer);
}
#endif

} // namespace

QString SystemDesktopServices::roamingAppDataFolder() const
{
#ifdef Q_OS_WIN
    return shellFolder(CSIDL_APPDATA);
#else
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
#endif
}

QString SystemDesktopServices::commonAppDataFolder() const
{
#ifdef Q_OS_WIN
    return shellFolder(CSIDL_COMMON_APPDATA);
#else
    return QStringLiteral("/var/tmp");
#endif
}

void SystemDesktopServices::shellOpen(const QString& path)
{
#ifdef Q_OS_WIN
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(path.utf16()), nullptr, nullptr, SW_HIDE);
#else
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

QString SystemDesktopServices::shortDateText(const QDate& date) const
{
    // Asked anew at every call, so a change of the regional settings while the
    // program runs shows in the next text.
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QDate SystemDesktopServices::today() const
{
    return QDate::currentDate();
}

QString SystemDesktopServices::executablePath() const
{
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

} // namespace desktop
