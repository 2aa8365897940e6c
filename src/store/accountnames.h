#pragma once
#include <QString>
#include <QStringList>

#include "store/ledger.h"

// Sets of account kinds, as the account lists of the windows offer them.
namespace AccountKinds {

constexpr unsigned of(int kind) {
    return 1u << unsigned(kind);
}
constexpr unsigned Equity = of(KindEquity);
constexpr unsigned Asset = of(KindAsset);
constexpr unsigned Liability = of(KindLiability);
constexpr unsigned Income = of(KindIncome);
constexpr unsigned Expense = of(KindExpense);
// The first account of an entry: every kind but equity.
constexpr unsigned FirstSide = Asset | Liability | Income | Expense;
// The second account of an entry: where the money comes from or goes to.
constexpr unsigned SecondSide = Equity | Asset | Liability;
constexpr unsigned AssetLiability = Asset | Liability;

} // namespace AccountKinds

// The rules of account names: kind prefixes, "." levels, the 32-byte width of every
// account field, exact comparison. The account editor composes every new name here.
namespace AccountNames {

inline constexpr int MaxBytes = 32;

// "A-", "L-", "I-", "E-" for kinds 1 to 4; "" for any other kind.
QString prefixOf(int kind);
// The kind whose prefix the name begins with (1 to 4); 0 for any other name.
int kindOfPrefix(const QString& name);
// The parent box's first item, standing for no parent.
QString noParent(); // "<無>"

// The 32-byte cut: the longest start of the name that fits MaxBytes of cp950.
QString cut(const QString& name);
// The full name from a kind, a parent (empty or "<無>": none) and the own name as typed:
// prefix & own name, or parent & "." & own name; cut to MaxBytes, trailing blanks removed
// (the fixed field drops them on save, so they would not survive the next opening).
QString compose(int kind, const QString& parent, const QString& ownName);

// A name from a file or a service as the account field will hold it: characters below
// U+0020 dropped, cut to MaxBytes, trailing blanks removed. Existing accounts are looked up
// by this name, so that a name never reads back as another account's.
QString stored(const QString& name);

// Empty or blanks only.
bool isBlank(const QString& ownName);

// The index (1-based) of the account whose name, trailing blanks removed, equals name
// exactly, skipping index `except`; 0 when there is none.
int findOther(const Ledger& ledger, const QString& name, int except = 0);

// Trimmed names of the accounts whose kind is in `kinds` (AccountKinds), in table order:
// what every account list of the windows offers.
QStringList ofKinds(const Ledger& ledger, unsigned kinds);

} // namespace AccountNames
