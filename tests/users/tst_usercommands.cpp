#include "users_fixture.h"

#include "online/numberlistform.h"
#include "platform/settingsstore.h"
#include "store/loadledger.h"
#include "support/ledgerbuilder.h"
#include "users/aboutform.h"
#include "users/loginform.h"
#include "users/openform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList kinds(const ScriptedPrompts& prompts) {
    QStringList k;
    for (const ShownBox& b : prompts.shown)
        k << b.kind;
    return k;
}

void endAtLogin(UsersWorld& w, int* shown = nullptr, bool* autoLogged = nullptr) {
    w.env.modal.on<LoginForm>([shown, autoLogged](LoginForm& f) {
        if (shown) ++*shown;
        if (autoLogged) *autoLogged = f.LoggedIn();
        f.cmdCancel->click();
        return f.result();
    });
}

} // namespace

class UserCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void demoUserRefused_data();
    void demoUserRefused();
    void renameAsksAgain();
    void renameOutcomes();
    void changePassword();
    void changePasswordTwice();
    void changePasswordCancelled();
    void changePasswordWriteFails();
    void logoutCancelledKeepsEverything();
    void logoutClearsAndShowsLogin();
    void ledgerListFromMainWindow();
    void logoutForgetsInvoiceList_data();
    void logoutForgetsInvoiceList();
    void openLedgerRenamedInList();
    void openLedgerDeletedInList();
    void aboutSwitch();
    void aboutCaption();
    void aboutSwitchThatCannotBeStored();
};

void UserCommandsTest::demoUserRefused_data() {
    QTest::addColumn<bool>("rename");
    QTest::addColumn<QString>("message");
    QTest::newRow("rename") << true << QStringLiteral("Test 帳號無法變更名稱");
    QTest::newRow("password") << false << QStringLiteral("Test 帳號無法變更密碼");
}

void UserCommandsTest::demoUserRefused() {
    QFETCH(bool, rename);
    QFETCH(QString, message);
    UsersWorld w;
    w.loginAs("Test", "583");
    (rename ? w.form->User_ChanegUserName : w.form->User_ChanegPassword)->trigger();
    QCOMPARE(w.env.prompts.texts("plain"), QStringList{message});
    QCOMPARE(w.env.prompts.shown.size(), 1);
}

void UserCommandsTest::renameAsksAgain() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    w.addUser("Bob", "abc");
    w.session().Setting.AutoLoginState = "1";
    w.session().Setting.AutoLoginUsername = "Amy";
    w.env.prompts.answerText("Bob");  // exists
    w.env.prompts.answerText("a:b");  // forbidden
    w.env.prompts.answerText("..");   // the data folder's parent
    w.env.prompts.answerText("a\tb"); // a control character
    w.env.prompts.answerText(QStringLiteral(" 小美 "));
    w.form->User_ChanegUserName->trigger();

    QCOMPARE(w.env.prompts.texts("warning"),
             QStringList({QStringLiteral("這個帳號名稱已經存在，無法變更!"),
                          QStringLiteral("帳號名稱中不可包含 \\/:*?\"<>| 字元"),
                          QStringLiteral("帳號名稱不可以是「.」或「..」"),
                          QStringLiteral("帳號名稱中不可包含換行或其他控制字元")}));
    QCOMPARE(w.env.prompts.texts("input").first(),
             QStringLiteral(
                 "請輸入新的帳號名稱\r\n\r\n變更後將無法還原之前帳號備份的資料，請重新做備份。"));
    QCOMPARE(w.session().CurrentUser, QStringLiteral("小美"));
    QVERIFY(QFileInfo(w.session().DataRoot + QStringLiteral("小美/Home")).isDir());
    QVERIFY(!QFileInfo::exists(w.session().DataRoot + "Amy"));
    QCOMPARE(w.env.settings.GetSetting("Setting", "UserName"), QStringLiteral("小美"));
    QCOMPARE(w.form->windowTitle(), QStringLiteral("小美 - Qivoka v4.0.4"));
    QCOMPARE(w.session().Setting.AutoLoginUsername, QStringLiteral("小美"));
}

