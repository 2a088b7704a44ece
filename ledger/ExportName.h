#pragma once

#include <QString>

namespace desktop {
class DesktopServices;
}

namespace ledger {

// The name "Export Excel" proposes: the all-users application-data folder,
// "FisaContAnalitic_", today's date in the user's short date format and
// ".xlsx". Characters of the date that a file name cannot hold ("/" in the
// common short formats) become "-", so the name is one file in that folder.
QString proposedExportPath(const desktop::DesktopServices& desktop);

// The chosen path with its file name's extension replaced by ".xlsx": the
// part from the name's last "." on goes; a name without "." gets ".xlsx".
QString withXlsxExtension(const QString& path);

} // namespace ledger
