#include "platform/codec.h"
#include "platform/fileio.h"
#include "store/backuppackage.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

using TestFiles::get;
using TestFiles::put;

namespace {

// The shared test world with a user logged in (whose folder need not exist yet).
struct Env : StoreEnv {
    explicit Env(const QString& name = "Test") { ctx.session.CurrentUser = name; }
    QString user(const QString& rel) const { return ctx.session.userFolder() + rel; }
    QString package() const { return BackupPackagePath(ctx.session); }
};

// Every file below a folder with its bytes, by relative path.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), get(path));
    }
    return files;
}

QByteArray header(const QString& owner, qsizetype listLength) {
    return Ansi::fixedField(owner, 20) + Ansi::fixedField(QString::number(listLength), 10);
}

// A package assembled by hand: owner, list part and data part as given.
QByteArray package(const QString& owner, const QByteArray& list, const QByteArray& data) {
    return header(owner, list.size()) + list + data;
}

// One line of the list part: path, 0x01, length, CR LF.
QByteArray line(const QByteArray& path, const QByteArray& length) {
    return path + '\x01' + length + "\r\n";
}

const QByteArray kValidList = line("Home\\Main.qvd", "3") + line("DataBase.pwd", "2");
const QByteArray kValidData = "abcxy";

} // namespace

class TestBackupPackage : public QObject {
    Q_OBJECT

private slots:
    void layoutAndPackingOrder();
    void roundTripRestoresEveryFile();
    void packageAndSecretsOwnerOnly();
    void ownerComparison_data();
    void ownerComparison();
    void invalidPackageWritesNothing_data();
    void invalidPackageWritesNothing();
    void missingPackageIsSilent();
    void entryGroupFollowsRestoredMain();
    void olderFavoritesFileGoes();
    void failedWriteChangesNothing();
    void linkAtDestinationIsReplaced();
    void dottedLedgerNamesArePacked();
    void unreadableFileIsReported();
    void nobodyLoggedInBuildsNothing();
};

void TestBackupPackage::layoutAndPackingOrder() {
    Env env;
    put(env.user("work/Main.qvd"), "");
    put(env.user("Home/Main.qvd"), "MAIN");
    put(env.user("Home/Accounts.qvd"), "ACC");
    put(env.user("Home/memo.txt"), "not packed");
    put(env.user("Home/OLD.QVD"), "not packed");
    put(env.user("Home/Deep/Inner.qvd"), "not packed");
    put(env.user("Home/.hidden.qvd"), "not packed");
    put(env.user("DataBase.pwd"), "PW");
    put(env.user("DataBase.lst"), "Home\r\nwork\r\n");
    put(env.user("Memo.dat"), "");
    put(env.user("old.qvk"), "not packed");
    // Names the restore would refuse are left out, so the package stays restorable.
    put(env.user("Home/a\\b.qvd"), "not packed");
    // Work files of an interrupted run are removed and never packed.
    put(env.ctx.session.DataRoot + "Test.lst", "stale");
    put(env.ctx.session.DataRoot + "Test.tmp", "stale");

    const BackupBuild built = BuildBackupPackage(env.ctx);
    QVERIFY(built.written);
    QCOMPARE(built.leftOut, QStringList());

    const QByteArray list = line("Home\\Accounts.qvd", "3") + line("Home\\Main.qvd", "4") +
                            line("work\\Main.qvd", "0") + line("DataBase.lst", "12") +
                            line("DataBase.pwd", "2") + line("Memo.dat", "0");
    QCOMPARE(list.size(), 100);
    const QByteArray expected =
        QByteArray("Test                100       ") + list + "ACCMAINHome\r\nwork\r\nPW";
    QCOMPARE(get(env.package()), expected);
    QCOMPARE(QDir(env.ctx.session.DataRoot).entryList(QDir::Files), QStringList{"Test.qvk"});
    QCOMPARE(ReadBackupPackageOwner(env.package()), QString("Test"));
    // A file that is not a whole package names no owner.
    put(env.package(), expected.chopped(1));
    QCOMPARE(ReadBackupPackageOwner(env.package()), QString());
}

