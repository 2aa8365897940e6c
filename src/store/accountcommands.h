#pragma once
#include <QString>
#include <utility>
#include <vector>

struct Ledger;

// The account editor's commands on the ledger tables, without windows. Entries, detail
// texts, quick entries and recurring records name accounts by full name, so every command
// checks everything first and then changes all tables in one step; the checks return the
// message of the first refusal ("" when the command may run).
namespace AccountCommands {

// The refusal of an account that cannot be added (a full table of accounts or entries).
QString addFailed(); // "新增科目發生錯誤!"

// ---- 新增 ----------------------------------------------------------------------------
// Checks a new account from the window's fields (kind 0: no kind option selected; parent
// "<無>" or a full name; the own name as typed) and gives its composed name. An asset or
// liability account needs room for its opening entry.
QString CheckAdd(const Ledger& ledger, int kind, const QString& parent, const QString& ownName,
                 QString& name);
// Whether the kind gets an opening entry (asset and liability).
bool AsksOpeningBalance(int kind);
// Appends the account (empty budgets) and, for an asset or liability, its "[初值]" entry
// against "Equity" dated `today` in every part of the entry. False, with nothing changed,
// when a table is full.
bool AddAccount(Ledger& ledger, const QString& name, int kind, double openingHundredths,
                const QString& today);

// ---- 編輯 ----------------------------------------------------------------------------
// Old full name to new full name: the renamed account first, then its sub-accounts.
using NameMapping = std::vector<std::pair<QString, QString>>;
// Checks the rename of account `index` from the window's fields and computes every new
// name: the account's and, for each account whose name begins with the old name and ".",
// the new name and the rest of its own.
QString PlanRename(const Ledger& ledger, int index, int kind, const QString& parent,
                   const QString& ownName, NameMapping& mapping);
// Renames every account of the mapping in the account table and carries the names into
// entries (both sides), detail texts, quick entries and recurring records; each field is
// renamed at most once. Sets every change flag the rename touches.
void ApplyRename(Ledger& ledger, const NameMapping& mapping);

// ---- 刪除 ----------------------------------------------------------------------------
// Whether an entry has the account on either side.
bool AccountInUse(const Ledger& ledger, int index);
// Removes the account: the entries that use it (all five parts compacted), its detail
// texts filed under "未分類", the later accounts moved down with their budgets.
void DeleteAccount(Ledger& ledger, int index);

// ---- Order ---------------------------------------------------------------------------
// Sorts by name (padded to 32 characters, UTF-16 code units), then groups by kind (asset,
// liability, income, expense, equity), both stable.
void SortAccounts(Ledger& ledger);
// Makes the account the first (top) or last of its kind, others in their order, grouped.
void MoveAccountToKindEnd(Ledger& ledger, int index, bool top);
// Exchanges the account with its neighbour above (up) or below; returns its new index.
// At the table's end nothing moves, but the flags are set all the same.
int MoveAccount(Ledger& ledger, int index, bool up);

} // namespace AccountCommands
