#include "support/testfiles.h"
#include "users_fixture.h"

#include "schedule/clockform.h"
#include "schedule/fixureclockform.h"
#include "store/recordfile.h"
#include "support/ledgerbuilder.h"
#include "users/openform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

// Ledger "Home" of user Amy on disk, whose entries end with the given dates (table order).
void writeHome(UsersWorld& w, const QStringList& dates) {
    AppContext other;
    other.session = w.session();
    other.session.LedgerName = "Home";
    LedgerBuilder b(other.ledger);
    b.account(QStringLiteral("A-現金")).account(QStringLiteral("E-餐飲費")).account("Equity");
    for (const QString& d : dates)
        b.entry(d, QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), 100, "x");
    QVERIFY(LedgerBuilder::writeFolder(other));
}

} // namespace

class OpenLedgerTest : public QObject {
    Q_OBJECT

private slots:
    void initialPeriod_data();
    void initialPeriod();
    void filterOfPreviousLedgerCleared();
    void stepsOfTheListWindow();
    void missingFolderOpensAsNew();
    void unreadableLedgerKeepsListOpen();
    void damagedSideFilesOpenWithTheirWarnings();
    void remindersOpenOverTheShownMainWindow();
};

void OpenLedgerTest::initialPeriod_data() {
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QString>("monState");
    QTest::addColumn<QString>("dayState");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("year");
    // Today is 2024/01/15 (the test clock).
    QTest::newRow("last entry this year, month view")
        << QStringList{"2023/05/01", "2024/01/02"} << "1"
        << "1" << QStringLiteral("01月") << "2024";
    QTest::newRow("month starts on the 25th") << QStringList{"2024/01/02"} << "1"
                                              << "25" << QStringLiteral("12月") << "2023";
    QTest::newRow("whole year") << QStringList{"2024/01/02"} << "0"
                                << "1" << QStringLiteral("整年") << "2024";
    QTest::newRow("last in table order is older") << QStringList{"2024/01/02", "2022/03/04"} << "1"
                                                  << "1" << QStringLiteral("全部") << "2022";
}

void OpenLedgerTest::initialPeriod() {
    QFETCH(QStringList, dates);
    QFETCH(QString, monState);
    QFETCH(QString, dayState);
    QFETCH(QString, period);
    QFETCH(QString, year);
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    writeHome(w, dates);
    w.session().Setting.MonState = monState;
    w.session().Setting.DayState = dayState;
    QVERIFY(w.users->OpenLedger("Home"));
    QCOMPARE(w.form->Combo1->currentText(), period);
    QCOMPARE(w.form->Text2->text(), year);
    QCOMPARE(w.form->SuppressPeriodClick, short(0));
    QCOMPARE(w.env.ctx.ledger.EntryCount, dates.size() + 1);
}

void OpenLedgerTest::filterOfPreviousLedgerCleared() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    writeHome(w, {"2024/01/02", "2024/01/03"});
    w.form->Combo2->addItem("old");
    w.form->Combo2->setEditText(QStringLiteral("午餐"));
    QVERIFY(w.users->OpenLedger("Home"));
    QVERIFY(w.form->Combo2->currentText().isEmpty());
    QVERIFY(w.form->NodeCount() > 5);
    QVERIFY(w.form->windowTitle().contains(QStringLiteral("[Amy：Home]")));
}

void OpenLedgerTest::stepsOfTheListWindow() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    writeHome(w, {"2024/01/02"});
    QStringList calls;
    w.users->CheckRecordReminders = [&] { calls << "records"; };
    w.users->CheckDueRecurring = [&] { calls << "recurring"; };
    w.users->FirstUse = "1";
    // Without the list window: no first-use question, the flag stays.
    QVERIFY(w.users->OpenLedger("Home"));
    QCOMPARE(w.users->FirstUse, QString("1"));
    QVERIFY(w.env.prompts.shown.isEmpty());

    OpenForm list(w.env.ctx, *w.users);
    list.Fill({"Home"});
    list.show();
    w.users->LedgerListChanged = true;
    w.env.prompts.answer(Prompts::Answer::No);
    list.Cmd1->click();
    QCOMPARE(list.result(), int(OpenForm::Opened));
    QVERIFY(!list.isVisible());
    QCOMPARE(w.env.prompts.texts("question"),
             QStringList{QStringLiteral("這是您建立帳號後初次使用，要看看使用教學嗎？\r\n\r\n"
                                        "目前您已經建立帳本完成，可由「自訂科目」開始看起。")});
    QVERIFY(w.env.shell.openedUrls.isEmpty());
    QCOMPARE(w.users->FirstUse, QString("0"));
    QCOMPARE(calls, QStringList({"records", "recurring", "records", "recurring"}));
    QCOMPARE(w.fileBytes(w.session().userFolder() + "DataBase.lst"), QByteArray("Home\r\n"));
}

