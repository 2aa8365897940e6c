#include "store/autobackup.h"
#include "store/backuppackage.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

using TestFiles::get;
using TestFiles::put;

namespace {

// The shared test world with user "Test", one ledger folder and the default backup folder
// that the start-up creates.
struct Env : StoreEnv {
    Env() {
        makeLedger("Test", "Home");
        QDir().mkpath(ctx.session.AppFolder + "Backup");
        clock.setToday(QDate(2024, 3, 20));
    }
    QString copies() const { return ctx.session.AppFolder + "Backup/Test/"; }
    QStringList copyNames() const { return QDir(copies()).entryList(QDir::Files, QDir::Name); }
};

// Copies of the days before 2024/03/20, oldest first.
QStringList earlierCopies(int days) {
    QStringList names;
    for (int i = days; i >= 1; --i)
        names.append(QDate(2024, 3, 20).addDays(-i).toString("yyyyMMdd") + ".qvk");
    return names;
}

} // namespace

class TestBackupAuto : public QObject {
    Q_OBJECT

private slots:
    void storesTodaysCopy();
    void switchedOffDoesNothing();
    void secondBackupOfTheDayReplacesTheFirst();
    void keepsTheNewestCopies_data();
    void keepsTheNewestCopies();
    void missingFolderStoresNothing();
    void chosenFolderIsUsed();
    void failedCopyRemovesNoOldCopy();
};

void TestBackupAuto::storesTodaysCopy() {
    Env env;
    put(env.ctx.session.userFolder() + "Home/Main.qvd", "MAIN");
    AutoBackup(env.ctx);

    QCOMPARE(env.copyNames(), QStringList{"20240320.qvk"});
    QVERIFY(get(env.copies() + "20240320.qvk").endsWith("MAIN"));
    // The copy holds the passwords: it and the folder made for it are the user's alone.
    QVERIFY(TestFiles::ownerOnly(env.copies() + "20240320.qvk"));
    QVERIFY(TestFiles::ownerOnly(env.copies()));
    QVERIFY(!QFileInfo::exists(BackupPackagePath(env.ctx.session)));
    QVERIFY(env.prompts.shown.isEmpty());
}

void TestBackupAuto::switchedOffDoesNothing() {
    Env env;
    QVERIFY(env.settings.SaveSetting("Setting", "AutoBackupState", "0"));
    for (const QString& name : earlierCopies(9))
        put(env.copies() + name, "old");
    AutoBackup(env.ctx);

    QCOMPARE(env.copyNames(), earlierCopies(9));
    QVERIFY(QDir(env.ctx.session.DataRoot).entryList(QDir::Files).isEmpty());
}

void TestBackupAuto::secondBackupOfTheDayReplacesTheFirst() {
    Env env;
    put(env.ctx.session.userFolder() + "Home/Main.qvd", "FIRST");
    AutoBackup(env.ctx);
    put(env.ctx.session.userFolder() + "Home/Main.qvd", "SECOND");
    AutoBackup(env.ctx);

    QCOMPARE(env.copyNames(), QStringList{"20240320.qvk"});
    QVERIFY(get(env.copies() + "20240320.qvk").endsWith("SECOND"));
}

void TestBackupAuto::keepsTheNewestCopies_data() {
    QTest::addColumn<QString>("maxCount");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("mirrorAfter");

    const QStringList today{"20240320.qvk"};
    QTest::newRow("seven of eight earlier")
        << "7" << earlierCopies(8) << earlierCopies(6) + today << "7";
    QTest::newRow("below range counts as seven")
        << "5" << earlierCopies(8) << earlierCopies(6) + today << "7";
    QTest::newRow("above range counts as seven")
        << "31" << earlierCopies(8) << earlierCopies(6) + today << "7";
    QTest::newRow("not a number counts as seven")
        << "many" << earlierCopies(8) << earlierCopies(6) + today << "7";
    QTest::newRow("room for all") << "10" << earlierCopies(8) << earlierCopies(8) + today << "10";
    // Names are compared ignoring case; a letter sorts after every date and is kept.
    QTest::newRow("named copies sort last")
        << "7" << earlierCopies(7) + QStringList{"Manual.QVK", "notes.txt"}
        << earlierCopies(5) + today + QStringList{"Manual.QVK", "notes.txt"} << "7";
}

void TestBackupAuto::keepsTheNewestCopies() {
    QFETCH(QString, maxCount);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QString, mirrorAfter);
    Env env;
    env.ctx.session.Setting.AutoBackupMaxCount = maxCount;
    for (const QString& name : before)
        put(env.copies() + name, "old");

    AutoBackup(env.ctx);
    std::sort(after.begin(), after.end());
    QCOMPARE(env.copyNames(), after);
    QCOMPARE(env.ctx.session.Setting.AutoBackupMaxCount, mirrorAfter);
    QCOMPARE(env.settings.GetSetting("Setting", "AutoBackupMaxCount", "unset"), QString("unset"));
}

void TestBackupAuto::missingFolderStoresNothing() {
    Env env;
    QDir(env.ctx.session.AppFolder + "Backup").removeRecursively();
    env.ctx.session.Setting.AutoBackupPath = env.path("gone/");
    AutoBackup(env.ctx);

    QVERIFY(!QFileInfo::exists(env.ctx.session.AppFolder + "Backup"));
    QVERIFY(QDir(env.ctx.session.DataRoot).entryList(QDir::Files).isEmpty());
    QCOMPARE(env.ctx.session.Setting.AutoBackupPath, env.ctx.session.AppFolder + "Backup/");
}

void TestBackupAuto::chosenFolderIsUsed() {
    Env env;
    const QString chosen = env.path("chosen/");
    QDir().mkpath(chosen);
    env.ctx.session.Setting.AutoBackupPath = chosen;
    AutoBackup(env.ctx);

    QVERIFY(QFileInfo::exists(chosen + "Test/20240320.qvk"));
    QVERIFY(!QFileInfo::exists(env.copies()));
    QCOMPARE(env.ctx.session.Setting.AutoBackupPath, chosen);
}

void TestBackupAuto::failedCopyRemovesNoOldCopy() {
    Env env;
    for (const QString& name : earlierCopies(9))
        put(env.copies() + name, "old");
    QDir().mkpath(env.copies() + "20240320.qvk"); // today's copy cannot be written

    AutoBackup(env.ctx);
    QCOMPARE(env.copyNames(), earlierCopies(9));
    QVERIFY(!QFileInfo::exists(BackupPackagePath(env.ctx.session)));
}

QTEST_GUILESS_MAIN(TestBackupAuto)
#include "tst_backupauto.moc"
