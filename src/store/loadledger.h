#pragma once
#include <QString>
#include <QStringList>

#include "store/appcontext.h"

// Opens the ledger session.LedgerName of session.CurrentUser into ctx.ledger: creates the
// folder, reads the accounts (cleaning duplicates and bad names), seeds a new ledger
// (offering the accounts of another ledger through session.ApplyAccounts when
// session.LedgerNames holds more than one ledger), reads the entries and drops those
// without a valid date, then the side files. Clears the four file change flags and
// LedgerChangedFlag (TreeStateChanged is left alone). Tells LedgerChange::Loaded once, at the
// end of a reading that succeeded.
// An unreadable main file, an unknown tag, more than 30000 entries or more than 2000
// accounts leave every table empty and write nothing: the opening failed and names that
// file. A side file that cannot be read leaves its table at the defaults and is named too;
// the caller tells the user.
struct LedgerOpening {
    bool opened = false;
    QStringList unreadable; // file names, in the order they were read
    explicit operator bool() const { return opened; }
};
[[nodiscard]] LedgerOpening LoadLedger(AppContext& ctx);

// The main window's caption for the open ledger:
// "Qivoka v<version> - [user：ledger]", plus " - [資料庫路徑：<DataRoot>]" when the data
// folder is not the program folder's "DataBase/".
QString LedgerCaption(const Session& session);
