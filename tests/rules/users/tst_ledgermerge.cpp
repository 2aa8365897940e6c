#include "rules/users/ledgermerge.h"
#include "support/ledgerfiles_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using LedgerMerge::ApplyResult;
Q_DECLARE_METATYPE(LedgerMerge::ApplyResult)

namespace {

void seedOpenLedger(Ledger& ledger) {
    ledger.addAccount(fixtureAccount(QStringLiteral("A-現金"), KindAsset));
    ledger.addAccount(fixtureAccount(QStringLiteral("E-餐飲費"), KindExpense));
    ledger.addAccount(fixtureAccount(QStringLiteral("Equity"), KindEquity));
    FixtureEntry own;
    own.detail = QStringLiteral("own");
    ledger.addEntry(own.toEntry());
}

} // namespace

class LedgerMergeTest : public QObject {
    Q_OBJECT

private slots:
    void mergeAppendsEntriesAndNewAccounts();
    void mergedNamesAndDetailsLoseControlCharacters();
    void missingPartsLeaveSlotsEmpty();
    void entryCapacity();
    void accountCapacity();
    void fullLedgerAndEmptyOther();
    void apply_data();
    void apply();
};

void LedgerMergeTest::mergeAppendsEntriesAndNewAccounts() {
    QTemporaryDir dir;
    const QString other = dir.path() + "/B/";
    FixtureEntry a;
    a.detail = QStringLiteral("午餐");
    a.note = QStringLiteral("short");
    a.invoiceDigits = "12345678";
    a.isChecked = -1;
    a.invoiceLetters = "AB";
    a.colour = 3;
    FixtureEntry b;
    b.amount = -250;
    b.noteRow = QStringLiteral("long \"quoted\" ”note” %x");
    writeFixtureEntries(other, {a, b});
    AccountRecord cash =
        fixtureAccount(QStringLiteral("A-現金"), KindLiability); // same name, other kind
    cash.Budget[0] = TaggedNumber::fromDouble(500);
    writeFixtureAccounts(other, {cash, fixtureAccount(QStringLiteral("E-交通費"), KindExpense),
                                 fixtureAccount(QStringLiteral("E-交通費"), KindExpense),
                                 fixtureAccount(QStringLiteral("Equity"), KindEquity),
                                 fixtureAccount(QStringLiteral("I-薪資"), KindIncome)});

    Ledger ledger;
    seedOpenLedger(ledger);
    const auto result = LedgerMerge::mergeLedger(ledger, other);

    QCOMPARE(result.entriesAdded, 2);
    QCOMPARE(result.accountsAdded, 2);
    QVERIFY(!result.entriesCut && !result.accountsCut);
    QCOMPARE(ledger.EntryCount, 4);
    QCOMPARE(ledger.Entries[1].Detail.trimmed(), QStringLiteral("own"));
    const LedgerEntry e2 = ledger.entry(2);
    QCOMPARE(e2.core.Detail.trimmed(), QStringLiteral("午餐"));
    QCOMPARE(e2.core.Amount, TaggedNumber::fromDouble(10000));
    QCOMPARE(e2.note.Note.trimmed(), QStringLiteral("short"));
    QCOMPARE(e2.invoice.InvoiceDigits.trimmed(), QStringLiteral("12345678"));
    QCOMPARE(e2.invoice.Checked, qint16(-1));
    QCOMPARE(e2.style.InvoiceLetters.trimmed(), QStringLiteral("AB"));
    QCOMPARE(e2.style.ColourIndex, quint8(3));
    QCOMPARE(ledger.entry(3).core.Amount.value(), -250.0);
    QCOMPARE(ledger.noteRow(3), QStringLiteral("long \"quoted\" ”note” %x"));

    // The open ledger's accounts keep their own kind and budgets; no name comes twice.
    QCOMPARE(accountNames(ledger),
             QStringList({"A-現金", "E-餐飲費", "Equity", "E-交通費", "I-薪資"}));
    QCOMPARE(ledger.Accounts[1].Kind, qint16(KindAsset));
    QVERIFY(ledger.Accounts[1].Budget[0].isEmpty());
    QVERIFY(ledger.LedgerChangedFlag.isSet());
    QVERIFY(ledger.AccountsChanged);
}

