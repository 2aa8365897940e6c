#include "users_fixture.h"

#include "platform/codec.h"
#include "platform/settingsstore.h"
#include "store/backuppackage.h"
#include "support/testfiles.h"
#include "users/loginform.h"
#include "users/openform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

const QString kFilter = QStringLiteral("Qivo備份 (*.qvk)|*.qvk");
const QString kNotAPackage = QStringLiteral("這個檔案不是Qivo備份檔案!");
const QString kNotFound = QStringLiteral("找不到這個檔案!");
const QString kInDataFolder = QStringLiteral("您選擇的位置是Qivo資料夾，不可以還原這裡的資料!");
const QString kQuestion = QStringLiteral("確定要還原資料嗎？");
const QString kRestored = QStringLiteral("還原資料完成");
const QString kRestoreFailed = QStringLiteral("還原備份沒有完成，請再試一次!");
const QString kSaveFailed = QStringLiteral("備份沒有完成，請再試一次!");

// A package written by hand: owner (20), list length (10), list lines, file bytes.
QByteArray package(const QString& owner, const QList<std::pair<QString, QByteArray>>& files) {
    QByteArray list;
    QByteArray data;
    for (const auto& [path, bytes] : files) {
        list += Ansi::encode(path) + '\x01' + QByteArray::number(bytes.size()) + "\r\n";
        data += bytes;
    }
    return Ansi::fixedField(owner, 20) + Ansi::fixedField(QString::number(list.size()), 10) + list +
           data;
}

QByteArray amyPackage() {
    return package("Amy", {{"Home\\Main.qvd", "packed main"}, {"DataBase.lst", "Home\r\n"}});
}

// Amy logged in with two ledgers, her ledger list window filled; a folder for backups.
struct BackupWorld : UsersWorld {
    QString user;
    QString backups;
    std::unique_ptr<OpenForm> list;

    BackupWorld() {
        loginAs("Amy", "abc", {"Home", "Trip"});
        user = session().userFolder();
        backups = env.path("backups/");
        QDir().mkpath(backups);
        writeFixtureBytes(user + "Home/Main.qvd", "current main");
        list = std::make_unique<OpenForm>(env.ctx, *users);
        list->Fill({"Home", "Trip"});
        users->LedgerListChanged = false;
    }

    QString storedBackupPath() const {
        return env.settings.GetSetting("Setting", "BackupPath", "<unset>");
    }
    QStringList dataRootFiles() const {
        return QDir(env.ctx.session.DataRoot).entryList(QDir::Files);
    }
    // The texts of the boxes shown after the file dialog.
    QStringList boxes() const { return env.prompts.texts().mid(1); }
    bool loggedOut() const { return list->result() == int(OpenForm::LoggedOut); }
    void click(const QString& command) { list->findChild<QPushButton*>(command)->click(); }
    // The restore of the login window, nobody logged in.
    void restoreAtLogin() {
        session().CurrentUser.clear();
        LoginForm login(env.ctx, *users);
        login.Command1->click();
    }
};

} // namespace

class BackupCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void buttonsEnabled();
    void saveBackup();
    void saveRefusedOrCancelled_data();
    void saveRefusedOrCancelled();
    void saveFailures();
    void restoreFromList_data();
    void restoreFromList();
    void restoreChecks_data();
    void restoreChecks();
    void restoreOfAnotherUser();
    void damagedPackageWritesNothing_data();
    void damagedPackageWritesNothing();
    void restoreAutomaticBackup();
    void restoreBeforeLoginCreatesOwner();
    void restoreBeforeLoginOfExistingOwner_data();
    void restoreBeforeLoginOfExistingOwner();
    void restoreBeforeLoginRefusesUnsafeOwner_data();
    void restoreBeforeLoginRefusesUnsafeOwner();
    void dataFolderAliasesRefused_data();
    void dataFolderAliasesRefused();
    void restoreKeepsTodaysAutomaticCopy_data();
    void restoreKeepsTodaysAutomaticCopy();
};

void BackupCommandsTest::buttonsEnabled() {
    BackupWorld w;
    for (const char* name : {"Command3", "Command4", "Command5"})
        QVERIFY2(w.list->findChild<QPushButton*>(name)->isEnabled(), name);
    LoginForm login(w.env.ctx, *w.users);
    QVERIFY(login.Command1->isEnabled());
}

