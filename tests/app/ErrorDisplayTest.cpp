// The error display: what text an error gives, the box that shows it, and
// guarded(), through which a throwing handler reaches it while the program
// goes on.
#include "ModalBoxes.h"

#include "app/errors/ApplicationName.h"
#include "app/errors/ErrorDisplay.h"
#include "app/errors/Guarded.h"
#include "app/errors/SilentAbort.h"
#include "db/DbError.h"

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

namespace {

std::exception_ptr wrapped(const std::string& outer, const std::string& inner)
{
    try {
        try {
            throw std::runtime_error(inner);
        } catch (...) {
            std::throw_with_nested(std::runtime_error(outer));
        }
    } catch (...) {
        return std::current_exception();
    }
}

std::exception_ptr twiceWrapped()
{
    try {
        try {
            std::rethrow_exception(wrapped("middle", "Companie inexistenta"));
        } catch (...) {
            std::throw_with_nested(std::logic_error("outer"));
        }
    } catch (...) {
        return std::current_exception();
    }
}

// A window whose handlers raise errors, as the product's windows do.
class Raiser : public QPushButton {
public:
    int reached = 0;
    int finished = 0;
    void failingClick()
    {
        ++reached;
        throw std::runtime_error("Alegeti Conts!");
    }
    void abortingClick()
    {
        ++reached;
        throw app::SilentAbort();
    }
    void quietClick()
    {
        ++reached;
        ++finished;
    }
    void textHandler(const QString& text) { throw db::DbError("dsEu: " + text.toStdString()); }
};

} // namespace

class ErrorDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void messageTable_data()
    {
        QTest::addColumn<std::exception_ptr>("error");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("text");
        const auto e = [](auto error) { return std::make_exception_ptr(error); };
        QTest::newRow("ends in '!': unchanged") << e(std::runtime_error("Alegeti Conts!")) << true << "Alegeti Conts!";
        QTest::newRow("ends in a letter: '.' added")
            << e(std::runtime_error("Companie inexistenta")) << true << "Companie inexistenta.";
        QTest::newRow("ends in '.': unchanged") << e(std::runtime_error("Gata.")) << true << "Gata.";
        QTest::newRow("ends in a digit") << e(std::runtime_error("port 5432")) << true << "port 5432.";
        QTest::newRow("ends in '/', code just above '.'") << e(std::runtime_error("C:/")) << true << "C:/.";
        QTest::newRow("ends in '-', code just below '.'") << e(std::runtime_error("a -")) << true << "a -";
        QTest::newRow("ends in a blank") << e(std::runtime_error("x ")) << true << "x ";
        QTest::newRow("ends in a non-ASCII letter")
            << e(std::runtime_error("Aplicatia nu este disponibilă")) << true << "Aplicatia nu este disponibilă.";
        QTest::newRow("empty message") << e(std::runtime_error("")) << true << "";
        QTest::newRow("wrapped: the innermost message")
            << wrapped("outer", "Field 'gln' not found") << true << "Field 'gln' not found.";
        QTest::newRow("wrapped twice: the innermost message") << twiceWrapped() << true << "Companie inexistenta.";
        QTest::newRow("wrapped, innermost empty: the outer message") << wrapped("outer", "") << true << "outer.";
        QTest::newRow("data-access error") << e(db::DbError("dsEu: Field 'gln' not found")) << true
                                           << "dsEu: Field 'gln' not found.";
        QTest::newRow("silent abort") << e(app::SilentAbort()) << false << "";
        QTest::newRow("not a std::exception") << e(42) << true << "Unknown error.";
    }

    void messageTable()
    {
        QFETCH(std::exception_ptr, error);
        QFETCH(bool, shown);
        QFETCH(QString, text);
        const auto message = app::ErrorDisplay::message(error);
        QCOMPARE(message.has_value(), shown);
        if (shown)
            QCOMPARE(*message, text);
    }

    void startupMessageNamesClassModuleAndMessage()
    {
        QCOMPARE(app::ErrorDisplay::startupMessage(std::make_exception_ptr(std::runtime_error("boom")), "wMorv"),
                 QStringLiteral("Exception std::runtime_error in module wMorv.\nboom."));
        QCOMPARE(app::ErrorDisplay::className(std::make_exception_ptr(db::DbError("x"))), QStringLiteral("db::DbError"));
    }

    void boxShowsTheErrorOverTheActiveWindow()
    {
        QWidget window;
        window.setWindowTitle("fFisaContA_Morv");
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        testapp::BoxCatcher boxes;
        app::ErrorDisplay::show(std::make_exception_ptr(std::runtime_error("Companie inexistenta")));
        QCOMPARE(boxes.seen.size(), std::size_t(1));
        const auto& box = boxes.seen.front();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.caption, app::applicationName());
        QCOMPARE(box.text, QStringLiteral("Companie inexistenta."));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.owner, &window);
        QVERIFY(window.isVisible());
    }

    void captionIsTheApplicationName()
    {
        QCOMPARE(app::applicationName(), app::applicationNameFromPath(QCoreApplication::applicationFilePath(), '/'));
        QVERIFY(!app::applicationName().isEmpty());
    }

    void guardedHandlerErrorIsShownAndTheProgramGoesOn()
    {
        Raiser window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        testapp::BoxCatcher boxes;

        auto connection = QObject::connect(&window, &QPushButton::clicked, &window, app::guarded(&window, &Raiser::failingClick));
        window.click();
        window.click();
        QObject::disconnect(connection);
        QCOMPARE(window.reached, 2);
        QCOMPARE(boxes.seen.size(), std::size_t(2));
        QCOMPARE(boxes.seen[1].text, QStringLiteral("Alegeti Conts!"));
        QVERIFY(window.isVisible());

        QObject::connect(&window, &QPushButton::clicked, &window, app::guarded(&window, &Raiser::quietClick));
        window.click();
        QCOMPARE(window.finished, 1);
        QCOMPARE(boxes.seen.size(), std::size_t(2));
    }

    void guardedPassesSignalArguments()
    {
        Raiser window;
        testapp::BoxCatcher boxes;
        QObject::connect(&window, &QObject::objectNameChanged, &window, app::guarded(&window, &Raiser::textHandler));
        window.setObjectName("Field 'gln' not found");
        QCOMPARE(boxes.seen.size(), std::size_t(1));
        QCOMPARE(boxes.seen[0].text, QStringLiteral("dsEu: Field 'gln' not found."));
    }

    void silentAbortShowsNothing()
    {
        Raiser window;
        testapp::BoxCatcher boxes;
        QObject::connect(&window, &QPushButton::clicked, &window, app::guarded(&window, &Raiser::abortingClick));
        window.click();
        QTest::qWait(50);
        QCOMPARE(window.reached, 1);
        QCOMPARE(boxes.seen.size(), std::size_t(0));

        bool ran = false;
        app::runGuarded([&] {
            ran = true;
            throw app::SilentAbort();
        });
        QVERIFY(ran);
        QTest::qWait(50);
        QCOMPARE(boxes.seen.size(), std::size_t(0));
    }
};

QTEST_MAIN(ErrorDisplayTest)
#include "ErrorDisplayTest.moc"
