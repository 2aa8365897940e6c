// The real windows under a failing disk: the test runs itself once per injected fault with
// tests/tools/faultfs preloaded (the N-th write, short write, sync, link, rename, removal or
// open under the run's folder fails, once or from then on) and checks what the user is left
// with: the settings file as before with the failure reported, or the new file complete
// without a word of failure; a deleted ledger whole and listed, or gone.
#include "entry/inputform.h"
#include "mainwin/mainform.h"
#include "platform/codec.h"
#include "platform/fileio.h"
#include "platform/settingsstore.h"
#include "rules/users/ledgerfolders.h"
#include "rules/users/userfiles.h"
#include "schedule/fixureform.h"
#include "schedule/memoform.h"
#include "setup/setform.h"
#include "support/ledgerbuilder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "users/loginform.h"
#include "users/openform.h"
#include "users/payoffform.h"
#include "users/userscontroller.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QDirIterator>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

const QString kNotStored = QStringLiteral("無法寫入設定檔，設定值未儲存!");
const QString kPathChanged = QStringLiteral("資料庫路徑已變更至此路徑，請重開軟體才會生效");
const QString kDeleteFailed = QStringLiteral("帳本刪除失敗");

// Neither the eighteen options of the settings window nor the marks of a close: an older
// profile, with the forms of the file a user's hand or another program may have left.
const QByteArray kOldSettings = "[General]\n"
                                "Loose=1\n"
                                "\n"
                                "[Setting]\n"
                                "UserName=Amy\n"
                                "AutoLoginState=1\n"
                                "AutoLoginUsername=Amy\n"
                                "MyDataBasePath=\"/data/a;b\"\n"
                                "\n"
                                "[%U5E33%U672C]\n"
                                "%U9375=\\x1\\x63 x, y\n"
                                "\n"
                                "[Update]\n"
                                "State=1\n"
                                "Ver=4.0.3\n";

QString toolsFolder() {
    return QCoreApplication::applicationDirPath() + "/tools/";
}

QString conf(const QString& root) {
    return root + "Qivo/Qivo.conf";
}

QString userFolder(const QString& root) {
    return root + "DataBase/Amy/";
}

// Amy with the ledgers Home and Trip, and the settings file.
void makeFixture(const QString& root) {
    QVERIFY(QDir().mkpath(root + "Qivo"));
    TestFiles::put(conf(root), kOldSettings);
    QVERIFY(UserFiles::createUser(root + "DataBase/", "Amy", "abc"));
    for (const QString& ledger : {QStringLiteral("Home"), QStringLiteral("Trip")}) {
        QVERIFY(QDir().mkpath(userFolder(root) + ledger));
        for (const char* file :
             {"Main.qvd", "Main1.qvd", "Accounts.qvd", "Accounts2.qvd", "Fixure.qvd", "Note.qvd"})
            TestFiles::put(userFolder(root) + ledger + "/" + file, ledger.toUtf8() + file);
    }
    QVERIFY(UserFiles::writeLedgerList(userFolder(root), {"Home", "Trip"}));
}

// ---- The run under faults --------------------------------------------------------------

void print(const QString& kind, const QString& text) {
    QString line = text;
    line.replace('\\', "\\\\").replace('\n', "\\n").replace('\r', "\\r");
    std::fputs(qPrintable(kind + '\t' + line + '\n'), stdout);
}

