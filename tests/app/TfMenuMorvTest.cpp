// The main window driven as an operator would: its two states, the sign-in
// dialog's result, the wrapping database label, the anchors, and the account
// sheet window shown again with its contents.
#include "PlaceholderWindows.h"
#include "app/TfMenuMorv.h"
#include "data/TdmCon.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString versionText = QStringLiteral("wMorv  v. 2025.11.17");

template <typename T>
T* child(QWidget& w, const char* name)
{
    T* found = w.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

// The main window with a real data module, a placeholder sign-in dialog and
// a placeholder sheet window that it owns.
struct MenuFixture {
    TdmCon dm;
    std::unique_ptr<QDialog> login;
    std::unique_ptr<QWidget> sheet;
    std::function<int()> signIn; // what the sign-in does when run
    std::unique_ptr<TfMenuMorv> menu;

    MenuFixture()
    {
        menu = std::make_unique<TfMenuMorv>(TfMenuMorv::Links{
            [this] { return signIn(); },
            [this]() -> const TdmCon& { return dm; },
            [this] { return sheet.get(); },
        });
        login = app::makePlaceholderDialog("frmLogin", menu.get());
        sheet = app::makePlaceholderWindow("fFisaContA_Morv", menu.get());
        signIn = [this] { return login->exec(); };
        menu->show();
        if (!QTest::qWaitForWindowExposed(menu.get()))
            qFatal("main window not exposed");
    }
    ~MenuFixture()
    {
        sheet.reset();
        login.reset();
        menu.reset();
    }

    // Signs in as the dialog would: the global fields, then OK.
    void signInAs(const QString& database, const QString& user)
    {
        signIn = [this, database, user] {
            dm.glDataBase = database;
            dm.glUser = user;
            return int(QDialog::Accepted);
        };
        QTest::mouseClick(child<QPushButton>(*menu, "ButtonLogin"), Qt::LeftButton);
    }

    bool shown(const char* name) { return child<QWidget>(*menu, name)->isVisible(); }
};

} // namespace

