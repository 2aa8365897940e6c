#include "rules/schedule/recurringposting.h"

#include <QDate>

#include <cmath>

#include "rules/entry/entryrules.h"
#include "store/amounts.h"
#include "store/ledger.h"

PostResult PostRecurring(Ledger& ledger, const RecurringRecord& record, const QString& date) {
    const int a1 = FindAccountIndex(ledger, record.Account1.trimmed());
    const int a2 = FindAccountIndex(ledger, record.Account2.trimmed());
    // A damaged or foreign file may hold an amount no entry can take (and NaN would never
    // match the posted entry, so it would be booked again at every opening).
    const double amount = record.Amount.value();
    const bool amountTaken =
        std::isfinite(amount) && std::fabs(amount) <= EntryRules::MaxHundredths;
    if (a1 == 0 || a2 == 0 || a1 == a2 || !amountTaken ||
        !QDate::fromString(date, QStringLiteral("yyyy/MM/dd")).isValid())
        return PostResult::Refused;
    if (ledger.EntryCount > Ledger::EntryCapacity) return PostResult::LedgerFull;
    LedgerEntry e;
    e.core.Date = date;
    e.core.Account1 = ledger.Accounts[size_t(a1)].Name;
    e.core.Account2 = ledger.Accounts[size_t(a2)].Name;
    e.core.Amount = TaggedNumber::fromDouble(amount);
    e.core.Detail = record.Detail.trimmed();
    // Empty texts are stored blank-padded, as every new entry's are.
    e.note.Note.set(QString());
    e.invoice.InvoiceDigits.set(QString());
    e.style.InvoiceLetters.set(QString());
    return ledger.addEntry(e) ? PostResult::Posted : PostResult::LedgerFull;
}
