#include "rules/users/deletebycondition.h"

#include "store/balances.h"
#include "store/ledger.h"

bool MeetsDateCondition(DateCondition condition, const QString& key, const QString& d1,
                        const QString& d2) {
    const QString& lo = qMin(d1, d2);
    const QString& hi = qMax(d1, d2);
    switch (condition) {
    case DateCondition::OnDay:
        return key == d1;
    case DateCondition::After:
        return key > d1;
    case DateCondition::Inside:
        return lo <= key && key <= hi;
    case DateCondition::Outside:
        return key < lo || key > hi;
    }
    return false;
}

int DeleteEntriesByDate(Ledger& ledger, DateCondition condition, const QDate& d1, const QDate& d2) {
    const QString k1 = d1.toString(QStringLiteral("yyyyMMdd"));
    const QString k2 = d2.toString(QStringLiteral("yyyyMMdd"));
    int marked = 0;
    const Ledger::ChangeScope scope(ledger);
    for (int i = 1; i < ledger.EntryCount; ++i) {
        if (MeetsDateCondition(condition, EntryDateKey(ledger.Entries[size_t(i)].Date), k1, k2)) {
            ledger.markEntryDeleted(i);
            ++marked;
        }
    }
    if (marked > 0) ledger.compactEntries();
    return marked;
}