void TestBackupPackage::roundTripRestoresEveryFile() {
    // 餐 is C0 5C in cp950: its trail byte is a backslash, the path separator of packages.
    Env env("使用者");
    put(env.user("餐費/Main.qvd"), QByteArray(284, 'x'));
    put(env.user("餐費/Note.qvd"), "");
    put(env.user("DataBase.pwd"), Ansi::encode("密碼"));
    QVERIFY(BuildBackupPackage(env.ctx).written);
    const auto before = snapshot(env.ctx.session.userFolder());
    QCOMPARE(before.size(), 3);

    QDir(env.ctx.session.userFolder()).removeRecursively();
    put(env.user("Kept/Main.qvd"), "untouched");
    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Restored);

    auto after = snapshot(env.ctx.session.userFolder());
    QCOMPARE(after.take("Kept/Main.qvd"), QByteArray("untouched"));
    QCOMPARE(after, before);
    QVERIFY(QFileInfo::exists(env.package())); // the caller deletes it
    QVERIFY(!QFileInfo::exists(env.ctx.session.DataRoot + "使用者.lst"));
    QVERIFY(env.prompts.shown.isEmpty());
}

// The package holds the passwords: it is its owner's alone. A restore gives every file and
// folder the mode the program gives it: the password files and the folders owner-only,
// the ledger's files as the program's writer makes them (an older, wider file included).
void TestBackupPackage::packageAndSecretsOwnerOnly() {
    Env env;
    put(env.user("Home/Main.qvd"), "main");
    put(env.user("DataBase.pwd"), "0061");
    put(env.user("Download.dat"), "amy\r\n0061\r\n");
    QVERIFY(BuildBackupPackage(env.ctx).written);
    QVERIFY(TestFiles::ownerOnly(env.package()));

    QVERIFY(QDir(env.ctx.session.userFolder()).removeRecursively());
    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Restored);
    QVERIFY(TestFiles::ownerOnly(env.ctx.session.userFolder()));
    QVERIFY(TestFiles::ownerOnly(env.user("Home")));
    QVERIFY(TestFiles::ownerOnly(env.user("DataBase.pwd")));
    QVERIFY(TestFiles::ownerOnly(env.user("Download.dat")));
    QCOMPARE(get(env.user("Download.dat")), QByteArray("amy\r\n0061\r\n"));
    put(env.ctx.session.DataRoot + "written.qvd", "x");
    QCOMPARE(QFileInfo(env.user("Home/Main.qvd")).permissions(),
             QFileInfo(env.ctx.session.DataRoot + "written.qvd").permissions());

    // Over files that others could read: those that hold a password become private.
    for (const char* name : {"Download.dat", "DataBase.pwd"})
        QVERIFY(QFile::setPermissions(env.user(name), QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ReadGroup | QFile::ReadOther));
    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Restored);
    QVERIFY(TestFiles::ownerOnly(env.user("DataBase.pwd")));
    QVERIFY(TestFiles::ownerOnly(env.user("Download.dat")));
    QVERIFY(IsOwnerOnlyUserFile(QStringLiteral("download.DAT")));
    QVERIFY(!IsOwnerOnlyUserFile(QStringLiteral("Main.qvd")));
}

void TestBackupPackage::ownerComparison_data() {
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("restored");

    QTest::newRow("same") << "Test"
                          << "Test" << true;
    QTest::newRow("case differs") << "Test"
                                  << "tEST" << true;
    QTest::newRow("other user") << "Test"
                                << "Tester" << false;
    QTest::newRow("prefix only") << "Tester"
                                 << "Test" << false;
    // Eleven Chinese characters: the owner field holds only the first ten.
    QTest::newRow("long name") << "一二三四五六七八九十甲"
                               << "一二三四五六七八九十甲" << true;
    QTest::newRow("long name, other") << "一二三四五六七八九十"
                                      << "一二三四五六七八九乙" << false;
}

