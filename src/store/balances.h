#pragma once
#include <QString>

#include "store/ledger.h"
#include "store/session.h"

// Kind code of an account name from its first two characters: "Eq" 0, "A-" 1, "L-" 2,
// "I-" 3, "E-" 4; -1 when none. On the account side of an entry (Account2) only the first
// three are looked at: pass withIncomeExpense = false there.
int PrefixKindCode(const FixedText<32>& name, bool withIncomeExpense);

// Sign (+1, -1, 0) with which an entry's amount changes the balance of an account of kind
// `kind` (AccountKind), when the account stands on the entry's Account1 side
// (isFirstAccount) or Account2 side, and the other side has kind code `otherKindCode`.
int EntrySign(int kind, int otherKindCode, bool isFirstAccount);

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

// The "yyyymmdd" key of a stored date "yyyy/mm/dd".
QString EntryDateKey(const FixedText<10>& date);
