#include "rules/online/downposting.h"

#include <QHash>

#include <algorithm>

#include "platform/codec.h"
#include "platform/runtime.h"
#include "rules/entry/entryrules.h"
#include "store/accountnames.h"
#include "store/amounts.h"
#include "store/figures.h"
#include "store/ledger.h"
#include "store/plaintext.h"

namespace DownPosting {

QString LedgerFullMessage() {
    return QStringLiteral("資料筆數已經到達") + QString::number(Ledger::EntryCapacity) +
           QStringLiteral("筆上限，請另開新帳本");
}

int Room(const Ledger& ledger) {
    return std::max(0, Ledger::EntryCapacity - (ledger.EntryCount - 1));
}

QString StoredAccountName(const QString& cell) {
    return AccountNames::stored(cell);
}

namespace {

// FindAccountIndex for the many rows of one posting: the table is indexed once, and each
// account the posting creates is added.
class AccountFinder {
public:
    explicit AccountFinder(const Ledger& ledger) {
        m_index.reserve(ledger.AccountCount);
        for (int i = 1; i < ledger.AccountCount; ++i)
            add(ledger.Accounts[size_t(i)], i);
    }
    int find(const QString& name) const {
        if (!Ansi::isEncodable(name)) return 0;
        return m_index.value(Ansi::encode(name), 0);
    }
    // The lower index wins among equal names, as in the table.
    void add(const AccountRecord& account, int index) {
        const QByteArray key = AccountNameKey(account).toByteArray();
        if (!m_index.contains(key)) m_index.insert(key, index);
    }

private:
    QHash<QByteArray, int> m_index;
};

} // namespace

static int kindOfPrefix(const QString& name) {
    const int kind = PrefixKindCode(name);
    return kind == KindEquity ? -1 : kind;
}

// The index of the account the cell names, created when missing and its prefix is one of
// `creatable`; 0 when there is none.
static int resolveAccount(Ledger& ledger, AccountFinder& accounts, const QString& cell,
                          const QList<int>& creatable, bool& added) {
    const QString name = StoredAccountName(cell);
    const int found = accounts.find(name);
    if (found != 0) return found;
    const int kind = kindOfPrefix(name);
    if (!creatable.contains(kind) || name.size() <= 2) return 0;
    AccountRecord account; // fresh: no budgets
    account.Name.set(name);
    account.Kind = qint16(kind);
    const int index = ledger.AccountCount;
    if (!ledger.addAccount(account)) return 0;
    accounts.add(account, index);
    ledger.AccountsChanged = true;
    added = true;
    return index;
}

// The amount in hundredths; "," grouping is read as grouping, not as the number's end.
static std::optional<double> amountOf(const QString& text) {
    if (!Runtime::isNumeric(text)) return std::nullopt;
    const auto v = EntryRules::typedNumber(text);
    if (!v) return std::nullopt;
    return EntryRules::amountHundredths(*v, 1);
}

Result PostRows(Ledger& ledger, QList<OnlineService::StagedRow>& rows, const QList<bool>& ticked) {
    Result result;
    const Ledger::ChangeScope scope(ledger);
    AccountFinder accounts(ledger);
    for (int r = 0; r < rows.size(); ++r)
        result.statuses.append(QString());
    for (int r = 0; r < rows.size(); ++r) {
        if (!ticked.value(r)) continue;
        OnlineService::StagedRow& row = rows[r];
        for (QString* cell : {&row.group, &row.account})
            if (cell->endsWith(u'\r')) cell->chop(1);
        const int i1 = resolveAccount(ledger, accounts, row.group,
                                      {KindExpense, KindIncome, KindLiability, KindAsset},
                                      result.accountsAdded);
        const int i2 = resolveAccount(ledger, accounts, row.account, {KindLiability, KindAsset},
                                      result.accountsAdded);
        const auto amount = amountOf(row.amount);
        // Only a date the entry window could show is an entry's date.
        auto date = Runtime::parseDate(row.date);
        if (date && !EntryRules::isEntryDate(*date)) date.reset();
        const bool ok = i1 != 0 && i2 != 0 && i1 != i2 && amount && date &&
                        kindOfPrefix(row.group) >= 0 && PrefixKindCode(row.account, false) >= 0;
        if (!ok) {
            result.statuses[r] = StatusFailed;
            continue;
        }
        if (ledger.EntryCount > Ledger::EntryCapacity) {
            result.ledgerFull = true;
            for (int k = r; k < rows.size(); ++k)
                result.statuses[k] = StatusFailed;
            break;
        }
        LedgerEntry e;
        e.core.Date.set(Runtime::dateText(*date));
        e.core.Account1 = ledger.Accounts[size_t(i1)].Name;
        e.core.Account2 = ledger.Accounts[size_t(i2)].Name;
        e.core.Amount = TaggedNumber::fromDouble(*amount);
        // A served cell carries no control character into a field or a line of a file.
        e.core.Detail.set(PlainText::plain(row.detail));
        EntryRules::splitNote(PlainText::plain(row.note), e.note, e.noteRow);
        EntryRules::splitInvoice(PlainText::plain(row.invoice), e.invoice, e.style);
        if (!ledger.addEntry(e)) {
            result.statuses[r] = StatusFailed;
            continue;
        }
        result.statuses[r] = StatusOk;
    }
    for (const QString& s : result.statuses) {
        if (s == StatusOk) ++result.ok;
        if (s == StatusFailed) ++result.bad;
    }
    return result;
}

QString SummaryMessage(const Result& result) {
    QString text;
    if (result.ok > 0) text += QString::number(result.ok) + QStringLiteral(" 筆資料加入成功!\r\n");
    if (result.bad > 0)
        text += QString::number(result.bad) + QStringLiteral(" 筆資料格式出錯，無法加入帳本!");
    return text;
}

QString SummaryStatus(const Result& result) {
    QString text = QString::number(result.ok) + QStringLiteral(" 筆資料加入成功 ");
    if (result.bad > 0)
        text += QStringLiteral("，") + QString::number(result.bad) +
                QStringLiteral(" 筆資料格式出錯，無法加入帳本");
    return text;
}

} // namespace DownPosting
