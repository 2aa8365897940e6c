#pragma once
// Filled-in entry window fields for the tests of the entry commands.
#include "rules/entry/storeentry.h"

// Both accounts chosen, the amount and detail typed; the other fields as the window opens.
EntryFields ChosenFields(const QString& account1, const QString& account2, const QString& amount,
                         const QString& detail, const QString& date = QString());

// The fee box ticked with both fee accounts chosen.
EntryFields WithFee(EntryFields f, const QString& fee1, const QString& fee2, const QString& amount,
                    const QString& detail = QStringLiteral("手續費"));
