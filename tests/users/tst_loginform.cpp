#include "support/testfiles.h"
#include "users_fixture.h"

#include "platform/codec.h"
#include "platform/desktop/windowroutines.h"
#include "platform/settingsstore.h"
#include "users/loginform.h"
#include "users/newuserform.h"
#include "users/openform.h"
#include "users/useform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

class LoginFormTest : public QObject {
    Q_OBJECT

private slots:
    void fixedSizeDialog();
    void demoProfileAtFirstStart_data();
    void demoProfileAtFirstStart();
    void refusals_data();
    void refusals();
    void loginSetsState_data();
    void loginSetsState();
    void preselection();
    void automaticLoginOncePerRun();
    void refusedAutomaticLoginShowsFields();
    void roadThroughLedgerList();
    void automaticOpening();
    void newUserWithoutLedgers();
    void endClosesMainWindow();
    void damagedLedgerFallsBackToList();
    void conversionFailureReturnsToLogin();
    void dataFolderCommands();
    void dataFolderCommandsThatCannotStore();
    void newUser_data();
    void newUser();
    void newUserFillsLogin();
    void newUserEscapeCancels();
};

void LoginFormTest::refusals_data() {
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("fieldsEmptied");
    const QString unknown =
        QStringLiteral("目前軟體內沒有 %1 這個帳號，請檢查資料庫路徑或使用備份還原帳號");
    QTest::newRow("unknown user") << "Bob"
                                  << "abc" << unknown.arg("Bob") << true;
    QTest::newRow("outside the data folder") << "../Amy"
                                             << "abc" << unknown.arg("../Amy") << true;
    QTest::newRow("data folder itself") << ""
                                        << "abc" << unknown.arg("") << true;
    QTest::newRow("dot") << "."
                         << "abc" << unknown.arg(".") << true;
    QTest::newRow("no password file")
        << "NoPwd"
        << "abc" << QStringLiteral("找不到 DataBase.pwd 檔案，請檢查") << false;
    QTest::newRow("damaged password file")
        << "Damaged"
        << "abc"
        << QStringLiteral(
               "無法取得密碼設定，資料可能已經損壞!\r\n\r\n請試著還原備份看看能否恢復正常。")
        << false;
    QTest::newRow("wrong password") << "Amy"
                                    << "ABC" << QStringLiteral("密碼不正確，請重新輸入!") << false;
}

void LoginFormTest::refusals() {
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(bool, fieldsEmptied);
    UsersWorld w;
    w.addUser("Amy", "abc", {"Home"});
    QDir().mkpath(w.session().DataRoot + "NoPwd");
    w.addUser("Damaged", "abc");
    TestFiles::put(w.session().DataRoot + "Damaged/DataBase.pwd", "not hex\r\n");

    LoginForm login(w.env.ctx, *w.users);
    login.Form_Load();
    login.Combo1->setEditText(user);
    login.Text2->setText(password);
    login.cmdOK->click();

    QCOMPARE(w.env.prompts.texts("warning"), QStringList{message});
    QVERIFY(!login.LoggedIn());
    QVERIFY(w.form->LoginAttempted);
    QVERIFY(w.session().CurrentUser.isEmpty());
    QCOMPARE(login.Combo1->currentText().isEmpty(), fieldsEmptied || user.isEmpty());
    QCOMPARE(login.Text2->text().isEmpty(), fieldsEmptied);
}

void LoginFormTest::loginSetsState_data() {
    QTest::addColumn<bool>("autoLogin");
    QTest::addColumn<QStringList>("ledgers");
    QTest::newRow("automatic login ticked") << true << QStringList{"Home", "Trip"};
    QTest::newRow("not ticked, no ledger") << false << QStringList{};
}

