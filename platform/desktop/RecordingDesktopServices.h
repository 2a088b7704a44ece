#pragma once

#include "DesktopServices.h"

#include <QStringList>

namespace desktop {

// Desktop services for tests: every answer is set by the test, and shell-open
// requests are recorded instead of launching anything.
class RecordingDesktopServices : public DesktopServices {
public:
    QString roamingAppDataFolder() const override { return roaming_; }
    QString commonAppDataFolder() const override { return common_; }
    void shellOpen(const QString& path) override { opened_.append(path); }
    // `date` written with the format set by setShortDateFormat (QDate::toString
    // patterns such as "dd.MM.yyyy").
    QString shortDateText(const QDate& date) const override { return date.toString(shortDateFormat_); }
    QDate today() const override { return today_; }
    QString executablePath() const override { return executable_; }

    void setRoamingAppDataFolder(const QString& folder) { roaming_ = folder; }
    void setCommonAppDataFolder(const QString& folder) { common_ = folder; }
    void setShortDateFormat(const QString& format) { shortDateFormat_ = format; }
    void setToday(const QDate& date) { today_ = date; }
    void setExecutablePath(const QString& path) { executable_ = path; }

    // The paths given to shellOpen, oldest first.
    const QStringList& openRequests() const { return opened_; }
    void clearOpenRequests() { opened_.clear(); }

private:
    QString roaming_;
    QString common_ = QStringLiteral("/var/tmp");
    QString shortDateFormat_ = QStringLiteral("dd.MM.yyyy");
    QDate today_ = QDate(2025, 11, 17);
    QString executable_ = QStringLiteral("/usr/bin/wMorv");
    QStringList opened_;
};

} // namespace desktop
