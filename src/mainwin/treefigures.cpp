#include "mainwin/treefigures.h"

#include <QHash>

#include "store/amounts.h"
#include "store/balances.h"
#include "store/ledger.h"
#include "store/session.h"

EntryChange TreeEntryChange(int kindX, int kindY) {
    const bool yAsset = kindY == KindAsset;
    switch (kindX) {
    case KindAsset:
        return {+1, yAsset ? -1 : +1};
    case KindLiability:
        return {yAsset ? -1 : +1, -1};
    case KindIncome:
        return {+1, yAsset ? +1 : -1};
    case KindExpense:
        return {+1, yAsset ? -1 : +1};
    default:
        return {0, 0}; // equity, or no known kind: no figure changes
    }
}

namespace {
bool sameDate(const FixedText<10>& stored, const QByteArray& date) {
    return stored.bytes() == QByteArrayView(date);
}
} // namespace

TreeFigures ComputeTreeFigures(const Ledger& ledger, const Session& session,
                               const Periods::Bounds& bounds, const QString& todayDate) {
    TreeFigures f;
    f.account.assign(size_t(std::max(ledger.AccountCount, 1)), 0.0);

    // Entries name their accounts by the stored 32-byte name; the first account of a
    // name wins, as a search from the start of the table would find it.
    QHash<QByteArrayView, int> indexOfName;
    indexOfName.reserve(ledger.AccountCount);
    std::vector<int> kindOf(size_t(std::max(ledger.AccountCount, 1)), -1);
    for (int i = 1; i < ledger.AccountCount; ++i) {
        const FixedText<32>& name = ledger.Accounts[size_t(i)].Name;
        if (!indexOfName.contains(name.bytes())) indexOfName.insert(name.bytes(), i);
        kindOf[size_t(i)] = PrefixKindCode(name, true);
    }

    const bool wholeUnits = session.DotState == QLatin1String("0");
    const QByteArray today = todayDate.toLatin1();
    const quint32 start = bounds.start.isEmpty() ? 0 : Periods::dateNumber(bounds.start);
    const quint32 end = Periods::dateNumber(bounds.end);
    auto counts = [&](int kind, quint32 key) {
        if (kind == KindIncome || kind == KindExpense) return key >= start && key <= end;
        return key <= end;
    };

    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const double stored = e.Amount.value();
        const double a = wholeUnits ? WholeUnitsAmount(stored) : stored;
        const int x = indexOfName.value(e.Account1.bytes(), 0);
        const int y = indexOfName.value(e.Account2.bytes(), 0);
        const int kx = x ? kindOf[size_t(x)] : PrefixKindCode(e.Account1, true);
        const int ky = y ? kindOf[size_t(y)] : PrefixKindCode(e.Account2, true);
        const quint32 key = Periods::dateNumber(e.Date.bytes());
        const EntryChange change = TreeEntryChange(kx, ky);
        if (x && change.first && counts(kx, key)) f.account[size_t(x)] += change.first * a;
        if (y && change.second && counts(ky, key)) f.account[size_t(y)] += change.second * a;
        if (sameDate(e.Date, today)) {
            if (kx == KindIncome)
                f.todayIncome += a;
            else if (kx == KindExpense)
                f.todayExpense += a;
        }
    }

    for (int i = 1; i < ledger.AccountCount; ++i) {
        const int k = kindOf[size_t(i)];
        if (k >= KindAsset && k <= KindExpense) f.kindTotal[size_t(k)] += f.account[size_t(i)];
    }
    return f;
}

DayFigures StoredDayFigures(const Ledger& ledger, const QString& date) {
    DayFigures d;
    const QByteArray day = date.toLatin1();
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        if (!sameDate(e.Date, day)) continue;
        if (e.Account1.startsWithAscii("I-"))
            d.income += e.Amount.value();
        else if (e.Account1.startsWithAscii("E-"))
            d.expense += e.Amount.value();
    }
    return d;
}
