#include "store/accountcommands.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "platform/codec.h"
#include "store/accountnames.h"
#include "store/detailtext.h"
#include "store/figures.h"
#include "store/ledger.h"
#include "store/plaintext.h"

namespace AccountCommands {

namespace {

QString noName() {
    return QStringLiteral("科目名稱尚未輸入");
}
QString dotFirst() {
    return QStringLiteral("科目名稱第一個字元不可以是 . (點)");
}
QString unsupported() {
    return QStringLiteral("科目名稱不可以包含軟體不支援的文字!");
}

void setAccountFlags(Ledger& ledger) {
    ledger.AccountsChanged = true;
    ledger.markChanged();
    ledger.noteChange(LedgerChange::Accounts);
}

// Rank of a kind in the regrouped table: asset, liability, income, expense, equity; any
// other value last, so that no record is lost.
int kindRank(qint16 kind) {
    switch (kind) {
    case KindAsset:
        return 0;
    case KindLiability:
        return 1;
    case KindIncome:
        return 2;
    case KindExpense:
        return 3;
    case KindEquity:
        return 4;
    default:
        return 5;
    }
}

// Writes records as the table (1-based), stably grouped by kind.
void writeGrouped(Ledger& ledger, std::vector<AccountRecord> records) {
    std::stable_sort(records.begin(), records.end(),
                     [](const AccountRecord& a, const AccountRecord& b) {
                         return kindRank(a.Kind) < kindRank(b.Kind);
                     });
    std::copy(records.begin(), records.end(), ledger.Accounts.begin() + 1);
    setAccountFlags(ledger);
}

std::vector<AccountRecord> tableRows(const Ledger& ledger) {
    return std::vector<AccountRecord>(ledger.Accounts.begin() + 1,
                                      ledger.Accounts.begin() + ledger.AccountCount);
}

std::string_view view(const FixedText<32>& field) {
    return std::string_view(field.data(), size_t(FixedText<32>::Width));
}

} // namespace

QString addFailed() {
    return QStringLiteral("新增科目發生錯誤!");
}

// ---- 新增 ----------------------------------------------------------------------------

QString CheckAdd(const Ledger& ledger, int kind, const QString& parent, const QString& ownName,
                 QString& name) {
    if (ledger.AccountCount > Ledger::AccountCapacity)
        return QStringLiteral("科目數量已經到達%1個上限，無法再新增!").arg(Ledger::AccountCapacity);
    if (AccountNames::isBlank(ownName)) return noName() + u'!';
    if (ownName.startsWith(u'.')) return dotFirst();
    if (AccountNames::prefixOf(kind).isEmpty()) return QStringLiteral("請選擇科目類型!");
    // Saved as "?", such a name could fall together with another account's; a line break or
    // another control character would break the lines of the side files.
    if (!Ansi::isEncodable(ownName) || !PlainText::isPlain(ownName)) return unsupported();
    name = AccountNames::compose(kind, parent, ownName);
    if (AccountNames::findOther(ledger, name)) return QStringLiteral("已有相同名稱的科目!");
    // No account without its opening entry: refused before anything is asked or written.
    if (AsksOpeningBalance(kind) && ledger.EntryCount > Ledger::EntryCapacity) return addFailed();
    return QString();
}

bool AsksOpeningBalance(int kind) {
    return kind == KindAsset || kind == KindLiability;
}

bool AddAccount(Ledger& ledger, const QString& name, int kind, double openingHundredths,
                const QString& today) {
    const Ledger::ChangeScope scope(ledger);
    if (ledger.AccountCount > Ledger::AccountCapacity) return false;
    if (AsksOpeningBalance(kind)) {
        LedgerEntry opening;
        opening.core.Date = today;
        opening.core.Account1 = name;
        opening.core.Account2 = QStringLiteral("Equity");
        opening.core.Amount = TaggedNumber::fromDouble(openingHundredths);
        opening.core.Detail = QStringLiteral("[初值]");
        opening.note.Note = QString();
        opening.invoice.InvoiceDigits = QString();
        opening.style.InvoiceLetters = QString();
        if (!ledger.addEntry(opening)) return false;
    }
    // A whole new record: the slot may still hold a deleted account's budgets.
    AccountRecord account;
    account.Name = name;
    account.Kind = qint16(kind);
    ledger.addAccount(account);
    setAccountFlags(ledger);
    return true;
}

// ---- 編輯 ----------------------------------------------------------------------------

QString PlanRename(const Ledger& ledger, int index, int kind, const QString& parent,
                   const QString& ownName, NameMapping& mapping) {
    mapping.clear();
    if (AccountNames::isBlank(ownName)) return noName();
    const QString oldName = ledger.Accounts[size_t(index)].Name.trimmed();
    if (AccountNames::prefixOf(kind).isEmpty() || PrefixKindCode(oldName) != kind)
        return QStringLiteral("不能更改科目類型!");
    if (ownName.startsWith(u'.')) return dotFirst();
    if (!Ansi::isEncodable(ownName) || !PlainText::isPlain(ownName)) return unsupported();
    const QString newName = AccountNames::compose(kind, parent, ownName);
    const QString duplicate = QStringLiteral("已有相同名稱的科目");
    if (AccountNames::findOther(ledger, newName, index)) return duplicate;

    // The branch: the account and every account whose name begins with its name and ".".
    const QString branch = oldName + u'.';
    mapping.emplace_back(oldName, newName);
    QSet<QString> outside;
    for (int i = 1; i < ledger.AccountCount; ++i) {
        if (i == index) continue;
        const QString name = ledger.Accounts[size_t(i)].Name.trimmed();
        if (name.startsWith(branch))
            mapping.emplace_back(name, newName + name.mid(oldName.size()));
        else
            outside.insert(name);
    }
    for (size_t m = 1; m < mapping.size(); ++m) {
        if (outside.contains(mapping[m].second)) return mapping.clear(), duplicate;
        if (Ansi::byteLength(mapping[m].second) > AccountNames::MaxBytes)
            return mapping.clear(), QStringLiteral("子科目名稱超過長度上限，無法更改!");
    }
    return QString();
}

void ApplyRename(Ledger& ledger, const NameMapping& mapping) {
    const Ledger::ChangeScope scope(ledger);
    // Every new value is computed before the first field changes; the writes that follow
    // cannot fail, so the tables never hold half a rename.
    std::vector<std::pair<FixedText<32>, FixedText<32>>> fixed;
    QHash<QString, QString> byName;
    for (const auto& [from, to] : mapping) {
        if (from == to) continue;
        fixed.emplace_back(FixedText<32>(from), FixedText<32>(to));
        byName.insert(from, to);
    }
    std::unordered_map<std::string_view, const FixedText<32>*> byField;
    for (const auto& [from, to] : fixed)
        byField.emplace(view(from), &to);
    // The bytes every old name begins with (a branch shares its root's name): most fields
    // are passed over by one short comparison before any lookup.
    std::string_view common = fixed.empty() ? std::string_view() : view(fixed.front().first);
    for (const auto& [from, to] : fixed) {
        const std::string_view v = view(from);
        size_t n = 0;
        while (n < common.size() && common[n] == v[n])
            ++n;
        common = common.substr(0, n);
    }
    auto renamed = [&byField, common](const FixedText<32>& field) -> const FixedText<32>* {
        if (view(field).substr(0, common.size()) != common) return nullptr;
        const auto found = byField.find(view(field));
        return found == byField.end() ? nullptr : found->second;
    };

    std::vector<std::pair<int, QString>> texts;
    for (int i = 1; i < ledger.DetailTextCount; ++i) {
        const auto parts = DetailText::split(ledger.DetailTexts[size_t(i)]);
        if (!parts) continue;
        const auto to = byName.constFind(parts->owner);
        if (to != byName.constEnd()) texts.emplace_back(i, DetailText::join(*to, parts->text));
    }
    std::vector<std::pair<QString*, QString>> quick;
    for (int i = 1; i < ledger.QuickEntryCount; ++i) {
        QuickEntry& q = ledger.QuickEntries[size_t(i)];
        for (QString* field : {&q.Account1, &q.Account2})
            if (const auto to = byName.constFind(*field); to != byName.constEnd())
                quick.emplace_back(field, *to);
    }

    if (!byField.empty()) {
        ledger.noteEntriesChanged();
        for (int i = 1; i < ledger.EntryCount; ++i) {
            EntryCore& e = ledger.Entries[size_t(i)];
            const FixedText<32>* to1 = renamed(e.Account1);
            const FixedText<32>* to2 = renamed(e.Account2);
            if (to1) e.Account1 = *to1;
            if (to2) e.Account2 = *to2;
        }
        for (int i = 1; i < ledger.RecurringCount; ++i) {
            RecurringRecord& r = ledger.RecurringRecords[size_t(i)];
            const FixedText<32>* to1 = renamed(r.Account1);
            const FixedText<32>* to2 = renamed(r.Account2);
            if (to1) r.Account1 = *to1;
            if (to2) r.Account2 = *to2;
        }
        for (int i = 1; i < ledger.AccountCount; ++i)
            if (const FixedText<32>* to = renamed(ledger.Accounts[size_t(i)].Name))
                ledger.Accounts[size_t(i)].Name = *to;
    }
    for (auto& [i, text] : texts)
        ledger.DetailTexts[size_t(i)] = text;
    for (auto& [field, to] : quick)
        *field = to;

    ledger.DetailTextsChanged = true;
    ledger.QuickEntriesChanged = true;
    ledger.RecurringChanged = true;
    setAccountFlags(ledger);
}

// ---- 刪除 ----------------------------------------------------------------------------

bool AccountInUse(const Ledger& ledger, int index) {
    const FixedText<32>& name = ledger.Accounts[size_t(index)].Name;
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        if (e.Account1 == name || e.Account2 == name) return true;
    }
    return false;
}

