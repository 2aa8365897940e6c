#pragma once
#include <QString>
#include <functional>

struct AppContext;

// The backup commands of the ledger list and the login window: the user chooses where a
// backup package goes or which one comes back; the package itself is made and unpacked by
// the store (BuildBackupPackage, RestoreBackupPackage) as the working package in the data
// folder, which these commands copy to or from the chosen file and then delete.
namespace BackupCommands {

inline const QString Filter = QStringLiteral("Qivo備份 (*.qvk)|*.qvk");

// Runs `work` while the window shows that it is busy (the wait cursor).
using BusyRunner = std::function<void(const std::function<void()>& work)>;

// 儲存備份: `saveLedgerList` writes the list window's DataBase.lst first (false when it
// could not be written; the backup is then not made); the package is made through
// `whileBusy`.
void SaveBackup(AppContext& ctx, const std::function<bool()>& saveLedgerList,
                const BusyRunner& whileBusy);

// 還原備份 of the ledger list: true when the logged-in user's files were replaced (the
// caller then logs out).
bool RestoreBackup(AppContext& ctx);

// 還原系統備份: the same from the user's automatic-backup folder.
bool RestoreAutoBackup(AppContext& ctx);

// 還原備份 of the login window: restores the user named inside the package. Returns that
// owner when the files were restored, else empty text. Nobody is logged in afterwards.
QString RestoreBackupBeforeLogin(AppContext& ctx);

// The warning of a package that belongs to another user than session.CurrentUser.
void WarnOtherOwner(AppContext& ctx);

} // namespace BackupCommands
