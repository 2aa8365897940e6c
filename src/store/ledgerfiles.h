#pragma once
#include <QString>

#include "store/session.h"

// Fixed names of the files of a ledger folder.
namespace LedgerFiles {
inline const QString Accounts = QStringLiteral("Accounts.qvd");
inline const QString AccountTotals = QStringLiteral("Accounts2.qvd");
inline const QString Main = QStringLiteral("Main.qvd");
inline const QString Main1 = QStringLiteral("Main1.qvd");
inline const QString Main2 = QStringLiteral("Main2.qvd");
inline const QString Main2a = QStringLiteral("Main2a.qvd");
inline const QString Main3 = QStringLiteral("Main3.qvd");
inline const QString Note = QStringLiteral("Note.qvd");
inline const QString Favorites = QStringLiteral("Favorites.qvd");
inline const QString Fixure = QStringLiteral("Fixure.qvd");
inline const QString Expanded = QStringLiteral("Expanded.qvd");
inline const QString DotState = QStringLiteral("DotState.qvd");

// The file of the open ledger's folder.
inline QString path(const Session& session, const QString& name) {
    return session.ledgerFolder() + name;
}
} // namespace LedgerFiles
