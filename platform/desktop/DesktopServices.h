#pragma once

#include <QDate>
#include <QString>

namespace desktop {

// What the operating system gives the program: known folders, opening a file
// with its associated application, the user's regional short date format,
// today's date and the path of the running executable. Windows receive an
// instance through their constructors, so tests can hand them a recording fake.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // The user's roaming application-data folder, without a trailing separator;
    // empty when the system cannot give it.
    virtual QString roamingAppDataFolder() const = 0;
    // The application-data folder shared by all users, without a trailing
    // separator; empty when the system cannot give it.
    virtual QString commonAppDataFolder() const = 0;
    // Asks the desktop to open `path` with its default application. Whether
    // that works is not reported: the caller goes on either way.
    virtual void shellOpen(const QString& path) = 0;
    // `date` in the user's short date format as it stands at this call.
    virtual QString shortDateText(const QDate& date) const = 0;
    // The local calendar date.
    virtual QDate today() const = 0;
    // Full path of the running executable.
    virtual QString executablePath() const = 0;
};

} // namespace desktop