void UserCommandsTest::renameOutcomes() {
    UsersWorld w;
    w.loginAs("Amy", "abc");
    w.form->setWindowTitle("before");
    w.env.shell.forcedMoveResult = Shell::MoveResult{Shell::MoveOutcome::Error, 5};
    w.env.prompts.answerText("Bo");
    w.form->User_ChanegUserName->trigger();
    w.env.shell.forcedMoveResult = Shell::MoveResult{Shell::MoveOutcome::Aborted, 0};
    w.env.prompts.answerText("Bo");
    w.form->User_ChanegUserName->trigger();
    w.env.prompts.answerText(std::nullopt);
    w.form->User_ChanegUserName->trigger();
    QCOMPARE(w.env.prompts.texts("plain"), QStringList({"5", QStringLiteral("操作中止")}));
    QCOMPARE(w.session().CurrentUser, QString("Amy"));
    QCOMPARE(w.form->windowTitle(), QString("before"));
    QCOMPARE(w.env.settings.GetSetting("Setting", "UserName", "unset"), QString("unset"));
}

void UserCommandsTest::changePassword() {
    UsersWorld w;
    w.loginAs("Amy", "abc");
    w.session().Setting.AutoLoginState = "1";
    w.session().Setting.AutoLoginPassword = "abc";
    for (const char* answer : {"abd", "abc", "ab", "abcdefghijklmnopq", "new1", "new2", "new1"})
        w.env.prompts.answerText(QString::fromLatin1(answer));
    w.form->User_ChanegPassword->trigger();

    QCOMPARE(w.env.prompts.texts("password"),
             QStringList({QStringLiteral("請輸入舊密碼"), QStringLiteral("請輸入舊密碼"),
                          QStringLiteral("輸入新密碼 (請輸入3-16個英文或數字)"),
                          QStringLiteral("輸入新密碼 (請輸入3-16個英文或數字)"),
                          QStringLiteral("輸入新密碼 (請輸入3-16個英文或數字)"),
                          QStringLiteral("再一次輸入新密碼"), QStringLiteral("再一次輸入新密碼")}));
    const QString format = QStringLiteral("密碼格式不正確，請輸入3-16個英文或數字");
    QCOMPARE(w.env.prompts.texts("warning"),
             QStringList({QStringLiteral("密碼錯誤，請重新輸入"), format, format,
                          QStringLiteral("與前一次輸入不符合，請重新輸入")}));
    QVERIFY(!kinds(w.env.prompts).contains("input")); // every password box is masked
    QCOMPARE(w.session().UserPassword, QString("new1"));
    QCOMPARE(w.session().Setting.AutoLoginPassword, QString("new1"));
    QCOMPARE(w.fileBytes(w.session().userFolder() + "DataBase.pwd"),
             QByteArray("006E006500770031\r\n"));
}

void UserCommandsTest::changePasswordTwice() {
    UsersWorld w;
    w.loginAs("Amy", "abc");
    for (const char* answer : {"abc", "first", "first"})
        w.env.prompts.answerText(QString::fromLatin1(answer));
    w.form->User_ChanegPassword->trigger();
    for (const char* answer : {"abc", "first", "second", "second"})
        w.env.prompts.answerText(QString::fromLatin1(answer));
    w.form->User_ChanegPassword->trigger();
    QCOMPARE(w.env.prompts.texts("warning"), QStringList{QStringLiteral("密碼錯誤，請重新輸入")});
    QCOMPARE(UserFiles::readPassword(w.session().userFolder()), QString("second"));
    QCOMPARE(w.session().Setting.AutoLoginPassword, QString()); // automatic login is off
}

void UserCommandsTest::changePasswordCancelled() {
    UsersWorld w;
    w.loginAs("Amy", "abc");
    for (const char* answer : {"abc", "new1"})
        w.env.prompts.answerText(QString::fromLatin1(answer));
    w.env.prompts.answerText(std::nullopt);
    w.form->User_ChanegPassword->trigger();
    QCOMPARE(w.session().UserPassword, QString("abc"));
    QCOMPARE(UserFiles::readPassword(w.session().userFolder()), QString("abc"));
}

