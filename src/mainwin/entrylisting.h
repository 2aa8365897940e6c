#pragma once
// The main window's listing without a window: which sides of which entries make rows of the
// listed account for a period and a filter, their order and the running total. The texts a
// row shows come from cellText, when it is shown.
#include <QString>
#include <vector>

#include "mainwin/entrylistmodel.h"

struct Ledger;
struct Session;

namespace EntryListing {

struct Request {
    int account = 0;          // index of the listed account
    bool subAccounts = false; // rows of its sub-accounts too (income and expense)
    bool bounded = false;     // false lists every date
    quint32 fromKey = 0;      // first day (yyyymmdd), when bounded
    quint32 nextKey = 0;      // the day after the period, when bounded
    QString filter;           // as typed; "" lists every entry
    int sortColumn = 0;       // 0-based column whose text orders the rows
    bool descending = false;
    double start = 0;         // the running total before the first row
    bool runningShown = true; // false: the running cells read "--"
    quint32 todayKey = 0;     // yyyymmdd of today
    bool stopAtToday = false; // the figure is the running total of the last row up to today
};

struct Result {
    std::vector<EntryListRow> rows;
    double figure = 0; // the running total the period figure shows
};

Result listAccount(const Ledger& ledger, const Session& session, const Request& request);

// The text of one cell of a listed row, as the list shows it.
QString cellText(const Ledger& ledger, const Session& session, const EntryListRow& row, int column);

} // namespace EntryListing
