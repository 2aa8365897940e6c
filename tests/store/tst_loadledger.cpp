#include <QtTest>

#include <sys/stat.h>

#include "platform/fileio.h"
#include "store/amounts.h"
#include "store/ledgerfiles.h"
#include "store/loadledger.h"
#include "store/recordfile.h"
#include "store/saveledger.h"
#include "support/boundedrun.h"
#include "support/ledgerbuilder.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

// Opening a ledger folder: account cleaning, seeding, entry compaction, damaged files.
using TestFiles::get;
using TestFiles::put;

class TestLoadLedger : public QObject {
    Q_OBJECT

    static AccountRecord acc(const QString& name, qint16 kind = 1) {
        AccountRecord a;
        a.Name.set(name);
        a.Kind = kind;
        return a;
    }
    static QByteArray accountsFile(const QStringList& names) {
        QByteArray out;
        for (const QString& n : names)
            RecordFile::append(out, acc(n));
        return out;
    }
    static QStringList accountNames(const Ledger& l) {
        QStringList names;
        for (int i = 1; i < l.AccountCount; ++i)
            names << l.Accounts[i].Name.trimmed();
        return names;
    }
    static QStringList details(const Ledger& l) {
        QStringList d;
        for (int i = 1; i < l.EntryCount; ++i)
            d << l.Entries[i].Detail.trimmed();
        return d;
    }

private slots:
    void accountCleaning() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        const QByteArray file =
            accountsFile({QStringLiteral("A-現金"), QStringLiteral("E-餐飲費"),
                          QStringLiteral("A-現金"), "x-odd", QStringLiteral("a-現金"), "Equity"});
        put(f + "Accounts.qvd", file);
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(accountNames(env.ctx.ledger),
                 QStringList({QStringLiteral("A-現金"), QStringLiteral("E-餐飲費"), "Equity"}));
        QCOMPARE(env.ctx.ledger.AccountCount, 4);
        QCOMPARE(get(f + "Accounts.qvd"), file); // cleaning changes memory only
    }

    // Temporaries that a failed write could not remove are cleared at the next opening;
    // a ledger's own files and other hidden files stay.
    void workFilesOfFailedWritesCleared() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        const QString user = env.ctx.session.userFolder();
        put(f + "Main.qvd", QByteArray());
        put(f + ".Main.qvd.k3x.qvtmp", "half");
        put(user + ".DataBase.lst.9z.qvtmp", "half");
        put(user + ".keep", "mine");
        QVERIFY(LoadLedger(env.ctx));
        QVERIFY(!QFileInfo::exists(f + ".Main.qvd.k3x.qvtmp"));
        QVERIFY(!QFileInfo::exists(user + ".DataBase.lst.9z.qvtmp"));
        QVERIFY(QFileInfo::exists(user + ".keep"));
        QVERIFY(QFileInfo::exists(f + "Main.qvd"));
    }

    void noValidAccountNameGivesEmptyTable() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + "Accounts.qvd", accountsFile({"x", "none"}));
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.AccountCount, 1);
    }

    // Also when the empty file is a link to a file outside the folder: the seeded accounts
    // replace the link, and the file it led to stays empty.
    void emptyAccountsFileGetsCashAndEquity_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("plain file") << false;
        QTest::newRow("link to an empty file elsewhere") << true;
    }
    void emptyAccountsFileGetsCashAndEquity() {
        QFETCH(bool, link);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        const QString outside = env.path("elsewhere/empty.qvd");
        if (link) {
            put(outside, QByteArray());
            QVERIFY(QFile::link(outside, f + "Accounts.qvd"));
        } else {
            put(f + "Accounts.qvd", QByteArray());
        }
        put(f + "Main.qvd", QByteArray());
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(accountNames(env.ctx.ledger), QStringList({QStringLiteral("A-現金"), "Equity"}));
        QByteArray expected;
        RecordFile::append(expected, acc(QStringLiteral("A-現金"), 1));
        RecordFile::append(expected, acc("Equity", 0));
        QCOMPARE(get(f + "Accounts.qvd"), expected);
        QVERIFY(!QFileInfo(f + "Accounts.qvd").isSymLink());
        if (link) QCOMPARE(get(outside), QByteArray());
        QCOMPARE(env.ctx.ledger.EntryCount, 1); // empty Main.qvd: no entries, nothing seeded
        QVERIFY(!QFile::exists(f + "Main1.qvd"));
    }

    void newLedgerWithoutOtherLedgers() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        env.clock.setToday(QDate(2024, 3, 7));
        env.ctx.session.LedgerNames = {"home"};
        int asked = 0;
        env.ctx.session.ApplyAccounts = [&](const QStringList&) { return ++asked, true; };
        env.ctx.session.AccountsApplied = true; // left over from another ledger: does not count
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(asked, 0);
        const Ledger& l = env.ctx.ledger;
        QCOMPARE(accountNames(l),
                 QStringList({QStringLiteral("A-現金"), QStringLiteral("L-信用卡"),
                              QStringLiteral("I-薪資"), QStringLiteral("I-其他收入"),
                              QStringLiteral("E-餐飲費"), QStringLiteral("E-交通費"),
                              QStringLiteral("E-服裝費"), QStringLiteral("E-其他支出"), "Equity"}));
        QCOMPARE(l.Accounts[9].Kind, qint16(0));
        QCOMPARE(l.Accounts[2].Kind, qint16(2));
        QCOMPARE(l.EntryCount, 3);
        QCOMPARE(details(l),
                 QStringList({QStringLiteral("[現金初值]"), QStringLiteral("[信用卡初值]")}));
        QCOMPARE(l.Entries[1].Date.trimmed(), QString("2024/03/07"));
        QCOMPARE(l.Entries[2].Account2.trimmed(), QString("Equity"));
        QCOMPARE(l.Entries[1].Amount.tag(), quint16(TaggedNumber::Int16));
        QCOMPARE(l.EntryNotes[1].Note.trimmed(),
                 QStringLiteral("請修改這筆金額以設定科目初始金額"));
        // Written at once: the four entry record files hold the two entries.
        QCOMPARE(get(f + "Main.qvd").size(), 2 * 284);
        QCOMPARE(get(f + "Main1.qvd").size(), 2 * 204);
        QCOMPARE(get(f + "Main2.qvd").size(), 2 * 18);
        QCOMPARE(get(f + "Main2a.qvd").size(), 2 * 8);
        QVERIFY(!QFile::exists(f + "Main3.qvd"));
        QCOMPARE(get(f + "Accounts.qvd").size(), 9 * 276);
        QVERIFY(!env.ctx.ledger.LedgerChangedFlag.isSet());
        QVERIFY(!env.ctx.session.AccountsApplied);
    }

    void seededEntriesTakeNoLeftOverNoteRows() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        env.ctx.session.LedgerNames = {"home"};
        put(f + "Main3.qvd", "\"old long note\"\r\n\"another\"\r\n");
        QVERIFY(LoadLedger(env.ctx));
        QVERIFY(!QFile::exists(f + "Main3.qvd"));
        QVERIFY(LoadLedger(env.ctx)); // opened again before any save
        QCOMPARE(env.ctx.ledger.EntryCount, 3);
        QCOMPARE(env.ctx.ledger.fullNote(1), QStringLiteral("請修改這筆金額以設定科目初始金額"));
    }

    void declinedApplyAfterCopyGetsOnlyDefaults() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "new");
        env.ctx.session.LedgerNames = {"old", "new", "other"};
        QStringList offered;
        env.ctx.session.ApplyAccounts = [&](const QStringList& others) {
            offered = others;
            // The apply window copied the accounts, then failed to find Note.qvd and the
            // user declined.
            QStringList many;
            for (int i = 0; i < 12; ++i)
                many << QString("E-copied%1").arg(i);
            put(f + "Accounts.qvd", accountsFile(many));
            return false;
        };
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(offered, QStringList({"old", "other"}));
        QCOMPARE(env.ctx.ledger.AccountCount, 10);
        QCOMPARE(get(f + "Accounts.qvd").size(), 9 * 276);
        // A later opening reads only the defaults back.
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.AccountCount, 10);
    }

    void appliedAccountsSeedOneEntryPerAssetOrLiability() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "new");
        env.ctx.session.LedgerNames = {"old", "new"};
        env.ctx.session.ApplyAccounts = [&](const QStringList& others) {
            if (others != QStringList({"old"})) return false;
            put(f + "Accounts.qvd",
                accountsFile({QStringLiteral("A-現金"), QStringLiteral("A-銀行"),
                              QStringLiteral("L-信用卡"), QStringLiteral("E-餐飲費"), "Equity",
                              QStringLiteral("A-現金")}));
            return true;
        };
        QVERIFY(LoadLedger(env.ctx));
        QVERIFY(env.ctx.session.AccountsApplied);
        // Read as copied: no cleaning of the duplicate.
        QCOMPARE(env.ctx.ledger.AccountCount, 7);
        QCOMPARE(details(env.ctx.ledger),
                 QStringList({QStringLiteral("[現金初值]"), QStringLiteral("[銀行初值]"),
                              QStringLiteral("[信用卡初值]"), QStringLiteral("[現金初值]")}));
    }

    void entriesWithoutValidDateAreDropped() {
        StoreEnv env;
        env.makeLedger("amy", "home");
        LedgerBuilder b(env.ctx.ledger);
        b.account("A-x").account("E-y");
        b.entry("2024/01/01", "E-y", "A-x", 100, "first")
            .note(QString(150, 'a'))
            .invoice("AB", "11111111")
            .colour(1)
            .entry("DeleteData", "E-y", "A-x", 200, "marked")
            .note(QString(150, 'b'))
            .colour(2)
            .entry("2024/02/30", "E-y", "A-x", 300, "no such day")
            .colour(3)
            .entry("", "E-y", "A-x", 400, "blank")
            .entry("2024/01/03", "E-y", "A-x", 500, "last")
            .note(QString(150, 'c'))
            .invoice("CD", "33333333")
            .colour(4);
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        env.ctx.ledger.clear();

        QVERIFY(LoadLedger(env.ctx));
        const Ledger& l = env.ctx.ledger;
        QCOMPARE(details(l), QStringList({"first", "last"}));
        QCOMPARE(l.fullNote(1), QString(150, 'a'));
        QCOMPARE(l.fullNote(2), QString(150, 'c'));
        QCOMPARE(l.EntryInvoices[2].InvoiceDigits.trimmed(), QString("33333333"));
        QCOMPARE(l.EntryStyles[2].InvoiceLetters.trimmed(), QString("CD"));
        QCOMPARE(int(l.EntryStyles[2].ColourIndex), 4);
        QCOMPARE(l.EntryCount, 3);
    }

    void missingStyleFileAndShortNoteFile() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        LedgerBuilder b(env.ctx.ledger);
        b.account("A-x");
        for (int i = 1; i <= 3; ++i)
            b.entry("2024/01/01", "E-y", "A-x", i).note(QString(110, QChar('0' + i))).colour(i);
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        QVERIFY(QFile::remove(f + "Main2a.qvd"));
        put(f + "Main3.qvd", "\"" + QByteArray(110, '1') + "\"\r\n");
        env.ctx.ledger.clear();

        QVERIFY(LoadLedger(env.ctx));
        const Ledger& l = env.ctx.ledger;
        QCOMPARE(l.EntryCount, 4);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(int(l.EntryStyles[i].ColourIndex), 0);
        QCOMPARE(l.noteRow(1), QString(110, '1'));
        QCOMPARE(l.noteRow(2), QString());
        QCOMPARE(l.fullNote(2), QString(100, '2')); // the Note field alone
    }

    void surplusStyleRecordsAreIgnored() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        LedgerBuilder(env.ctx.ledger).account("A-x").entry("2024/01/01", "E-y", "A-x", 1).colour(5);
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        QByteArray styles = get(f + "Main2a.qvd");
        EntryStyle extra;
        extra.ColourIndex = 7;
        RecordFile::append(styles, extra);
        styles.append("xyz"); // and a partial record
        put(f + "Main2a.qvd", styles);
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.EntryCount, 2);
        QCOMPARE(int(env.ctx.ledger.EntryStyles[1].ColourIndex), 5);
        QCOMPARE(int(env.ctx.ledger.EntryStyles[2].ColourIndex), 0);
    }

    void kindTotals() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + "Accounts.qvd", accountsFile({"A-x"}));
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.KindTotals[3].Name.trimmed(), QStringLiteral("收入總和"));
        QVERIFY(env.ctx.ledger.KindTotals[3].Budget[0].isEmpty());

        QByteArray totals;
        for (int r = 1; r <= 5; ++r) {
            AccountRecord a = acc(QString("row%1").arg(r), 0);
            a.Budget[1] = TaggedNumber::fromDouble(r * 100);
            RecordFile::append(totals, a);
        }
        put(f + "Accounts2.qvd", totals);
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.ctx.ledger.KindTotals[4].Name.trimmed(), QString("row4"));
        QCOMPARE(env.ctx.ledger.KindTotals[4].Budget[1].value(), 400.0);
    }

    void damagedMainFilesStopTheOpening_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray entries;
        EntryCore e;
        e.Date.set("2024/01/01");
        e.Amount = TaggedNumber::fromDouble(1);
        RecordFile::append(entries, e);
        QByteArray badTag = entries;
        badTag[74] = 9;
        QTest::newRow("unknown tag") << "Main.qvd" << badTag;
        QByteArray tooMany;
        tooMany.reserve(30001 * 284);
        for (int i = 0; i < 30001; ++i)
            tooMany.append(entries);
        QTest::newRow("30001 entries") << "Main.qvd" << tooMany;
        QTest::newRow("2001 accounts") << "Accounts.qvd" << QByteArray(2001 * 276, '\0');
        QByteArray badTotals(276, '\0');
        badTotals[34] = 4;
        QTest::newRow("unknown budget tag") << "Accounts2.qvd" << badTotals;
        // Not empty, yet not one whole account: seeding over it would lose what it holds.
        QTest::newRow("1-byte accounts") << "Accounts.qvd" << QByteArray(1, 'A');
        QTest::newRow("275-byte accounts") << "Accounts.qvd" << QByteArray(275, 'A');
    }
    void damagedMainFilesStopTheOpening() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        env.ctx.session.LedgerNames = {"home", "other"};
        env.ctx.session.ApplyAccounts = [](const QStringList&) {
            qFatal("no question for a damaged ledger");
            return false;
        };
        put(f + file, bytes);
        LedgerBuilder(env.ctx.ledger).account("A-old").entry("2024/01/01", "A-old", "Equity", 1);
        env.ctx.ledger.markChanged();

        const LedgerOpening opening = LoadLedger(env.ctx);
        QVERIFY(!opening);
        QCOMPARE(opening.unreadable, QStringList({file}));
        QVERIFY(env.prompts.shown.isEmpty()); // the windows tell the user
        QCOMPARE(env.ctx.ledger.EntryCount, 1);
        QCOMPARE(env.ctx.ledger.AccountCount, 1);
        QVERIFY(!env.ctx.ledger.LedgerChangedFlag.isSet());
        // Nothing seeded or written: only the damaged file is in the folder.
        QCOMPARE(QDir(f).entryList(QDir::Files), QStringList({file}));
        QCOMPARE(get(f + file), bytes);
    }

    // A device or a named pipe where a ledger file should be is refused like a damaged
    // file: read, it would never end (a pipe blocks, a zero device fills the memory).
    void specialFilesStopTheOpening_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("pipe");
        for (const char* file : {"Accounts.qvd", "Main.qvd", "Main1.qvd", "Main3.qvd"}) {
            QTest::addRow("%s links to a zero device", file) << QString(file) << false;
            QTest::addRow("%s is a named pipe", file) << QString(file) << true;
        }
    }
    void specialFilesStopTheOpening() {
        QFETCH(QString, file);
        QFETCH(bool, pipe);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        LedgerBuilder(env.ctx.ledger)
            .account("A-x")
            .entry("2024/01/01", "E-y", "A-x", 1)
            .note(QString(150, 'n'));
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        env.ctx.ledger.clear();
        QVERIFY(QFile::remove(f + file));
        if (pipe)
            QCOMPARE(mkfifo(QFile::encodeName(f + file).constData(), 0600), 0);
        else
            TestFiles::linkToZeroDevice(f + file, env.path());

        LedgerOpening opening;
        BoundedRun::run([&] { opening = LoadLedger(env.ctx); });
        QVERIFY(!opening);
        QCOMPARE(opening.unreadable, QStringList({file}));
        QCOMPARE(env.ctx.ledger.EntryCount, 1);
        // Left as it was.
        QCOMPARE(QFileInfo(f + file).isSymLink(), !pipe);
    }

    // A record file whose length is no whole number of records was not written by the
    // program: its bytes are kept as "<name>.bad" when the first save rewrites it.
    void partialRecordFileIsKeptBeforeItsRewrite_data() {
        QTest::addColumn<QString>("file");
        for (const char* file :
             {"Accounts.qvd", "Accounts2.qvd", "Main.qvd", "Main1.qvd", "Main2.qvd", "Main2a.qvd"})
            QTest::newRow(file) << QString(file);
    }
    void partialRecordFileIsKeptBeforeItsRewrite() {
        QFETCH(QString, file);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        LedgerBuilder(env.ctx.ledger)
            .account("A-x")
            .account("E-y")
            .entry("2024/01/01", "E-y", "A-x", 1)
            .invoice("AB", "12345678")
            .colour(2);
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        const QByteArray whole = get(f + file);
        const QByteArray damaged = whole + "xyz";
        put(f + file, damaged);
        env.ctx.ledger.clear();

        QVERIFY(LoadLedger(env.ctx));
        QVERIFY(!QFile::exists(f + file + ".bad")); // an opening writes nothing
        env.ctx.ledger.AccountsChanged = true;
        QVERIFY(WriteLedgerFiles(env.ctx));
        QCOMPARE(get(f + file + ".bad"), damaged);
        QCOMPARE(get(f + file), whole);

        // Kept once: a later save leaves the copy alone.
        put(f + file + ".bad", "older copy");
        QVERIFY(WriteLedgerFiles(env.ctx));
        QCOMPARE(get(f + file + ".bad"), QByteArray("older copy"));
    }

    void caption() {
        Session s;
        s.CurrentUser = "amy";
        s.LedgerName = "home";
        s.AppFolder = "/opt/q/";
        s.DataRoot = "/opt/q/DataBase/";
        QCOMPARE(LedgerCaption(s), QStringLiteral("Qivoka v4.0.4 - [amy：home]"));
        s.DataRoot = "/data/books/";
        QCOMPARE(LedgerCaption(s),
                 QStringLiteral("Qivoka v4.0.4 - [amy：home] - [資料庫路徑：/data/books/]"));
    }

    void flagsAreReset() {
        StoreEnv env;
        env.makeLedger("amy", "home");
        Ledger& l = env.ctx.ledger;
        l.AccountsChanged = l.DetailTextsChanged = l.QuickEntriesChanged = l.RecurringChanged =
            true;
        l.TreeStateChanged = true;
        l.markChanged();
        QVERIFY(LoadLedger(env.ctx));
        QVERIFY(!l.AccountsChanged && !l.DetailTextsChanged && !l.QuickEntriesChanged &&
                !l.RecurringChanged);
        QVERIFY(!l.LedgerChangedFlag.isSet());
        QVERIFY(l.TreeStateChanged); // the tree's own step clears it
    }
};

QTEST_MAIN(TestLoadLedger)
#include "tst_loadledger.moc"
