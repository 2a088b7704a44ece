// The sign-in dialog as the operator uses it: typing, Enter, the close box,
// and the remembered-names file in the roaming folder.
#include "ModalBoxes.h"
#include "PgFixture.h"

#include "data/TdmCon.h"
#include "desktop/RecordingDesktopServices.h"
#include "login/PasswordDigest.h"
#include "login/TfrmLogin.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

class TfrmLoginTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::ScratchDatabase> directory;
    std::unique_ptr<testsupport::ScratchDatabase> company;
    std::unique_ptr<QTemporaryDir> roaming;
    std::unique_ptr<desktop::RecordingDesktopServices> desktopServices;
    std::unique_ptr<TdmCon> dm;
    std::unique_ptr<TfrmLogin> dlg;

    QByteArray fileBytes() const
    {
        QFile f(dlg->rememberedFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        // keyClicks takes Latin-1 only; each character goes as a key event with its text.
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }

    void newDialog()
    {
        dlg = std::make_unique<TfrmLogin>(*desktopServices, QStringLiteral("wmorv"));
        dlg->setDataModule(*dm);
    }

private slots:
    void init()
    {
        directory = std::make_unique<testsupport::ScratchDatabase>("ulv_mob");
        company = std::make_unique<testsupport::ScratchDatabase>("company_tpl");
        directory->exec("insert into m_firma (nume_firma, ip, port, db_name, m_site, pw_hash_type) values ('Firma SRL',"
                        " '127.0.0.1', " + std::to_string(company->port()) + ", '" + company->name() + "', true, 'HashSHA2');");
        company->exec("insert into emitent (emitent, operator_parola, eu_punct_lucru, data_ins) values ('ana', '"
                      + login::sha256Hex("pw").toStdString() + "', 'PL', current_date);"
                      "insert into aplicatie_mob values ('wmorv', true, null);"
                      "insert into aplicatie_mob_emitent values ('wmorv', 'ana', 'admin');");
        roaming = std::make_unique<QTemporaryDir>();
        desktopServices = std::make_unique<desktop::RecordingDesktopServices>();
        desktopServices->setRoamingAppDataFolder(roaming->path());
        dm = std::make_unique<TdmCon>();
        testsupport::configure(dm->conUlvMob, directory->name());
        newDialog();
    }

    void cleanup()
    {
        dlg.reset();
        dm.reset();
        company.reset();
        directory.reset();
    }

    void focusStartsInThePasswordEditAndTabFollowsTheDesignedOrder()
    {
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        QCOMPARE(QApplication::focusWidget(), dlg->Edit3());
        QCOMPARE(dlg->Edit3()->echoMode(), QLineEdit::Password);
        for (QWidget* next : {static_cast<QWidget*>(dlg->Button1()), static_cast<QWidget*>(dlg->Edit1()),
                              static_cast<QWidget*>(dlg->Edit2()), static_cast<QWidget*>(dlg->Edit3())}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QVERIFY(dlg->Button1()->isDefault());
    }

    void closeBoxGivesCancel()
    {
        QTimer::singleShot(50, dlg.get(), [this] { dlg->close(); });
        QCOMPARE(dlg->exec(), int(QDialog::Rejected));
        QVERIFY(dm->glNumeFirma.isEmpty());
    }

    void enterSignsInAndClearsOnlyThePassword()
    {
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        type(dlg->Edit1(), "Firma SRL");
        type(dlg->Edit2(), "ana");
        type(dlg->Edit3(), "pw");
        QTest::keyClick(dlg->Edit3(), Qt::Key_Return);
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->Edit3()->text(), QString());
        QCOMPARE(dlg->Edit1()->text(), QStringLiteral("Firma SRL"));
        QCOMPARE(dm->glUserPass, QStringLiteral("pw"));
        QCOMPARE(dm->glUser, QStringLiteral("ana"));
    }

    void refusalShowsTheMessageKeepsTheEditsAndStillWritesTheFile()
    {
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        const QString company = QStringLiteral("Nu \"exista\" \\ / ăîșț");
        type(dlg->Edit1(), company);
        type(dlg->Edit2(), "ana");
        type(dlg->Edit3(), "secret-password");
        testapp::BoxCatcher boxes;
        QTest::mouseClick(dlg->Button1(), Qt::LeftButton);
        QCOMPARE(boxes.seen.size(), size_t(1));
        QCOMPARE(boxes.seen[0].text, QStringLiteral("Companie inexistenta."));
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->Edit1()->text(), company);
        QCOMPARE(dlg->Edit3()->text(), QStringLiteral("secret-password"));

        const QByteArray bytes = fileBytes();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.contains("\"Original\":{\"company\":\"Nu \\\"exista\\\" \\\\ \\/ " + QStringLiteral("ăîșț").toUtf8()
                               + "\",\"username\":\"ana\"}"));
        QVERIFY(!bytes.contains("secret-password"));

        // Pressing again without changes rewrites the same content.
        QTest::mouseClick(dlg->Button1(), Qt::LeftButton);
        QCOMPARE(fileBytes(), bytes);
    }

    void rememberedNamesComeBackInANewRun()
    {
        dlg->show();
        type(dlg->Edit1(), "Firma SRL");
        type(dlg->Edit2(), "ana");
        testapp::BoxCatcher boxes;
        QTest::mouseClick(dlg->Button1(), Qt::LeftButton); // wrong (empty) password: refused, file written
        QCOMPARE(boxes.seen.size(), size_t(1));
        dlg->hide();

        newDialog();
        dlg->show();
        QCOMPARE(dlg->Edit1()->text(), QStringLiteral("Firma SRL"));
        QCOMPARE(dlg->Edit2()->text(), QStringLiteral("ana"));
        // Typing over the loaded name edits that same row, not a new one.
        type(dlg->Edit2(), "ion");
        QCOMPARE(dlg->dsLogin.rowCount(), 1);
        QCOMPARE(dlg->dsLogin.field("username").value_or(""), QStringLiteral("ion"));
    }

    void showingAgainReloadsTheFileOnlyWhenItExists()
    {
        dlg->show();
        type(dlg->Edit1(), "typed, never saved");
        dlg->hide();
        dlg->show();
        QCOMPARE(dlg->Edit1()->text(), QStringLiteral("typed, never saved"));

        type(dlg->Edit1(), "saved");
        testapp::BoxCatcher boxes;
        QTest::mouseClick(dlg->Button1(), Qt::LeftButton);
        type(dlg->Edit1(), "typed after the save");
        dlg->hide();
        dlg->show();
        QCOMPARE(dlg->Edit1()->text(), QStringLiteral("saved"));
    }

    void unreadableFileOpensEmptyAndSaysWhy()
    {
        QFile f(dlg->rememberedFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"FDBS\":{\"Version\":16,");
        f.close();
        testapp::BoxCatcher boxes;
        dlg->show();
        QTRY_COMPARE(boxes.seen.size(), size_t(1));
        QVERIFY2(boxes.seen[0].text.contains("UlvBrenu.json"), qPrintable(boxes.seen[0].text));
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->Edit1()->text(), QString());

        type(dlg->Edit1(), "Firma SRL");
        QTest::mouseClick(dlg->Button1(), Qt::LeftButton); // refused (no user), but the file is rewritten
        QTRY_COMPARE(boxes.seen.size(), size_t(2));
        QVERIFY(fileBytes().contains("\"company\":\"Firma SRL\""));
    }

    void unwritableFolderStopsTheSignIn()
    {
        desktopServices->setRoamingAppDataFolder(roaming->path() + "/missing/folder");
        dlg->show();
        type(dlg->Edit1(), "Firma SRL");
        type(dlg->Edit2(), "ana");
        type(dlg->Edit3(), "pw");
        testapp::BoxCatcher boxes;
        QTest::mouseClick(dlg->Button1(), Qt::LeftButton);
        QCOMPARE(boxes.seen.size(), size_t(1));
        QVERIFY2(boxes.seen[0].text.contains("No such file or directory"), qPrintable(boxes.seen[0].text));
        QVERIFY2(dm->glNumeFirma.isEmpty(), "the sign-in did not run");
        QVERIFY(dlg->isVisible());
    }
};

QTEST_MAIN(TfrmLoginTest)
#include "TfrmLoginTest.moc"
