#pragma once
#include <QString>
#include <array>
#include <optional>

#include "store/ledger.h"

// How budgets are kept: 13 cells per account (0 the whole year, 1..12 the months) and per
// income and expense total (KindTotals rows 3 and 4), each a whole number of hundredths
// that is never negative. The budget entry window writes every cell as a double; the
// budget table's clear writes a 16-bit 0; an empty cell counts as 0.
namespace BudgetCells {

constexpr int CellCount = 13;
// Record numbers of the two budgeted totals, as the budget windows name them (minus the
// KindTotals row).
constexpr int IncomeTotal = -3;
constexpr int ExpenseTotal = -4;

// The record a budget window edits: Accounts(bi) for 1 .. AccountCount - 1, KindTotals(-bi)
// for -3 and -4; nullptr for anything else.
AccountRecord* target(Ledger& ledger, int bi);
const AccountRecord* target(const Ledger& ledger, int bi);

// Hundredths of a cell (0 when empty).
double value(const AccountRecord& record, int cell);

// What a budget box shows for a cell: the amount in currency units as plain number text
// without grouping ("1234.5", "0.29", "0"); filled into a box and stored again it gives
// the same cell.
QString boxText(const TaggedNumber& cell);

// A box's text read as the entry window reads amounts (blanks, sign, "," grouping, point),
// as its absolute value; nullopt when it is no number, or is not finite, or gives more
// than the largest storable amount.
std::optional<double> typedValue(const QString& text);
// The cell of a typed value v: trunc(|v| x 100 + 0.1); nullopt beyond the largest amount.
std::optional<double> hundredths(double v);
// The text a valid box is rewritten to: the absolute value as plain number text.
QString normalisedText(double v);

// Stores the 13 values as doubles into the record.
void store(AccountRecord& record, const std::array<double, CellCount>& cells);
// The clear command's cell: a 16-bit 0.
void clearCell(AccountRecord& record, int cell);

} // namespace BudgetCells
