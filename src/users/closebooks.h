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

// An asset's or liability's balance up to and including prevKey as the amount of its opening
// entry. The number keeps the type the sum of the counted amounts has: a 16-bit zero when no
// entry counted, whole-number types while every counted amount is one and the sum fits.
TaggedNumber OpeningAmount(const Ledger& ledger, const Session& session, int accountIndex,
                           const QString& prevKey);

struct ClosingResult {
    int removed = 0;  // entries dated before the closing date
    int openings = 0; // opening entries added
};

// Folds the history before the date into opening balances: every entry dated before it
// goes, and each asset and liability account, in table order, gets one entry on that date
// carrying its balance of the day before against "Equity", while the table has room. The
// balance of every such account at the end of the date stays what it was.
ClosingResult CloseBooks(Ledger& ledger, const Session& session, const QDate& date);

// The files of the ledger that keeps what a closing removes, in an existing folder: a byte
// copy of the open ledger's Accounts.qvd as saved (when there is one) and the entries dated
// before key as Main.qvd, Main1.qvd, Main2.qvd, Main2a.qvd and Main3.qvd. False when any
// file could not be written.
bool WriteClosedLedger(const Ledger& ledger, const Session& session, const QString& folder,
                       const QString& key);

// Appends one line holding the name to the user folder's DataBase.lst (made when missing).
bool AppendLedgerName(const QString& userFolder, const QString& name);
