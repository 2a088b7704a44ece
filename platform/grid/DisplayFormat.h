#pragma once

#include "CellValue.h"

#include <QLocale>
#include <QString>

namespace grid {

// Turns typed values into the text the grid paints and the value filter lists.
// Numbers keep up to 15 significant digits without thousands separators, so
// they read the same in every column; dates use the locale's short format.
class DisplayFormat {
public:
    explicit DisplayFormat(const QLocale& locale = QLocale::system());

    const QLocale& locale() const { return locale_; }
    QString text(const CellValue& value) const;

private:
    QLocale locale_;
    QString dateFormat_;
    QString dateTimeFormat_;
};

} // namespace grid
