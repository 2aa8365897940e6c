#include <QtTest>
#include <functional>

#include "store/accountcommands.h"
#include "support/ledgerbuilder.h"

// The ledger's change notification: one per operation outside a change scope, one per
// outermost scope inside, each naming what changed; nothing for what changed nothing.
using LedgerOps = std::function<void(Ledger&)>;
Q_DECLARE_METATYPE(LedgerOps)

namespace {

LedgerEntry anEntry(const QString& date = QStringLiteral("2024/01/01")) {
    LedgerEntry e;
    e.core.Date.set(date);
    e.core.Account1.set(QStringLiteral("E-餐飲費"));
    e.core.Account2.set(QStringLiteral("A-現金"));
    e.core.Amount = TaggedNumber::fromDouble(100);
    return e;
}

int bits(LedgerChanges what) {
    return int(what.toInt());
}

} // namespace

class TestLedgerChanges : public QObject {
    Q_OBJECT

private slots:
    void notifications_data() {
        QTest::addColumn<LedgerOps>("ops");
        QTest::addColumn<QList<int>>("told");
        using C = LedgerChange;
        auto one = [](LedgerChanges w) { return QList<int>{bits(w)}; };

        QTest::newRow("entry added, no scope")
            << LedgerOps([](Ledger& l) { l.addEntry(anEntry()); }) << one(C::EntriesAdded);
        QTest::newRow("each operation without a scope is told apart") << LedgerOps([](Ledger& l) {
            l.addEntry(anEntry());
            l.addEntry(anEntry());
            l.swapEntries(1, 2);
        }) << QList<int>{bits(C::EntriesAdded), bits(C::EntriesAdded), bits(C::Entries)};
        QTest::newRow("1000 entries added in a scope: told once") << LedgerOps([](Ledger& l) {
            const Ledger::ChangeScope scope(l);
            for (int i = 0; i < 1000; ++i)
                l.addEntry(anEntry());
        }) << one(C::EntriesAdded);
        QTest::newRow("nested scopes: told at the outermost end, every kind together")
            << LedgerOps([](Ledger& l) {
                   const Ledger::ChangeScope outer(l);
                   l.addEntry(anEntry());
                   l.addEntry(anEntry());
                   {
                       const Ledger::ChangeScope inner(l);
                       l.markEntryDeleted(1);
                       l.compactEntries();
                   }
                   l.markChanged();
               })
            << one(C::EntriesAdded | C::Entries | C::Mark);
        QTest::newRow("two scopes one after the other: told twice") << LedgerOps([](Ledger& l) {
            {
                const Ledger::ChangeScope scope(l);
                l.addEntry(anEntry());
            }
            const Ledger::ChangeScope scope(l);
            l.setEntryChecked(1, true);
        }) << QList<int>{bits(C::EntriesAdded), bits(C::EntryMarks)};
        QTest::newRow("a scope that changed nothing tells nothing")
            << LedgerOps([](Ledger& l) { const Ledger::ChangeScope scope(l); }) << QList<int>{};
        QTest::newRow("an entry that finds no room changes nothing") << LedgerOps([](Ledger& l) {
            l.EntryCount = Ledger::EntryCapacity + 1;
            QVERIFY(!l.addEntry(anEntry()));
        }) << QList<int>{};
        QTest::newRow("the mark is told when it changes, not when it stays")
            << LedgerOps([](Ledger& l) {
                   l.markChanged();
                   l.markChanged();
                   l.LedgerChangedFlag.clear();
               })
            << QList<int>{bits(C::Mark), bits(C::Mark)};
        QTest::newRow("marks, colours and reminders change no figure") << LedgerOps([](Ledger& l) {
            const Ledger::ChangeScope scope(l);
            l.setEntryChecked(1, true);
            l.setEntryColour(1, 3);
            l.clearEntryReminder(1);
        }) << one(C::EntryMarks);
        QTest::newRow("entry rewritten, truncated") << LedgerOps([](Ledger& l) {
            l.setEntry(1, anEntry("2024/02/02"));
            l.truncateEntries(1);
        }) << QList<int>{bits(C::Entries), bits(C::Entries)};
        QTest::newRow("side tables by their editors: the table and the mark in one")
            << LedgerOps([](Ledger& l) {
                   l.markDetailTextsChanged();
                   l.LedgerChangedFlag.clear();
                   l.markQuickEntriesChanged();
                   l.LedgerChangedFlag.clear();
                   l.markRecurringChanged();
                   l.LedgerChangedFlag.clear();
                   l.markBudgetsChanged();
               })
            << QList<int>{bits(C::DetailTexts | C::Mark),  bits(C::Mark),
                          bits(C::QuickEntries | C::Mark), bits(C::Mark),
                          bits(C::Recurring | C::Mark),    bits(C::Mark),
                          bits(C::Budgets | C::Mark)};
        QTest::newRow("side tables replaced whole: told once each")
            << LedgerOps([](Ledger& l) {
                   l.replaceDetailTexts({"a", "b", "c"});
                   l.replaceRecurring(std::vector<RecurringRecord>(5));
                   l.addQuickEntry(QuickEntry{});
                   l.swapQuickEntries(1, 1);
               })
            << QList<int>{bits(C::DetailTexts), bits(C::Recurring), bits(C::QuickEntries),
                          bits(C::QuickEntries)};
        QTest::newRow("an account with its opening balance: one command, told once")
            << LedgerOps([](Ledger& l) {
                   QVERIFY(AccountCommands::AddAccount(l, QStringLiteral("A-銀行"), KindAsset,
                                                       50000, QStringLiteral("2024/01/01")));
               })
            << one(C::Accounts | C::EntriesAdded | C::Mark);
        QTest::newRow("emptying the tables is no change anyone is told of")
            << LedgerOps([](Ledger& l) { l.clear(); }) << QList<int>{};
    }

