#include <QtTest>
#include <functional>

#include "store/recordfile.h"
#include "support/ledgerbuilder.h"

// The five parts of an entry stay together through adding, swapping and compaction.
class TestLedger : public QObject {
    Q_OBJECT

    static QString longNote(const QString& tag) { return tag + QString(120, 'n'); }

private slots:
    void compactionKeepsPartsAligned() {
        Ledger ledger;
        LedgerBuilder b(ledger);
        for (int i = 1; i <= 5; ++i) {
            b.entry(QString("2024/01/0%1").arg(i), "E-a", "A-b", i * 100, QString("d%1").arg(i))
                .note(longNote(QString::number(i)))
                .invoice("AB", QString("1234567%1").arg(i))
                .colour(i)
                .checked(i % 2 == 1);
        }
        ledger.markEntryDeleted(2);
        ledger.markEntryDeleted(4);
        ledger.compactEntries();

        QCOMPARE(ledger.EntryCount, 4);
        const int kept[] = {1, 3, 5};
        for (int k = 1; k <= 3; ++k) {
            const int was = kept[k - 1];
            QCOMPARE(ledger.Entries[k].Detail.trimmed(), QString("d%1").arg(was));
            QCOMPARE(ledger.fullNote(k), longNote(QString::number(was)));
            QCOMPARE(ledger.EntryNotes[k].Note.trimmed(), longNote(QString::number(was)).left(100));
            QCOMPARE(ledger.EntryInvoices[k].InvoiceDigits.trimmed(),
                     QString("1234567%1").arg(was));
            QCOMPARE(int(ledger.EntryStyles[k].ColourIndex), was);
            QCOMPARE(ledger.EntryInvoices[k].Checked, qint16(-1));
        }
        // No note row is removed; the rows past the entries carry no meaning.
        QVERIFY(ledger.NoteList.size() >= 6);
    }

    void shortNotesHaveNoNoteRow() {
        Ledger ledger;
        LedgerBuilder(ledger)
            .entry("2024/01/01", "E-a", "A-b", 1)
            .note(QString(50, QChar(0x4E2D))); // 100 bytes
        QCOMPARE(ledger.noteRow(1), QString());
        QCOMPARE(ledger.fullNote(1), QString(50, QChar(0x4E2D)));
        ledger.setFullNote(1, QString(51, QChar(0x4E2D))); // 102 bytes
        QCOMPARE(ledger.noteRow(1), QString(51, QChar(0x4E2D)));
        QCOMPARE(ledger.EntryNotes[1].Note.trimmed(), QString(50, QChar(0x4E2D)));
    }

    void addingStopsAtCapacity() {
        Ledger ledger;
        LedgerEntry e;
        e.core.Date.set("2024/01/01");
        ledger.EntryCount = Ledger::EntryCapacity; // one slot left
        QVERIFY(ledger.addEntry(e));
        QCOMPARE(ledger.EntryCount, Ledger::EntryCapacity + 1);
        QVERIFY(!ledger.addEntry(e));
        QCOMPARE(ledger.EntryCount, Ledger::EntryCapacity + 1);

        ledger.AccountCount = Ledger::AccountCapacity + 1;
        QVERIFY(!ledger.addAccount(AccountRecord()));
        ledger.RecurringCount = Ledger::RecurringCapacity + 1;
        QVERIFY(!ledger.addRecurring(RecurringRecord()));
    }

    void swapMovesAllParts() {
        Ledger ledger;
        LedgerBuilder(ledger)
            .entry("2024/01/01", "E-a", "A-b", 1, "one")
            .note(longNote("x"))
            .colour(3)
            .entry("2024/01/02", "E-a", "A-b", 2, "two");
        ledger.swapEntries(1, 2);
        QCOMPARE(ledger.Entries[1].Detail.trimmed(), QString("two"));
        QCOMPARE(ledger.noteRow(1), QString());
        QCOMPARE(ledger.fullNote(2), longNote("x"));
        QCOMPARE(int(ledger.EntryStyles[2].ColourIndex), 3);
    }

    void truncationDropsWholeEntries() {
        // A command undoing what it appended leaves no part of the dropped entries behind:
        // the next entry added at that index starts empty.
        Ledger ledger;
        LedgerBuilder(ledger)
            .entry("2024/01/01", "E-a", "A-b", 1, "kept")
            .entry("2024/01/02", "E-a", "A-b", 2, "dropped")
            .note(longNote("x"))
            .invoice("AB", "12345678")
            .colour(4);
        const quint64 before = ledger.EntryChangeCount;
        ledger.truncateEntries(2);
        QCOMPARE(ledger.EntryCount, 2);
        QVERIFY(ledger.EntryChangeCount > before);
        QCOMPARE(ledger.Entries[1].Detail.trimmed(), QString("kept"));
        QVERIFY(ledger.addEntry(LedgerEntry()));
        QCOMPARE(ledger.Entries[2].Detail.trimmed(), QString());
        QCOMPARE(ledger.fullNote(2), QString());
        QCOMPARE(ledger.EntryInvoices[2].InvoiceDigits.trimmed(), QString());
        QCOMPARE(int(ledger.EntryStyles[2].ColourIndex), 0);
        ledger.truncateEntries(9); // past the end: nothing
        QCOMPARE(ledger.EntryCount, 3);
    }

    void quickEntryCompaction() {
        Ledger ledger;
        LedgerBuilder(ledger)
            .quickEntry({"a", "b", "1", "x", ""})
            .quickEntry({"c", "d", "2", "y", ""});
        ledger.QuickEntries[1].Account1 = Ledger::DeleteMark;
        ledger.compactQuickEntries();
        QCOMPARE(ledger.QuickEntryCount, 2);
        QCOMPARE(ledger.QuickEntries[1].Account1, QString("c"));
    }

