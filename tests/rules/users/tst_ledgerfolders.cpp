#include "rules/users/ledgerfolders.h"
#include "support/ledgerfiles_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class LedgerFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void copyTargetName_data();
    void copyTargetName();
    void copyTakesOnlyLedgerFiles();
    void deleteLedger();
};

void LedgerFoldersTest::copyTargetName_data() {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("target");
    QTest::newRow("free") << QStringList{} << QStringList{} << "A-Copy";
    QTest::newRow("first taken") << QStringList{"A-Copy"} << QStringList{} << "A-Copy1";
    QTest::newRow("two taken") << QStringList{"A-Copy", "A-Copy1"} << QStringList{} << "A-Copy2";
    QTest::newRow("a file counts") << QStringList{} << QStringList{"A-Copy"} << "A-Copy1";
    QTest::newRow("gap") << QStringList{"A-Copy", "A-Copy2"} << QStringList{} << "A-Copy1";
}

void LedgerFoldersTest::copyTargetName() {
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString user = dir.path() + "/";
    QDir().mkpath(user + "A");
    for (const QString& f : folders)
        QDir().mkpath(user + f);
    for (const QString& f : files)
        writeFixtureBytes(user + f, "x");
    QCOMPARE(LedgerFolders::copyTargetName(user, "A"), target);
}

void LedgerFoldersTest::copyTakesOnlyLedgerFiles() {
    QTemporaryDir dir;
    const QString source = dir.path() + "/A/";
    const QString target = dir.path() + "/A-Copy/";
    QDir().mkpath(source + "sub");
    writeFixtureBytes(source + "Main.qvd", "main");
    writeFixtureBytes(source + "DotState.qvd", "");
    writeFixtureBytes(source + "Other.txt", "not a ledger file");
    QVERIFY(LedgerFolders::copyLedger(source, target));
    QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
             QStringList({"DotState.qvd", "Main.qvd"}));
    QCOMPARE(fixtureBytes(target + "Main.qvd"), QByteArray("main"));
}

void LedgerFoldersTest::deleteLedger() {
    QTemporaryDir dir;
    const QString ledger = dir.path() + "/A/";
    QDir().mkpath(ledger);
    writeFixtureBytes(ledger + "Main.qvd", "x");
    writeFixtureBytes(ledger + ".hidden", "x");
    QVERIFY(LedgerFolders::deleteLedger(ledger));
    QVERIFY(!QFileInfo::exists(ledger));
    QVERIFY(LedgerFolders::deleteLedger(ledger)); // missing is no error

    // A sub-folder is not removed by force: the delete fails and the ledger stays whole.
    const QString nested = dir.path() + "/B/";
    QDir().mkpath(nested + "inner");
    writeFixtureBytes(nested + "Main.qvd", "x");
    QVERIFY(!LedgerFolders::deleteLedger(nested));
    QVERIFY(QFileInfo::exists(nested + "inner"));
    QVERIFY(QFileInfo::exists(nested + "Main.qvd"));

    // A ledger entry that links to another folder: the link goes, the linked files stay.
    const QString elsewhere = dir.path() + "/Elsewhere/";
    QDir().mkpath(elsewhere);
    writeFixtureBytes(elsewhere + "Main.qvd", "x");
    QVERIFY(QFile::link(dir.path() + "/Elsewhere", dir.path() + "/C"));
    QVERIFY(LedgerFolders::deleteLedger(dir.path() + "/C/"));
    QVERIFY(!QFileInfo(dir.path() + "/C").isSymLink());
    QVERIFY(QFileInfo::exists(elsewhere + "Main.qvd"));
}

QTEST_GUILESS_MAIN(LedgerFoldersTest)
#include "tst_ledgerfolders.moc"