void LoginFormTest::loginSetsState() {
    QFETCH(bool, autoLogin);
    QFETCH(QStringList, ledgers);
    UsersWorld w;
    w.addUser(QStringLiteral("小明"), QStringLiteral("密碼ab"), ledgers);
    w.session().Setting.AutoLoginUsername = "old";
    w.session().Setting.AutoLoginPassword = "old";

    LoginForm login(w.env.ctx, *w.users);
    login.Form_Load();
    login.Combo1->setEditText(QStringLiteral("小明"));
    login.Text2->setText(QStringLiteral("密碼ab"));
    login.Check1->setChecked(autoLogin);
    login.cmdOK->click();

    QVERIFY(login.LoggedIn());
    QVERIFY(w.env.prompts.shown.isEmpty());
    QCOMPARE(login.Ledgers(), ledgers);
    QCOMPARE(w.session().CurrentUser, QStringLiteral("小明"));
    QCOMPARE(w.session().UserPassword, QStringLiteral("密碼ab"));
    QCOMPARE(w.env.settings.GetSetting("Setting", "UserName"), QStringLiteral("小明"));
    QCOMPARE(w.session().Setting.AutoLoginState, autoLogin ? QString("1") : QString("0"));
    QCOMPARE(w.session().Setting.AutoLoginUsername, autoLogin ? QStringLiteral("小明") : QString());
    QCOMPARE(w.session().Setting.AutoLoginPassword,
             autoLogin ? QStringLiteral("密碼ab") : QString());
    QCOMPARE(w.users->FirstUse, ledgers.isEmpty() ? QString("1") : QString("0"));
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Qivoka v4.0.4"));
}

void LoginFormTest::preselection() {
    UsersWorld w;
    w.addUser("Amy", "abc");
    w.addUser("Test", "583");
    QVERIFY(w.env.settings.SaveSetting("Setting", "UserName", "Amy"));
    {
        LoginForm login(w.env.ctx, *w.users);
        login.Form_Load();
        QCOMPARE(login.Combo1->currentText(), QString("Amy"));
        QCOMPARE(login.Combo1->count(), 2);
        QCOMPARE(login.Label2->text(), QStringLiteral("歡迎使用Qivoka v4.0.4"));
        QCOMPARE(login.windowTitle(), QStringLiteral("登入"));
        QVERIFY(!login.Misc_Data->isEnabled());
    }
    QVERIFY(w.env.settings.SaveSetting("Setting", "UserName", "amy")); // case matters
    w.session().Setting.MyDataBasePath = w.session().DataRoot;
    LoginForm login(w.env.ctx, *w.users);
    login.Form_Load();
    QCOMPARE(login.Combo1->currentText(), QString());
    QCOMPARE(login.windowTitle(), w.session().DataRoot);
    QVERIFY(login.Misc_Data->isEnabled());
}

void LoginFormTest::automaticLoginOncePerRun() {
    UsersWorld w;
    w.addUser("Amy", "abc", {"Home"});
    SettingMirrors& m = w.session().Setting;
    m.AutoLoginState = "1";
    m.AutoLoginUsername = "Amy";
    m.AutoLoginPassword = "abc";
    {
        LoginForm login(w.env.ctx, *w.users);
        login.Form_Load();
        QVERIFY(login.LoggedIn()); // before it was ever shown
        QVERIFY(w.form->LoginAttempted);
    }
    // After a logout the same settings log in no more.
    LoginForm again(w.env.ctx, *w.users);
    again.Form_Load();
    QVERIFY(!again.LoggedIn());
    QVERIFY(again.Check1->isChecked());
    QVERIFY(w.session().CurrentUser.isEmpty());
}

void LoginFormTest::refusedAutomaticLoginShowsFields() {
    UsersWorld w;
    w.addUser("Amy", "abc");
    SettingMirrors& m = w.session().Setting;
    m.AutoLoginState = "1";
    m.AutoLoginUsername = "Amy";
    m.AutoLoginPassword = "changed";
    LoginForm login(w.env.ctx, *w.users);
    login.Form_Load();
    QVERIFY(!login.LoggedIn());
    QCOMPARE(w.env.prompts.texts(), QStringList{QStringLiteral("密碼不正確，請重新輸入!")});
    QCOMPARE(login.Combo1->currentText(), QString("Amy"));
    QCOMPARE(login.Text2->text(), QString("changed"));
    QVERIFY(login.Check1->isChecked());
}

namespace {
// Logs in at the first showing of the login window and ends the program at any later one,
// so that a road that returns to the login window cannot go round for ever.
void scriptLogin(UsersWorld& w, const QString& user, const QString& password) {
    auto shown = std::make_shared<int>(0);
    w.env.modal.on<LoginForm>([user, password, shown](LoginForm& f) {
        if ((*shown)++ == 0) {
            f.Combo1->setEditText(user);
            f.Text2->setText(password);
            f.cmdOK->click();
        } else {
            f.cmdCancel->click();
        }
        return f.result();
    });
}

void declineApply(UsersWorld& w) {
    w.env.modal.on<UseForm>([](UseForm& f) {
        f.Command2->click();
        return f.result();
    });
}
} // namespace