void UserCommandsTest::changePasswordWriteFails() {
    UsersWorld w;
    w.loginAs("Amy", "abc");
    w.session().Setting.AutoLoginState = "1";
    w.session().Setting.AutoLoginPassword = "abc";
    const QString pwd = w.session().userFolder() + "DataBase.pwd";
    QFile::remove(pwd);
    QVERIFY(QDir().mkpath(pwd + "/kept")); // a folder at its name: the file cannot be written
    for (const char* answer : {"abc", "new1", "new1"})
        w.env.prompts.answerText(QString::fromLatin1(answer));
    w.form->User_ChanegPassword->trigger();
    QCOMPARE(w.env.prompts.texts("warning"), QStringList{QStringLiteral("發生錯誤!")});
    QCOMPARE(w.session().UserPassword, QString("abc"));
    QCOMPARE(w.session().Setting.AutoLoginPassword, QString("abc"));
}

void UserCommandsTest::logoutCancelledKeepsEverything() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    w.session().LedgerName = "Home";
    LedgerBuilder(w.env.ctx.ledger).account(QStringLiteral("A-現金")).account("Equity");
    w.form->SetLedgerChanged(true);
    w.env.prompts.answer(Prompts::Answer::Cancel);
    w.form->User_Logout->trigger();
    QCOMPARE(
        w.env.prompts.texts("question"),
        QStringList{QStringLiteral("Home 帳本中的記錄已經改變。\r\n\r\n是否要儲存這些變更？")});
    QVERIFY(w.env.modal.shown.isEmpty());
    QCOMPARE(w.session().CurrentUser, QString("Amy"));
    QCOMPARE(w.env.ctx.ledger.AccountCount, 3);
    QVERIFY(w.form->LedgerChanged());
}

void UserCommandsTest::logoutClearsAndShowsLogin() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    w.session().LedgerName = "Home";
    LedgerBuilder(w.env.ctx.ledger).account(QStringLiteral("A-現金")).account("Equity");
    w.form->SetLedgerChanged(true);
    w.form->ListedAccount = QStringLiteral("A-現金");
    w.users->MemoCheckDone = true;
    w.form->LoginAttempted = true;
    // Automatic login is on, but it happens only once per run.
    w.session().Setting.AutoLoginState = "1";
    w.session().Setting.AutoLoginUsername = "Amy";
    w.session().Setting.AutoLoginPassword = "abc";
    int logins = 0;
    bool autoLogged = true;
    endAtLogin(w, &logins, &autoLogged);
    w.env.prompts.answer(Prompts::Answer::No);
    w.form->User_Logout->trigger();

    QCOMPARE(logins, 1);
    QVERIFY(!autoLogged);
    QVERIFY(!w.users->MemoCheckDone);
    QVERIFY(w.form->ListedAccount.isEmpty());
    QCOMPARE(w.env.ctx.ledger.AccountCount, 1);
    QVERIFY(!w.form->LedgerChanged());
    QVERIFY(w.session().CurrentUser.isEmpty()); // the login window emptied it
    QVERIFY(w.form->RunEnded());                // 結束 at the login window ends the run
    QVERIFY(!QFileInfo::exists(w.session().DataRoot + "Amy/Home/Main.qvd")); // nothing saved
}

void UserCommandsTest::ledgerListFromMainWindow() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home", "Trip"});
    w.session().LedgerName = "Home";
    bool closable = false;
    int row = -2;
    QString status;
    // The open ledger's listed account is forgotten before the list shows, so that a ledger
    // opened from it lists an account of the same name on its first click.
    w.form->ListedAccount = "A-現金";
    QString listed = "<not shown>";
    w.env.modal.on<OpenForm>([&](OpenForm& f) {
        closable = f.windowFlags().testFlag(Qt::WindowCloseButtonHint);
        row = f.List1->currentRow();
        status = f.StatusText();
        listed = w.form->ListedAccount;
        f.Cmd6->click();
        return f.result();
    });
    endAtLogin(w);
    QVERIFY(w.form->ToolbarButton(2)->isEnabled());
    w.form->ToolbarButton(2)->trigger();
    QVERIFY(closable);
    QCOMPARE(row, 0);
    QCOMPARE(status, QStringLiteral("共有 2 個帳本"));
    QCOMPARE(listed, QString());
    QCOMPARE(w.form->ListedAccount, QString());
    QCOMPARE(w.env.modal.shown, QStringList({"OpenForm", "LoginForm"}));
}