// Names and details of the other ledger with characters below U+0020 come in without them:
// "E-餐\x00飲費" is no second E-餐飲費 after the next opening, a name with a line break no
// broken line; the entries follow their accounts. Clean names keep their bytes.
void LedgerMergeTest::mergedNamesAndDetailsLoseControlCharacters() {
    QTemporaryDir dir;
    const QString other = dir.path() + "/B/";
    FixtureEntry a;
    a.account1 = QStringLiteral("E-交\r\n通費");
    a.account2 = QStringLiteral("A-現\x01金");
    a.detail = QStringLiteral("叫\t車");
    writeFixtureEntries(other, {a});
    AccountRecord padded; // a clean name padded with NULs, as older files hold it
    padded.Name.setBytes(Ansi::encode(QStringLiteral("I-薪資")));
    padded.Kind = KindIncome;
    writeFixtureAccounts(other,
                         {fixtureAccount(QStringLiteral("E-餐\x02飲費"), KindExpense),
                          fixtureAccount(QStringLiteral("E-交\r\n通費"), KindExpense), padded});

    Ledger ledger;
    seedOpenLedger(ledger);
    const auto result = LedgerMerge::mergeLedger(ledger, other);

    QCOMPARE(result.accountsAdded, 2);
    QCOMPARE(accountNames(ledger),
             QStringList({"A-現金", "E-餐飲費", "Equity", "E-交通費", "I-薪資"}));
    QCOMPARE(ledger.Accounts[5].Name.bytes(), padded.Name.bytes());
    const LedgerEntry e = ledger.entry(2);
    QCOMPARE(e.core.Account1.trimmed(), QStringLiteral("E-交通費"));
    QCOMPARE(e.core.Account2.trimmed(), QStringLiteral("A-現金"));
    QCOMPARE(e.core.Detail.trimmed(), QStringLiteral("叫車"));
}

void LedgerMergeTest::missingPartsLeaveSlotsEmpty() {
    QTemporaryDir dir;
    const QString other = dir.path() + "/B/";
    FixtureEntry a;
    a.detail = QStringLiteral("only core");
    writeFixtureEntries(other, {a}, Main);

    Ledger ledger;
    seedOpenLedger(ledger);
    // A slot left over from a removed entry still holds its parts.
    FixtureEntry stale;
    stale.invoiceLetters = "ZZ";
    stale.colour = 7;
    stale.note = "old";
    stale.noteRow = "old row";
    ledger.setEntry(2, stale.toEntry());

    LedgerMerge::mergeLedger(ledger, other);
    QCOMPARE(ledger.EntryCount, 3);
    const LedgerEntry e = ledger.entry(2);
    QCOMPARE(e.core.Detail.trimmed(), QStringLiteral("only core"));
    QCOMPARE(e.note.Note.trimmed(), QString());
    QCOMPARE(e.style.ColourIndex, quint8(0));
    QCOMPARE(e.style.InvoiceLetters.trimmed(), QString());
    QCOMPARE(ledger.noteRow(2), QString());
    // Read only: nothing was created in the other ledger.
    QCOMPARE(QDir(other).entryList(QDir::Files), QStringList({"Main.qvd"}));
}