void LoginFormTest::roadThroughLedgerList() {
    UsersWorld w;
    w.addUser("Amy", "abc", {"Home", "Trip"});
    declineApply(w);
    QStringList calls;
    w.users->CheckMemoReminders = [&] { calls << "memo"; };
    w.users->CheckRecordReminders = [&] { calls << "records"; };
    w.users->CheckDueRecurring = [&] { calls << "recurring"; };
    scriptLogin(w, "Amy", "abc");
    QString caption;
    bool closable = true;
    w.env.modal.on<OpenForm>([&](OpenForm& f) {
        caption = f.windowTitle();
        closable = f.windowFlags().testFlag(Qt::WindowCloseButtonHint);
        f.List1->setCurrentRow(1);
        f.Cmd1->click();
        return f.result();
    });

    w.form->Form_Load();

    QCOMPARE(w.env.modal.shown, QStringList({"LoginForm", "OpenForm", "UseForm"}));
    QCOMPARE(caption, QStringLiteral("Amy 的帳本清單"));
    QVERIFY(!closable);
    QCOMPARE(w.session().CurrentUser, QString("Amy"));
    QCOMPARE(w.session().LedgerName, QString("Trip"));
    QVERIFY2(w.form->windowTitle().contains(QStringLiteral("[Amy：Trip]")),
             qPrintable(w.form->windowTitle()));
    QVERIFY(w.form->NodeCount() > 5);
    QCOMPARE(calls, QStringList({"memo", "records", "recurring"}));
    QVERIFY(w.users->MemoCheckDone);
    QCOMPARE(w.env.prompts.pendingAnswers(), 0);
}

void LoginFormTest::automaticOpening() {
    UsersWorld w;
    w.addUser("Amy", "abc", {"Home", "Trip"});
    QVERIFY(w.env.settings.SaveSetting("Setting", "AutoOpenState", "1"));
    scriptLogin(w, "Amy", "abc");
    declineApply(w);
    w.form->Form_Load();
    QCOMPARE(w.env.modal.shown, QStringList({"LoginForm", "UseForm"}));
    QCOMPARE(w.session().LedgerName, QString("Home"));
}

void LoginFormTest::newUserWithoutLedgers() {
    UsersWorld w;
    w.addUser("Amy", "abc");
    // Nothing to open: the list comes all the same.
    QVERIFY(w.env.settings.SaveSetting("Setting", "AutoOpenState", "1"));
    scriptLogin(w, "Amy", "abc");
    w.env.prompts.answerText(QStringLiteral("家用"));
    w.env.prompts.answer(Prompts::Answer::Yes); // the first-use question
    QList<bool> enabledBefore;
    w.env.modal.on<OpenForm>([&](OpenForm& f) {
        for (QPushButton* b : {f.Cmd1, f.Cmd2, f.Cmd3, f.Cmd4})
            enabledBefore << b->isEnabled();
        f.Cmd5->click();
        f.Cmd1->click();
        return f.result();
    });
    w.form->Form_Load();

    QCOMPARE(enabledBefore, QList<bool>({false, false, false, false}));
    QCOMPARE(w.session().LedgerName, QStringLiteral("家用"));
    QCOMPARE(w.fileBytes(w.session().DataRoot + "Amy/DataBase.lst"),
             Ansi::encode(QStringLiteral("家用")) + "\r\n");
    QCOMPARE(w.env.prompts.texts("question").size(), 1);
    QCOMPARE(w.env.shell.openedUrls.size(), 1);
    QCOMPARE(w.users->FirstUse, QString("0"));
    // Nine default accounts and the two opening entries.
    QCOMPARE(w.env.ctx.ledger.AccountCount, 10);
    QCOMPARE(w.env.ctx.ledger.EntryCount, 3);
}

void LoginFormTest::endClosesMainWindow() {
    UsersWorld w;
    w.addUser("Amy", "abc");
    QVERIFY(w.env.settings.SaveSetting("Setting", "AutoLoginUsername", "Amy"));
    w.env.modal.on<LoginForm>([](LoginForm& f) {
        f.Check1->setChecked(false);
        f.cmdCancel->click();
        return f.result();
    });
    w.form->Form_Load();
    QVERIFY(w.form->RunEnded());
    QCOMPARE(w.processEnds, 1);
    QVERIFY(w.session().CurrentUser.isEmpty());
    QCOMPARE(w.env.settings.GetSetting("Setting", "AutoLoginUsername", "x"), QString());
    QVERIFY(w.env.prompts.shown.isEmpty());
}

