#pragma once
#include <QStringView>

#include "store/ledger.h"

// The sign and kind rules behind every figure: an account's kind read from its name, and how
// an entry's amount counts for an account. The balances and statements, the tree totals, the
// main list and the entry window's provisional rows each count an entry by a rule of their
// own; the rules stand here side by side, each under its name, and nowhere else.
//
// Kind codes (AccountKind): 0 equity "Eq", 1 asset "A-", 2 liability "L-", 3 income "I-",
// 4 expense "E-"; -1 none.

// Kind code of an account name from its first two characters. On the account side of an
// entry (Account2) only the first three are looked at: pass withIncomeExpense = false there.
int PrefixKindCode(const FixedText<32>& name, bool withIncomeExpense);
int PrefixKindCode(QStringView name, bool withIncomeExpense = true);

// The prefix names of kind code `kind` begin with: "Eq", "A-", "L-", "I-" or "E-"; "" for
// any other code.
QString KindPrefix(int kind);

// Whether the name is that of an asset or a liability account ("A-" or "L-").
bool IsAssetOrLiabilityName(const FixedText<32>& name);
bool IsAssetOrLiabilityName(QStringView name);

// Balances and statements: the sign (+1, -1, 0) with which an entry's amount changes the
// balance of an account of kind `kind`, when the account stands on the entry's Account1 side
// (isFirstAccount) or Account2 side, and the other side has kind code `otherKindCode`.
int EntrySign(int kind, int otherKindCode, bool isFirstAccount);

// Tree totals: how an entry's counted amount a changes its first account X and second
// account Y, by the kind codes of both (-1 none).
struct EntryChange {
    int first = 0;  // factor of a for X
    int second = 0; // factor of a for Y
};
EntryChange TreeEntryChange(int kindX, int kindY);

// The main list: how the listed account of kind `listedKind` shows an entry's amount when it
// stands on the entry's first side (firstSide) or second side, the other side of kind
// `otherKind`: +1 as stored, -1 negated, 0 an empty cell.
int ListRowSign(int listedKind, bool firstSide, int otherKind);

// The entry window's provisional rows: +1 when the amount shows as stored, -1 negated, by the
// kinds of the entry's first and second accounts (-1 none).
int ProvisionalRowSign(int kind1, int kind2);
