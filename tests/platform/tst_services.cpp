#include "platform/http.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/singleinstance.h"
#include "support/scriptedprompts.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestServices : public QObject {
    Q_OBJECT
private slots:
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void settingsDefaultsAndDelete();
    void settingsFileThatCannotBeWritten_data();
    void settingsFileThatCannotBeWritten();
    void settingsOneSectionPerSection();
    void settingsUnchangedValueLeavesFile();
    void settingsBatchWritesOnceAtItsEnd();
    void settingsWriteAmongLeftovers();
    void settingsUnreadAtStartNeverReplaced();
    void defaultSettingsFileFollowsConfigHome();
    void settingsFileOwnerOnly_data();
    void settingsFileOwnerOnly();
    void filterConversion_data();
    void filterConversion();
    void singleInstancePerLockFile();
    void httpGet();
};

void TestServices::settingsRoundTrip_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("True") << "MinState"
                          << "True";
    QTest::newRow("False") << "MinState"
                           << "False";
    QTest::newRow("path with slashes") << "MyDataBasePath"
                                       << "/home/u/資料/";
    QTest::newRow("comma") << "Text"
                           << "a, b,c";
    QTest::newRow("at sign first") << "Text"
                                   << "@String(x)";
    QTest::newRow("empty") << "Text"
                           << "";
    QTest::newRow("CR LF") << "Text"
                           << "a\r\nb";
    QTest::newRow("key with slash") << "LW1/2"
                                    << "1200";
    QTest::newRow("key with backslash") << "a\\b"
                                        << "v";
    QTest::newRow("chinese key") << "帳本"
                                 << "x";
}

void TestServices::settingsRoundTrip() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    {
        IniSettingsStore store(file);
        QVERIFY(store.SaveSetting("Setting", key, value));
        QCOMPARE(store.GetSetting("Setting", key, "default"), value);
    }
    IniSettingsStore reopened(file);
    QCOMPARE(reopened.GetSetting("Setting", key, "default"), value);
}

void TestServices::settingsDefaultsAndDelete() {
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("s.ini"));
    QCOMPARE(store.GetSetting("Setting", "AccState", "11"), QStringLiteral("11"));
    QVERIFY(store.SaveSetting("Setting", "AccState", "01"));
    QVERIFY(store.SaveSetting("MainForm", "AccState", "x"));
    QVERIFY(store.DeleteSetting("Setting", "AccState"));
    QCOMPARE(store.GetSetting("Setting", "AccState", "11"), QStringLiteral("11"));
    QCOMPARE(store.GetSetting("MainForm", "AccState"), QStringLiteral("x"));
    QVERIFY(store.DeleteSetting("Setting", "NeverThere")); // no effect, no failure
}

// Root ignores file modes: the file is blocked by a regular file where its folder should
// be, or by a folder of its own name.
void TestServices::settingsFileThatCannotBeWritten_data() {
    QTest::addColumn<bool>("folderIsAFile");
    QTest::newRow("its folder is a regular file") << true;
    QTest::newRow("a folder has its name") << false;
}

void TestServices::settingsFileThatCannotBeWritten() {
    QFETCH(bool, folderIsAFile);
    QTemporaryDir dir;
    const QString folder = dir.filePath("conf");
    const QString file = folder + "/s.ini";
    IniSettingsStore store(file);
    QVERIFY(store.SaveSetting("Setting", "AccState", "01"));
    if (folderIsAFile) {
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkpath(file));
    }
    QVERIFY(!store.SaveSetting("Setting", "AccState", "10"));
    QVERIFY(!store.DeleteSetting("Setting", "AccState"));
    // A value that did not reach the file never reads as stored.
    QCOMPARE(store.GetSetting("Setting", "AccState", "11"), QStringLiteral("11"));

    // Once the file can be written again, each write reports its own outcome.
    QVERIFY(folderIsAFile ? QFile::remove(folder) : QDir(file).removeRecursively());
    QVERIFY(store.SaveSetting("Setting", "MonState", "0"));
    IniSettingsStore reopened(file);
    QCOMPARE(reopened.GetSetting("Setting", "MonState"), QStringLiteral("0"));
    QCOMPARE(reopened.GetSetting("Setting", "AccState", "11"), QStringLiteral("11"));
}

void TestServices::settingsOneSectionPerSection() {
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    {
        IniSettingsStore store(file);
        QVERIFY(store.SaveSetting("Update", "Ver", "4.0.4"));
        QVERIFY(store.SaveSetting("MainForm", "L1W/3", "900"));
    }
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY2(text.contains("[Update]\nVer=4.0.4"), qPrintable(text));
    // The slash stays inside the key: one section "MainForm", no sub-group.
    QVERIFY2(text.contains("[MainForm]\n"), qPrintable(text));
    QCOMPARE(text.count('['), 2);
}