void LoginFormTest::damagedLedgerFallsBackToList() {
    UsersWorld w;
    const QString user = w.addUser("Amy", "abc", {"Broken", "Home"});
    TestFiles::put(user + "Broken/Main.qvd", QByteArray(284, '\x7f')); // unknown tags
    TestFiles::put(user + "Broken/Accounts.qvd", QByteArray());
    TestFiles::put(user + "Home/Accounts.qvd", QByteArray());
    QVERIFY(w.env.settings.SaveSetting("Setting", "AutoOpenState", "1"));
    scriptLogin(w, "Amy", "abc");
    w.env.modal.on<OpenForm>([](OpenForm& f) {
        f.List1->setCurrentRow(1);
        f.Cmd1->click();
        return f.result();
    });
    w.form->Form_Load();
    QCOMPARE(w.env.modal.shown, QStringList({"LoginForm", "OpenForm"}));
    QCOMPARE(w.env.prompts.texts("warning").size(), 1); // the loader's own message
    QCOMPARE(w.session().LedgerName, QString("Home"));
}

void LoginFormTest::conversionFailureReturnsToLogin() {
    UsersWorld w;
    const QString user = w.addUser("Amy", "abc", {"Old"});
    TestFiles::put(user + "Old/Main.qvm", QByteArray(272, ' '));
    int logins = 0;
    w.env.modal.on<LoginForm>([&](LoginForm& f) {
        if (++logins == 1) {
            f.Combo1->setEditText("Amy");
            f.Text2->setText("abc");
            f.cmdOK->click();
        } else {
            f.cmdCancel->click();
        }
        return f.result();
    });
    {
        const TestFiles::FileSizeLimit full(200); // the converted file cannot be written whole
        w.form->Form_Load();
    }
    QCOMPARE(logins, 2);
    // The disk is full for the settings file of the exit too, and the user is told.
    QCOMPARE(w.env.prompts.texts("warning"),
             QStringList({QStringLiteral("發生錯誤!"), SettingsNotStoredText()}));
    QVERIFY(w.session().CurrentUser.isEmpty());
    QVERIFY(QFileInfo::exists(user + "Old/Main.qvm"));
}

void LoginFormTest::dataFolderCommands() {
    UsersWorld w;
    LoginForm login(w.env.ctx, *w.users);
    login.Form_Load();
    w.env.prompts.answerPath("/data/a?b");
    login.Misc_SetPath->trigger();
    w.env.prompts.answerPath(QStringLiteral("/data/表😀"));
    login.Misc_SetPath->trigger();
    QCOMPARE(w.env.settings.GetSetting("Setting", "MyDataBasePath", "unset"), QString("unset"));
    w.env.prompts.answerPath("");
    login.Misc_SetPath->trigger();
    w.env.prompts.answerPath(QStringLiteral("/data/帳本"));
    login.Misc_SetPath->trigger();
    QCOMPARE(w.env.settings.GetSetting("Setting", "MyDataBasePath"), QStringLiteral("/data/帳本/"));
    login.Misc_Data->setEnabled(true);
    login.Misc_Data->trigger();
    QCOMPARE(w.env.settings.GetSetting("Setting", "MyDataBasePath", "unset"), QString());
    const QString refused = QStringLiteral(
        "\r\n\r\n無法使用此資料夾！\r\n\r\n路徑名稱可能含有軟體不支援的文字，請改選其他資料夾！");
    QStringList boxes;
    for (const ShownBox& box : w.env.prompts.shown)
        if (box.kind != "browseFolder") boxes << box.text;
    QCOMPARE(boxes,
             QStringList(
                 {"/data/a?b" + refused, QStringLiteral("/data/表😀") + refused,
                  QStringLiteral("/data/帳本/\r\n\r\n資料庫路徑已變更至此路徑，請重開軟體才會生效"),
                  QStringLiteral("資料庫路徑已回復預設路徑，請重開軟體才會生效")}));
    QCOMPARE(w.session().DataRoot, w.env.path("DataBase/")); // only the next start uses it
}

// The commands announce a new data folder only once the settings file holds it; a path the
// file did not take is reported.
void LoginFormTest::dataFolderCommandsThatCannotStore() {
    UsersWorld w;
    LoginForm login(w.env.ctx, *w.users);
    login.Form_Load();
    QVERIFY(w.env.blockSettingsFile());
    w.env.prompts.answerPath(w.env.path("data"));
    login.Misc_SetPath->trigger();
    login.Misc_Data->setEnabled(true);
    login.Misc_Data->trigger();
    QCOMPARE(w.env.prompts.texts("information"), QStringList());
    QCOMPARE(w.env.prompts.texts("warning"),
             QStringList({SettingsNotStoredText(), SettingsNotStoredText()}));
    QCOMPARE(w.env.prompts.shown.size(), 3); // the folder picker and the two warnings
}

