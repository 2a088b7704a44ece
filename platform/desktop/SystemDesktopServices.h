#pragma once

#include "DesktopServices.h"

namespace desktop {

// The real services. On Linux they follow the freedesktop conventions: the
// XDG config home ($XDG_CONFIG_HOME, else ~/.config) as roaming folder,
// /var/tmp as the folder shared by all users, and the desktop's default
// application for opening a file. On Windows they ask the shell for the
// roaming and common application-data folders and open with the verb "open",
// hidden. Shell open needs a running QGuiApplication; the executable's path
// needs a QCoreApplication.
class SystemDesktopServices : public DesktopServices {
public:
    QString roamingAppDataFolder() const override;
    QString commonAppDataFolder() const override;
    void shellOpen(const QString& path) override;
    QString shortDateText(const QDate& date) const override;
    QDate today() const override;
    QString executablePath() const override;
};

} // namespace desktop
