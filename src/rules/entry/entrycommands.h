#pragma once
#include <QString>
#include <QStringList>
#include <optional>

#include "rules/entry/storeentry.h"

// The swap of the two accounts and the command that keeps the fields as a quick entry.
namespace EntryCommands {

// Positions to choose after a swap: the first account's list index of the second
// account's text, and the reverse; nullopt when the swap is refused ("這種情況無法對調科目").
struct SwapChoice {
    int first = -1;
    int second = -1;
};
std::optional<SwapChoice> swapAccounts(const QString& first, const QString& second,
                                       const QStringList& firstItems,
                                       const QStringList& secondItems);
QString swapRefusedMessage();

// Checks and appends a quick entry of the fields (accounts, amount times rate, detail,
// note without double quotes and ”). The rate box becomes "1" when it is not numeric.
// Returns the refusal box, or nullopt when the quick entry was added (the change flags
// are set).
std::optional<EntryMessage> storeQuickEntry(Ledger& ledger, EntryFields& f);
QString quickEntryAddedMessage();

} // namespace EntryCommands