void UserCommandsTest::logoutForgetsInvoiceList_data() {
    QTest::addColumn<bool>("fromLedgerList");
    QTest::newRow("登出(&O)") << false;
    QTest::newRow("ledger list 登出") << true;
}

// The paper invoices belong to the user who logged out: the same user back after a
// restore sees the restored list, and closing it never writes the old one over it.
void UserCommandsTest::logoutForgetsInvoiceList() {
    QFETCH(bool, fromLedgerList);
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home"});
    w.session().LedgerName = "Home";
    const QString paynum = w.session().DataRoot + "Amy/Paynum.dat";
    const QByteArray restored("\"2010/11/01\",\"22222222\"\r\n\"2010/11/02\",\"33333333\"\r\n");
    QVERIFY(FileIO::writeFileSafely(paynum, "\"2010/11/01\",\"22222222\"\r\n"));
    QList<int> rows;
    w.env.modal.on<NumberListForm>([&](NumberListForm& l) {
        rows << l.Liv1->topLevelItemCount();
        return int(QDialog::Rejected);
    });
    w.form->Tools_NumberList->trigger(); // loads the lottery window with the list

    QVERIFY(FileIO::writeFileSafely(paynum, restored)); // as a restore leaves it
    endAtLogin(w);
    if (fromLedgerList) {
        w.env.modal.on<OpenForm>([](OpenForm& f) {
            f.Cmd6->click();
            return f.result();
        });
        w.form->File_SetDataBase->trigger();
    } else {
        w.form->User_Logout->trigger();
    }
    w.loginAs("Amy", "abc", {"Home"});
    w.form->Tools_NumberList->trigger();
    QCOMPARE(rows, (QList<int>{1, 2}));
    QCOMPARE(w.fileBytes(paynum), restored);
}

void UserCommandsTest::openLedgerRenamedInList() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home", "Trip"});
    const QString user = w.session().userFolder();
    w.session().LedgerName = "Home";
    LedgerBuilder(w.env.ctx.ledger).account(QStringLiteral("A-現金")).account("Equity");
    w.session().Setting.SaveState = "1";
    QString caption;
    QString ledgerFolder;
    QString afterOtherRename;
    w.env.modal.on<OpenForm>([&](OpenForm& f) {
        w.env.prompts.answerText("Voyage"); // another ledger: the open one stays as it is
        f.List1->setCurrentRow(1);
        f.Cmd2->click();
        afterOtherRename = w.session().LedgerName;
        w.env.prompts.answerText("Casa");
        f.List1->setCurrentRow(0);
        f.Cmd2->click();
        caption = w.form->windowTitle();
        ledgerFolder = w.session().ledgerFolder();
        // A later save of the open ledger lands in its renamed folder.
        w.form->SetLedgerChanged(true);
        w.form->ConfirmSaveChanges();
        f.Cmd6->click();
        return f.result();
    });
    endAtLogin(w);
    w.form->File_SetDataBase->trigger();
    QCOMPARE(afterOtherRename, QString("Home"));
    QVERIFY2(caption.contains(QStringLiteral("[Amy：Casa]")), qPrintable(caption));
    QCOMPARE(ledgerFolder, user + "Casa/");
    QVERIFY(QFileInfo::exists(user + "Casa/Main.qvd"));
    QVERIFY(!QFileInfo::exists(user + "Home"));
    QCOMPARE(w.fileBytes(user + "DataBase.lst"), QByteArray("Casa\r\nVoyage\r\n"));
}