void LoginFormTest::newUser_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("again");
    QTest::addColumn<QString>("message"); // empty: created
    QTest::addColumn<QString>("folder");
    const QString format = QStringLiteral("密碼格式不正確，請輸入3-16個英文或數字");
    const QString exists = QStringLiteral("帳號名稱已存在，請使用其他名稱");
    QTest::newRow("no name") << ""
                             << "abc"
                             << "abc" << QStringLiteral("您還沒輸入帳號名稱") << "";
    QTest::newRow("no password") << "Bo"
                                 << ""
                                 << "abc" << QStringLiteral("您還沒輸入密碼") << "";
    QTest::newRow("no repeat") << "Bo"
                               << "abc"
                               << "" << QStringLiteral("您還沒輸入密碼") << "";
    QTest::newRow("2 characters") << "Bo"
                                  << "ab"
                                  << "ab" << format << "";
    QTest::newRow("17 characters") << "Bo" << QString(17, 'a') << QString(17, 'a') << format << "";
    QTest::newRow("outside cp950") << "Bo"
                                   << "ab😀"
                                   << "ab😀" << format << "";
    QTest::newRow("different") << "Bo"
                               << "abc"
                               << "abd" << QStringLiteral("兩次輸入的密碼不一樣，請重新輸入") << "";
    QTest::newRow("blanks only") << "   "
                                 << "abc"
                                 << "abc" << exists << "";
    QTest::newRow("existing") << "Amy"
                              << "abc"
                              << "abc" << exists << "";
    QTest::newRow("slash") << "a/b"
                           << "abc"
                           << "abc" << QStringLiteral("帳號名稱中不可包含 \\/:*?\"<>| 字元") << "";
    QTest::newRow("dotdot") << ".."
                            << "abc"
                            << "abc" << QStringLiteral("帳號名稱不可以是「.」或「..」") << "";
    QTest::newRow("U+0001") << "a\x01"
                               "b"
                            << "abc"
                            << "abc" << QStringLiteral("帳號名稱中不可包含換行或其他控制字元")
                            << "";
    QTest::newRow("line feed") << "a\nb"
                               << "abc"
                               << "abc" << QStringLiteral("帳號名稱中不可包含換行或其他控制字元")
                               << "";
    QTest::newRow("comma") << "a,b"
                           << "abc"
                           << "abc" << QStringLiteral("帳號名稱中不可包含逗號「,」") << "";
    QTest::newRow("name outside cp950")
        << "a😀"
        << "abc"
        << "abc" << QStringLiteral("帳號名稱不可以包含軟體不支援的文字!") << "";
    QTest::newRow("too long") << QString(21, 'a') << "abc"
                              << "abc"
                              << QStringLiteral("帳號名稱最多20個字元 (一個中文字算2個字元)") << "";
    QTest::newRow("3 characters, trimmed") << "  Bo  "
                                           << "abc"
                                           << "abc"
                                           << ""
                                           << "Bo";
    QTest::newRow("16 symbols") << QStringLiteral("小明") << QString(16, '#') << QString(16, '#')
                                << "" << QStringLiteral("小明");
}

void LoginFormTest::newUser() {
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, again);
    QFETCH(QString, message);
    QFETCH(QString, folder);
    UsersWorld w;
    w.addUser("Amy", "abc");
    const QStringList before =
        QDir(w.session().DataRoot).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    NewUserForm form(w.env.ctx);
    form.Text1->setText(name);
    form.Text2->setText(password);
    form.Text3->setText(again);
    form.Cmd1->click();

    if (message.isEmpty()) {
        QVERIFY(w.env.prompts.shown.isEmpty());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.CreatedUser(), folder);
        QCOMPARE(form.Text1->text(), folder);
        QCOMPARE(UserFiles::readPassword(w.session().DataRoot + folder + "/"), password);
        QCOMPARE(w.fileBytes(w.session().DataRoot + folder + "/DataBase.lst"), QByteArray());
    } else {
        QCOMPARE(w.env.prompts.texts("warning"), QStringList{message});
        QCOMPARE(QDir(w.session().DataRoot).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 before);
        QCOMPARE(form.Text2->text(), password); // the typed input stays
    }
}

