#pragma once

#include <QDir>
#include <QString>

namespace app {

// The application name made from the path of an executable: the path as it
// fits in 255 characters, its part after the last folder separator, cut at
// the first "." and with every character after the first in lower case
// (wMorv.exe gives wmorv). A path too long to fit gives a name made from its
// first 255 characters only.
QString applicationNameFromPath(const QString& executablePath, QChar separator = QDir::separator());

// The name of this running program, derived once from its executable on
// first use (start-up does that first use). It is the caption of every error
// box and the identity that the sign-in presents.
const QString& applicationName();

} // namespace app
