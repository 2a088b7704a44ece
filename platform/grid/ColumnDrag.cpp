#include "ColumnDrag.h"

#include <QStringList>

namespace grid {

QMimeData* ColumnDrag::toMime() const
{
    auto* mime = new QMimeData;
    const QString payload = QStringLiteral("%1:%2:%3")
                                .arg(reinterpret_cast<quintptr>(grid))
                                .arg(column)
                                .arg(fromGroupBox ? 1 : 0);
    mime->setData(QString::fromLatin1(mimeType), payload.toLatin1());
    return mime;
}

std::optional<ColumnDrag> ColumnDrag::from(const QMimeData* mime, const void* grid)
{
    if (!mime || !mime->hasFormat(QString::fromLatin1(mimeType)))
        return std::nullopt;
    const QStringList parts = QString::fromLatin1(mime->data(QString::fromLatin1(mimeType))).split(QLatin1Char(':'));
    if (parts.size() != 3 || parts[0].toULongLong() != reinterpret_cast<quintptr>(grid))
        return std::nullopt;
    bool ok = false;
    const int column = parts[1].toInt(&ok);
    if (!ok)
        return std::nullopt;
    return ColumnDrag{grid, column, parts[2] == QLatin1String("1")};
}

} // namespace grid
