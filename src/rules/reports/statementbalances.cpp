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
    cache.syncAccounts(ledger);
    const int accountCount = std::max(ledger.AccountCount, 1);
    std::vector<double> balance(size_t(accountCount), 0.0);
    // The other side's kind as each account's balance last recognised it: an entry whose
    // other account has no known prefix counts with the kind of the one before.
    std::vector<int> lastKind(size_t(accountCount), 0);
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
    const QByteArray key = dateKey.toLatin1();
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const std::array<int, 2> xy = cache.entryAccounts(e, i);
        const int x = xy[0];
        const int y = xy[1];
        if (!x && !y) continue;
        const int c = CompareDateKey(e.Date.data(), key);
        if (includeDay ? c > 0 : c >= 0) continue;
        const double a = wholeUnits ? WholeUnitsAmount(e.Amount.value()) : e.Amount.value();
        if (x) {
            const int code = PrefixKindCode(e.Account2, false);
            int& t = lastKind[size_t(x)];
            if (code >= 0) t = code;
            balance[size_t(x)] += EntrySign(kind[size_t(x)], t, true) * a;
        }
        if (y) {
            const int code = PrefixKindCode(e.Account1, true);
            int& t = lastKind[size_t(y)];
            if (code >= 0) t = code;
            balance[size_t(y)] += EntrySign(kind[size_t(y)], t, false) * a;
        }
    }
    for (int i : repeated)
        balance[size_t(i)] = includeDay ? AccountBalanceTo(ledger, session, i, dateKey)
                                        : AccountBalanceBefore(ledger, session, i, dateKey);
    return balance;
}
