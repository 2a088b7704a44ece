#include "desktop/RecordingDesktopServices.h"
#include "desktop/SystemDesktopServices.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(RecordingDesktopServices, AnswersWhatTheTestSetsAndRecordsOpenRequests)
{
    desktop::RecordingDesktopServices fake;
    desktop::DesktopServices& services = fake;
    fake.setRoamingAppDataFolder(QStringLiteral("/tmp/roaming"));
    fake.setCommonAppDataFolder(QString());
    fake.setToday(QDate(2025, 11, 17));
    fake.setShortDateFormat(QStringLiteral("dd.MM.yyyy"));
    fake.setExecutablePath(QStringLiteral("/opt/wMorv/wMorv"));

    EXPECT_EQ(services.roamingAppDataFolder(), QStringLiteral("/tmp/roaming"));
    EXPECT_EQ(services.commonAppDataFolder(), QString());
    EXPECT_EQ(services.shortDateText(services.today()), QStringLiteral("17.11.2025"));
    fake.setShortDateFormat(QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(services.shortDateText(QDate(2025, 3, 4)), QStringLiteral("3/4/2025"));
    EXPECT_EQ(services.executablePath(), QStringLiteral("/opt/wMorv/wMorv"));

    services.shellOpen(QStringLiteral("/tmp/a.xlsx"));
    services.shellOpen(QString());
    services.shellOpen(QStringLiteral("/tmp/a.xlsx"));
    EXPECT_EQ(fake.openRequests(),
              (QStringList{QStringLiteral("/tmp/a.xlsx"), QString(), QStringLiteral("/tmp/a.xlsx")}));
    fake.clearOpenRequests();
    EXPECT_TRUE(fake.openRequests().isEmpty());
}

#ifndef Q_OS_WIN
// Restores an environment variable when the test ends.
class EnvironmentVariable {
public:
    explicit EnvironmentVariable(const char* name) : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {}
    ~EnvironmentVariable()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(SystemDesktopServices, FollowsTheFreedesktopFolders)
{
    EnvironmentVariable configHome("XDG_CONFIG_HOME");
    EnvironmentVariable home("HOME");
    desktop::SystemDesktopServices services;

    qputenv("XDG_CONFIG_HOME", "/tmp/wmorv-config-home");
    EXPECT_EQ(services.roamingAppDataFolder(), QStringLiteral("/tmp/wmorv-config-home"));

    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", "/tmp/wmorv-home");
    EXPECT_EQ(services.roamingAppDataFolder(), QStringLiteral("/tmp/wmorv-home/.config"));

    EXPECT_EQ(services.commonAppDataFolder(), QStringLiteral("/var/tmp"));
}
#endif

} // namespace
