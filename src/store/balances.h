#pragma once
#include <QString>
#include <optional>

#include "store/figures.h"
#include "store/ledger.h"
#include "store/session.h"

// Signed sum of the account's entries dated up to and including dateKey ("yyyymmdd"),
// resp. strictly before it. With DotState "0" each amount counts with its cents cut.
// accountIndex must be a row of Accounts (1 .. AccountCount - 1).
double AccountBalanceTo(const Ledger& ledger, const Session& session, int accountIndex,
                        const QString& dateKey);
double AccountBalanceBefore(const Ledger& ledger, const Session& session, int accountIndex,
                            const QString& dateKey);

// The same balance up to and including dateKey from the exact stored amounts, whatever
// DotState says (moving money between entries must not lose cents), as a tagged number of
// the type the sum of the counted amounts has: a 16-bit zero when no entry counted, a
// whole-number type while every counted amount is one and the sum fits it, else a double.
TaggedNumber ExactBalanceTo(const Ledger& ledger, int accountIndex, const QString& dateKey);

// Compares the key of a stored date (its bytes 0-3, 5-6 and 8-9) with a "yyyymmdd" key as
// texts: negative, 0 or positive. Every balance uses this one comparison.
int CompareDateKey(const char* date, const QByteArray& key);
// The same comparison as numbers, for passes that compare every entry with several keys: a
// stored date's key and a whole "yyyymmdd" key (nullopt for another length) as numbers whose
// order is that of CompareDateKey.
quint64 DateKeyNumber(const char* date);
std::optional<quint64> DateKeyNumber(const QByteArray& key);

// The "yyyymmdd" key of a stored date "yyyy/mm/dd".
QString EntryDateKey(const FixedText<10>& date);
