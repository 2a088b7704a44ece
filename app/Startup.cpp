#include "Startup.h"

#include "app/AppInstances.h"
#include "app/TfMenuMorv.h"
#include "app/errors/ApplicationName.h"
#include "app/errors/ErrorDisplay.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

// Resources of a static library are registered only when something refers to
// their initialiser; this does, and it must sit outside any namespace.
static void registerAppResources()
{
    Q_INIT_RESOURCE(app);
}

namespace app {

void configureApplication(QApplication& application)
{
    registerAppResources();
    // The product name, not a window title: the program sets no title but
    // the windows' own captions.
    QCoreApplication::setApplicationName(QStringLiteral("wMorv"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("wmorv"));
    application.setWindowIcon(QIcon(QStringLiteral(":/app/icons/wmorv.png")));
    // The windows are designed in Segoe UI, Tahoma and MS Sans Serif. Where
    // those are missing, a face of the same widths keeps captions inside
    // their buttons and edits; a wider face would cut them.
    for (const char* family : {"Segoe UI", "Tahoma", "MS Sans Serif"})
        QFont::insertSubstitutions(QString::fromLatin1(family),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
    applicationName();
}

int runStartup(const InstanceFactories& factories)
{
    std::unique_ptr<AppInstances> instances;
    try {
        instances = std::make_unique<AppInstances>(factories);
        instances->mainWindow().show();
    } catch (...) {
        instances.reset();
        ErrorDisplay::showStartupError(std::current_exception());
        return 1;
    }
    const int exitCode = QApplication::exec();
    instances.reset();
    return exitCode;
}

} // namespace app
