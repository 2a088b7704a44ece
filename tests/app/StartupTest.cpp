// Start-up: the six single instances in their order and released in
// reverse, owned by the main window, nothing opened; the exit codes of a
// normal end and of an error escaping start-up; the application object.
#include "ModalBoxes.h"

#include "app/AppInstances.h"
#include "app/Startup.h"
#include "app/TfMenuMorv.h"
#include "app/errors/ApplicationName.h"
#include "data/TdmCon.h"

#include <QDialog>
#include <QFile>
#include <QIcon>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace {

using Log = QStringList;

// A data module that says when it goes.
class LoggedTdmCon : public TdmCon {
public:
    explicit LoggedTdmCon(Log& log) : log_(log) {}
    ~LoggedTdmCon() override { log_ << "release dmCon"; }

private:
    Log& log_;
};

template <typename W>
std::unique_ptr<W> logged(std::unique_ptr<W> window, const QString& name, Log& log)
{
    log << "create " + name;
    QObject::connect(window.get(), &QObject::destroyed, [&log, name] { log << "release " + name; });
    return window;
}

// The program's own factories, each recording what it made and when that goes.
app::InstanceFactories loggedFactories(Log& log)
{
    const app::InstanceFactories real = app::programFactories();
    app::InstanceFactories f;
    f.fMenuMorv = [=, &log](const app::Instances& all) { return logged(real.fMenuMorv(all), "fMenuMorv", log); };
    f.frmLogin = [=, &log](QWidget* o, const app::Instances& all) { return logged(real.frmLogin(o, all), "frmLogin", log); };
    f.dmCon = [&log](const app::Instances&) -> std::unique_ptr<TdmCon> {
        log << "create dmCon";
        return std::make_unique<LoggedTdmCon>(log);
    };
    f.fFisaContA_Morv = [=, &log](QWidget* o, const app::Instances& all) {
        return logged(real.fFisaContA_Morv(o, all), "fFisaContA_Morv", log);
    };
    f.frmConts_select = [=, &log](QWidget* o, const app::Instances& all) {
        return logged(real.frmConts_select(o, all), "frmConts_select", log);
    };
    f.frmConta_select = [=, &log](QWidget* o, const app::Instances& all) {
        return logged(real.frmConta_select(o, all), "frmConta_select", log);
    };
    return f;
}

const Log creation = {"create fMenuMorv",       "create frmLogin",        "create dmCon",
                      "create fFisaContA_Morv", "create frmConts_select", "create frmConta_select"};
