#include "rules/entry/entrycommands.h"

#include "platform/runtime.h"
#include "store/figures.h"
#include "store/sidefiles.h"

#include <cmath>

namespace EntryCommands {

QString swapRefusedMessage() {
    return QStringLiteral("這種情況無法對調科目");
}

std::optional<SwapChoice> swapAccounts(const QString& first, const QString& second,
                                       const QStringList& firstItems,
                                       const QStringList& secondItems) {
    const SwapChoice choice{int(firstItems.indexOf(second)), int(secondItems.indexOf(first))};
    const int firstKind = PrefixKindCode(first);
    if (firstKind == KindExpense || firstKind == KindIncome ||
        PrefixKindCode(second) == KindEquity || second.isEmpty() || first.isEmpty() ||
        choice.first < 0 || choice.second < 0)
        return std::nullopt;
    return choice;
}

QString quickEntryAddedMessage() {
    return QStringLiteral("已將此筆記錄新增到快速入帳清單!");
}

namespace {

EntryMessage warning(const QString& text) {
    return {EntryMessage::Kind::Warning, text};
}

} // namespace

std::optional<EntryMessage> storeQuickEntry(Ledger& ledger, EntryFields& f) {
    if (ledger.QuickEntryCount > Ledger::QuickEntryCapacity)
        return warning(QStringLiteral("快速入帳已經到達500筆上限，無法再新增!"));
    if (f.account1 == f.account2) return warning(QStringLiteral("選擇的科目不能重複"));
    if (!f.account2Chosen || !f.account1Chosen) return warning(QStringLiteral("您還沒選擇科目"));
    if (f.fee && !f.fee1Chosen) return warning(QStringLiteral("您還沒選擇手續費的科目"));
    const auto v = EntryRules::typedNumber(f.amount);
    const QString notNumber = QStringLiteral("金額部分不是數字格式");
    if (!v) return warning(notNumber);
    if (!Runtime::isNumeric(f.rate)) f.rate = QStringLiteral("1");
    const double amount = *v * EntryRules::typedNumber(f.rate).value_or(1);
    // An amount that could never be stored as an entry is no template either.
    if (!std::isfinite(amount) || std::fabs(amount * 100) > EntryRules::MaxHundredths)
        return warning(notNumber);

    QuickEntry q;
    q.Account1 = f.account1;
    q.Account2 = f.account2;
    q.Amount = EntryRules::numberText(amount);
    q.Detail = WithoutQuoteMarks(f.detail);
    q.Note = WithoutQuoteMarks(f.note);
    const Ledger::ChangeScope scope(ledger);
    ledger.addQuickEntry(q);
    ledger.markQuickEntriesChanged();
    return std::nullopt;
}

} // namespace EntryCommands
