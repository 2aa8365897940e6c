#include "platform/services.h"
#include "platform/silentservices.h"
#include "support/scriptedprompts.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

// A run that hands in no service still has every one: silent ones that show nothing, block
// nothing and reach nothing outside the process.
class TestSilentServices : public QObject {
    Q_OBJECT
private slots:
    // A box is answered with its default button, as a user pressing Enter would.
    void questionsTakeTheDefaultButton_data() {
        QTest::addColumn<Prompts::Buttons>("buttons");
        QTest::addColumn<Prompts::Answer>("answer");
        QTest::newRow("Yes/No") << Prompts::Buttons::YesNo << Prompts::Answer::Yes;
        QTest::newRow("Yes/No/Cancel") << Prompts::Buttons::YesNoCancel << Prompts::Answer::Yes;
        QTest::newRow("OK/Cancel") << Prompts::Buttons::OkCancel << Prompts::Answer::Ok;
    }
    void questionsTakeTheDefaultButton() {
        QFETCH(Prompts::Buttons, buttons);
        QFETCH(Prompts::Answer, answer);
        Services services;
        QCOMPARE(services.prompts().question(QStringLiteral("確定嗎？"), buttons), answer);
    }

    void inputsAndDialogs() {
        Services services;
        Prompts& prompts = services.prompts();
        QCOMPARE(prompts.input("a", "t", "5"), std::optional<QString>("5"));
        QCOMPARE(prompts.input("a"), std::optional<QString>()); // an empty answer
        QCOMPARE(prompts.password("p"), std::optional<QString>());
        QCOMPARE(prompts.openFile("t", "x|*.x", "a.x"), QString());
        QCOMPARE(prompts.saveFile("t", "x|*.x", "a.x"), QString());
        QCOMPARE(prompts.browseFolder("t"), QString());
    }

    // Nothing is shown, opened or fetched; every failure says so.
    void nothingLeavesTheProcess() {
        QApplication::setQuitOnLastWindowClosed(false);
        Services services;
        QDialog dialog;
        QCOMPARE(services.modal().run(dialog), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(!services.shell().openUrl(QStringLiteral("https://example.invalid/")));
        QVERIFY(!services.shell().openFile(QStringLiteral("/tmp")));
        QCOMPARE(services.shell().moveFolder("/a", "/b").outcome, Shell::MoveOutcome::Aborted);
        QVERIFY(!services.shell().startCalculator());
        const HttpClient::Reply reply = services.http().get(QStringLiteral("/x"));
        QCOMPARE(reply.outcome, HttpClient::Outcome::Failed);
        QVERIFY(reply.body.isEmpty());
        TrayService& tray = services.tray();
        QVERIFY(!tray.isAvailable());
        QObject window;
        QCOMPARE(tray.AddTrayIcon(&window, QIcon(), QStringLiteral("tip")), 1);
        tray.RemoveTrayIcon(1);
        QCOMPARE(tray.TrayIcons().value(QStringLiteral("1")).data(), &window);
        const QDate today = services.clock().today();
        QVERIFY(today.isValid() && qAbs(today.daysTo(QDate::currentDate())) <= 1);
    }

    // Settings live for the run; a copy of the services (a second context of the same run)
    // reads what the first wrote, and no file is written.
    void settingsInMemoryAreShared() {
        Services services;
        const Services copy = services;
        QCOMPARE(copy.settings().GetSetting("Setting", "A", "d"), QStringLiteral("d"));
        QVERIFY(services.settings().SaveSetting("Setting", "A", "1"));
        QCOMPARE(copy.settings().GetSetting("Setting", "A", "d"), QStringLiteral("1"));
        QCOMPARE(copy.settings().GetSetting("Other", "A", "d"), QStringLiteral("d"));
        QVERIFY(copy.settings().DeleteSetting("Setting", "A"));
        QCOMPARE(services.settings().GetSetting("Setting", "A", "d"), QStringLiteral("d"));
    }

    // A service handed in takes the silent one's place, in the copies made afterwards too.
    void handedInServiceIsUsed() {
        Services services;
        ScriptedPrompts scripted;
        services.setPrompts(scripted);
        const Services copy = services;
        QCOMPARE(&copy.prompts(), static_cast<Prompts*>(&scripted));
        scripted.answer(Prompts::Answer::No);
        QCOMPARE(copy.prompts().question(QStringLiteral("q")), Prompts::Answer::No);
        QCOMPARE(scripted.texts("question"), QStringList({QStringLiteral("q")}));
    }
};

QTEST_MAIN(TestSilentServices)
#include "tst_silentservices.moc"