int runScenario(const QString& scenario, const QString& root) {
    TestEnv env;
    env.prompts.onFailure = [](const QString& text) { print("unscripted", text); };
    env.modal.onFailure = [](const QString& text) { print("unscripted", text); };
    IniSettingsStore settings(conf(root));
    env.ctx.services.setSettings(settings);
    Session& session = env.ctx.session;
    session.DataRoot = root + "DataBase/";
    MainForm form(env.ctx);
    form.EndProcess = [] {};
    UsersController& users = InstallUsers(form);
    if (scenario == "settings window") {
        SetForm set(env.ctx, form);
        set.show();
        set.Command1->click(); // 確定
    } else if (scenario == "exit") {
        form.show();
        form.close();
    } else if (scenario == "data folder") {
        LoginForm login(env.ctx, users, &form);
        login.show();
        env.prompts.answerPath(root + "Elsewhere");
        login.Misc_SetPath_Click();
    } else if (scenario == "memo book close") {
        session.CurrentUser = "Amy";
        MemoForm memo(env.ctx, &form);
        memo.show();
        memo.reject();
    } else if (scenario == "recurring records close") {
        FixureForm recurring(form, &form);
        recurring.show();
        recurring.reject();
    } else if (scenario == "entry window close") {
        InputForm input(env.ctx, form, &form);
        input.show();
        input.reject();
    } else if (scenario == "close books") {
        // Home open with entries before and after the date; the old ones go into "Old".
        session.CurrentUser = "Amy";
        session.LedgerName = "Home";
        LedgerBuilder(env.ctx.ledger)
            .account(QStringLiteral("A-現金"))
            .account(QStringLiteral("E-餐飲費"))
            .account("Equity")
            .entry("2024/01/05", QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), 12000, "a")
            .entry("2024/02/05", QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), 3000, "b")
            .entry("2024/04/05", QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), 500, "c");
        PayoffForm payoff(env.ctx, form, &form);
        payoff.show();
        payoff.DTPicker1->setDate(QDate(2024, 3, 1));
        env.prompts.answerText("Old");
        payoff.Command1->click();
    } else if (scenario == "delete") {
        session.CurrentUser = "Amy";
        OpenForm list(env.ctx, users);
        list.Fill({"Home", "Trip"});
        list.show();
        list.List1->setCurrentRow(1);
        env.prompts.answer(Prompts::Answer::Yes);
        list.Cmd3->click();
        print("items", list.Items().join('|'));
    } else {
        return 2;
    }
    for (const ShownBox& box : env.prompts.shown)
        print(box.kind, box.text);
    return 0;
}

// ---- The checks --------------------------------------------------------------------------

struct Outcome {
    int exitCode = -1;
    QStringList boxes; // "kind\ttext"
    QString items;
    QString all;
    bool shows(const QString& text) const {
        return std::any_of(boxes.begin(), boxes.end(),
                           [&](const QString& b) { return b.section('\t', 1) == text; });
    }
};

struct Fault {
    QString op;
    long at = 0;
    bool sticky = false;
    QString error;
    bool shortWrite = false;
};

// Which injected failure a run met, for the message of a failed check.
QString faultPlace(const Fault& fault, long calls, const Outcome& o) {
    return QString("call %1 of %2%3%4 %5:\n%6")
        .arg(fault.at)
        .arg(calls)
        .arg(fault.sticky ? " and later" : "")
        .arg(fault.shortWrite ? " short" : "", fault.error, o.all);
}

// A run that only counts the calls of `op`.
Fault counting(const QString& op) {
    Fault f;
    f.op = op;
    return f;
}

Outcome run(const QString& scenario, const QString& root, const Fault& fault,
            const QString& report) {
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", "offscreen");
    e.insert("LD_PRELOAD", toolsFolder() + "faultfs.so");
    e.insert("QIVO_FAULT_ROOT", root);
    e.insert("QIVO_FAULT_OP", fault.op);
    e.insert("QIVO_FAULT_AT", QString::number(fault.at));
    e.insert("QIVO_FAULT_STICKY", fault.sticky ? "1" : "0");
    e.insert("QIVO_FAULT_ERRNO", fault.error);
    e.insert("QIVO_FAULT_SHORT", fault.shortWrite ? "1" : "0");
    e.insert("QIVO_FAULT_REPORT", report);
    const QString inherited = e.value("ASAN_OPTIONS");
    e.insert("ASAN_OPTIONS", inherited + ":verify_asan_link_order=0:detect_leaks=0");
    p.setProcessEnvironment(e);
    p.start(QCoreApplication::applicationFilePath(), {"--scenario", scenario, root});
    p.waitForFinished(60000);
    Outcome o;
    o.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    o.all =
        QString::fromUtf8(p.readAllStandardOutput()) + QString::fromUtf8(p.readAllStandardError());
    for (const QString& line : o.all.split('\n')) {
        QString text = line;
        text.replace("\\n", "\n").replace("\\r", "\r").replace("\\\\", "\\");
        if (text.startsWith("items\t"))
            o.items = text.section('\t', 1);
        else if (text.startsWith("warning\t") || text.startsWith("information\t") ||
                 text.startsWith("unscripted\t") || text.startsWith("plain\t"))
            o.boxes << text;
    }
    return o;
}

