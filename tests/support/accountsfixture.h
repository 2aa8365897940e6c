#pragma once
// The small ledger the account editor's tests share: a branch two levels deep under
// E-交通費, a look-alike E-交通費用, entries on both sides and to itself, long notes,
// invoices and colours, detail texts, quick entries and recurring records that name the
// branch; and a text picture of every table to compare before and after a command.
#include "support/ledgerbuilder.h"

#include <QStringList>

namespace AccountsFixture {

inline QString longNote(const QString& tag) {
    return tag + QString(110, u'n');
}

inline void build(Ledger& ledger) {
    LedgerBuilder b(ledger);
    for (const char16_t* name :
         {u"A-現金", u"A-銀行", u"L-信用卡", u"I-薪資", u"E-交通費", u"E-交通費.公車",
          u"E-交通費.火車", u"E-交通費.火車.自強號", u"E-交通費用", u"E-餐飲費", u"Equity"})
        b.account(QString::fromUtf16(name));
    b.budget("E-交通費用", 1, 500).budget("E-餐飲費", 0, 1200).budget("Equity", 2, 7);
    b.entry("2024/01/01", "E-交通費", "A-現金", 100, "bus")
        .note(longNote("1"))
        .invoice("AB", "11111111")
        .colour(1);
    b.entry("2024/01/02", "E-餐飲費", "A-現金", 200, "lunch")
        .note(longNote("2"))
        .colour(2)
        .checked();
    b.entry("2024/01/03", "A-銀行", "E-交通費", 300, "back");
    b.entry("2024/01/04", "E-交通費", "E-交通費", 400, "self").note(longNote("4"));
    b.entry("2024/01/05", "E-交通費.火車.自強號", "A-銀行", 500, "train").remind(3);
    b.entry("2024/01/06", "E-交通費用", "A-現金", 600, "fuel")
        .note(longNote("6"))
        .invoice("CD", "66666666")
        .colour(6);
    b.detailText("E-交通費", "公車票")
        .detailText("未分類", "早餐")
        .detailText("E-交通費用", "油錢");
    b.detailText("E-交通費.公車", "悠遊卡");
    b.quickEntry({"E-交通費", "E-交通費", "10", "q1", ""});
    b.quickEntry({"E-交通費用", "A-現金", "20", "q2", ""});
    b.recurring(1, "05", "E-交通費", "A-現金", 1000, "pass");
    b.recurring(1, "06", "A-銀行", "E-交通費.火車", 2000, "ticket");
}

// One line per account, entry (all five parts), detail text, quick entry and recurring
// record, fields joined by "|", then the counts and flags.
inline QStringList picture(const Ledger& l) {
    QStringList lines;
    for (int i = 1; i < l.AccountCount; ++i) {
        const AccountRecord& a = l.Accounts[size_t(i)];
        QStringList budget;
        for (const TaggedNumber& cell : a.Budget)
            budget << (cell.isEmpty() ? QString("-") : QString::number(cell.value()));
        lines
            << QString("account %1|%2|%3").arg(a.Name.trimmed()).arg(a.Kind).arg(budget.join(','));
    }
    for (int i = 1; i < l.EntryCount; ++i) {
        const EntryCore& e = l.Entries[size_t(i)];
        const EntryNote& n = l.EntryNotes[size_t(i)];
        lines << QString("entry %1|%2|%3|%4|%5|%6|%7|%8|%9|%10|%11|%12|%13")
                     .arg(e.Date.trimmed(), e.Account1.trimmed(), e.Account2.trimmed())
                     .arg(e.Amount.value())
                     .arg(e.Detail.trimmed())
                     .arg(n.RemindOn)
                     .arg(n.RemindDays)
                     .arg(n.Note.trimmed(), l.noteRow(i),
                          l.EntryInvoices[size_t(i)].InvoiceDigits.trimmed())
                     .arg(l.EntryInvoices[size_t(i)].Checked)
                     .arg(l.EntryStyles[size_t(i)].InvoiceLetters.trimmed())
                     .arg(l.EntryStyles[size_t(i)].ColourIndex);
    }
    for (int i = 1; i < l.DetailTextCount; ++i)
        lines << "text " + l.DetailTexts[size_t(i)];
    for (int i = 1; i < l.QuickEntryCount; ++i) {
        const QuickEntry& q = l.QuickEntries[size_t(i)];
        lines << QStringList{"quick", q.Account1, q.Account2, q.Amount, q.Detail, q.Note}.join('|');
    }
    for (int i = 1; i < l.RecurringCount; ++i) {
        const RecurringRecord& r = l.RecurringRecords[size_t(i)];
        lines << QString("recurring %1|%2|%3|%4")
                     .arg(r.Account1.trimmed(), r.Account2.trimmed())
                     .arg(r.Amount.value())
                     .arg(r.Detail.trimmed());
    }
    lines << QString("counts %1 %2 %3 %4 %5")
                 .arg(l.EntryCount)
                 .arg(l.AccountCount)
                 .arg(l.DetailTextCount)
                 .arg(l.QuickEntryCount)
                 .arg(l.RecurringCount);
    lines << QString("flags %1%2%3%4%5")
                 .arg(l.AccountsChanged)
                 .arg(l.DetailTextsChanged)
                 .arg(l.QuickEntriesChanged)
                 .arg(l.RecurringChanged)
                 .arg(l.LedgerChangedFlag.isSet());
    return lines;
}

} // namespace AccountsFixture
