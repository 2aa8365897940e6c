#include "rules/reports/dailyfigures.h"

#include "store/figures.h"
#include "store/ledger.h"
#include "store/periods.h"

std::vector<DayIncomeExpense> DailyIncomeExpense(const Ledger& ledger, int year, int month) {
    std::vector<DayIncomeExpense> days;
    const QDate first(year, month, 1);
    if (!first.isValid()) return days;
    for (int d = 1; d <= first.daysInMonth(); ++d)
        days.push_back({QDate(year, month, d)});

    const quint32 monthKey = quint32(year * 100 + month);
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const int kind = PrefixKindCode(e.Account1, true);
        const bool income = kind == KindIncome;
        if (!income && kind != KindExpense) continue;
        const quint32 n = Periods::dateNumber(e.Date.bytes());
        if (n / 100 != monthKey) continue;
        const quint32 day = n % 100;
        if (day < 1 || day > days.size()) continue; // a day no calendar has
        DayIncomeExpense& row = days[day - 1];
        (income ? row.income : row.expense) += e.Amount.value();
    }
    return days;
}