namespace {
// Marks the file with an old time: a rewrite gives it a new one.
void backdate(const QString& file) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)),
                          QFileDevice::FileModificationTime));
}
QDateTime modified(const QString& file) {
    return QFileInfo(file).fileTime(QFileDevice::FileModificationTime);
}
} // namespace

void TestServices::settingsUnchangedValueLeavesFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    IniSettingsStore store(file);
    QVERIFY(store.SaveSetting("MainForm", "LW1", "125"));
    backdate(file);
    const QDateTime old = modified(file);
    QVERIFY(store.SaveSetting("MainForm", "LW1", "125"));  // the same text
    QVERIFY(store.DeleteSetting("MainForm", "NoSuchKey")); // nothing to remove
    QCOMPARE(modified(file), old);
    QVERIFY(store.SaveSetting("MainForm", "LW1", "126")); // a change is written
    QVERIFY(modified(file) != old);
    QCOMPARE(IniSettingsStore(file).GetSetting("MainForm", "LW1"), QString("126"));
}

void TestServices::settingsBatchWritesOnceAtItsEnd() {
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    IniSettingsStore store(file);
    ScriptedPrompts prompts; // a failed write would show a box the test did not expect
    QVERIFY(store.SaveSetting("InputForm", "Width", "100"));
    QVERIFY(store.SaveSetting("InputForm", "Old", "x"));
    backdate(file);
    const QDateTime old = modified(file);
    {
        const SettingsBatch once(store, prompts);
        QVERIFY(store.SaveSetting("InputForm", "Width", "200"));
        QVERIFY(store.SaveSetting("InputForm", "Height", "300"));
        QVERIFY(store.DeleteSetting("InputForm", "Old"));
        // Taken by the store, not yet in the file.
        QCOMPARE(store.GetSetting("InputForm", "Width"), QString("200"));
        QCOMPARE(modified(file), old);
        QFile onDisk(file);
        QVERIFY(onDisk.open(QIODevice::ReadOnly));
        const QByteArray bytes = onDisk.readAll();
        QVERIFY(bytes.contains("Width=100") && !bytes.contains("Height"));
    }
    QVERIFY(modified(file) != old);
    IniSettingsStore reopened(file);
    QCOMPARE(reopened.GetSetting("InputForm", "Width"), QString("200"));
    QCOMPARE(reopened.GetSetting("InputForm", "Height"), QString("300"));
    QCOMPARE(reopened.GetSetting("InputForm", "Old", "gone"), QString("gone"));

    // A close that changes nothing leaves the file alone.
    backdate(file);
    const QDateTime before = modified(file);
    {
        const SettingsBatch once(store, prompts);
        QVERIFY(store.SaveSetting("InputForm", "Width", "200"));
        QVERIFY(store.SaveSetting("InputForm", "Height", "300"));
    }
    QCOMPARE(modified(file), before);
}

// What earlier runs left beside the file: a lock file that cannot be removed (here a folder
// takes its names) never holds a write up (the write runs in another thread, so that a hang
// fails the test instead of stopping it); a temporary is cleared by the next write.
void TestServices::settingsWriteAmongLeftovers() {
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    for (const QString& lock : {file + ".lock", dir.filePath(".s.ini.lock")})
        QVERIFY(QDir().mkpath(lock));
    struct Run {
        std::atomic<bool> done{false};
        bool stored = false;
        std::unique_ptr<IniSettingsStore> store;
    };
    auto run = std::make_shared<Run>();
    run->store = std::make_unique<IniSettingsStore>(file);
    std::thread([run] {
        run->stored = run->store->SaveSetting("Setting", "AccState", "01");
        run->done = true;
    }).detach();
    QElapsedTimer clock;
    clock.start();
    while (!run->done && clock.elapsed() < 1000)
        QThread::msleep(10);
    QVERIFY2(run->done, "the write waited on the lock file");
    QVERIFY(run->stored);
    QCOMPARE(IniSettingsStore(file).GetSetting("Setting", "AccState"), QString("01"));

    // The temporary of a write whose removal failed goes with the next write that works.
    QFile left(dir.filePath(".s.ini.x1y.qvtmp"));
    QVERIFY(left.open(QIODevice::WriteOnly));
    left.close();
    QVERIFY(run->store->SaveSetting("Setting", "AccState", "10"));
    QVERIFY(!left.exists());
}

