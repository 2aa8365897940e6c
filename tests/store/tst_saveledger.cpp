#include <QtTest>

#include "platform/fileio.h"
#include "store/ledgerfiles.h"
#include "store/loadledger.h"
#include "store/recordfile.h"
#include "store/saveledger.h"
#include "support/ledgerbuilder.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

// Saving: the bytes of every file, which files a save rewrites and the entry group commit.
using TestFiles::get;

class TestSaveLedger : public QObject {
    Q_OBJECT

    static void setAllFlags(Ledger& l) {
        l.AccountsChanged = l.DetailTextsChanged = l.QuickEntriesChanged = l.RecurringChanged =
            true;
    }

    static void fillRichLedger(Ledger& ledger) {
        LedgerBuilder b(ledger);
        b.defaultAccounts()
            .account(QStringLiteral("A-現金.錢包"))
            .account(QStringLiteral("A-") + QString(15, QChar(0x73FE)));
        b.budget(QStringLiteral("E-餐飲費"), 0, 1200000)
            .budget(QStringLiteral("E-餐飲費"), 3, 100000)
            .totalBudget(4, 1, 50000);
        b.entryTagged("2024/01/01", QStringLiteral("A-現金"), "Equity", TaggedNumber::fromInt16(0),
                      QStringLiteral("[現金初值]"))
            .entryTagged("2024/01/02", QStringLiteral("A-現金"), "Equity",
                         TaggedNumber::fromInt32(250000), "old")
            .entry("2024/01/03", QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), 12345,
                   QStringLiteral("午餐"))
            .note(QStringLiteral("他說\"好\"”") + QString(120, 'x'))
            .invoice("AB", "12345678")
            .checked()
            .colour(9)
            .remind(3)
            .entry("2024/01/04", QStringLiteral("E-餐飲費"), QStringLiteral("L-信用卡"), -5,
                   "refund")
            .note("short");
        b.detailText(QStringLiteral("E-餐飲費"), QStringLiteral("早餐"))
            .detailText(QStringLiteral("未分類"), "x,y");
        b.quickEntry({QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), "120",
                      QStringLiteral("便當"), "n"});
        b.recurring(1, "32", QStringLiteral("E-其他支出"), QStringLiteral("A-現金"), 150000, "rent",
                    true)
            .recurring(0, "03/07", QStringLiteral("I-薪資"), QStringLiteral("A-現金"), 9, "bonus");
    }

    static const QStringList& ledgerFiles() {
        static const QStringList files = {
            "Accounts.qvd", "Accounts2.qvd", "Main.qvd", "Main1.qvd",     "Main2.qvd",
            "Main2a.qvd",   "Main3.qvd",     "Note.qvd", "Favorites.qvd", "Fixure.qvd"};
        return files;
    }

