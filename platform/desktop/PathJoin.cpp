#include "PathJoin.h"

#include <QDir>

namespace desktop {

namespace {

bool isSeparator(QChar c)
{
    // Windows takes both slashes in a path; elsewhere only "/" separates.
    return c == QLatin1Char('/') || c == QDir::separator();
}

} // namespace

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    if (isSeparator(folder.back()))
        return folder + name;
    return folder + QDir::separator() + name;
}

} // namespace desktop