void BackupCommandsTest::saveBackup() {
    BackupWorld w;
    // A changed order reaches the package and the list file before the dialog.
    w.list->List1->setCurrentRow(1);
    w.list->Cmd8->click();
    w.env.prompts.answerPath(w.backups + "mine.qvk");
    w.list->Command3->click();

    const ShownBox dialog = w.env.prompts.shown.first();
    QCOMPARE(dialog.kind, QStringLiteral("saveFile"));
    QCOMPARE(dialog.text, QStringLiteral("儲存檔案"));
    QCOMPARE(dialog.filter, kFilter);
    QCOMPARE(dialog.defaultText, QStringLiteral("Amy 20240115.qvk"));
    QCOMPARE(w.env.prompts.texts("information"), QStringList{QStringLiteral("備份資料完成")});
    QCOMPARE(w.fileBytes(w.user + "DataBase.lst"), QByteArray("Trip\r\nHome\r\n"));
    QVERIFY(!w.users->LedgerListChanged);
    QCOMPARE(w.storedBackupPath(), w.backups);
    QVERIFY(w.dataRootFiles().isEmpty()); // the working package is gone

    // The copy is the package of the data as it is now, byte for byte.
    const QByteArray saved = w.fileBytes(w.backups + "mine.qvk");
    QVERIFY(BuildBackupPackage(w.env.ctx).written);
    QCOMPARE(saved, w.fileBytes(BackupPackagePath(w.session())));
    QVERIFY(saved.contains("Trip\r\nHome\r\n"));
    QVERIFY(TestFiles::ownerOnly(w.backups + "mine.qvk"));

    // The next backup proposes the same folder and today's name.
    w.env.prompts.clear();
    w.env.prompts.answerPath(QString());
    w.list->Command3->click();
    QCOMPARE(w.env.prompts.shown.first().defaultText, w.backups + "Amy 20240115.qvk");
}

void BackupCommandsTest::saveRefusedOrCancelled_data() {
    QTest::addColumn<QString>("where"); // "", "data", "user"
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");
    QTest::newRow("cancelled") << ""
                               << ""
                               << "before/";
    QTest::newRow("data folder") << "data"
                                 << QStringLiteral("您選擇的位置是Qivo資料夾，不可以備份到這裡!")
                                 << "before/";
    QTest::newRow("user folder accepted") << "user" << QStringLiteral("備份資料完成") << "user";
}

