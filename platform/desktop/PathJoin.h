#pragma once

#include <QString>

namespace desktop {

// Joins a folder and a file name the way the remembered sign-in file's path is
// built: the name alone when the folder text is empty; folder and name with
// nothing between them when the folder already ends with a separator;
// otherwise one separator of the platform between them.
QString joinPath(const QString& folder, const QString& name);

} // namespace desktop
