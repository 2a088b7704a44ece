#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace app {

// Stand-ins for the sign-in dialog and the account sheet, so the main window
// can be tested alone: empty windows with the instance's caption, owned by
// the main window. The dialog's modal run ends with Rejected when its close
// box is used.
std::unique_ptr<QDialog> makePlaceholderDialog(const QString& instanceName, QWidget* owner);
std::unique_ptr<QWidget> makePlaceholderWindow(const QString& instanceName, QWidget* owner);

} // namespace app