void BackupCommandsTest::saveRefusedOrCancelled() {
    QFETCH(QString, where);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    BackupWorld w;
    QVERIFY(w.env.settings.SaveSetting("Setting", "BackupPath", "before/"));
    const QString folder = where == u"data"   ? w.session().DataRoot
                           : where == u"user" ? w.user
                                              : QString();
    w.env.prompts.answerPath(where.isEmpty() ? QString() : folder + "x.qvk");
    w.list->Command3->click();

    QCOMPARE(w.env.prompts.shown.first().defaultText, QStringLiteral("before/Amy 20240115.qvk"));
    QCOMPARE(w.env.prompts.texts("information"),
             message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(w.storedBackupPath(), stored == u"user" ? w.user : stored);
    QCOMPARE(QFileInfo::exists(folder + "x.qvk"), where == u"user");
    QVERIFY(w.dataRootFiles().isEmpty());
}

void BackupCommandsTest::saveFailures() {
    // The chosen place cannot take the file (a folder of that name is there).
    BackupWorld w;
    QVERIFY(w.env.settings.SaveSetting("Setting", "BackupPath", w.backups));
    QDir().mkpath(w.backups + "taken.qvk");
    w.env.prompts.answerPath(w.backups + "taken.qvk");
    w.list->Command3->click();
    QCOMPARE(w.env.prompts.texts("warning"), QStringList{kSaveFailed});
    QVERIFY(w.env.prompts.texts("information").isEmpty());
    QCOMPARE(w.storedBackupPath(), QString());
    QVERIFY(w.dataRootFiles().isEmpty());
    w.env.prompts.clear();
    w.env.prompts.answerPath(QString());
    w.list->Command3->click();
    QCOMPARE(w.env.prompts.shown.first().defaultText, QStringLiteral("Amy 20240115.qvk"));

    // The list file cannot be written: no backup of a list the user does not see, and the
    // changed list is still to be stored.
    BackupWorld v;
    v.list->Cmd9->click();
    QFile::remove(v.user + "DataBase.lst");
    QDir().mkpath(v.user + "DataBase.lst/blocked");
    v.list->Command3->click();
    QCOMPARE(v.env.prompts.texts(), QStringList({QStringLiteral("發生錯誤!"), kSaveFailed}));
    QVERIFY(v.users->LedgerListChanged);
    QVERIFY(v.dataRootFiles().isEmpty());
}

void BackupCommandsTest::restoreFromList_data() {
    QTest::addColumn<bool>("fromMainWindow");
    QTest::newRow("shown at login") << false;
    QTest::newRow("shown from the main window with a ledger open") << true;
}

void BackupCommandsTest::restoreFromList() {
    QFETCH(bool, fromMainWindow);
    BackupWorld w;
    QVERIFY(w.env.settings.SaveSetting("Setting", "AutoBackupState", "0"));
    QVERIFY(w.env.settings.SaveSetting("Setting", "BackupPath", w.backups));
    writeFixtureBytes(w.backups + "Amy.qvk", amyPackage());
    if (fromMainWindow) {
        w.session().LedgerName = "Home";
        w.env.ctx.ledger.addAccount(AccountRecord());
        w.list->SetOpenLedger("Home");
    }
    // A changed list is dropped: the restored list file is what counts.
    w.list->Cmd9->click();
    w.env.prompts.answerPath(w.backups + "Amy.qvk");
    w.env.prompts.answer(Prompts::Answer::Yes);
    w.list->Command4->click();

    const ShownBox dialog = w.env.prompts.shown.first();
    QCOMPARE(dialog.kind, QStringLiteral("openFile"));
    QCOMPARE(dialog.text, QStringLiteral("開啟檔案"));
    QCOMPARE(dialog.filter, kFilter);
    QCOMPARE(dialog.defaultText, w.backups + "Amy.qvk");
    QCOMPARE(w.boxes(), QStringList({kQuestion, kRestored}));
    QCOMPARE(w.fileBytes(w.user + "Home/Main.qvd"), QByteArray("packed main"));
    QCOMPARE(w.fileBytes(w.user + "DataBase.lst"), QByteArray("Home\r\n"));
    QVERIFY(QFileInfo::exists(w.user + "Trip")); // not in the package, left alone
    QVERIFY(w.loggedOut());
    QVERIFY(!w.users->LedgerListChanged);
    QCOMPARE(w.env.ctx.ledger.AccountCount, 1); // the open ledger is dropped, not saved
    QCOMPARE(w.form->windowTitle(), ProgramCaption);
    QVERIFY(w.dataRootFiles().isEmpty());
    QCOMPARE(w.session().Setting.BackupPath, w.backups);
}

void BackupCommandsTest::restoreChecks_data() {
    QTest::addColumn<QString>("command"); // list, system, login
    QTest::addColumn<QString>("where");   // backups, data, user
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("message"); // the question when all checks pass
    for (const char* command : {"list", "system", "login"}) {
        const bool system = QByteArray(command) == "system";
        auto row = [&](const char* what) -> QTestData& {
            return QTest::addRow("%s: %s", command, what) << QString(command);
        };
        row("upper-case ending") << "backups"
                                 << "A.QVK" << true << kQuestion;
        row("other ending") << "backups"
                            << "A.qvk.txt" << true << kNotAPackage;
        row("missing, other ending") << "backups"
                                     << "A.txt" << false << (system ? kNotFound : kNotAPackage);
        row("missing") << "backups"
                       << "A.qvk" << false << kNotFound;
        row("data folder") << "data"
                           << "A.qvk" << true << kInDataFolder;
        row("user folder") << "user"
                           << "A.qvk" << true << kQuestion;
    }
}

void BackupCommandsTest::restoreChecks() {
    QFETCH(QString, command);
    QFETCH(QString, where);
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(QString, message);
    BackupWorld w;
    const QString folder = where == u"data"   ? w.session().DataRoot
                           : where == u"user" ? w.user
                                              : w.backups;
    if (exists) writeFixtureBytes(folder + name, amyPackage());
    w.env.prompts.answerPath(folder + name);
    if (message == kQuestion) w.env.prompts.answer(Prompts::Answer::No);
    if (command == u"login")
        w.restoreAtLogin();
    else
        w.click(command == u"list" ? "Command4" : "Command5");
    QCOMPARE(w.boxes(), QStringList{message});
    QCOMPARE(w.env.prompts.pendingAnswers(), 0);
    QCOMPARE(w.fileBytes(w.user + "Home/Main.qvd"), QByteArray("current main"));
    QVERIFY(!w.loggedOut());
    QVERIFY(!QFileInfo::exists(w.session().DataRoot + "Amy.qvk"));
    // The folder of the chosen file is where the next dialog starts, not stored yet.
    QCOMPARE(w.session().Setting.BackupPath, folder);
    QCOMPARE(w.storedBackupPath(), QStringLiteral("<unset>"));
}

void BackupCommandsTest::restoreOfAnotherUser() {
    BackupWorld w;
    writeFixtureBytes(w.backups + "Bob.qvk", package("Bob", {{"Home\\Main.qvd", "bob's"}}));
    w.env.prompts.answerPath(w.backups + "Bob.qvk");
    w.env.prompts.answer(Prompts::Answer::Yes);
    w.list->Command4->click();
    QCOMPARE(
        w.boxes(),
        QStringList({kQuestion, QStringLiteral("這個備份資料的所屬帳號並不是 Amy，無法還原")}));
    QCOMPARE(w.fileBytes(w.user + "Home/Main.qvd"), QByteArray("current main"));
    QVERIFY(!w.loggedOut());
    QVERIFY(w.dataRootFiles().isEmpty());
    QCOMPARE(w.storedBackupPath(), QStringLiteral("<unset>"));
}

void BackupCommandsTest::damagedPackageWritesNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("stored"); // BackupPath setting afterwards
    QByteArray cut = amyPackage();
    cut.chop(3);
    const QByteArray traversal = package("Amy", {{"..\\Main.qvd", "x"}});
    // Not a package: told so, and the chosen folder stays the one the next dialog opens.
    QTest::newRow("list: cut short") << "list" << cut << "<unset>";
    QTest::newRow("list: path leaving the user folder") << "list" << traversal << "<unset>";
    QTest::newRow("list: owner only") << "list" << QByteArray("Amy") << "<unset>";
    QTest::newRow("system: cut short") << "system" << cut << "<unset>";
    QTest::newRow("login: cut short") << "login" << cut << "<unset>";
}

