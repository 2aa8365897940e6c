#pragma once
#include <functional>

#include "store/ledger.h"

class QWidget;

// The changes after which a report counts its figures anew: what the entries, the accounts
// or the budgets hold, a reading of the ledger, an option of figures or periods.
inline constexpr LedgerChanges ReportedChanges =
    LedgerChange::EntriesAdded | LedgerChange::Entries | LedgerChange::Accounts |
    LedgerChange::Budgets | LedgerChange::Loaded | LedgerChange::Figures;

// Binds a report window to the open ledger, for as long as the window lives, so that an
// open report shows what it would show opened afresh: `recount` runs at each of the ledger's
// change notices that names a reported change. A hidden window (closed, waiting for its
// deletion) counts nothing then, and counts once when it is shown again.
void FollowReportedChanges(QWidget& window, Ledger& ledger, std::function<void()> recount);