using Snapshot = QMap<QString, QByteArray>;

// The entries of a folder a user sees (hidden work files left out), with their bytes.
Snapshot visible(const QString& folder) {
    Snapshot files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(folder).relativeFilePath(path);
        files.insert(name, QFileInfo(path).isDir() ? QByteArray("<folder>") : TestFiles::get(path));
    }
    return files;
}

} // namespace

class TestFaultWindows : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_runs = 0;

    QString freshRoot() {
        const QString root = m_dir.path() + QString("/run%1/").arg(++m_runs);
        makeFixture(root);
        return root;
    }

    static QList<Fault> kinds(const QString& op) {
        QList<Fault> faults;
        for (bool sticky : {false, true}) {
            if (op == "write") {
                faults << Fault{op, 0, sticky, "ENOSPC", false}
                       << Fault{op, 0, sticky, "EIO", false}
                       << Fault{op, 0, sticky, QString(), true};
            } else {
                faults << Fault{op, 0, sticky, "EIO", false};
            }
        }
        return faults;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo(toolsFolder() + "faultfs.so").exists()) QSKIP("faultfs.so not built");
        QVERIFY(m_dir.isValid());
    }

    // A command that changes settings rewrites the file once.
    void oneWritePerCommand_data() {
        QTest::addColumn<QString>("scenario");
        for (const char* s : {"settings window", "exit", "memo book close",
                              "recurring records close", "entry window close"})
            QTest::newRow(s) << s;
    }
    void oneWritePerCommand() {
        QFETCH(QString, scenario);
        const QString root = freshRoot();
        const QString report = m_dir.path() + "/calls.txt";
        const Outcome o = run(scenario, root, counting("rename"), report);
        QCOMPARE(o.exitCode, 0);
        QVERIFY2(o.boxes.isEmpty(), qPrintable(o.all));
        QCOMPARE(TestFiles::get(report).trimmed().toLong(), 1L);
        QVERIFY(TestFiles::get(conf(root)) != kOldSettings);
    }

    void settingsFileWholeAndFailureTold_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("op");
        for (const char* s : {"settings window", "exit", "data folder", "memo book close",
                              "recurring records close", "entry window close"})
            for (const char* op : {"write", "fsync", "rename", "unlink", "link", "open", "mkdir"})
                QTest::addRow("%s %s", s, op) << s << op;
    }

    // Every call of the operation fails in turn, with each kind of failure.
    void settingsFileWholeAndFailureTold() {
        QFETCH(QString, scenario);
        QFETCH(QString, op);
        const QString report = m_dir.path() + "/calls.txt";
        QString root = freshRoot();
        const Outcome reference = run(scenario, root, counting(op), report);
        QCOMPARE(reference.exitCode, 0);
        // The run's folder differs from run to run; the data folder chosen lies in it.
        const auto settingsOf = [](const QString& root) {
            return TestFiles::get(conf(root)).replace(root.toUtf8(), "<root>/");
        };
        const QByteArray after = settingsOf(root);
        QVERIFY(after != kOldSettings);
        const long calls = TestFiles::get(report).trimmed().toLong();
        // Every write of the file opens, writes, syncs and renames.
        if (op == "write" || op == "fsync" || op == "rename" || op == "open") QVERIFY(calls > 0);
        for (Fault fault : kinds(op)) {
            for (fault.at = 1; fault.at <= calls; ++fault.at) {
                root = freshRoot();
                const Outcome o = run(scenario, root, fault, report);
                const QByteArray got = settingsOf(root);
                const QString where = faultPlace(fault, calls, o);
                QVERIFY2(o.exitCode == 0, qPrintable(where));
                if (got == kOldSettings) {
                    QVERIFY2(o.shows(kNotStored), qPrintable(where));
                    QVERIFY2(!o.shows(root + "Elsewhere/\r\n\r\n" + kPathChanged),
                             qPrintable(where));
                } else {
                    QVERIFY2(got == after, qPrintable(where + "\nfile:\n" + got));
                    QVERIFY2(!o.shows(kNotStored), qPrintable(where));
                }
            }
        }
    }

    // The ledger made by closing the books is there complete and listed, or not there at
    // all; the closing is reported done or failed accordingly.
    void closedLedgerWholeOrAbsent_data() {
        QTest::addColumn<QString>("op");
        for (const char* op : {"write", "fsync", "rename", "unlink", "link", "open", "mkdir"})
            QTest::newRow(op) << op;
    }

    void closedLedgerWholeOrAbsent() {
        QFETCH(QString, op);
        const QString done = QStringLiteral("資料結帳完成");
        const QString failed = QStringLiteral("新帳本寫入失敗，結帳已取消。");
        const QString report = m_dir.path() + "/calls.txt";
        QString root = freshRoot();
        const Snapshot before = visible(userFolder(root));
        const Outcome reference = run("close books", root, counting(op), report);
        QVERIFY2(reference.shows(done), qPrintable(reference.all));
        const Snapshot after = visible(userFolder(root));
        QVERIFY(after.contains("Old/Main.qvd"));
        const long calls = TestFiles::get(report).trimmed().toLong();
        for (Fault fault : kinds(op)) {
            for (fault.at = 1; fault.at <= calls; ++fault.at) {
                root = freshRoot();
                const Outcome o = run("close books", root, fault, report);
                const QString where = faultPlace(fault, calls, o);
                QVERIFY2(o.exitCode == 0, qPrintable(where));
                const Snapshot got = visible(userFolder(root));
                if (o.shows(done)) {
                    QVERIFY2(got == after, qPrintable(where));
                    continue;
                }
                QVERIFY2(o.shows(failed), qPrintable(where));
                // Its list is as before; a ledger that could not be taken away again after
                // the list refused it is complete (and not listed).
                QCOMPARE(got.value("DataBase.lst"), before.value("DataBase.lst"));
                Snapshot old;
                for (auto it = after.begin(); it != after.end(); ++it)
                    if (it.key().startsWith("Old")) old.insert(it.key(), it.value());
                Snapshot expected = before;
                if (got.contains("Old")) expected.insert(old);
                QVERIFY2(got == expected, qPrintable(where));
            }
        }
    }

    void deleteIsAllOrNothing_data() {
        QTest::addColumn<QString>("op");
        for (const char* op : {"unlink", "rename", "open", "write"})
            QTest::newRow(op) << op;
    }

    void deleteIsAllOrNothing() {
        QFETCH(QString, op);
        const QString report = m_dir.path() + "/calls.txt";
        QString root = freshRoot();
        const Snapshot before = visible(userFolder(root));
        const Outcome reference = run("delete", root, counting(op), report);
        QCOMPARE(reference.items, QString("Home"));
        const long calls = TestFiles::get(report).trimmed().toLong();
        for (Fault fault : kinds(op)) {
            for (fault.at = 1; fault.at <= calls; ++fault.at) {
                root = freshRoot();
                const Outcome o = run("delete", root, fault, report);
                const QString where = faultPlace(fault, calls, o);
                QVERIFY2(o.exitCode == 0, qPrintable(where));
                const Snapshot got = visible(userFolder(root));
                if (o.items == "Home|Trip") {
                    QVERIFY2(got == before, qPrintable(where));
                    QVERIFY2(o.shows(kDeleteFailed), qPrintable(where));
                } else {
                    QVERIFY2(o.items == "Home", qPrintable(where));
                    Snapshot gone = before;
                    for (const QString& name : before.keys())
                        if (name.startsWith("Trip")) gone.remove(name);
                    // The list file is stored later, by 開啟 or 登出.
                    QVERIFY2(got == gone, qPrintable(where));
                    QVERIFY2(!o.shows(kDeleteFailed), qPrintable(where));
                    QCOMPARE(FileIO::subFolders(userFolder(root)), QStringList{"Home"});
                }
                // What the clearing left goes at the next look at the folder.
                LedgerFolders::removeLeftovers(userFolder(root));
                QCOMPARE(QDir(userFolder(root))
                             .entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
                         QStringList{"Home"} +
                             (got.contains("Trip") ? QStringList{"Trip"} : QStringList{}));
            }
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--scenario") == 0)
        return runScenario(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestFaultWindows test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faultwindows.moc"