void BackupCommandsTest::damagedPackageWritesNothing() {
    QFETCH(QString, command);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, stored);
    BackupWorld w;
    const QByteArray before = w.fileBytes(w.user + "DataBase.lst");
    const QString chosen =
        (command == u"system" ? w.session().AppFolder + "Backup/Amy/" : w.backups) + "damaged.qvk";
    QDir().mkpath(QFileInfo(chosen).path());
    writeFixtureBytes(chosen, bytes);
    w.env.prompts.answerPath(chosen);
    w.env.prompts.answer(Prompts::Answer::Yes);
    if (command == u"login") {
        w.session().CurrentUser.clear();
        LoginForm login(w.env.ctx, *w.users);
        login.Command1->click();
        QCOMPARE(login.Combo1->count(), 0); // not refilled
    } else {
        w.click(command == u"list" ? "Command4" : "Command5");
    }
    QCOMPARE(w.boxes(), QStringList({kQuestion, kNotAPackage}));
    QCOMPARE(w.fileBytes(w.user + "Home/Main.qvd"), QByteArray("current main"));
    QCOMPARE(w.fileBytes(w.user + "DataBase.lst"), before);
    QVERIFY(!QFileInfo::exists(w.env.path("Main.qvd")));
    QVERIFY(!QFileInfo::exists(w.env.path("DataBase/Main.qvd")));
    QVERIFY(!w.loggedOut());
    QVERIFY(w.dataRootFiles().isEmpty());
    QCOMPARE(w.storedBackupPath(), stored);
}