void OpenLedgerTest::missingFolderOpensAsNew() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Gone"});
    QDir(w.session().userFolder() + "Gone").removeRecursively();
    QVERIFY(w.users->OpenLedger("Gone"));
    QVERIFY(QFileInfo(w.session().userFolder() + "Gone/Accounts.qvd").isFile());
    QCOMPARE(w.form->Combo1->currentText(), QStringLiteral("01月")); // opening entries dated today
}

void OpenLedgerTest::unreadableLedgerKeepsListOpen() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Broken"});
    const QString folder = w.session().userFolder() + "Broken/";
    TestFiles::put(folder + "Accounts.qvd", QByteArray());
    TestFiles::put(folder + "Main.qvd", QByteArray(284, '\x7f'));
    OpenForm list(w.env.ctx, *w.users);
    list.Fill({"Broken"});
    list.show();
    list.Cmd1->click();
    QCOMPARE(w.env.prompts.texts("warning"),
             QStringList({QStringLiteral("Main.qvd 檔案讀取失敗!")}));
    QVERIFY(list.isVisible());
    QVERIFY(!list.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Qivoka v4.0.4"));
    QCOMPARE(w.form->NodeCount(), 0);
}

// A side file that cannot be read leaves its table empty and is named in a warning; the
// ledger opens and the list window closes into it.
void OpenLedgerTest::damagedSideFilesOpenWithTheirWarnings() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    writeHome(w, {"2024/01/02"});
    const QString folder = w.session().userFolder() + "Home/";
    TestFiles::put(folder + "Favorites.qvd", QByteArray("\"a\",\"b\",\"1\"\r\n"));
    QByteArray records201; // one more than the table holds
    RecurringRecord r;
    r.When.set("01");
    r.Amount = TaggedNumber::fromDouble(100);
    for (int i = 0; i < 201; ++i)
        RecordFile::append(records201, r);
    TestFiles::put(folder + "Fixure.qvd", records201);
    OpenForm list(w.env.ctx, *w.users);
    list.Fill({"Home"});
    list.show();
    list.Cmd1->click();
    QCOMPARE(w.env.prompts.texts("warning"),
             QStringList({QStringLiteral("Favorites.qvd 檔案讀取失敗!"),
                          QStringLiteral("Fixure.qvd 檔案讀取失敗!")}));
    QCOMPARE(list.result(), int(OpenForm::Opened));
    QCOMPARE(w.env.ctx.ledger.EntryCount, 2);
    QCOMPARE(w.env.ctx.ledger.QuickEntryCount, 1);
    QCOMPARE(w.env.ctx.ledger.RecurringCount, 1);
}

// At start-up the ledger opens while the main window is still hidden: the reminder and the
// posting window open once it is shown, centred on it, and belong to it.
void OpenLedgerTest::remindersOpenOverTheShownMainWindow() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    {
        AppContext other;
        other.session = w.session();
        other.session.LedgerName = "Home";
        LedgerBuilder b(other.ledger);
        b.account(QStringLiteral("A-現金")).account(QStringLiteral("E-房租")).account("Equity");
        b.entry("2024/01/15", QStringLiteral("E-房租"), QStringLiteral("A-現金"), 100, "x")
            .remind(0);
        b.recurring(3, "0", QStringLiteral("E-房租"), QStringLiteral("A-現金"), 1500000, "房租");
        QVERIFY(LedgerBuilder::writeFolder(other));
    }
    MainForm& main = *w.form;
    main.setGeometry(300, 200, 900, 650);
    QVERIFY(!main.isVisible());
    QStringList seen;
    auto look = [&](QDialog& d) {
        const QPoint off = d.frameGeometry().center() - main.frameGeometry().center();
        seen << QStringLiteral("%1 owner:%2 main shown:%3 centred:%4")
                    .arg(QString::fromLatin1(d.metaObject()->className()))
                    .arg(d.parentWidget() == &main)
                    .arg(main.isVisible())
                    .arg(off.manhattanLength() <= 4);
        return int(QDialog::Accepted);
    };
    w.env.modal.on<ClockForm>([&](ClockForm& d) { return look(d); });
    w.env.modal.on<FixureClockForm>([&](FixureClockForm& d) { return look(d); });
    QVERIFY(w.users->OpenLedger("Home"));
    QCOMPARE(seen, QStringList({"ClockForm owner:1 main shown:1 centred:1",
                                "FixureClockForm owner:1 main shown:1 centred:1"}));
}

QTEST_MAIN(OpenLedgerTest)
#include "tst_openledger.moc"