// A file that was there at the start but could not be read (here a named pipe stands in for
// a failing disk) gave the run its defaults: no value of the run replaces the user's file,
// even once it reads again, and each write says so.
void TestServices::settingsUnreadAtStartNeverReplaced() {
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString file = dir.filePath("s.ini");
    QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
    IniSettingsStore store(file);
    QCOMPARE(store.GetSetting("Setting", "MyDataBasePath", "default"), QString("default"));
    QVERIFY(QFile::remove(file));
    const QByteArray users = "[Setting]\nMyDataBasePath=/data/\nAutoLoginState=1\n";
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(users);
    }
    QVERIFY(!store.SaveSetting("Setting", "AutoLoginState", "0"));
    QVERIFY(!store.DeleteSetting("Setting", "MyDataBasePath"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), users);
#else
    QSKIP("named pipes are a Unix test fixture");
#endif
}

void TestServices::defaultSettingsFileFollowsConfigHome() {
    QTemporaryDir dir;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    {
        IniSettingsStore store;
        QCOMPARE(store.fileName(), dir.path() + "/Qivo/Qivo.conf");
        QVERIFY(store.SaveSetting("Update", "State", "1"));
    }
    QVERIFY(QFile::exists(dir.path() + "/Qivo/Qivo.conf"));
    qputenv("XDG_CONFIG_HOME", old);
}

// The file holds the automatic-login password: only its owner may read it.
void TestServices::settingsFileOwnerOnly_data() {
    QTest::addColumn<bool>("existing"); // a file readable by everyone is there already
    QTest::addColumn<bool>("deleting"); // the write is a deletion
    QTest::newRow("new file and folder") << false << false;
    QTest::newRow("existing file tightened") << true << false;
    QTest::newRow("tightened by a deletion") << true << true;
}

void TestServices::settingsFileOwnerOnly() {
    QFETCH(bool, existing);
    QFETCH(bool, deleting);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/Qivo";
    const QString file = folder + "/Qivo.conf";
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    if (existing) {
        QVERIFY(QDir().mkpath(folder));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Setting]\nAutoLoginPassword=583\n");
        f.close();
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther));
    }
    {
        IniSettingsStore store(file);
        if (deleting)
            QVERIFY(store.DeleteSetting("Setting", "AutoLoginState"));
        else
            QVERIFY(store.SaveSetting("Setting", "AutoLoginPassword", "secret"));
    }
    QCOMPARE(QFileInfo(file).permissions() & others, QFile::Permissions());
    QVERIFY(QFileInfo(file).permissions() & QFile::ReadOwner);
    if (!existing) QCOMPARE(QFileInfo(folder).permissions() & others, QFile::Permissions());
    IniSettingsStore again(file);
    QCOMPARE(again.GetSetting("Setting", "AutoLoginPassword"),
             QString(deleting ? "583" : "secret"));
}

void TestServices::filterConversion_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("one") << "CSV檔案|*.csv"
                         << "CSV檔案 (*.csv)";
    QTest::newRow("two, several patterns") << "網頁|*.htm;*.html|所有檔案|*.*"
                                           << "網頁 (*.htm *.html);;所有檔案 (*.*)";
    QTest::newRow("empty") << ""
                           << "";
    // A description that names its patterns shows them once; the filter's own count.
    QTest::newRow("patterns in the description") << "Qivo備份 (*.qvk)|*.qvk"
                                                 << "Qivo備份 (*.qvk)";
    QTest::newRow("other case in the description") << "網頁檔案(*.Htm)|*.htm|CSV檔案|*.csv"
                                                   << "網頁檔案 (*.htm);;CSV檔案 (*.csv)";
}

void TestServices::filterConversion() {
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(Prompts::qtFilter(filter), qt);
}

void TestServices::singleInstancePerLockFile() {
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    QVERIFY(first.acquire());
    {
        SingleInstance second(dir.path());
        QVERIFY(!second.acquire());
    }
    QVERIFY(first.acquire()); // still held
}

void TestServices::httpGet() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QByteArray request;
    connect(&server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [&request, socket] {
            request += socket->readAll();
            if (!request.contains("\r\n\r\n")) return;
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello");
            socket->disconnectFromHost();
        });
    });
    NetworkHttpClient http;
    http.setBaseUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()));
    const auto reply = http.get("/zel/a.php?user=u");
    QCOMPARE(int(reply.outcome), int(HttpClient::Outcome::Ok));
    QCOMPARE(reply.body, QByteArray("hello"));
    QVERIFY2(request.startsWith("GET /zel/a.php?user=u HTTP/1.1"), request.constData());

    const quint16 port = server.serverPort();
    server.close();
    const auto refused = http.get(QStringLiteral("http://127.0.0.1:%1/x").arg(port));
    QCOMPARE(int(refused.outcome), int(HttpClient::Outcome::Failed));
    QVERIFY(refused.body.isEmpty());
}

QTEST_MAIN(TestServices)
#include "tst_services.moc"