private slots:
    void loadAndSaveKeepEveryByte() {
        StoreEnv env;
        const QString src = env.makeLedger("amy", "src");
        fillRichLedger(env.ctx.ledger);
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.EntryCount, 5);

        env.ctx.session.LedgerName = "dst";
        QVERIFY(QDir().mkpath(env.ctx.session.ledgerFolder()));
        setAllFlags(env.ctx.ledger);
        QVERIFY(WriteLedgerFiles(env.ctx));
        for (const QString& name : ledgerFiles())
            QVERIFY2(get(src + name) == get(env.ctx.session.ledgerFolder() + name),
                     qPrintable(name));
        QVERIFY(env.prompts.shown.isEmpty());

        // Spot checks of the content.
        const QByteArray main3 = get(src + "Main3.qvd");
        QCOMPARE(main3.count("\r\n"), 4);
        QVERIFY(main3.contains("%22" + Ansi::encode(QStringLiteral("好")) + "%22%E2%80%9D"));
        QCOMPARE(
            get(src + "Favorites.qvd"),
            Ansi::encode(QStringLiteral("\"E-餐飲費\",\"A-現金\",\"120\",\"便當\",\"n\"\r\n")));
        QCOMPARE(get(src + "Note.qvd"),
                 Ansi::encode(QStringLiteral("E-餐飲費\x01早餐\r\n未分類\x01x,y\r\n")));
    }

    void emptyLedgerRemovesEntryFiles() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        fillRichLedger(env.ctx.ledger);
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        env.ctx.ledger.clearEntries();
        QVERIFY(WriteLedgerFiles(env.ctx));
        QCOMPARE(get(f + "Main.qvd"), QByteArray());
        for (const char* name : {"Main1.qvd", "Main2.qvd", "Main2a.qvd", "Main3.qvd"})
            QVERIFY2(!QFile::exists(f + name), name);
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.EntryCount, 1);
    }

    void optionalFilesFollowTheirFlags() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        LedgerBuilder(env.ctx.ledger).account("A-x").account("A-x");
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        const QByteArray accounts = get(f + "Accounts.qvd");
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.AccountCount, 2);

        // Unchanged accounts: the duplicate the opening dropped stays in the file; a missing
        // totals file is written anyway.
        QVERIFY(QFile::remove(f + "Accounts2.qvd"));
        QVERIFY(WriteLedgerFiles(env.ctx));
        QCOMPARE(get(f + "Accounts.qvd"), accounts);
        QCOMPARE(get(f + "Accounts2.qvd").size(), 4 * 276);

        // Emptied tables with their flags set.
        Ledger& l = env.ctx.ledger;
        l.DetailTexts.assign(Ledger::DetailTextCapacity + 1, QString());
        l.DetailTextCount = 1;
        l.RecurringCount = 1;
        l.DetailTextsChanged = l.RecurringChanged = true;
        LedgerBuilder(l).recurring(2, "1", "E-a", "A-x", 1, "d");
        l.RecurringCount = 1;
        QVERIFY(WriteLedgerFiles(env.ctx));
        QCOMPARE(get(f + "Note.qvd"), QByteArray());
        QVERIFY(!QFile::exists(f + "Fixure.qvd"));
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.DetailTextCount, 1); // an empty file, not the defaults
        QVERIFY(WriteLedgerFiles(env.ctx));
        QVERIFY(!QFile::exists(f + "Fixure.qvd"));
        QCOMPARE(get(f + "Accounts.qvd"), accounts);
    }

    void accountsWithoutAnyAccountAreDeleted() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        LedgerBuilder(env.ctx.ledger).account("A-x");
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        env.ctx.ledger.clearAccounts();
        env.ctx.ledger.AccountsChanged = true;
        QVERIFY(WriteLedgerFiles(env.ctx));
        QVERIFY(!QFile::exists(f + "Accounts.qvd"));
    }

    void quotesLeaveEveryQuickEntryField() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        const QString rq(QChar(0x201D));
        LedgerBuilder(env.ctx.ledger).quickEntry({"E-\"a", "A-b" + rq, "1\"2", "d\"" + rq, "n\""});
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        QCOMPARE(get(f + "Favorites.qvd"), QByteArray("\"E-a\",\"A-b\",\"12\",\"d\",\"n\"\r\n"));
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.QuickEntryCount, 2);
        QCOMPARE(env.ctx.ledger.QuickEntries[1].Amount, QString("12"));
    }

    void entryGroupIsReplacedTogetherOrNotAtAll() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        fillRichLedger(env.ctx.ledger);
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        QMap<QString, QByteArray> before;
        for (const QString& name : ledgerFiles())
            before[name] = get(f + name);

        // Main2a.qvd cannot be replaced (a folder stands in its place).
        QVERIFY(QFile::remove(f + "Main2a.qvd"));
        QVERIFY(QDir().mkdir(f + "Main2a.qvd"));
        env.ctx.ledger.markEntryDeleted(1);
        env.ctx.ledger.compactEntries();
        QVERIFY(!WriteLedgerFiles(env.ctx, {SaveEntryFiles}));
        for (const char* name : {"Main.qvd", "Main1.qvd", "Main2.qvd", "Main3.qvd"})
            QVERIFY2(get(f + name) == before[name], name);
        QStringList left = QDir(f).entryList(QDir::Files);
        left.sort();
        QStringList expected = ledgerFiles();
        expected.removeAll("Main2a.qvd");
        expected.sort();
        QCOMPARE(left, expected); // no temporary file stays behind

        QVERIFY(QDir().rmdir(f + "Main2a.qvd"));
        QVERIFY(WriteLedgerFiles(env.ctx, {SaveEntryFiles}));
        QCOMPARE(get(f + "Main.qvd").size(), 3 * 284);
        QCOMPARE(get(f + "Main2a.qvd").size(), 3 * 8);
    }
};

QTEST_MAIN(TestSaveLedger)
#include "tst_saveledger.moc"