void LoginFormTest::newUserFillsLogin() {
    UsersWorld w;
    w.env.modal.on<NewUserForm>([](NewUserForm& f) {
        f.Text1->setText("Bo");
        f.Text2->setText("abc");
        f.Text3->setText("abc");
        f.Cmd1->click();
        return f.result();
    });
    LoginForm login(w.env.ctx, *w.users);
    login.Form_Load();
    login.show();
    QTest::mouseClick(login.Cmd1, Qt::LeftButton);
    QCOMPARE(login.Combo1->currentText(), QString("Bo"));
    QCOMPARE(login.Text2->text(), QString("abc"));
    // The step done, the keyboard is on 登入: Enter logs in instead of making a user again.
    QCOMPARE(login.focusWidget(), login.cmdOK);
    QTest::keyClick(login.focusWidget(), Qt::Key_Return);
    QVERIFY(login.LoggedIn());
}

void LoginFormTest::newUserEscapeCancels() {
    UsersWorld w;
    const QStringList before =
        QDir(w.session().DataRoot).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    NewUserForm form(w.env.ctx);
    form.show();
    QTest::keyClicks(form.Text1, "Bo");
    QTest::keyClick(form.Text1, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(form.CreatedUser().isEmpty());
    QCOMPARE(QDir(w.session().DataRoot).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

// The login window's invitation (帳號 Test 密碼 583) works from the first start on: the start
// that makes the data folder puts the demo profile into it; later starts add nothing.
void LoginFormTest::demoProfileAtFirstStart_data() {
    QTest::addColumn<bool>("firstStart");
    QTest::newRow("first start") << true;
    QTest::newRow("data folder there") << false;
}

void LoginFormTest::demoProfileAtFirstStart() {
    QFETCH(bool, firstStart);
    UsersWorld w;
    w.env.clock.setToday(QDate(2026, 12, 10));
    w.session().AppFolder = w.env.path("program/");
    QDir().mkpath(w.session().AppFolder);
    if (!firstStart) QDir().mkpath(w.session().AppFolder + "DataBase");
    QString preselected;
    QStringList boxes;
    w.env.modal.on<LoginForm>([&](LoginForm& f) {
        preselected = f.Combo1->currentText();
        f.Text2->setText("583");
        f.cmdOK->click();
        boxes = w.env.prompts.texts();
        if (f.isVisible()) f.cmdCancel->click(); // no such user: the run ends
        return f.result();
    });
    w.env.modal.on<OpenForm>([](OpenForm& f) {
        f.Cmd1->click();
        return f.result();
    });
    w.form->Form_Load();
    const QString user = w.session().DataRoot + "Test/";
    QCOMPARE(preselected, firstStart ? QString("Test") : QString());
    if (!firstStart) {
        QVERIFY(!QFileInfo::exists(user));
        QCOMPARE(boxes.size(), 1); // the account does not exist
        return;
    }
    QCOMPARE(boxes, QStringList());
    QCOMPARE(w.fileBytes(user + "DataBase.lst"), Ansi::encode(QStringLiteral("範例帳本\r\n")));
    QCOMPARE(w.session().CurrentUser, QString("Test"));
    QCOMPARE(w.session().LedgerName, QStringLiteral("範例帳本"));
    const Ledger& ledger = w.env.ctx.ledger;
    QCOMPARE(ledger.AccountCount, 10); // the accounts of every new ledger
    QVERIFY(ledger.EntryCount >= 5);
    QStringList entries; // after the opening entries of a new ledger
    for (int i = ledger.EntryCount - 4; i < ledger.EntryCount; ++i)
        entries << ledger.Entries[size_t(i)].Date.text() + " " +
                       ledger.Entries[size_t(i)].Account1.trimmed() + " " +
                       ledger.Entries[size_t(i)].Account2.trimmed();
    QCOMPARE(entries, QStringList({"2026/12/07 I-薪資 A-現金", "2026/12/08 E-餐飲費 A-現金",
                                   "2026/12/09 E-交通費 L-信用卡", "2026/12/10 L-信用卡 A-現金"}));
}

// The login window is a fixed dialog: no maximise button, nothing to resize.
void LoginFormTest::fixedSizeDialog() {
    UsersWorld w;
    LoginForm form(w.env.ctx, *w.users);
    PlaceDialog(form);
    form.show();
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags().testFlag(Qt::CustomizeWindowHint));
}

QTEST_MAIN(LoginFormTest)
#include "tst_loginform.moc"
