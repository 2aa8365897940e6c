#pragma once
#include <QDate>
#include <vector>

struct Ledger;

// The entries whose reminder is due today, in entry order: the reminder is on and today
// lies from the entry's date minus its lead days to the date itself. An entry whose date
// is no valid date is never due; negative lead days list nothing.
std::vector<int> DueEntryReminders(const Ledger& ledger, const QDate& today);
