#include "ApplicationName.h"

#include <QCoreApplication>

namespace app {

namespace {
constexpr qsizetype pathRoom = 255;
}

QString applicationNameFromPath(const QString& executablePath, QChar separator)
{
    const QString path = executablePath.left(pathRoom);
    QString name = path.mid(path.lastIndexOf(separator) + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

const QString& applicationName()
{
    static const QString name = applicationNameFromPath(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    return name;
}

} // namespace app