void TestBackupPackage::ownerComparison() {
    QFETCH(QString, owner);
    QFETCH(QString, user);
    QFETCH(bool, restored);
    Env env(user);
    put(env.package(), package(owner, kValidList, kValidData));

    QCOMPARE(RestoreBackupPackage(env.ctx),
             restored ? RestoreResult::Restored : RestoreResult::OtherOwner);
    QCOMPARE(QFileInfo::exists(env.user("Home/Main.qvd")), restored);
    // The restore command tells the user whose package it is.
    QVERIFY(env.prompts.shown.isEmpty());
}

void TestBackupPackage::invalidPackageWritesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray valid = package("Test", kValidList, kValidData);
    auto withPath = [](const QByteArray& path) {
        const QByteArray list = line(path, "3") + line("DataBase.pwd", "2");
        return package("Test", list, kValidData);
    };

    QTest::newRow("header only partly there") << valid.first(25);
    QTest::newRow("truncated data") << valid.chopped(1);
    QTest::newRow("bytes after the data") << valid + "z";
    QTest::newRow("list longer than file") << header("Test", 999) + kValidList + kValidData;
    QTest::newRow("list length not a number")
        << QByteArray("Test                12a       ") + kValidList + kValidData;
    QTest::newRow("negative list length")
        << QByteArray("Test                -5        ") + kValidList + kValidData;
    QTest::newRow("line without separator")
        << package("Test", "Home\\Main.qvd 3\r\n" + line("DataBase.pwd", "2"), kValidData);
    QTest::newRow("length not a number")
        << package("Test", line("Home\\Main.qvd", "3x") + line("DataBase.pwd", "2"), kValidData);
    QTest::newRow("parent folder") << withPath("..\\Main.qvd");
    QTest::newRow("parent inside") << withPath("Home\\..\\Main.qvd");
    QTest::newRow("two folder levels") << withPath("Home\\Deep\\Main.qvd");
    QTest::newRow("leading backslash") << withPath("\\Main.qvd");
    QTest::newRow("trailing backslash") << withPath("Home\\");
    QTest::newRow("drive") << withPath("C:Main.qvd");
    QTest::newRow("slash") << withPath("Home/Main.qvd");
    QTest::newRow("absolute slash") << withPath("/tmp/Main.qvd");
    QTest::newRow("NUL") << withPath(QByteArray("Main", 4) + '\0' + ".qvd");
    QTest::newRow("dot folder") << withPath(".\\Main.qvd");
    QTest::newRow("empty path") << withPath("");
    QTest::newRow("broken character") << withPath("\xA4\x01x");
}

void TestBackupPackage::invalidPackageWritesNothing() {
    QFETCH(QByteArray, bytes);
    // Of another user, too: what is no package is never reported as another user's one.
    Env env("Someone");
    put(env.user("Home/Main.qvd"), "old");
    put(env.user("Home/Main1.qvd"), "old notes");
    const auto before = snapshot(env.ctx.session.DataRoot);
    put(env.package(), bytes);

    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Invalid);
    QFile::remove(env.package());
    QCOMPARE(snapshot(env.ctx.session.DataRoot), before);
    QVERIFY(QDir(env.path()).entryList({"Main.qvd"}, QDir::Files).isEmpty());
    QVERIFY(env.prompts.shown.isEmpty());
}

void TestBackupPackage::missingPackageIsSilent() {
    Env env;
    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Missing);
    QVERIFY(env.prompts.shown.isEmpty());
    QVERIFY(!QFileInfo::exists(env.ctx.session.userFolder()));
}