void LedgerMergeTest::entryCapacity() {
    QTemporaryDir dir;
    const QString other = dir.path() + "/B/";
    FixtureEntry a;
    writeFixtureEntries(other, {a, a, a});
    writeFixtureAccounts(other, {fixtureAccount(QStringLiteral("E-新"), KindExpense)});
    Ledger ledger;
    seedOpenLedger(ledger);
    ledger.EntryCount = Ledger::EntryCapacity - 1;

    const auto result = LedgerMerge::mergeLedger(ledger, other);
    QCOMPARE(result.entriesAdded, 2);
    QVERIFY(result.entriesCut);
    QCOMPARE(ledger.EntryCount, Ledger::EntryCapacity + 1);
    // The accounts are merged all the same.
    QCOMPARE(result.accountsAdded, 1);
    QVERIFY(!result.accountsCut);
}

void LedgerMergeTest::accountCapacity() {
    QTemporaryDir dir;
    const QString other = dir.path() + "/B/";
    writeFixtureAccounts(other, {fixtureAccount(QStringLiteral("A-現金"), KindAsset),
                                 fixtureAccount(QStringLiteral("E-一"), KindExpense),
                                 fixtureAccount(QStringLiteral("E-二"), KindExpense)});
    Ledger ledger;
    seedOpenLedger(ledger);
    for (int i = ledger.AccountCount; i < Ledger::AccountCapacity; ++i)
        ledger.addAccount(fixtureAccount(QStringLiteral("E-%1").arg(i), KindExpense));

    const auto result = LedgerMerge::mergeLedger(ledger, other);
    QCOMPARE(result.accountsAdded, 1);
    QVERIFY(result.accountsCut);
    QCOMPARE(ledger.AccountCount, Ledger::AccountCapacity + 1);
    QCOMPARE(ledger.Accounts[Ledger::AccountCapacity].Name.trimmed(), QStringLiteral("E-一"));
}

void LedgerMergeTest::fullLedgerAndEmptyOther() {
    QTemporaryDir dir;
    Ledger ledger;
    seedOpenLedger(ledger);
    ledger.EntryCount = Ledger::EntryCapacity + 1;
    const auto result = LedgerMerge::mergeLedger(ledger, dir.path() + "/none/");
    QVERIFY(!result.entriesCut);
    QVERIFY(!result.accountsCut);
    QCOMPARE(result.entriesAdded, 0);
    QVERIFY(!QFileInfo::exists(dir.path() + "/none"));
}

void LedgerMergeTest::apply_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<ApplyResult>("result");
    const QStringList all{"Accounts.qvd", "Note.qvd", "Favorites.qvd"};
    QTest::newRow("all") << all << ApplyResult::Applied;
    QTest::newRow("no accounts") << QStringList{"Note.qvd", "Favorites.qvd"}
                                 << ApplyResult::MissingAccounts;
    QTest::newRow("no detail texts")
        << QStringList{"Accounts.qvd", "Favorites.qvd"} << ApplyResult::MissingNotes;
    QTest::newRow("no quick entries")
        << QStringList{"Accounts.qvd", "Note.qvd"} << ApplyResult::MissingFavorites;
}

void LedgerMergeTest::apply() {
    QFETCH(QStringList, present);
    QFETCH(ApplyResult, result);
    QTemporaryDir dir;
    const QString source = dir.path() + "/A/";
    const QString target = dir.path() + "/N/";
    QDir().mkpath(source);
    QDir().mkpath(target);
    for (const QString& name : present)
        TestFiles::put(source + name, "bytes of " + name.toLatin1());
    TestFiles::put(target + "Accounts.qvd", "old");

    QCOMPARE(LedgerMerge::applyLedgerFiles(source, target), result);
    if (result == ApplyResult::Applied) {
        for (const QString& name : present)
            QCOMPARE(fixtureBytes(target + name), "bytes of " + name.toLatin1());
    } else {
        // A refusal copies nothing at all.
        QCOMPARE(QDir(target).entryList(QDir::Files), QStringList({"Accounts.qvd"}));
        QCOMPARE(fixtureBytes(target + "Accounts.qvd"), QByteArray("old"));
    }
}

QTEST_GUILESS_MAIN(LedgerMergeTest)
#include "tst_ledgermerge.moc"
