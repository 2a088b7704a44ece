#include "PlaceholderWindows.h"

namespace app {

std::unique_ptr<QDialog> makePlaceholderDialog(const QString& instanceName, QWidget* owner)
{
    auto dialog = std::make_unique<QDialog>(owner);
    dialog->setWindowTitle(instanceName);
    dialog->resize(320, 200);
    return dialog;
}

std::unique_ptr<QWidget> makePlaceholderWindow(const QString& instanceName, QWidget* owner)
{
    auto window = std::make_unique<QWidget>(owner, Qt::Window);
    window->setWindowTitle(instanceName);
    window->resize(640, 480);
    return window;
}

} // namespace app