void DeleteAccount(Ledger& ledger, int index) {
    const Ledger::ChangeScope scope(ledger);
    const AccountRecord& account = ledger.Accounts[size_t(index)];
    const FixedText<32> name = account.Name;
    const QString listed = account.Name.trimmed();

    std::vector<std::pair<int, QString>> texts;
    for (int i = 1; i < ledger.DetailTextCount; ++i) {
        const auto parts = DetailText::split(ledger.DetailTexts[size_t(i)]);
        if (parts && parts->owner == listed)
            texts.emplace_back(i, DetailText::join(DetailText::unfiledOwner(), parts->text));
    }

    // Note rows for every entry first: the compaction then only assigns, and cannot fail
    // halfway through.
    if (ledger.EntryCount > 1)
        ledger.setNoteRow(ledger.EntryCount - 1, ledger.noteRow(ledger.EntryCount - 1));
    ledger.compactEntriesIf([&ledger, &name](int i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        return !(e.Account1 == name || e.Account2 == name);
    });
    for (auto& [i, text] : texts)
        ledger.DetailTexts[size_t(i)] = text;
    std::move(ledger.Accounts.begin() + index + 1, ledger.Accounts.begin() + ledger.AccountCount,
              ledger.Accounts.begin() + index);
    --ledger.AccountCount;
    ledger.DetailTextsChanged = true;
    setAccountFlags(ledger);
}

