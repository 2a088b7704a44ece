// wMorv: the analytic account sheet of a company's accounts.
#include "app/AppInstances.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    app::configureApplication(application);
    return app::runStartup(app::programFactories());
}