    // A shorter table leaves no old row behind; a longer one stops at the capacity.
    void sideTablesAreReplacedWhole() {
        Ledger ledger;
        ledger.replaceDetailTexts({"A-現金\u0001早餐", "A-現金\u0001午餐", "E-餐費\u0001晚餐"});
        QCOMPARE(ledger.DetailTextCount, 4);
        ledger.replaceDetailTexts({"E-餐費\u0001宵夜"});
        QCOMPARE(ledger.DetailTextCount, 2);
        QCOMPARE(ledger.DetailTexts[1], QString("E-餐費\u0001宵夜"));
        QVERIFY(ledger.DetailTexts[2].isEmpty());
        QVERIFY(ledger.DetailTexts[3].isEmpty());
        QStringList many;
        for (int i = 0; i <= Ledger::DetailTextCapacity; ++i)
            many << QString::number(i);
        ledger.replaceDetailTexts(many);
        QCOMPARE(ledger.DetailTextCount, Ledger::DetailTextCapacity + 1);
        QCOMPARE(ledger.DetailTexts[size_t(Ledger::DetailTextCapacity)],
                 QString::number(Ledger::DetailTextCapacity - 1));

        std::vector<RecurringRecord> records(size_t(Ledger::RecurringCapacity + 3));
        for (size_t i = 0; i < records.size(); ++i)
            records[i].Detail = FixedText<60>(QString::number(i));
        ledger.replaceRecurring(records);
        QCOMPARE(ledger.RecurringCount, Ledger::RecurringCapacity + 1);
        ledger.replaceRecurring({records[2], records[1]});
        QCOMPARE(ledger.RecurringCount, 3);
        QCOMPARE(ledger.RecurringRecords[1].Detail.trimmed(), QString("2"));
        QCOMPARE(ledger.RecurringRecords[2].Detail.trimmed(), QString("1"));
    }

    void changeFlagNotifies() {
        Ledger ledger;
        QSignalSpy spy(&ledger.LedgerChangedFlag, &LedgerChangeFlag::changed);
        ledger.markChanged();
        ledger.markChanged();
        ledger.LedgerChangedFlag.clear();
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }

    void entryChangesAreCounted() {
        // Every operation that may give an entry index to another entry moves the counter;
        // a tick does not.
        Ledger l;
        LedgerBuilder b(l);
        b.account("A-現金").account("E-餐飲費");
        b.entry("2024/01/01", "E-餐飲費", "A-現金", 100)
            .entry("2024/01/02", "E-餐飲費", "A-現金", 200);
        auto bumps = [&l](const std::function<void()>& op) {
            const quint64 before = l.EntryChangeCount;
            op();
            return l.EntryChangeCount > before;
        };
        QVERIFY(bumps([&] { l.addEntry(l.entry(1)); }));
        QVERIFY(bumps([&] { l.swapEntries(1, 2); }));
        QVERIFY(bumps([&] { l.markEntryDeleted(3); }));
        QVERIFY(bumps([&] { l.compactEntries(); }));
        QVERIFY(bumps([&] { l.compactEntriesIf([](int) { return true; }); }));
        QVERIFY(bumps([&] { l.truncateEntries(2); }));
        QVERIFY(bumps([&] { l.clearEntries(); }));
        QVERIFY(!bumps([&] { l.EntryInvoices[1].Checked = -1; }));
    }

    void unwrittenSlotsAreUnassignedRecords() {
        // The entry tables and the accounts come zeroed instead of filled slot by slot: a
        // slot never written must save as a record nobody assigned, at the start, at the
        // capacity and after a ledger of entries was cleared.
        auto bytes = [](const auto& record) {
            QByteArray out;
            RecordFile::append(out, record);
            return out;
        };
        Ledger ledger;
        LedgerBuilder(ledger)
            .account("A-b")
            .entry("2024/01/01", "E-a", "A-b", 1, "one")
            .note(longNote("x"))
            .invoice("AB", "12345678")
            .colour(3);
        QCOMPARE(ledger.AccountCount, 2);
        ledger.clear();
        for (const int i : {1, 2, Ledger::EntryCapacity}) {
            QCOMPARE(bytes(ledger.Entries[size_t(i)]), bytes(EntryCore()));
            QCOMPARE(bytes(ledger.EntryNotes[size_t(i)]), bytes(EntryNote()));
            QCOMPARE(bytes(ledger.EntryInvoices[size_t(i)]), bytes(EntryInvoice()));
            QCOMPARE(bytes(ledger.EntryStyles[size_t(i)]), bytes(EntryStyle()));
        }
        for (const int i : {1, Ledger::AccountCapacity})
            QCOMPARE(bytes(ledger.Accounts[size_t(i)]), bytes(AccountRecord()));
    }

    void fullLedgerFitsMemoryBudget() {
        // The tables of a full ledger are fixed arrays; their footprint is known up front.
        const size_t perEntry =
            sizeof(EntryCore) + sizeof(EntryNote) + sizeof(EntryInvoice) + sizeof(EntryStyle);
        const size_t total = perEntry * (Ledger::EntryCapacity + 1) +
                             sizeof(AccountRecord) * (Ledger::AccountCapacity + 1) +
                             sizeof(RecurringRecord) * (Ledger::RecurringCapacity + 1);
        QVERIFY2(total < 32u * 1024 * 1024, qPrintable(QString::number(total)));
    }
};

QTEST_GUILESS_MAIN(TestLedger)
#include "tst_ledger.moc"