// ---- Order ---------------------------------------------------------------------------

void SortAccounts(Ledger& ledger) {
    const Ledger::ChangeScope scope(ledger);
    std::vector<AccountRecord> rows = tableRows(ledger);
    std::vector<std::pair<QString, size_t>> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys.emplace_back(rows[i].Name.trimmed().leftJustified(32, u' '), i);
    // Stable and by code unit: the same order as exchanging neighbours while greater.
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
        return QStringView(a.first).compare(QStringView(b.first), Qt::CaseSensitive) < 0;
    });
    std::vector<AccountRecord> sorted;
    sorted.reserve(rows.size());
    for (const auto& key : keys)
        sorted.push_back(rows[key.second]);
    writeGrouped(ledger, std::move(sorted));
}

void MoveAccountToKindEnd(Ledger& ledger, int index, bool top) {
    const Ledger::ChangeScope scope(ledger);
    std::vector<AccountRecord> rows = tableRows(ledger);
    const auto at = rows.begin() + (index - 1);
    if (top)
        std::rotate(rows.begin(), at, at + 1);
    else
        std::rotate(at, at + 1, rows.end());
    writeGrouped(ledger, std::move(rows));
}

int MoveAccount(Ledger& ledger, int index, bool up) {
    const Ledger::ChangeScope scope(ledger);
    const int other = up ? index - 1 : index + 1;
    setAccountFlags(ledger);
    if (other < 1 || other >= ledger.AccountCount) return index;
    std::swap(ledger.Accounts[size_t(index)], ledger.Accounts[size_t(other)]);
    return other;
}

} // namespace AccountCommands