    void notifications() {
        QFETCH(LedgerOps, ops);
        QFETCH(QList<int>, told);
        Ledger ledger;
        LedgerBuilder(ledger)
            .account("A-現金")
            .account("E-餐飲費")
            .entry("2024/01/01", "E-餐飲費", "A-現金", 100)
            .entry("2024/01/02", "E-餐飲費", "A-現金", 200);
        QList<int> seen;
        QObject::connect(&ledger.Notifier, &LedgerNotifier::changed,
                         [&seen](LedgerChanges what) { seen << bits(what); });
        ops(ledger);
        QCOMPARE(seen, told);
    }

    // A single write outside any scope is told once the tables hold it: a window that lists
    // again on the notification lists the changed tables.
    void singleWritesToldWhenDone_data() {
        QTest::addColumn<LedgerOps>("ops");
        QTest::addColumn<QStringList>("seen"); // the entries' dates at each notification
        QTest::newRow("swap") << LedgerOps([](Ledger& l) { l.swapEntries(1, 2); })
                              << QStringList{"2024/01/02 2024/01/01"};
        QTest::newRow("rewrite") << LedgerOps([](Ledger& l) {
            l.setEntry(2, anEntry("2024/05/05"));
        }) << QStringList{"2024/01/01 2024/05/05"};
        QTest::newRow("delete mark, compaction") << LedgerOps([](Ledger& l) {
            l.markEntryDeleted(1);
            l.compactEntries();
        }) << QStringList{"DeleteData 2024/01/02", "2024/01/02"};
        QTest::newRow("truncation")
            << LedgerOps([](Ledger& l) { l.truncateEntries(2); }) << QStringList{"2024/01/01"};
    }
    void singleWritesToldWhenDone() {
        QFETCH(LedgerOps, ops);
        Ledger ledger;
        LedgerBuilder(ledger)
            .entry("2024/01/01", "E-餐飲費", "A-現金", 100)
            .entry("2024/01/02", "E-餐飲費", "A-現金", 200);
        QStringList seen;
        QObject::connect(&ledger.Notifier, &LedgerNotifier::changed, [&](LedgerChanges) {
            QStringList dates;
            for (int i = 1; i < ledger.EntryCount; ++i)
                dates << ledger.Entries[size_t(i)].Date.trimmed();
            seen << dates.join(u' ');
        });
        ops(ledger);
        QTEST(seen, "seen");
    }

    void scopeTellsWhenTheTablesAreWhole() {
        // The notification of a scope comes at its end, before the command returns: a
        // listener sees every row the command wrote, never half of them.
        Ledger ledger;
        QList<int> countsSeen;
        QObject::connect(&ledger.Notifier, &LedgerNotifier::changed,
                         [&](LedgerChanges) { countsSeen << ledger.EntryCount; });
        {
            const Ledger::ChangeScope scope(ledger);
            for (int i = 0; i < 30; ++i)
                ledger.addEntry(anEntry());
            QVERIFY(countsSeen.isEmpty());
        }
        QCOMPARE(countsSeen, QList<int>{31});
    }
};

QTEST_GUILESS_MAIN(TestLedgerChanges)
#include "tst_ledgerchanges.moc"
