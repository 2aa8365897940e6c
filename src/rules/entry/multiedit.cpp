#include "rules/entry/multiedit.h"

#include "platform/runtime.h"
#include "rules/entry/entryrules.h"
#include "store/amounts.h"

namespace MultiEdit {

QString markItem(int index) {
    return index == 0 ? QStringLiteral("勾選標記") : QStringLiteral("取消勾選");
}

namespace {

// Keeps value while every entry agrees with the reference on the field.
template <typename T, typename Same>
void keepIfSame(std::optional<T>& value, const QList<int>& entries, Same same) {
    const int r = entries.first();
    for (int i : entries) {
        if (!same(r, i)) {
            value.reset();
            return;
        }
    }
}

} // namespace

Prefill prefill(const Ledger& ledger, const QList<int>& entries) {
    Prefill p;
    if (entries.isEmpty()) return p;
    const int r = entries.first();
    const EntryCore& e = ledger.Entries[size_t(r)];
    p.date = e.Date.trimmed();
    p.account1 = e.Account1.trimmed();
    p.account2 = e.Account2.trimmed();
    p.amount = EntryRules::numberText(e.Amount.value() / 100.0);
    p.detail = e.Detail.trimmed();
    p.note = EntryRules::shownNote(ledger, r);
    p.invoice = ledger.EntryStyles[size_t(r)].InvoiceLetters.trimmed() +
                ledger.EntryInvoices[size_t(r)].InvoiceDigits.trimmed();
    p.colour = ledger.EntryStyles[size_t(r)].ColourIndex;

    auto core = [&](int i) -> const EntryCore& { return ledger.Entries[size_t(i)]; };
    keepIfSame(p.date, entries, [&](int a, int b) { return core(a).Date == core(b).Date; });
    keepIfSame(p.account1, entries,
               [&](int a, int b) { return core(a).Account1 == core(b).Account1; });
    keepIfSame(p.account2, entries,
               [&](int a, int b) { return core(a).Account2 == core(b).Account2; });
    keepIfSame(p.amount, entries,
               [&](int a, int b) { return core(a).Amount.value() == core(b).Amount.value(); });
    keepIfSame(p.detail, entries, [&](int a, int b) { return core(a).Detail == core(b).Detail; });
    keepIfSame(p.note, entries, [&](int a, int b) {
        return ledger.EntryNotes[size_t(a)].Note == ledger.EntryNotes[size_t(b)].Note &&
               ledger.noteRow(a) == ledger.noteRow(b);
    });
    keepIfSame(p.invoice, entries, [&](int a, int b) {
        return ledger.EntryInvoices[size_t(a)].InvoiceDigits ==
                   ledger.EntryInvoices[size_t(b)].InvoiceDigits &&
               ledger.EntryStyles[size_t(a)].InvoiceLetters ==
                   ledger.EntryStyles[size_t(b)].InvoiceLetters;
    });
    keepIfSame(p.colour, entries, [&](int a, int b) {
        return ledger.EntryStyles[size_t(a)].ColourIndex ==
               ledger.EntryStyles[size_t(b)].ColourIndex;
    });
    return p;
}

namespace {

// The amount in hundredths, or nullopt when the text is no number that can be stored.
std::optional<double> hundredthsOf(const QString& amount) {
    const auto v = EntryRules::typedNumber(amount);
    if (!v) return std::nullopt;
    return EntryRules::amountHundredths(*v, 1);
}

} // namespace

std::optional<QString> check(Values& v) {
    const auto& t = v.ticked;
    if (t[Date] && !Runtime::isDate(v.date)) return QStringLiteral("不是正確的日期格式");
    if (t[Account1] && !v.account1) return QStringLiteral("您還沒選擇分類欄位");
    if (t[Account2] && !v.account2) return QStringLiteral("您還沒選擇科目欄位");
    if (t[Account1] && t[Account2] && *v.account1 == *v.account2)
        return QStringLiteral("選擇的科目不能重複");
    // An amount too large to keep every hundredth is refused like a text that is no number.
    if (t[Amount] && !hundredthsOf(v.amount)) return QStringLiteral("金額部分不是數字格式");
    v.invoice = Runtime::trimBlanks(v.invoice);
    const auto n = v.invoice.size();
    if (t[Invoice] && n != 0 && n != 8 && n != 10)
        return QStringLiteral("不正確的發票格式 (正確為8位數字)");
    if (t[Mark] && !v.mark) return QStringLiteral("您還沒選擇標記欄位");
    return std::nullopt;
}

QString failureMessage() {
    return QStringLiteral("編輯記錄發生錯誤!");
}

WriteResult write(Ledger& ledger, Values& v, const QList<int>& entries) {
    WriteResult result;
    if (auto refusal = check(v)) {
        result.refusal = refusal;
        return result;
    }
    const auto& t = v.ticked;
    result.refusal = failureMessage();
    for (int i : entries)
        if (i < 1 || i >= ledger.EntryCount) return result;

    // Every value is worked out before the first entry changes.
    FixedText<10> date;
    if (t[Date]) date.set(Runtime::dateText(*Runtime::parseDate(v.date)));
    auto accountName = [&](const std::optional<QString>& name) -> std::optional<FixedText<32>> {
        const int k = FindAccountIndex(ledger, *name);
        if (k == 0) return std::nullopt;
        return ledger.Accounts[size_t(k)].Name;
    };
    FixedText<32> account1, account2;
    if (t[Account1]) {
        const auto a = accountName(v.account1);
        if (!a) return result;
        account1 = *a;
    }
    if (t[Account2]) {
        const auto a = accountName(v.account2);
        if (!a) return result;
        account2 = *a;
    }
    const TaggedNumber amount =
        TaggedNumber::fromDouble(t[Amount] ? hundredthsOf(v.amount).value_or(0) : 0);
    const FixedText<60> detail(v.detail);
    EntryNote note;
    QString noteRow;
    EntryRules::splitNote(v.note, note, noteRow);
    EntryInvoice invoice;
    EntryStyle letters;
    EntryRules::splitInvoice(v.invoice, invoice, letters);
    const qint16 mark = v.mark.value_or(1) == 0 ? -1 : 0;
    const quint8 colour = quint8(v.colour.value_or(0));

    result.refusal.reset();
    const Ledger::ChangeScope scope(ledger);
    for (int i : entries) {
        EntryCore& e = ledger.Entries[size_t(i)];
        if (t[Date]) e.Date = date;
        if (t[Account1]) e.Account1 = account1;
        if (t[Account2]) e.Account2 = account2;
        if (t[Amount]) e.Amount = amount;
        if (t[Detail]) e.Detail = detail;
        if (t[Note]) {
            ledger.EntryNotes[size_t(i)].Note = note.Note;
            ledger.setNoteRow(i, noteRow);
        }
        if (t[Invoice]) {
            ledger.EntryInvoices[size_t(i)].InvoiceDigits = invoice.InvoiceDigits;
            ledger.EntryStyles[size_t(i)].InvoiceLetters = letters.InvoiceLetters;
        }
        if (t[Mark]) ledger.EntryInvoices[size_t(i)].Checked = mark;
        if (t[Colour]) ledger.EntryStyles[size_t(i)].ColourIndex = colour;
        result.written << i;
    }
    for (bool on : t)
        result.changed = result.changed || (on && !entries.isEmpty());
    if (result.changed) {
        ledger.noteChange(LedgerChange::Entries);
        ledger.markChanged();
    }
    return result;
}

} // namespace MultiEdit
