#include "rules/reports/yearfigures.h"

#include <algorithm>
#include <cmath>

#include "rules/reports/statementbalances.h"
#include "store/figures.h"
#include "store/ledger.h"
#include "store/periods.h"
#include "store/session.h"
#include "store/treefigures.h"

namespace YearFigures {

MonthBounds monthBounds(int year, const Session& session) {
    MonthBounds b;
    const int day = Periods::monthStartDay(session.Setting.DayState);
    const bool before = session.Setting.DayState2 != QLatin1String("0");
    for (int m = 1; m <= 12; ++m) {
        const Periods::Span p = Periods::MonthPeriod(year, m, day, before);
        b.first[size_t(m)] = p.first;
        b.last[size_t(m)] = p.last;
    }
    return b;
}

std::vector<Months> accountMonths(const Ledger& ledger, const Session& session, int year,
                                  const QDate& today, EntryAccountCache& cache) {
    const MonthBounds b = monthBounds(year, session);
    const QString now = Periods::dateKey(today);
    const bool heldToToday = session.Setting.AftState == QLatin1String("0");

    // Cuts 0..11 the month ends, 12..23 the days before the month starts, 24 today (only
    // when months are held back to today).
    std::vector<std::pair<QString, bool>> cuts;
    for (int m = 1; m <= 12; ++m)
        cuts.push_back({b.last[size_t(m)], true});
    for (int m = 1; m <= 12; ++m)
        cuts.push_back({b.first[size_t(m)], false});
    if (heldToToday) cuts.push_back({now, true});
    const auto at = AllAccountBalancesAt(ledger, session, cuts, cache);

    const size_t accounts = size_t(std::max(ledger.AccountCount, 1));
    std::vector<Months> result(accounts, Months{});
    for (size_t i = 1; i < accounts; ++i) {
        const int kind = ledger.Accounts[i].Kind;
        const bool balance = kind == 1 || kind == 2;
        for (int m = 1; m <= 12; ++m) {
            const QString& s = b.first[size_t(m)];
            const QString& e = b.last[size_t(m)];
            if (heldToToday && s > now) continue; // a month not begun counts 0
            const bool endsToday = heldToToday && s <= now && now < e;
            const double to = endsToday ? at[24][i] : at[size_t(m - 1)][i];
            result[i][size_t(m)] = balance ? to : to - at[size_t(11 + m)][i];
        }
    }
    return result;
}

AssetsLiabilities assetsLiabilities(const Ledger& ledger, const Session& session, int year,
                                    const QDate& today, EntryAccountCache& cache) {
    const MonthBounds b = monthBounds(year, session);
    const QString now = Periods::dateKey(today);
    const bool heldToToday = session.Setting.AftState == QLatin1String("0");
    std::vector<std::pair<QString, bool>> cuts;
    for (int m = 1; m <= 12; ++m)
        cuts.push_back({b.last[size_t(m)], true});
    if (heldToToday) cuts.push_back({now, true});
    const auto at = AllAccountBalancesAt(ledger, session, cuts, cache);

    AssetsLiabilities r;
    for (int i = 1; i < ledger.AccountCount; ++i) {
        const int kind = ledger.Accounts[size_t(i)].Kind;
        if (kind != 1 && kind != 2) continue;
        Months& total = kind == 1 ? r.assets : r.liabilities;
        for (int m = 1; m <= 12; ++m) {
            const QString& s = b.first[size_t(m)];
            const QString& e = b.last[size_t(m)];
            double v = at[size_t(m - 1)][size_t(i)];
            if (heldToToday && now < s)
                v = 0; // the month has not begun
            else if (heldToToday && now <= e)
                v = at[12][size_t(i)]; // the month holds today
            total[size_t(m)] += v;
        }
    }
    return r;
}

IncomeExpense incomeExpense(const Ledger& ledger, const Session& session, int year,
                            const QDate& today) {
    const MonthBounds b = monthBounds(year, session);
    // Report months follow each other: month m runs from its first day to the day before
    // month m + 1 begins, so the first days and the last month's end place every date.
    std::array<quint32, 13> starts{};
    for (int m = 1; m <= 12; ++m)
        starts[size_t(m)] = Periods::dateNumber(b.first[size_t(m)]);
    const quint32 last = Periods::dateNumber(b.last[12]);
    const quint32 now = Periods::dateNumber(Periods::dateKey(today));
    const bool heldToToday = session.Setting.AftState == QLatin1String("0");

    IncomeExpense r;
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const int kind = PrefixKindCode(e.Account1, true);
        const bool income = kind == KindIncome;
        if (!income && kind != KindExpense) continue;
        const quint32 n = Periods::dateNumber(e.Date.bytes());
        if (n < starts[1] || n > last) continue;
        if (heldToToday && n > now) continue;
        const size_t m =
            size_t(std::upper_bound(starts.begin() + 1, starts.end(), n) - starts.begin() - 1);
        (income ? r.income : r.expense)[m] += e.Amount.value();
    }
    return r;
}

int averageMonths(int year, const QDate& today) {
    if (year < today.year()) return 12;
    if (year == today.year()) return today.month() - 1;
    return 0;
}

double averageOf(double sum, int months) {
    return months > 0 ? std::floor(sum / months) : 0;
}

} // namespace YearFigures