void TestBackupPackage::entryGroupFollowsRestoredMain() {
    Env env;
    for (const char* name : {"Main1.qvd", "Main2.qvd", "Main2a.qvd", "Main3.qvd", "Note.qvd"})
        put(env.user(QString("Home/") + name), "stale");
    put(env.user("Other/Main2a.qvd"), "other ledger");
    const QByteArray list =
        line("Home\\Main.qvd", "3") + line("Home\\Main2.qvd", "2") + line("Other\\Note.qvd", "1");
    put(env.package(), package("Test", list, "abcxyn"));

    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Restored);
    const QMap<QString, QByteArray> expected{{"Home/Main.qvd", "abc"},
                                             {"Home/Main2.qvd", "xy"},
                                             {"Home/Note.qvd", "stale"},
                                             {"Other/Main2a.qvd", "other ledger"},
                                             {"Other/Note.qvd", "n"}};
    QCOMPARE(snapshot(env.ctx.session.userFolder()), expected);
}

void TestBackupPackage::olderFavoritesFileGoes() {
    Env env;
    put(env.user("Favorites1.dat"), "old generation");
    put(env.package(), package("Test", line("Favorites.dat", "2"), "fv"));

    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Restored);
    const QMap<QString, QByteArray> expected{{"Favorites.dat", "fv"}};
    QCOMPARE(snapshot(env.ctx.session.userFolder()), expected);
}

void TestBackupPackage::failedWriteChangesNothing() {
    Env env;
    put(env.user("Old/Main.qvd"), "old");
    QDir().mkpath(env.user("DataBase.pwd/inner")); // a folder where the file should go
    const auto before = snapshot(env.ctx.session.userFolder());
    put(env.package(), package("Test", kValidList, kValidData));

    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::NotWritten);
    // Home/Main.qvd came first in the package: it is not left behind, nor is its folder.
    QCOMPARE(snapshot(env.ctx.session.userFolder()), before);
    QVERIFY(!QFileInfo::exists(env.user("Home")));
}

void TestBackupPackage::linkAtDestinationIsReplaced() {
    Env env;
    put(env.path("elsewhere/secret.txt"), "outside");
    QDir().mkpath(env.user("Home"));
    QVERIFY(QFile::link(env.path("elsewhere/secret.txt"), env.user("Home/Main.qvd")));
    put(env.package(), package("Test", kValidList, kValidData));

    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Restored);
    QCOMPARE(get(env.path("elsewhere/secret.txt")), QByteArray("outside"));
    QVERIFY(!QFileInfo(env.user("Home/Main.qvd")).isSymLink());
    QCOMPARE(get(env.user("Home/Main.qvd")), QByteArray("abc"));
}

void TestBackupPackage::dottedLedgerNamesArePacked() {
    Env env;
    put(env.user("2023..2024/Main.qvd"), "MAIN");
    put(env.user("a.b/Main.qvd"), "AB");
    QVERIFY(BuildBackupPackage(env.ctx).written);
    const auto before = snapshot(env.ctx.session.userFolder());
    QCOMPARE(before.size(), 2);

    QVERIFY(QDir(env.ctx.session.userFolder()).removeRecursively());
    QCOMPARE(RestoreBackupPackage(env.ctx), RestoreResult::Restored);
    QCOMPARE(snapshot(env.ctx.session.userFolder()), before);
}

void TestBackupPackage::unreadableFileIsReported() {
    Env env;
    put(env.user("Home/Main.qvd"), "MAIN");
    // Larger than any file a package may hold: it cannot be read into one.
    QFile huge(env.user("Home/Main1.qvd"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(FileIO::LargestTextFile + 1));
    huge.close();

    const BackupBuild built = BuildBackupPackage(env.ctx);
    QVERIFY(built.written);
    QCOMPARE(built.leftOut, QStringList{"Home\\Main1.qvd"});
    QVERIFY(!get(env.package()).contains("Main1.qvd"));
}

void TestBackupPackage::nobodyLoggedInBuildsNothing() {
    Env env("");
    put(env.ctx.session.DataRoot + "Someone/DataBase.pwd", "PW");
    QVERIFY(!BuildBackupPackage(env.ctx).written);
    QCOMPARE(QDir(env.ctx.session.DataRoot).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestBackupPackage)
#include "tst_backuppackage.moc"
