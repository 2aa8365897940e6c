#pragma once
#include <QString>

#include "store/ledger.h"
#include "store/session.h"

// Amounts are whole numbers of hundredths. The display form follows session.DotState
// (two decimals when "1") and session.Setting.MoneyState (thousands "," unless "0"),
// both read at every call.
QString FormatAmount(double hundredths, const Session& session);
QString FormatAmount(const TaggedNumber& amount, const Session& session); // empty counts as 0
// Reads a display form back to hundredths and leaves the rewritten text in `text`
// (decimals point removed or "00" appended, "," removed when MoneyState is "1").
double ParseAmount(QString& text, const Session& session);
// A typed amount v (in currency units, already multiplied by an exchange rate) as
// hundredths: v * 100 + 0.1 truncated toward zero, or v * 100 - 0.1 for a negative v.
double HundredthsFromTyped(double value);
// The amount as counted when the ledger shows whole units only: cents cut toward zero.
// Equals ParseAmount(FormatAmount(a)) with DotState "0".
double WholeUnitsAmount(double hundredths);

// Index of the account whose stored name (up to its first NUL, trailing blanks removed)
// equals name exactly; 0 when none. The lower index wins among duplicates.
int FindAccountIndex(const Ledger& ledger, const QString& name);
// The stored name's bytes as FindAccountIndex compares them with the encoded name.
QByteArrayView AccountNameKey(const AccountRecord& account);

// The text up to its first CR LF; the whole text without one.
QString FirstLine(const QString& text);

// Does nothing; the login window calls it once per run.
void DoNothing();

// TrimFixed and SwapVariants are declared with the table types in store/ledger.h.
