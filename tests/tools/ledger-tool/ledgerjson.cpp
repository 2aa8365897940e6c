#include "ledgerjson.h"

#include "store/amounts.h"
#include "store/appcontext.h"

#include <QJsonArray>

namespace {

QJsonArray budgetJson(const AccountRecord& account) {
    QJsonArray cells;
    for (const TaggedNumber& cell : account.Budget)
        cells.append(cell.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(cell.value()));
    return cells;
}

QJsonObject accountJson(const AccountRecord& account) {
    return QJsonObject{
        {"name", account.Name.trimmed()}, {"kind", account.Kind}, {"budget", budgetJson(account)}};
}

QJsonObject entryJson(const Ledger& ledger, int i) {
    const EntryCore& core = ledger.Entries[size_t(i)];
    const EntryNote& note = ledger.EntryNotes[size_t(i)];
    const EntryInvoice& invoice = ledger.EntryInvoices[size_t(i)];
    const EntryStyle& style = ledger.EntryStyles[size_t(i)];
    return QJsonObject{{"date", core.Date.trimmed()},
                       {"account1", core.Account1.trimmed()},
                       {"account2", core.Account2.trimmed()},
                       {"amount", core.Amount.value()},
                       {"tag", core.Amount.tag()},
                       {"detail", core.Detail.trimmed()},
                       {"remindOn", note.RemindOn},
                       {"remindDays", note.RemindDays},
                       {"note", ledger.fullNote(i)},
                       {"invoiceDigits", invoice.InvoiceDigits.trimmed()},
                       {"checked", invoice.Checked},
                       {"invoiceLetters", style.InvoiceLetters.trimmed()},
                       {"colour", style.ColourIndex}};
}

QJsonObject recurringJson(const RecurringRecord& r) {
    return QJsonObject{{"period", r.Period},
                       {"when", r.When.trimmed()},
                       {"overdue", r.Overdue},
                       {"account1", r.Account1.trimmed()},
                       {"account2", r.Account2.trimmed()},
                       {"amount", r.Amount.value()},
                       {"tag", r.Amount.tag()},
                       {"detail", r.Detail.trimmed()}};
}

} // namespace

QJsonObject LedgerJson(const AppContext& ctx) {
    const Ledger& ledger = ctx.ledger;
    QJsonArray entries;
    for (int i = 1; i < ledger.EntryCount; ++i)
        entries.append(entryJson(ledger, i));
    QJsonArray accounts;
    for (int i = 1; i < ledger.AccountCount; ++i)
        accounts.append(accountJson(ledger.Accounts[size_t(i)]));
    QJsonArray kindTotals;
    for (int i = 1; i <= 4; ++i)
        kindTotals.append(accountJson(ledger.KindTotals[size_t(i)]));
    QJsonArray detailTexts;
    for (int i = 1; i < ledger.DetailTextCount; ++i)
        detailTexts.append(ledger.DetailTexts[size_t(i)]);
    QJsonArray quickEntries;
    for (int i = 1; i < ledger.QuickEntryCount; ++i) {
        const QuickEntry& q = ledger.QuickEntries[size_t(i)];
        quickEntries.append(QJsonArray{q.Account1, q.Account2, q.Amount, q.Detail, q.Note});
    }
    QJsonArray recurring;
    for (int i = 1; i < ledger.RecurringCount; ++i)
        recurring.append(recurringJson(ledger.RecurringRecords[size_t(i)]));

    return QJsonObject{{"entryCount", ledger.EntryCount},
                       {"entries", entries},
                       {"accounts", accounts},
                       {"kindTotals", kindTotals},
                       {"detailTexts", detailTexts},
                       {"quickEntries", quickEntries},
                       {"recurring", recurring},
                       {"dotState", ctx.session.DotState}};
}