const Log release = {"release frmConta_select", "release frmConts_select", "release fFisaContA_Morv",
                     "release dmCon",           "release frmLogin",        "release fMenuMorv"};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void instancesAreCreatedInOrderAndReleasedInReverse()
    {
        Log log;
        {
            app::AppInstances instances(loggedFactories(log));
            QCOMPARE(log, creation);
            log.clear();
        }
        QCOMPARE(log, release);
    }

    void aFailedCreationReleasesWhatWasMade()
    {
        Log log;
        auto factories = loggedFactories(log);
        factories.fFisaContA_Morv = [](QWidget*, const app::Instances&) -> std::unique_ptr<QWidget> {
            throw std::runtime_error("no sheet");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, app::AppInstances{factories});
        QCOMPARE(log, (Log{"create fMenuMorv", "create frmLogin", "create dmCon", "release dmCon", "release frmLogin",
                           "release fMenuMorv"}));
    }

    void windowsAreOwnedByTheMainWindowAndHidden()
    {
        app::AppInstances instances(app::programFactories());
        const app::Instances& all = instances.instances();
        QWidget* main = all.fMenuMorv;
        QVERIFY(main->isWindow());
        QCOMPARE(main->parentWidget(), nullptr);
        QCOMPARE(main->objectName(), QStringLiteral("fMenuMorv"));
        const std::pair<QWidget*, const char*> owned[] = {
            {all.frmLogin, "frmLogin"},
            {all.fFisaContA_Morv, "fFisaContA_Morv"},
            {all.frmConts_select, "frmConts_select"},
            {all.frmConta_select, "frmConta_select"},
        };
        for (const auto& [window, name] : owned) {
            QVERIFY2(window->isWindow(), name);
            QCOMPARE(window->parentWidget(), main);
            QCOMPARE(window->objectName(), QString::fromLatin1(name));
            QCOMPARE(window->windowTitle(), QString::fromLatin1(name));
            QVERIFY2(!window->isVisible(), name);
        }

        // Shown, an owned window is a secondary window of the main one: no
        // task-bar entry of its own, kept in front of it.
        main->show();
        all.fFisaContA_Morv->show();
        QVERIFY(QTest::qWaitForWindowExposed(all.fFisaContA_Morv));
        QCOMPARE(all.fFisaContA_Morv->windowHandle()->transientParent(), main->windowHandle());
        QCOMPARE(main->windowHandle()->transientParent(), nullptr);
    }

    void startUpOpensNothing()
    {
        app::AppInstances instances(app::programFactories());
        const TdmCon& dm = *instances.instances().dmCon;
        for (const db::Connection* con : {&dm.conUlv, &dm.conUlvMob, &dm.conUlvGen})
            QVERIFY2(!con->connected(), con->name().c_str());
        for (const db::Query* q : {&dm.dsEmitent, &dm.dsAplicatieMob, &dm.dsAplicatieMobEmitent, &dm.dsEu,
                                   &dm.dsDataList, &dm.dsOauth2Emitent})
            QVERIFY2(!q->active(), q->name().c_str());
    }

    void placeholderSignInGivesRejectedWhenClosed()
    {
        app::AppInstances instances(app::programFactories());
        QDialog* login = instances.instances().frmLogin;
        QTimer::singleShot(0, login, [login] { login->close(); });
        QCOMPARE(login->exec(), int(QDialog::Rejected));
    }

    void normalEndExitsWithZeroAndReleasesAll()
    {
        Log log;
        // Closing the main window ends the program even while another
        // window is open.
        QTimer::singleShot(0, [] {
            TfMenuMorv* main = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* m = qobject_cast<TfMenuMorv*>(w))
                    main = m;
            QVERIFY(main && main->isVisible());
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == "fFisaContA_Morv")
                    w->show();
            main->close();
        });
        QCOMPARE(app::runStartup(loggedFactories(log)), 0);
        QCOMPARE(log, creation + release);
    }

    void errorEscapingStartUpExitsWithOne()
    {
        auto factories = app::programFactories();
        factories.frmConts_select = [](QWidget*, const app::Instances&) -> std::unique_ptr<QDialog> {
            throw std::runtime_error("Picker layout missing");
        };
        testapp::BoxCatcher boxes;
        QCOMPARE(app::runStartup(factories), 1);
        QCOMPARE(boxes.seen.size(), std::size_t(1));
        QCOMPARE(boxes.seen[0].caption, QStringLiteral("Application Error"));
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
        const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QCOMPARE(boxes.seen[0].text, "Exception std::runtime_error in module " + executable + ".\nPicker layout missing.");
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<TfMenuMorv*>(w), "the instances made before the error are released");
    }

    void applicationObjectCarriesTheProduct()
    {
        app::configureApplication(*qApp);
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.0.0.0"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("wMorv"));
        QVERIFY(!QApplication::windowIcon().isNull());
        QVERIFY(!QApplication::windowIcon().pixmap(48, 48).isNull());
        // The program's own name still comes from the executable.
        QCOMPARE(app::applicationName(), app::applicationNameFromPath(QCoreApplication::applicationFilePath(), '/'));
    }

    void executableHoldsNoPlainPassword()
    {
        QFile exe(QStringLiteral(WMORV_TEST_EXECUTABLE));
        QVERIFY(exe.open(QIODevice::ReadOnly));
        const QByteArray bytes = exe.readAll();
        QVERIFY(bytes.size() > 0);
        const QByteArray password(WMORV_TEST_DB_PASSWORD);
        QVERIFY(password.size() >= 4);
        QVERIFY(!bytes.contains(password));
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
