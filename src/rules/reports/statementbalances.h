#pragma once
#include <QString>
#include <utility>
#include <vector>

class EntryAccountCache;
struct Ledger;
struct Session;

// Every account's balance to a date from one pass over the entries: slot i holds
// AccountBalanceTo(i, dateKey) when includeDay, AccountBalanceBefore(i, dateKey) otherwise
// (slot 0 unused). The cache remembers which accounts each entry names between passes.
std::vector<double> AllAccountBalances(const Ledger& ledger, const Session& session,
                                       const QString& dateKey, bool includeDay,
                                       EntryAccountCache& cache);

// The same for several dates at once: slot c holds AllAccountBalances at cuts[c] (its date
// key and includeDay), from one pass over the entries for all the dates.
std::vector<std::vector<double>>
AllAccountBalancesAt(const Ledger& ledger, const Session& session,
                     const std::vector<std::pair<QString, bool>>& cuts, EntryAccountCache& cache);