void UserCommandsTest::openLedgerDeletedInList() {
    UsersWorld w;
    w.loginAs("Amy", "abc", {"Home", "Trip"});
    const QString user = w.session().userFolder();
    w.session().LedgerName = "Home";
    LedgerBuilder(w.env.ctx.ledger).account(QStringLiteral("A-現金")).account("Equity");
    w.form->SetLedgerChanged(true);
    w.env.prompts.answer(Prompts::Answer::No); // the changes are not saved
    bool closable = true;
    bool cleared = false;
    bool folderBack = true;
    QString caption;
    w.env.modal.on<OpenForm>([&](OpenForm& f) {
        w.env.prompts.answer(Prompts::Answer::Yes);
        f.Cmd3->click();
        closable = f.windowFlags().testFlag(Qt::WindowCloseButtonHint);
        cleared = w.env.ctx.ledger.AccountCount == 1 && !w.form->LedgerChanged();
        caption = w.form->windowTitle();
        // Nothing is left that a save could write into the deleted folder.
        w.session().Setting.SaveState = "1";
        w.form->ConfirmSaveChanges();
        w.form->SaveExpandedState();
        folderBack = QFileInfo::exists(user + "Home");
        f.Cmd1->click(); // Trip, now the first item
        return f.result();
    });
    w.form->File_SetDataBase->trigger();
    QVERIFY(!closable);
    QVERIFY(cleared);
    QVERIFY(!folderBack);
    QCOMPARE(caption, QStringLiteral("Qivoka v4.0.4"));
    QCOMPARE(w.session().LedgerName, QString("Trip"));
    QVERIFY(!QFileInfo::exists(user + "Home"));
    QCOMPARE(w.fileBytes(user + "DataBase.lst"), QByteArray("Trip\r\n"));
}

void UserCommandsTest::aboutSwitch() {
    UsersWorld w;
    auto clicks = [&](AboutForm& f, int n) {
        for (int i = 0; i < n; ++i)
            QTest::mouseClick(f.Image2, Qt::LeftButton);
    };
    {
        AboutForm f(w.env.ctx);
        f.show();
        QCOMPARE(f.Label1->text(), QStringLiteral("Qivo Qivoka v4.0.4"));
        clicks(f, 6);
        QVERIFY(w.env.prompts.shown.isEmpty());
        clicks(f, 1);
        QCOMPARE(w.env.settings.GetSetting("Setting", "AutoBackupState"), QString("0"));
        QCOMPARE(f.windowTitle(), QStringLiteral("關於 Qivo Qivoka")); // not updated by a switch
        clicks(f, 7);
        QCOMPARE(w.env.settings.GetSetting("Setting", "AutoBackupState"), QString("1"));
        clicks(f, 3);
    }
    AboutForm again(w.env.ctx); // a new window counts from zero
    again.show();
    clicks(again, 4);
    QCOMPARE(w.env.prompts.texts("plain"),
             QStringList({QStringLiteral("自動備份已關閉"), QStringLiteral("自動備份已開啟")}));
    again.Command3->click();
    QCOMPARE(w.env.shell.openedUrls.size(), 1);
}

// A switch the settings file did not take is not announced; the failure is.
void UserCommandsTest::aboutSwitchThatCannotBeStored() {
    UsersWorld w;
    QVERIFY(w.env.blockSettingsFile());
    AboutForm f(w.env.ctx);
    for (int i = 0; i < 7; ++i)
        f.Image2_Click();
    QCOMPARE(w.env.prompts.texts(), QStringList{SettingsNotStoredText()});
    QCOMPARE(w.env.settings.GetSetting("Setting", "AutoBackupState", "1"), QString("1"));
}

void UserCommandsTest::aboutCaption() {
    UsersWorld w;
    QVERIFY(w.env.settings.SaveSetting("Setting", "AutoBackupState", ""));
    AboutForm f(w.env.ctx);
    QCOMPARE(f.windowTitle(), QStringLiteral("關於 Qivo Qivoka [自動備份已關閉]"));
    for (int i = 0; i < 7; ++i)
        f.Image2_Click();
    QCOMPARE(w.env.settings.GetSetting("Setting", "AutoBackupState"), QString("1"));
    w.env.modal.on<AboutForm>([](AboutForm& a) {
        a.Command1->click();
        return a.result();
    });
    w.form->Help_About->trigger();
    w.form->ToolbarButton(27)->trigger();
    QCOMPARE(w.env.modal.shown, QStringList({"AboutForm", "AboutForm"}));
}

QTEST_MAIN(UserCommandsTest)
#include "tst_usercommands.moc"
