#pragma once
#include <QString>

class MainView;
struct AppContext;

// What the entry windows do to the main window's list after writing entries.
namespace EntryRows {

enum RowFlag {
    NoFlags = 0,
    ClockIcon = 1,   // the list's clock image in front of the date
    ReminderRed = 2, // the date in red: a reminder is set
    InvoiceShown = 4 // the invoice column filled
};

// Appends the provisional row of entry index: the running total shows "...", the amount
// its sign as seen from the listed side; the next listing replaces it.
void AppendProvisionalRow(MainView& main, const AppContext& ctx, int index, int flags);

} // namespace EntryRows
