#pragma once
#include <QDate>
#include <QString>

#include "store/ledger.h"

struct Session;

// The closing date's texts: "yyyy/mm/dd", its key "yyyymmdd" and the key of the day before.
struct ClosingDate {
    explicit ClosingDate(const QDate& date);
    QString text;
    QString key;
    QString prevKey;
};

// Entry i is dated before the key ("yyyymmdd", compared as text).
bool EntryDatedBefore(const Ledger& ledger, int i, const QString& key);

// The entries dated on or after the date plus one opening entry per asset and liability
// account fit the entry table.
bool ClosingFits(const Ledger& ledger, const QDate& date);

struct ClosingResult {
    int removed = 0;  // entries dated before the closing date
    int openings = 0; // opening entries added
};

// Folds the history before the date into opening balances: every entry dated before it
// goes, and each asset and liability account, in table order, gets one entry on that date
// carrying its exact balance of the day before against "Equity". The balance of every such
// account at the end of the date stays what it was. Changes nothing when the result would
// not fit the table (ClosingFits).
ClosingResult CloseBooks(Ledger& ledger, const QDate& date);

// The files of the ledger that keeps what a closing removes, in an existing folder: a byte
// copy of the open ledger's Accounts.qvd as saved (when there is one) and the entries dated
// before key as Main.qvd, Main1.qvd, Main2.qvd, Main2a.qvd and Main3.qvd. False when any
// file could not be written.
bool WriteClosedLedger(const Ledger& ledger, const Session& session, const QString& folder,
                       const QString& key);

// Appends one line holding the name to the user folder's DataBase.lst (made when missing).
bool AppendLedgerName(const QString& userFolder, const QString& name);
