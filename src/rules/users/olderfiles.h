#pragma once
#include <QString>
#include <QStringList>

// Files of the older generation. The user folder loses a fixed list of old files; a ledger
// folder's Accounts.qvm and Main.qvm (whole currency units in 32-bit integers) become
// Accounts.qvd and Main.qvd (hundredths as tagged numbers) once, then are deleted.
namespace OlderFiles {

inline constexpr int OldAccountSlot = 120;
inline constexpr int OldEntrySlot = 272;

// The names deleted from the user folder, in their order.
const QStringList& userFolderLeftovers();

// Deletes the leftovers present in the user folder. A file that cannot be deleted is
// passed over: it is harmless and tried again at the next login.
void removeUserFolderLeftovers(const QString& userFolder);

// Converts one ledger folder. A .qvm beside a .qvd of the same kind is deleted unread.
// The new file is written safely and the .qvm deleted only after that succeeded; false
// when a file could not be read or written (the .qvm then stays for the next login).
bool convertLedgerFolder(const QString& ledgerFolder);

// Both steps of the login for one user and the ledgers of its list; false on the first
// ledger that failed.
bool convertUser(const QString& userFolder, const QStringList& ledgers);

// The bytes of the converted files (exposed for tests).
QByteArray convertAccounts(const QByteArray& qvm);
QByteArray convertEntries(const QByteArray& qvm);

} // namespace OlderFiles
