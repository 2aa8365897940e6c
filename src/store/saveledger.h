#pragma once
#include <QList>
#include <QString>
#include <functional>

#include "store/appcontext.h"

// One step of a save: true when its files were written or did not need writing.
using LedgerSaver = std::function<bool(AppContext&)>;

// The savers of a ledger, in their fixed order. Each returns false on any failure, with
// no message; the tables and flags are left as they are.
bool SaveAccountsFile(AppContext& ctx);      // Accounts.qvd: missing or AccountsChanged
bool SaveAccountTotalsFile(AppContext& ctx); // Accounts2.qvd: missing or AccountsChanged
// Main.qvd, Main1.qvd, Main2.qvd, Main2a.qvd, Main3.qvd, always, committed together: all
// five are written to temporaries first and replaced only when every one was written
// (without entries: an empty Main.qvd and the other four removed). Otherwise none changes.
bool SaveEntryFiles(AppContext& ctx);
// SaveNoteFile, SaveFavoritesFile, SaveFixureFile: see store/sidefiles.h.

// Accounts, totals, the entry group, Note, Favorites, Fixure.
QList<LedgerSaver> LedgerSavers();

// Runs every saver (all of them, whatever the ones before returned). On failure: the
// profile "Test" gets its own warning and false; otherwise the user is asked once to
// retry; a second failure shows the final warning and opens the help page. A successful
// retry shows "儲存完成！". Clears no flag: that is the caller's part.
bool SaveLedger(AppContext& ctx);
bool SaveLedger(AppContext& ctx, const QList<LedgerSaver>& savers); // for tests

// Page opened after the second failed attempt.

// File contents as the savers write them (also for tools that copy a ledger).
QByteArray AccountsFileBytes(const Ledger& ledger);
QByteArray AccountTotalsFileBytes(const Ledger& ledger);
QByteArray MainFileBytes(const Ledger& ledger);
QByteArray Main1FileBytes(const Ledger& ledger);
QByteArray Main2FileBytes(const Ledger& ledger);
QByteArray Main2aFileBytes(const Ledger& ledger);
QByteArray Main3FileBytes(const Ledger& ledger);
