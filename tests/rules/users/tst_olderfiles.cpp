#include "platform/codec.h"
#include "rules/users/olderfiles.h"
#include "support/ledgerfiles_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray le16(qint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(qint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray padded(QByteArray bytes, int n, char fill) {
    bytes.append(QByteArray(n - bytes.size(), fill));
    return bytes;
}

QByteArray text(const QString& t, int n) {
    return padded(Ansi::encode(t), n, ' ');
}

// One slot of the older account file: name, kind, 13 budgets in whole units.
QByteArray oldAccount(const QByteArray& name32, qint16 kind, qint32 yearBudget) {
    QByteArray slot = name32 + le16(kind) + le32(yearBudget);
    for (int j = 1; j <= 12; ++j)
        slot += le32(j);
    return padded(slot, 120, 'x'); // the tail of an old slot is never read
}

QByteArray oldEntry(const QString& date, const QString& a1, const QString& a2, qint32 units,
                    const QByteArray& detail60) {
    return padded(text(date, 10) + text(a1, 32) + text(a2, 32) + le32(units) + detail60, 272, 'x');
}

} // namespace

class OlderFilesTest : public QObject {
    Q_OBJECT

private slots:
    void accountsBytes();
    void entriesBytes();
    void largeAmountBecomesDouble();
    void convertsOnceAndKeepsCurrentFiles();
    void userFolderCleanup();
    void failedWriteKeepsOldFile();
};

void OlderFilesTest::accountsBytes() {
    // A name with blank padding, and one cut at a NUL with rubbish behind it.
    const QByteArray qvm = oldAccount(text(QStringLiteral("A-現金"), 32), 1, 1234) +
                           oldAccount(padded(QByteArray("E-x\0yz", 6), 32, 'q'), 4, -5);
    QByteArray expected;
    for (const auto& [name, kind, year] : {std::tuple{QStringLiteral("A-現金"), qint16(1), 123400},
                                           std::tuple{QStringLiteral("E-x"), qint16(4), -500}}) {
        QByteArray slot = text(name, 32) + le16(kind) + le16(3) + le32(year);
        for (int j = 1; j <= 12; ++j)
            slot += le16(3) + le32(j * 100);
        QCOMPARE(slot.size(), 112);
        expected += padded(slot, 276, '\0');
    }
    QCOMPARE(OlderFiles::convertAccounts(qvm), expected);
}

void OlderFilesTest::entriesBytes() {
    const QByteArray qvm =
        oldEntry("2020/01/02", QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), 1234,
                 text(QStringLiteral("午餐"), 60)) +
        QByteArray(100, 'p'); // a partial slot is no record
    const QByteArray expected =
        padded(text("2020/01/02", 10) + text(QStringLiteral("E-餐飲費"), 32) +
                   text(QStringLiteral("A-現金"), 32) + le16(3) + le32(123400) +
                   text(QStringLiteral("午餐"), 60),
               284, '\0');
    QCOMPARE(OlderFiles::convertEntries(qvm), expected);
}

void OlderFilesTest::largeAmountBecomesDouble() {
    const QByteArray out =
        OlderFiles::convertEntries(oldEntry("2020/01/02", "A-a", "Equity", 30000000, text("", 60)));
    QCOMPARE(qFromLittleEndian<quint16>(out.constData() + 74), quint16(5));
    double v = 0;
    std::memcpy(&v, out.constData() + 76, 8);
    QCOMPARE(v, 3000000000.0);
    QCOMPARE(out.mid(84, 60), text("", 60));
}

void OlderFilesTest::convertsOnceAndKeepsCurrentFiles() {
    QTemporaryDir dir;
    const QString user = dir.path() + "/u/";
    QVERIFY(QDir().mkpath(user + "old"));
    QVERIFY(QDir().mkpath(user + "both"));
    QVERIFY(QDir().mkpath(user + "unlisted"));
    const QByteArray accounts = oldAccount(text("A-a", 32), 1, 1);
    const QByteArray entries = oldEntry("2020/01/02", "A-a", "Equity", 7, text("d", 60));
    writeFixtureBytes(user + "old/Accounts.qvm", accounts);
    writeFixtureBytes(user + "old/Main.qvm", entries);
    writeFixtureBytes(user + "both/Main.qvm", entries);
    writeFixtureBytes(user + "both/Main.qvd", "current");
    writeFixtureBytes(user + "unlisted/Main.qvm", entries);

    QVERIFY(OlderFiles::convertUser(user, {"old", "both", "missing"}));
    QCOMPARE(fixtureBytes(user + "old/Accounts.qvd"), OlderFiles::convertAccounts(accounts));
    QCOMPARE(fixtureBytes(user + "old/Main.qvd"), OlderFiles::convertEntries(entries));
    QVERIFY(!QFileInfo::exists(user + "old/Accounts.qvm"));
    QVERIFY(!QFileInfo::exists(user + "old/Main.qvm"));
    QVERIFY(!QFileInfo::exists(user + "old/Main1.qvd"));
    QCOMPARE(fixtureBytes(user + "both/Main.qvd"), QByteArray("current"));
    QVERIFY(!QFileInfo::exists(user + "both/Main.qvm"));
    QVERIFY(QFileInfo::exists(user + "unlisted/Main.qvm"));
    QVERIFY(!QFileInfo::exists(user + "missing"));

    // A second run finds nothing to do.
    writeFixtureBytes(user + "old/Main.qvd", "edited since");
    QVERIFY(OlderFiles::convertUser(user, {"old"}));
    QCOMPARE(fixtureBytes(user + "old/Main.qvd"), QByteArray("edited since"));
}

void OlderFilesTest::userFolderCleanup() {
    QTemporaryDir dir;
    const QString user = dir.path() + "/";
    for (const QString& name : OlderFiles::userFolderLeftovers())
        writeFixtureBytes(user + name, "x");
    writeFixtureBytes(user + "DataBase.lst", "keep");
    writeFixtureBytes(user + "Memo.dat", "keep");
    QVERIFY(QDir().mkpath(user + "L"));
    writeFixtureBytes(user + "L/Main.qvd", "keep");

    QVERIFY(OlderFiles::convertUser(user, {}));
    for (const QString& name : OlderFiles::userFolderLeftovers())
        QVERIFY2(!QFileInfo::exists(user + name), qPrintable(name));
    QCOMPARE(fixtureBytes(user + "DataBase.lst"), QByteArray("keep"));
    QCOMPARE(fixtureBytes(user + "Memo.dat"), QByteArray("keep"));
    QCOMPARE(fixtureBytes(user + "L/Main.qvd"), QByteArray("keep"));
}

void OlderFilesTest::failedWriteKeepsOldFile() {
    QTemporaryDir dir;
    const QString ledger = dir.path() + "/L/";
    QVERIFY(QDir().mkpath(ledger));
    const QByteArray entries = oldEntry("2020/01/02", "A-a", "Equity", 7, text("d", 60));
    writeFixtureBytes(ledger + "Main.qvm", entries);
    {
        // The new file cannot be written whole.
        const TestFiles::FileSizeLimit full(16);
        QVERIFY(!OlderFiles::convertLedgerFolder(ledger));
    }
    QCOMPARE(fixtureBytes(ledger + "Main.qvm"), entries);
    QVERIFY(!QFileInfo::exists(ledger + "Main.qvd"));
}

QTEST_GUILESS_MAIN(OlderFilesTest)
#include "tst_olderfiles.moc"
