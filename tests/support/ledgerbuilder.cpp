#include "ledgerbuilder.h"

#include <QDir>

#include "store/amounts.h"
#include "store/saveledger.h"

#include <QSignalBlocker>

LedgerBuilder& LedgerBuilder::defaultAccounts() {
    for (const char16_t* name : {u"A-現金", u"L-信用卡", u"I-薪資", u"I-其他收入", u"E-餐飲費",
                                 u"E-交通費", u"E-服裝費", u"E-其他支出", u"Equity"})
        account(QString::fromUtf16(name));
    return *this;
}

LedgerBuilder& LedgerBuilder::account(const QString& name, int kind) {
    if (kind < 0) {
        kind = name.startsWith(u"A-")   ? 1
               : name.startsWith(u"L-") ? 2
               : name.startsWith(u"I-") ? 3
               : name.startsWith(u"E-") ? 4
                                        : 0;
    }
    AccountRecord a;
    a.Name.set(name);
    a.Kind = qint16(kind);
    const QSignalBlocker quiet(&m_ledger.Notifier);
    m_ledger.addAccount(a);
    return *this;
}

LedgerBuilder& LedgerBuilder::budget(const QString& name, int month, double hundredths) {
    int i = FindAccountIndex(m_ledger, name);
    if (i == 0) {
        account(name);
        i = m_ledger.AccountCount - 1;
    }
    m_ledger.Accounts[size_t(i)].Budget[size_t(month)] = TaggedNumber::fromDouble(hundredths);
    return *this;
}

LedgerBuilder& LedgerBuilder::totalBudget(int row, int month, double hundredths) {
    m_ledger.KindTotals[size_t(row)].Budget[size_t(month)] = TaggedNumber::fromDouble(hundredths);
    return *this;
}

LedgerBuilder& LedgerBuilder::entry(const QString& date, const QString& account1,
                                    const QString& account2, double hundredths,
                                    const QString& detail) {
    return entryTagged(date, account1, account2, TaggedNumber::fromDouble(hundredths), detail);
}

LedgerBuilder& LedgerBuilder::entryTagged(const QString& date, const QString& account1,
                                          const QString& account2, const TaggedNumber& amount,
                                          const QString& detail) {
    LedgerEntry e;
    e.core.Date.set(date);
    e.core.Account1.set(account1);
    e.core.Account2.set(account2);
    e.core.Amount = amount;
    e.core.Detail.set(detail);
    e.note.Note.set(QString());
    e.invoice.InvoiceDigits.set(QString());
    e.style.InvoiceLetters.set(QString());
    const QSignalBlocker quiet(&m_ledger.Notifier);
    m_ledger.addEntry(e);
    return *this;
}

LedgerBuilder& LedgerBuilder::note(const QString& fullNote) {
    m_ledger.setFullNote(last(), fullNote);
    return *this;
}

LedgerBuilder& LedgerBuilder::invoice(const QString& letters, const QString& digits) {
    m_ledger.EntryStyles[size_t(last())].InvoiceLetters.set(letters);
    m_ledger.EntryInvoices[size_t(last())].InvoiceDigits.set(digits);
    return *this;
}

LedgerBuilder& LedgerBuilder::checked(bool on) {
    m_ledger.EntryInvoices[size_t(last())].Checked = on ? -1 : 0;
    return *this;
}

LedgerBuilder& LedgerBuilder::colour(int index) {
    m_ledger.EntryStyles[size_t(last())].ColourIndex = quint8(index);
    return *this;
}

LedgerBuilder& LedgerBuilder::remind(int days) {
    m_ledger.EntryNotes[size_t(last())].RemindOn = -1;
    m_ledger.EntryNotes[size_t(last())].RemindDays = qint16(days);
    return *this;
}

LedgerBuilder& LedgerBuilder::detailText(const QString& account, const QString& text) {
    const QSignalBlocker quiet(&m_ledger.Notifier);
    m_ledger.addDetailText(account + QChar(0x0001) + text);
    return *this;
}

LedgerBuilder& LedgerBuilder::quickEntry(const QuickEntry& q) {
    const QSignalBlocker quiet(&m_ledger.Notifier);
    m_ledger.addQuickEntry(q);
    return *this;
}

LedgerBuilder& LedgerBuilder::recurring(int period, const QString& when, const QString& account1,
                                        const QString& account2, double hundredths,
                                        const QString& detail, bool overdue) {
    RecurringRecord r;
    r.Period = quint8(period);
    r.When.set(when);
    r.Overdue = overdue ? 1 : 0;
    r.Account1.set(account1);
    r.Account2.set(account2);
    r.Amount = TaggedNumber::fromDouble(hundredths);
    r.Detail.set(detail);
    const QSignalBlocker quiet(&m_ledger.Notifier);
    m_ledger.addRecurring(r);
    return *this;
}

bool LedgerBuilder::writeFolder(AppContext& ctx) {
    Ledger& l = ctx.ledger;
    QDir().mkpath(ctx.session.ledgerFolder());
    const bool flags[4] = {l.AccountsChanged, l.DetailTextsChanged, l.QuickEntriesChanged,
                           l.RecurringChanged};
    l.AccountsChanged = l.DetailTextsChanged = l.QuickEntriesChanged = l.RecurringChanged = true;
    const bool ok = WriteLedgerFiles(ctx);
    l.AccountsChanged = flags[0];
    l.DetailTextsChanged = flags[1];
    l.QuickEntriesChanged = flags[2];
    l.RecurringChanged = flags[3];
    return ok;
}
