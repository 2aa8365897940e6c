#pragma once
#include <QString>

struct Ledger;
struct RecurringRecord;

enum class PostResult { Posted, Refused, LedgerFull };

// Books one occurrence of a recurring record as a new entry: both accounts must exist and
// differ, the amount must be one an entry can hold (finite, within the entry bound), the
// date must be a valid date, and the ledger must have room. The entry takes
// the record's stored amount (never a shown text, which may have lost its hundredths).
PostResult PostRecurring(Ledger& ledger, const RecurringRecord& record, const QString& date);
