#pragma once
#include <QList>
#include <optional>

#include "store/appcontext.h"

// The file side of the account tree's expanded state (Expanded.qvd, one True/False line
// per tree node in node order). The tree applies and collects the values.

// Values of the open ledger's file, line by line; nullopt for a line that does not read as
// a Boolean (that node stays as built). Empty when the file is missing or unreadable.
QList<std::optional<bool>> ReadExpandedState(const Session& session);

// Writes one line per node unless the file exists and ledger.TreeStateChanged is clear.
// A failed write leaves the old file and gives false; TreeStateChanged keeps its value.
[[nodiscard]] bool WriteExpandedState(AppContext& ctx, const QList<bool>& expanded);
