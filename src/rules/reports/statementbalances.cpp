#include "rules/reports/statementbalances.h"

#include "store/amounts.h"
#include "store/balances.h"
#include "store/ledger.h"
#include "store/session.h"
#include "store/treefigures.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <optional>

std::vector<double> AllAccountBalances(const Ledger& ledger, const Session& session,
                                       const QString& dateKey, bool includeDay,
                                       EntryAccountCache& cache) {
    return std::move(AllAccountBalancesAt(ledger, session, {{dateKey, includeDay}}, cache)[0]);
}

std::vector<std::vector<double>>
AllAccountBalancesAt(const Ledger& ledger, const Session& session,
                     const std::vector<std::pair<QString, bool>>& cuts, EntryAccountCache& cache) {
    cache.syncAccounts(ledger);
    const int accountCount = std::max(ledger.AccountCount, 1);
    std::vector<int> kind(size_t(accountCount), 0);
    // Accounts sharing a name with an earlier one: the cache knows only the first of a name,
    // so these are summed account by account (a table never holds such names in practice).
    std::vector<int> repeated;
    for (int i = 1; i < accountCount; ++i) {
        kind[size_t(i)] = ledger.Accounts[size_t(i)].Kind;
        EntryAccountCache::Name name;
        std::memcpy(name.w, ledger.Accounts[size_t(i)].Name.data(), sizeof name.w);
        if (cache.find(name) != i) repeated.push_back(i);
    }

    struct Cut {
        QByteArray key;
        std::optional<quint64> keyNumber;
        bool includeDay;
        bool counts(const char* date, quint64 dateNumber) const {
            const int order = keyNumber ? (dateNumber > *keyNumber) - (dateNumber < *keyNumber)
                                        : CompareDateKey(date, key);
            return includeDay ? order <= 0 : order < 0;
        }
    };
    std::vector<Cut> at;
    for (const auto& [dateKey, includeDay] : cuts) {
        const QByteArray key = dateKey.toLatin1();
        at.push_back({key, DateKeyNumber(key), includeDay});
    }
    const size_t cutCount = at.size();
    // The cuts in the order of their slots. Dates as numbers go in ascending order, a day's
    // own cut after the cut before it: an entry then counts in every slot from the first one
    // that takes it.
    std::vector<size_t> slotCut(cutCount);
    std::iota(slotCut.begin(), slotCut.end(), size_t(0));
    const bool numbered =
        std::all_of(at.begin(), at.end(), [](const Cut& cut) { return bool(cut.keyNumber); });
    if (numbered)
        std::stable_sort(slotCut.begin(), slotCut.end(), [&](size_t x, size_t y) {
            return std::pair(*at[x].keyNumber, at[x].includeDay) <
                   std::pair(*at[y].keyNumber, at[y].includeDay);
        });

    // One pass over the entries for all the dates: each account holds its balances and the
    // other side's kind as its balance last recognised it (an entry whose other account has
    // no known prefix counts with the kind of the one before), one slot per date, side by
    // side. Every slot takes its entries in the table's order, as a pass per date would.
    std::vector<double> balance(size_t(accountCount) * cutCount, 0.0);
    std::vector<int> lastKind(size_t(accountCount) * cutCount, 0);
    std::vector<char> counted(cutCount, 0); // by slot, for dates that are no numbers
    const bool wholeUnits = session.DotState == QLatin1String("0");
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const std::array<int, 2> xy = cache.entryAccounts(e, i);
        if (!xy[0] && !xy[1]) continue;
        const quint64 date = DateKeyNumber(e.Date.data());
        size_t from = 0; // numbered: the first slot that counts the entry
        if (numbered) {
            from = size_t(
                std::partition_point(slotCut.begin(), slotCut.end(),
                                     [&](size_t c) { return !at[c].counts(e.Date.data(), date); }) -
                slotCut.begin());
            if (from == cutCount) continue;
        } else {
            bool any = false;
            for (size_t s = 0; s < cutCount; ++s) {
                counted[s] = at[slotCut[s]].counts(e.Date.data(), date);
                any |= bool(counted[s]);
            }
            if (!any) continue;
        }
        const double amount = wholeUnits ? WholeUnitsAmount(e.Amount.value()) : e.Amount.value();
        auto post = [&](int account, int code, bool first) {
            double* b = &balance[size_t(account) * cutCount];
            int* t = &lastKind[size_t(account) * cutCount];
            const int k = kind[size_t(account)];
            const double known = code >= 0 ? EntrySign(k, code, first) * amount : 0;
            auto add = [&](size_t s) {
                if (code >= 0) {
                    t[s] = code;
                    b[s] += known;
                } else {
                    b[s] += EntrySign(k, t[s], first) * amount;
                }
            };
            for (size_t s = from; s < cutCount; ++s)
                if (numbered || counted[s]) add(s);
        };
        if (xy[0]) post(xy[0], PrefixKindCode(e.Account2, false), true);
        if (xy[1]) post(xy[1], PrefixKindCode(e.Account1, true), false);
    }

    std::vector<std::vector<double>> out(cutCount, std::vector<double>(size_t(accountCount)));
    for (size_t s = 0; s < cutCount; ++s) {
        const size_t c = slotCut[s];
        std::vector<double>& balances = out[c];
        for (size_t a = 0; a < size_t(accountCount); ++a)
            balances[a] = balance[a * cutCount + s];
        for (int i : repeated)
            balances[size_t(i)] = at[c].includeDay
                                      ? AccountBalanceTo(ledger, session, i, cuts[c].first)
                                      : AccountBalanceBefore(ledger, session, i, cuts[c].first);
    }
    return out;
}