class TfMenuMorvTest : public QObject {
    Q_OBJECT

private slots:
    void designedWindow()
    {
        MenuFixture f;
        QCOMPARE(f.menu->windowTitle(), QStringLiteral("fMenuMorv"));
        QCOMPARE(f.menu->size(), QSize(388, 310));
        QCOMPARE(f.menu->font().family(), QStringLiteral("Segoe UI"));
        QCOMPARE(child<QPushButton>(*f.menu, "ButtonLogin")->text(), QStringLiteral("Login"));
        QCOMPARE(child<QPushButton>(*f.menu, "Button1")->text(), QStringLiteral("FisaContAnalitic_Morv"));
        for (const char* name : {"Label1", "Label2", "LabelDataBase", "LabelUser"}) {
            auto* label = child<QLabel>(*f.menu, name);
            QVERIFY2(label->font().bold(), name);
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 185));
        }
        QCOMPARE(child<QLabel>(*f.menu, "Label1")->text(), versionText);
        QCOMPARE(child<QLabel>(*f.menu, "Label2")->text(), versionText);
        QCOMPARE(child<QWidget>(*f.menu, "PanelLogin")->height(), 50);
        // The version text is not cut off.
        auto* label1 = child<QLabel>(*f.menu, "Label1");
        QVERIFY(label1->width() >= label1->fontMetrics().horizontalAdvance(versionText));
    }

    void atStartOnlyLoginAndVersionShow()
    {
        MenuFixture f;
        QVERIFY(f.shown("ButtonLogin"));
        QVERIFY(f.shown("Label1"));
        // The login panel keeps to the top, above an empty area.
        QCOMPARE(child<QWidget>(*f.menu, "PanelLogin")->geometry(), QRect(0, 0, 388, 50));
        for (const char* hidden : {"PanelMenu", "Label2", "LabelDataBase", "LabelUser", "Button1", "Shape1"})
            QVERIFY2(!f.shown(hidden), hidden);
    }

    void cancelledSignInChangesNothing()
    {
        MenuFixture f;
        bool closed = false;
        QTimer::singleShot(0, f.login.get(), [&] {
            closed = f.login->isVisible();
            f.login->close(); // the close box
        });
        QTest::mouseClick(child<QPushButton>(*f.menu, "ButtonLogin"), Qt::LeftButton);
        QVERIFY(closed);
        QVERIFY(!f.login->isVisible());
        QVERIFY(f.shown("ButtonLogin"));
        QVERIFY(child<QPushButton>(*f.menu, "ButtonLogin")->isEnabled());
        QVERIFY(!f.shown("PanelMenu"));
        QCOMPARE(child<QLabel>(*f.menu, "LabelDataBase")->text(), QStringLiteral("LabelDataBase"));
    }

    void signInSwitchesToTheSignedInState()
    {
        MenuFixture f;
        f.signInAs("ulv1", "ana");
        QVERIFY(!f.shown("PanelLogin"));
        QVERIFY(!f.shown("ButtonLogin"));
        for (const char* name : {"PanelMenu", "Label2", "LabelDataBase", "LabelUser", "Button1", "Shape1"})
            QVERIFY2(f.shown(name), name);
        QCOMPARE(child<QLabel>(*f.menu, "LabelDataBase")->text(), QStringLiteral("ulv1"));
        QCOMPARE(child<QLabel>(*f.menu, "LabelUser")->text(), QStringLiteral("User ana"));
        // The menu panel takes the whole client area.
        QCOMPARE(child<QWidget>(*f.menu, "PanelMenu")->geometry(), f.menu->rect());
        auto* user = child<QLabel>(*f.menu, "LabelUser");
        QVERIFY(user->width() >= user->fontMetrics().horizontalAdvance("User ana"));
    }

    void longDatabaseNameWraps()
    {
        MenuFixture f;
        f.signInAs("firma de demonstratie cu nume lung", "ana");
        auto* label = child<QLabel>(*f.menu, "LabelDataBase");
        QCOMPARE(label->width(), 81);
        QVERIFY2(label->height() >= 2 * label->fontMetrics().lineSpacing(), "the name takes more than one line");
    }

    void anchorsFollowTheWindowWidth()
    {
        MenuFixture f;
        f.signInAs("ulv1", "ana");
        auto* panel = child<QWidget>(*f.menu, "PanelMenu");
        auto* label = child<QLabel>(*f.menu, "Label2");
        auto* line = child<QWidget>(*f.menu, "Shape1");
        const int labelGap = panel->width() - label->geometry().right();
        const int lineGap = panel->width() - line->geometry().right();
        const QPoint button = child<QWidget>(*f.menu, "Button1")->pos();

        f.menu->resize(600, 400);
        QTRY_COMPARE(panel->width(), 600);
        QCOMPARE(panel->width() - label->geometry().right(), labelGap);
        QCOMPARE(panel->width() - line->geometry().right(), lineGap);
        QCOMPARE(line->x(), -69);
        QCOMPARE(line->height(), 1);
        QCOMPARE(child<QWidget>(*f.menu, "Button1")->pos(), button);
    }

    void accountSheetKeepsItsContents()
    {
        MenuFixture f;
        auto* edit = new QLineEdit(f.sheet.get());
        edit->setText("472");
        f.signInAs("ulv1", "ana");
        auto* button1 = child<QPushButton>(*f.menu, "Button1");

        QTest::mouseClick(button1, Qt::LeftButton);
        QVERIFY(f.sheet->isVisible());
        QTest::mouseClick(button1, Qt::LeftButton); // while it is open
        QVERIFY(f.sheet->isVisible());
        QCOMPARE(edit->text(), QStringLiteral("472"));

        f.sheet->close(); // closing only hides it
        QVERIFY(!f.sheet->isVisible());
        QTest::mouseClick(button1, Qt::LeftButton);
        QVERIFY(f.sheet->isVisible());
        QCOMPARE(f.sheet->findChild<QLineEdit*>(), edit);
        QCOMPARE(edit->text(), QStringLiteral("472"));
    }

    void minimisedSheetStaysMinimised()
    {
        MenuFixture f;
        f.signInAs("ulv1", "ana");
        f.sheet->showMinimized();
        QTest::mouseClick(child<QPushButton>(*f.menu, "Button1"), Qt::LeftButton);
        QVERIFY(f.sheet->isVisible());
        QVERIFY(f.sheet->isMinimized());
    }
};

QTEST_MAIN(TfMenuMorvTest)
#include "TfMenuMorvTest.moc"