void BackupCommandsTest::restoreAutomaticBackup() {
    BackupWorld w;
    // The stored backup folder plays no part; the user's automatic-backup folder does,
    // and it is made when missing.
    QVERIFY(w.env.settings.SaveSetting("Setting", "BackupPath", w.backups));
    const QString autoFolder = w.session().AppFolder + "Backup/Amy/";
    QVERIFY(!QFileInfo::exists(autoFolder));
    w.env.prompts.answerPath(QString());
    w.list->Command5->click();
    QVERIFY(TestFiles::ownerOnly(autoFolder));
    QCOMPARE(w.env.prompts.shown.first().text, QStringLiteral("開啟檔案"));
    QCOMPARE(w.env.prompts.shown.first().filter, kFilter);
    QCOMPARE(w.env.prompts.shown.first().defaultText, autoFolder + "Amy.qvk");
    QCOMPARE(w.session().Setting.BackupPath, autoFolder);

    // Restoring ends in the logout.
    w.env.prompts.clear();
    writeFixtureBytes(autoFolder + "20240110.qvk", amyPackage());
    w.env.prompts.answerPath(autoFolder + "20240110.qvk");
    w.env.prompts.answer(Prompts::Answer::Yes);
    w.list->Command5->click();
    QCOMPARE(w.boxes(), QStringList({kQuestion, kRestored}));
    QCOMPARE(w.fileBytes(w.user + "Home/Main.qvd"), QByteArray("packed main"));
    QVERIFY(w.loggedOut());
    QCOMPARE(w.fileBytes(autoFolder + "20240110.qvk"), amyPackage());
    QCOMPARE(w.storedBackupPath(), w.backups);
}

void BackupCommandsTest::restoreBeforeLoginCreatesOwner() {
    UsersWorld w;
    w.addUser("Amy", "abc");
    const QString chosen = w.env.path("backups/bob.qvk");
    QDir().mkpath(w.env.path("backups"));
    writeFixtureBytes(chosen, package("Bob", {{"DataBase.pwd", "00620062\r\n"},
                                              {"DataBase.lst", "Work\r\n"},
                                              {"Work\\Main.qvd", "bob main"}}));
    QVERIFY(w.env.settings.SaveSetting("Setting", "UserName", "Amy"));
    LoginForm login(w.env.ctx, *w.users);
    login.Form_Load();
    QCOMPARE(login.Combo1->currentText(), QStringLiteral("Amy"));
    login.Combo1->setFocus();
    w.env.prompts.answerPath(chosen);
    w.env.prompts.answer(Prompts::Answer::Yes);
    login.Command1->click();

    QCOMPARE(w.env.prompts.shown.first().defaultText, QStringLiteral(".qvk"));
    QCOMPARE(w.env.prompts.texts().mid(1), QStringList({kQuestion, kRestored}));
    const QString bob = w.session().DataRoot + "Bob/";
    QCOMPARE(w.fileBytes(bob + "Work/Main.qvd"), QByteArray("bob main"));
    QCOMPARE(w.fileBytes(bob + "DataBase.lst"), QByteArray("Work\r\n"));
    QVERIFY(w.session().CurrentUser.isEmpty());
    QVERIFY(QDir(w.session().DataRoot).entryList(QDir::Files).isEmpty());
    QVERIFY(login.Combo1->findText("Amy") >= 0);
    QCOMPARE(login.Combo1->currentText(), QStringLiteral("Bob"));
    QCOMPARE(login.focusWidget(), login.Text2);
    QCOMPARE(w.session().Setting.BackupPath, w.env.path("backups/"));

    // The restored user logs in.
    login.Text2->setText("bb");
    login.cmdOK->click();
    QVERIFY(login.LoggedIn());
    QCOMPARE(login.Ledgers(), QStringList{"Work"});
}

void BackupCommandsTest::restoreBeforeLoginOfExistingOwner_data() {
    // An existing user is replaced only by someone who knows the password; a user the login
    // cannot let in (no folder, no or a damaged password file) is restored as before.
    QTest::addColumn<QString>("passwordFile"); // "readable", "missing", "damaged", "no folder"
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("result"); // the box after the password prompt, if any
    const std::optional<QString> none;
    const QString wrong = QStringLiteral("密碼不正確，無法還原");
    QTest::newRow("right password") << "readable" << std::optional<QString>("abc") << kRestored;
    QTest::newRow("wrong password") << "readable" << std::optional<QString>("abd") << wrong;
    QTest::newRow("password in other case") << "readable" << std::optional<QString>("ABC") << wrong;
    QTest::newRow("cancelled") << "readable" << none << "";
    QTest::newRow("empty answer") << "readable" << std::optional<QString>("") << "";
    QTest::newRow("no password file") << "missing" << none << kRestored;
    QTest::newRow("damaged password file") << "damaged" << none << kRestored;
    QTest::newRow("no user folder") << "no folder" << none << kRestored;
}

