#pragma once
#include <QList>
#include <QString>
#include <functional>

#include "store/appcontext.h"
#include "store/filegroup.h"

// One step of a save: adds the files it writes or removes to the save's group; false when
// it cannot (a damaged file that must be kept first could not be read).
using LedgerSaver = std::function<bool(AppContext&, FileGroup&)>;

// The savers of a ledger, in their fixed order; the tables and flags are left as they are.
[[nodiscard]] bool SaveAccountsFile(AppContext& ctx,
                                    FileGroup& group); // Accounts.qvd: missing or AccountsChanged
[[nodiscard]] bool
SaveAccountTotalsFile(AppContext& ctx,
                      FileGroup& group); // Accounts2.qvd: missing or AccountsChanged
// Main.qvd, Main1.qvd, Main2.qvd, Main2a.qvd, Main3.qvd, always (without entries: an
// empty Main.qvd and the other four removed).
[[nodiscard]] bool SaveEntryFiles(AppContext& ctx, FileGroup& group);
// SaveNoteFile, SaveFavoritesFile, SaveFixureFile: see store/sidefiles.h.

// Accounts, totals, the entry group, Note, Favorites, Fixure.
QList<LedgerSaver> LedgerSavers();

// Runs every saver into one group and commits it: the ledger's files are all replaced or
// none is (a file kept as "<name>.bad" included). True when every file was put in place.
// It tells the user nothing (the windows' SaveLedger does) and clears no flag.
[[nodiscard]] bool WriteLedgerFiles(AppContext& ctx,
                                    const QList<LedgerSaver>& savers = LedgerSavers());

// File contents as the savers write them (also for tools that copy a ledger).
QByteArray AccountsFileBytes(const Ledger& ledger);
QByteArray AccountTotalsFileBytes(const Ledger& ledger);
QByteArray MainFileBytes(const Ledger& ledger);
QByteArray Main1FileBytes(const Ledger& ledger);
QByteArray Main2FileBytes(const Ledger& ledger);
QByteArray Main2aFileBytes(const Ledger& ledger);
QByteArray Main3FileBytes(const Ledger& ledger);
