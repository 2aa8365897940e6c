#include "rules/users/backupcommands.h"

#include "platform/clock.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "rules/users/ledgerfolders.h"
#include "rules/users/namecheck.h"
#include "rules/users/userfiles.h"
#include "store/appcontext.h"
#include "store/autobackup.h"
#include "store/backuppackage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace BackupCommands {

namespace {

const QString kSetting = QStringLiteral("Setting");
const QString kBackupPath = QStringLiteral("BackupPath");
const QString kOpenTitle = QStringLiteral("開啟檔案");
const QString kNotAPackage = QStringLiteral("這個檔案不是Qivo備份檔案!");
const QString kNotFound = QStringLiteral("找不到這個檔案!");
const QString kRestoreFailed = QStringLiteral("還原備份沒有完成，請再試一次!");

// The folder of a chosen file, ending with "/": where the next dialog starts.
QString folderOf(const QString& path) {
    return FileIO::withTrailingSlash(path.left(path.lastIndexOf(u'/') + 1));
}

// The file a path leads to once its links are followed, a dangling link too: a writer
// follows it and creates the file at its end.
QString linkTarget(const QString& path) {
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

// The canonical folder that holds a file, or would hold it: empty when it does not exist.
QString holdingFolder(const QString& path) {
    return QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
}

// Whether a chosen file lies in the data folder, however its path reaches it: through a
// link, "." or "..", or a doubled separator. The working packages live there, and a
// package copied onto itself and then deleted would leave no backup at all.
bool isInDataFolder(const QString& chosen, const QString& dataRoot) {
    if (folderOf(chosen) == dataRoot) return true;
    const QString root = QFileInfo(dataRoot).canonicalFilePath();
    if (root.isEmpty()) return false;
    return holdingFolder(chosen) == root || holdingFolder(linkTarget(chosen)) == root;
}

QString readBackupPath(AppContext& ctx) {
    QString& mirror = ctx.session.Setting.BackupPath;
    mirror = ctx.services.settings().GetSetting(kSetting, kBackupPath, QString());
    return mirror;
}

// After a failed manual backup or restore the next dialog starts afresh.
void forgetBackupPath(AppContext& ctx) {
    ctx.session.Setting.BackupPath.clear();
    SaveSettingQuietly(ctx.services.settings(), kSetting, kBackupPath, QString());
}

// The chosen file (with "/" separators) or empty text when the dialog was cancelled; the
// program's copy of BackupPath becomes its folder.
QString chooseFile(AppContext& ctx, const QString& defaultName) {
    const QString chosen = QDir::fromNativeSeparators(
        ctx.services.prompts().openFile(kOpenTitle, Filter, defaultName));
    if (!chosen.isEmpty()) ctx.session.Setting.BackupPath = folderOf(chosen);
    return chosen;
}

// A package holds the user's passwords: each copy of it is its owner's alone.
bool copyPackage(const QString& source, const QString& target) {
    const auto bytes = FileIO::readFile(source);
    return bytes && FileIO::writePrivateFileSafely(target, *bytes);
}

bool hasPackageEnding(const QString& path) {
    return path.right(4).toLower() == u".qvk";
}

// The checks before a restore and the question; the restore of an automatic backup tests
// for the file before its name. False (after the message) when the command ends here.
bool confirmRestore(AppContext& ctx, const QString& chosen, bool existenceFirst) {
    Prompts& prompts = ctx.services.prompts();
    const bool exists = QFileInfo(chosen).isFile();
    if (existenceFirst && !exists) {
        prompts.warning(kNotFound);
        return false;
    }
    if (!hasPackageEnding(chosen)) {
        prompts.warning(kNotAPackage);
        return false;
    }
    if (!existenceFirst && !exists) {
        prompts.warning(kNotFound);
        return false;
    }
    if (isInDataFolder(chosen, ctx.session.DataRoot)) {
        prompts.information(QStringLiteral("您選擇的位置是Qivo資料夾，不可以還原這裡的資料!"));
        return false;
    }
    return prompts.question(QStringLiteral("確定要還原資料嗎？"), Prompts::Buttons::YesNo) ==
           Prompts::Answer::Yes;
}

// The shared core: the chosen file becomes the working package of CurrentUser, is
// unpacked over the user's files and deleted again.
RestoreResult restoreChosen(AppContext& ctx, const QString& chosen) {
    const QString working = BackupPackagePath(ctx.session);
    // A working package left by an earlier failure must never be restored in its place.
    QFile::remove(working);
    const bool copied = copyPackage(chosen, working);
    const RestoreResult result = copied ? RestoreBackupPackage(ctx) : RestoreResult::NotWritten;
    QFile::remove(working);
    return result == RestoreResult::Missing ? RestoreResult::NotWritten : result;
}

// The message of a restore that did not happen; true when the files were restored.
bool reportRestore(AppContext& ctx, RestoreResult result, bool forgetPathOnFailure) {
    switch (result) {
    case RestoreResult::Restored:
        return true;
    case RestoreResult::Invalid:
        ctx.services.prompts().warning(kNotAPackage);
        return false;
    case RestoreResult::Missing:
    case RestoreResult::NotWritten:
        ctx.services.prompts().warning(kRestoreFailed);
        if (forgetPathOnFailure) forgetBackupPath(ctx);
        return false;
    case RestoreResult::OtherOwner:
        WarnOtherOwner(ctx);
        return false;
    }
    return false;
}

// The two restores of the ledger list after their dialog.
bool restoreForCurrentUser(AppContext& ctx, const QString& chosen, bool existenceFirst,
                           bool forgetPathOnFailure) {
    if (!confirmRestore(ctx, chosen, existenceFirst)) return false;
    if (!reportRestore(ctx, restoreChosen(ctx, chosen), forgetPathOnFailure)) return false;
    ctx.services.prompts().information(QStringLiteral("還原資料完成"));
    return true;
}

} // namespace

void SaveBackup(AppContext& ctx, const std::function<bool()>& saveLedgerList,
                const BusyRunner& whileBusy) {
    Session& s = ctx.session;
    Prompts& prompts = ctx.services.prompts();
    auto fail = [&] {
        prompts.warning(QStringLiteral("備份沒有完成，請再試一次!"));
        forgetBackupPath(ctx);
    };
    readBackupPath(ctx);
    // The package is to hold the list as the window shows it.
    if (!saveLedgerList()) {
        fail();
        return;
    }
    const QString defaultName = s.Setting.BackupPath + s.CurrentUser + QStringLiteral(" ") +
                                ctx.services.clock().today().toString(QStringLiteral("yyyyMMdd")) +
                                QStringLiteral(".qvk");
    const QString chosen = QDir::fromNativeSeparators(
        prompts.saveFile(QStringLiteral("儲存檔案"), Filter, defaultName));
    if (chosen.isEmpty()) return;
    const QString folder = folderOf(chosen);
    s.Setting.BackupPath = folder;
    if (isInDataFolder(chosen, s.DataRoot)) {
        prompts.information(QStringLiteral("您選擇的位置是Qivo資料夾，不可以備份到這裡!"));
        return;
    }
    // A package without every file would pass for a backup of everything: it is not kept.
    bool copied = false;
    whileBusy([&] {
        const BackupBuild built = BuildBackupPackage(ctx);
        const QString working = BackupPackagePath(s);
        copied = built.written && built.leftOut.isEmpty() && copyPackage(working, chosen);
        QFile::remove(working);
    });
    if (!copied) {
        fail();
        return;
    }
    SaveSettingQuietly(ctx.services.settings(), kSetting, kBackupPath, folder);
    prompts.information(QStringLiteral("備份資料完成"));
}

bool RestoreBackup(AppContext& ctx) {
    const Session& s = ctx.session;
    const QString chosen = chooseFile(ctx, readBackupPath(ctx) + s.CurrentUser + ".qvk");
    if (chosen.isEmpty()) return false;
    return restoreForCurrentUser(ctx, chosen, false, true);
}

bool RestoreAutoBackup(AppContext& ctx) {
    Session& s = ctx.session;
    const QString root = ResolveAutoBackupFolder(s);
    const QString userBackups = root + s.CurrentUser;
    FileIO::makePrivateFolder(root);
    FileIO::makePrivateFolder(userBackups);
    s.Setting.BackupPath = FileIO::withTrailingSlash(userBackups);
    const QString chosen = chooseFile(ctx, s.Setting.BackupPath + s.CurrentUser + ".qvk");
    if (chosen.isEmpty()) return false;
    return restoreForCurrentUser(ctx, chosen, true, false);
}

QString RestoreBackupBeforeLogin(AppContext& ctx) {
    Session& s = ctx.session;
    Prompts& prompts = ctx.services.prompts();
    const QString chosen = chooseFile(ctx, readBackupPath(ctx) + s.CurrentUser + ".qvk");
    if (chosen.isEmpty() || !confirmRestore(ctx, chosen, false)) return QString();
    // The owner names the user folder that is written: it must be a user name, or the
    // files would land in the data folder itself or outside it.
    const QString owner = ReadBackupPackageOwner(chosen);
    if (!NameCheck::isValidUserName(owner)) {
        prompts.warning(kNotAPackage);
        return QString();
    }
    // Nobody is logged in here: an existing user is replaced only by someone who knows the
    // password. A user without a readable password file cannot log in and is told to
    // restore, so such a user is restored without it.
    const QString stored = UserFiles::readPassword(FileIO::subFolder(s.DataRoot, owner));
    if (!stored.isEmpty()) {
        const auto typed = prompts.password(QStringLiteral("這個備份資料的所屬帳號 ") + owner +
                                            QStringLiteral(" 已經存在，請輸入該帳號的密碼"));
        if (!typed || typed->isEmpty()) return QString();
        if (*typed != stored) {
            prompts.warning(QStringLiteral("密碼不正確，無法還原"));
            return QString();
        }
    }
    s.CurrentUser = owner;
    const RestoreResult result = restoreChosen(ctx, chosen);
    s.CurrentUser.clear();
    return reportRestore(ctx, result, false) ? owner : QString();
}

void WarnOtherOwner(AppContext& ctx) {
    ctx.services.prompts().warning(QStringLiteral("這個備份資料的所屬帳號並不是 ") +
                                   ctx.session.CurrentUser + QStringLiteral("，無法還原"));
}

} // namespace BackupCommands
