#include "ExportName.h"

#include "desktop/DesktopServices.h"

#include <QDir>

namespace ledger {

namespace {

QString fileNameSafe(QString text)
{
    // "/" and NUL cannot stand in a name here; the others cannot on other
    // systems a workbook may travel to.
    for (QChar& c : text)
        if (c < QChar(32) || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    return text;
}

} // namespace

QString proposedExportPath(const desktop::DesktopServices& desktop)
{
    QString folder = desktop.commonAppDataFolder();
    while (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QDir::separator()))
        folder.chop(1);
    return folder + QDir::separator() + QStringLiteral("FisaContAnalitic_")
        + fileNameSafe(desktop.shortDateText(desktop.today())) + QStringLiteral(".xlsx");
}

QString withXlsxExtension(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QDir::separator()));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot > slash)
        return path.left(dot) + QStringLiteral(".xlsx");
    return path + QStringLiteral(".xlsx");
}

} // namespace ledger
