#pragma once
#include <QString>

struct Ledger;

// Taking data from another ledger of the same user: applying its accounts, detail texts
// and quick entries to a new ledger, or merging its entries and accounts into the open one.
namespace LedgerMerge {

enum class ApplyResult { Applied, MissingAccounts, MissingNotes, MissingFavorites, CopyFailed };

// Copies Accounts.qvd, Note.qvd and Favorites.qvd of the source into the target (replacing
// files there). All three must exist before any is copied, so a refusal copies nothing.
ApplyResult applyLedgerFiles(const QString& sourceFolder, const QString& targetFolder);

struct MergeResult {
    int entriesAdded = 0;
    int accountsAdded = 0;
    bool entriesCut = false;  // the entry table filled up before the other ledger's end
    bool accountsCut = false; // the same for the account table
};

// Appends the other ledger's entries (with notes, invoices, colours and note rows) and its
// accounts whose names are not yet in the table. The other ledger is only read: a missing
// file means no records. Sets the unsaved-changes flag and AccountsChanged.
MergeResult mergeLedger(Ledger& ledger, const QString& otherFolder);

} // namespace LedgerMerge