void BackupCommandsTest::restoreBeforeLoginOfExistingOwner() {
    QFETCH(QString, passwordFile);
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, result);
    UsersWorld w;
    const QString amy = w.session().DataRoot + "Amy/";
    if (passwordFile != u"no folder") {
        w.addUser("Amy", "abc", {"Home"});
        writeFixtureBytes(amy + "Home/Main.qvd", "current main");
    }
    if (passwordFile == u"missing") QFile::remove(amy + "DataBase.pwd");
    if (passwordFile == u"damaged") writeFixtureBytes(amy + "DataBase.pwd", "00G1\r\n");
    const QByteArray passwordBefore = w.fileBytes(amy + "DataBase.pwd");
    const QString chosen = w.env.path("backups/amy.qvk");
    QDir().mkpath(w.env.path("backups"));
    writeFixtureBytes(chosen, package("Amy", {{"Home\\Main.qvd", "packed main"},
                                              {"DataBase.pwd", "007800790078\r\n"}}));
    LoginForm login(w.env.ctx, *w.users);
    w.env.prompts.answerPath(chosen);
    w.env.prompts.answer(Prompts::Answer::Yes);
    const bool asked = passwordFile == u"readable";
    if (asked) w.env.prompts.answerText(answer);
    login.Command1->click();

    const QString prompt =
        QStringLiteral("這個備份資料的所屬帳號 Amy 已經存在，請輸入該帳號的密碼");
    QStringList boxes{kQuestion};
    if (asked) boxes << prompt;
    if (!result.isEmpty()) boxes << result;
    QCOMPARE(w.env.prompts.texts().mid(1), boxes);
    QCOMPARE(w.env.prompts.texts("password"), asked ? QStringList{prompt} : QStringList());
    QCOMPARE(w.env.prompts.pendingAnswers(), 0);
    const bool restored = result == kRestored;
    QCOMPARE(w.fileBytes(amy + "Home/Main.qvd"),
             QByteArray(restored ? "packed main" : "current main"));
    QCOMPARE(w.fileBytes(amy + "DataBase.pwd"),
             restored ? QByteArray("007800790078\r\n") : passwordBefore);
    QCOMPARE(login.Combo1->currentText(), restored ? QStringLiteral("Amy") : QString());
    QVERIFY(QDir(w.session().DataRoot).entryList(QDir::Files).isEmpty());
    QVERIFY(w.session().CurrentUser.isEmpty());
}

void BackupCommandsTest::restoreBeforeLoginRefusesUnsafeOwner_data() {
    QTest::addColumn<QString>("owner");
    QTest::newRow("blank") << "";
    QTest::newRow("parent folder") << "..";
    QTest::newRow("folder path") << "x/y";
}

void BackupCommandsTest::restoreBeforeLoginRefusesUnsafeOwner() {
    QFETCH(QString, owner);
    UsersWorld w;
    const QString chosen = w.env.path("backups/odd.qvk");
    QDir().mkpath(w.env.path("backups"));
    writeFixtureBytes(chosen, package(owner, {{"Main.qvd", "stray"}, {"L\\Main.qvd", "stray"}}));
    LoginForm login(w.env.ctx, *w.users);
    w.env.prompts.answerPath(chosen);
    w.env.prompts.answer(Prompts::Answer::Yes);
    login.Command1->click();
    QCOMPARE(w.env.prompts.texts().mid(1), QStringList({kQuestion, kNotAPackage}));
    QVERIFY(QDir(w.session().DataRoot).isEmpty());
    QVERIFY(!QFileInfo::exists(w.env.path("Main.qvd")));
    QVERIFY(!QFileInfo::exists(w.env.path("L")));
    QVERIFY(w.session().CurrentUser.isEmpty());
}

