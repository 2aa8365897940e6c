#include "rules/reports/statementbalances.h"

#include "store/amounts.h"
#include "store/balances.h"
#include "store/ledger.h"
#include "store/session.h"
#include "store/treefigures.h"

#include <QSet>

#include <algorithm>

std::vector<double> AllAccountBalances(const Ledger& ledger, const Session& session,
                                       const QString& dateKey, bool includeDay,
                                       EntryAccountCache& cache) {
    return std::move(AllAccountBalancesAt(ledger, session, {{dateKey, includeDay}}, cache)[0]);
}

namespace {
// What a balance pass needs of one entry that names a known account.
struct Posting {
    const char* date;
    quint64 dateKey;  // as DateKeyNumber gives it
    int x, y;         // the entry's accounts (0: none known)
    int code2, code1; // the other side's kind code from its prefix (-1: none)
    double amount;
};
} // namespace

std::vector<std::vector<double>>
AllAccountBalancesAt(const Ledger& ledger, const Session& session,
                     const std::vector<std::pair<QString, bool>>& cuts, EntryAccountCache& cache) {
    cache.syncAccounts(ledger);
    const int accountCount = std::max(ledger.AccountCount, 1);
    std::vector<int> kind(size_t(accountCount), 0);
    // Accounts sharing a name with an earlier one: the cache knows only the first of a name,
    // so these are summed account by account (a table never holds such names in practice).
    std::vector<int> repeated;
    QSet<QByteArray> names;
    for (int i = 1; i < accountCount; ++i) {
        kind[size_t(i)] = ledger.Accounts[size_t(i)].Kind;
        const QByteArray name = ledger.Accounts[size_t(i)].Name.bytes().toByteArray();
        if (names.contains(name))
            repeated.push_back(i);
        else
            names.insert(name);
    }

    const bool wholeUnits = session.DotState == QLatin1String("0");
    std::vector<Posting> postings;
    postings.reserve(size_t(std::max(ledger.EntryCount - 1, 0)));
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const std::array<int, 2> xy = cache.entryAccounts(e, i);
        if (!xy[0] && !xy[1]) continue;
        postings.push_back({e.Date.data(), DateKeyNumber(e.Date.data()), xy[0], xy[1],
                            xy[0] ? PrefixKindCode(e.Account2, false) : -1,
                            xy[1] ? PrefixKindCode(e.Account1, true) : -1,
                            wholeUnits ? WholeUnitsAmount(e.Amount.value()) : e.Amount.value()});
    }

    std::vector<std::vector<double>> at;
    at.reserve(cuts.size());
    for (const auto& [dateKey, includeDay] : cuts) {
        std::vector<double> balance(size_t(accountCount), 0.0);
        // The other side's kind as each account's balance last recognised it: an entry whose
        // other account has no known prefix counts with the kind of the one before.
        std::vector<int> lastKind(size_t(accountCount), 0);
        const QByteArray key = dateKey.toLatin1();
        const std::optional<quint64> keyNumber = DateKeyNumber(key);
        for (const Posting& p : postings) {
            const int c = keyNumber ? (p.dateKey > *keyNumber) - (p.dateKey < *keyNumber)
                                    : CompareDateKey(p.date, key);
            if (includeDay ? c > 0 : c >= 0) continue;
            if (p.x) {
                int& t = lastKind[size_t(p.x)];
                if (p.code2 >= 0) t = p.code2;
                balance[size_t(p.x)] += EntrySign(kind[size_t(p.x)], t, true) * p.amount;
            }
            if (p.y) {
                int& t = lastKind[size_t(p.y)];
                if (p.code1 >= 0) t = p.code1;
                balance[size_t(p.y)] += EntrySign(kind[size_t(p.y)], t, false) * p.amount;
            }
        }
        for (int i : repeated)
            balance[size_t(i)] = includeDay ? AccountBalanceTo(ledger, session, i, dateKey)
                                            : AccountBalanceBefore(ledger, session, i, dateKey);
        at.push_back(std::move(balance));
    }
    return at;
}