void BackupCommandsTest::dataFolderAliasesRefused_data() {
    QTest::addColumn<QString>("command"); // save, list, system, login
    QTest::addColumn<QString>("alias");
    for (const char* command : {"save", "list", "system", "login"}) {
        for (const char* alias : {"link to the data folder", "parent step", "dot step",
                                  "doubled separator", "link to the working package"})
            QTest::addRow("%s: %s", command, alias) << QString(command) << QString(alias);
    }
}

void BackupCommandsTest::dataFolderAliasesRefused() {
    // The data folder reached by another path is still the data folder: saving there would
    // copy the working package onto itself and delete it, a restore would delete the
    // chosen file.
    QFETCH(QString, command);
    QFETCH(QString, alias);
    BackupWorld w;
    const QString root = w.session().DataRoot;
    const QString working = root + "Amy.qvk";
    const bool save = command == u"save";
    // For a restore the chosen package is the user's working package name in the data folder.
    if (!save) writeFixtureBytes(working, amyPackage());
    QString chosen;
    if (alias == u"link to the data folder") {
        QVERIFY(QFile::link(QDir(root).absolutePath(), w.backups + "data"));
        chosen = w.backups + "data/Amy.qvk";
    } else if (alias == u"parent step") {
        chosen = w.user + "../Amy.qvk";
    } else if (alias == u"dot step") {
        chosen = root + "./Amy.qvk";
    } else if (alias == u"doubled separator") {
        chosen = root + "/Amy.qvk";
    } else {
        // For the save the link leads nowhere yet: the package written there would be it.
        QVERIFY(QFile::link(working, w.backups + "Amy.qvk"));
        chosen = w.backups + "Amy.qvk";
    }
    w.env.prompts.answerPath(chosen);
    if (save)
        w.list->Command3->click();
    else if (command == u"login")
        w.restoreAtLogin();
    else
        w.click(command == u"list" ? "Command4" : "Command5");

    QCOMPARE(w.boxes(),
             QStringList{save ? QStringLiteral("您選擇的位置是Qivo資料夾，不可以備份到這裡!")
                              : kInDataFolder});
    QCOMPARE(w.env.prompts.pendingAnswers(), 0);
    QCOMPARE(w.fileBytes(w.user + "Home/Main.qvd"), QByteArray("current main"));
    QVERIFY(!w.loggedOut());
    if (save)
        QVERIFY(!QFileInfo::exists(working));
    else
        QCOMPARE(w.fileBytes(working), amyPackage()); // the chosen file is kept
    QCOMPARE(w.storedBackupPath(), QStringLiteral("<unset>"));
}

void BackupCommandsTest::restoreKeepsTodaysAutomaticCopy_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("restore") << "Command4";
    QTest::newRow("restore of an automatic backup") << "Command5";
}

void BackupCommandsTest::restoreKeepsTodaysAutomaticCopy() {
    // Today's automatic copy may be the last copy of the data from before the restore: the
    // logout that ends the restore must not replace it.
    QFETCH(QString, command);
    BackupWorld w;
    const QString autoFolder = w.session().AppFolder + "Backup/Amy/";
    QDir().mkpath(autoFolder);
    const QString todays = autoFolder + "20240115.qvk";
    writeFixtureBytes(todays, "before the restore");
    const QString chosen = (command == u"Command5" ? autoFolder : w.backups) + "Amy.qvk";
    writeFixtureBytes(chosen, amyPackage());
    w.env.prompts.answerPath(chosen);
    w.env.prompts.answer(Prompts::Answer::Yes);
    w.click(command);
    QCOMPARE(w.boxes(), QStringList({kQuestion, kRestored}));
    QVERIFY(w.loggedOut());
    QCOMPARE(w.fileBytes(w.user + "Home/Main.qvd"), QByteArray("packed main"));
    QCOMPARE(w.fileBytes(todays), QByteArray("before the restore"));
    QVERIFY(w.dataRootFiles().isEmpty());

    // A plain logout still makes its automatic backup.
    BackupWorld v;
    QDir().mkpath(v.session().AppFolder + "Backup");
    v.list->Cmd6->click();
    QVERIFY(v.loggedOut());
    QVERIFY(
        v.fileBytes(v.session().AppFolder + "Backup/Amy/20240115.qvk").contains("current main"));
}

QTEST_MAIN(BackupCommandsTest)
#include "tst_backupcommands.moc"
