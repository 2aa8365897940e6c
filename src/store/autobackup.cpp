#include "store/autobackup.h"

#include "platform/clock.h"
#include "platform/fileio.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "store/appcontext.h"
#include "store/backuppackage.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int kDefaultKept = 7;
constexpr int kMostKept = 30;

// Keeps the `kept` highest names ending in ".qvk"; for dated names those are the newest.
void removeOldestCopies(const QString& folder, Session& s) {
    double kept = Runtime::leadingNumber(s.Setting.AutoBackupMaxCount);
    if (kept < kDefaultKept || kept > kMostKept) {
        s.Setting.AutoBackupMaxCount = QString::number(kDefaultKept);
        kept = kDefaultKept;
    }
    QStringList copies;
    for (const QString& name : FileIO::plainFiles(folder)) {
        if (name.right(4).toLower() == u".qvk") copies.append(name);
    }
    std::stable_sort(copies.begin(), copies.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    const qsizetype surplus = copies.size() - qsizetype(kept);
    for (qsizetype i = 0; i < surplus; ++i)
        QFile::remove(folder + copies.at(i));
}

} // namespace

QString ResolveAutoBackupFolder(Session& session) {
    QString folder = session.Setting.AutoBackupPath;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = session.AppFolder + "Backup/";
        session.Setting.AutoBackupPath = folder;
    }
    return FileIO::withTrailingSlash(folder);
}

void AutoBackup(AppContext& ctx) {
    if (ctx.services.settings().GetSetting("Setting", "AutoBackupState", "1") != u"1") return;
    Session& s = ctx.session;
    // Files left out are not reported here: a copy of what could be read beats none.
    const bool built = BuildBackupPackage(ctx).written;
    const QString root = ResolveAutoBackupFolder(s);
    if (s.CurrentUser.isEmpty()) return; // nobody logged in: no package was built

    const QString packagePath = BackupPackagePath(s);
    // The default folder is created only at start; without it nothing is stored this time.
    if (built && QFileInfo(root).isDir()) {
        const QString folder = FileIO::subFolder(root, s.CurrentUser);
        FileIO::makePrivateFolder(folder);
        const auto package = FileIO::readFile(packagePath);
        // Through the safe writer, so an interrupted copy never replaces the day's copy, and
        // old copies go only once today's copy is safely there.
        const QString copy = folder + ctx.services.clock().today().toString("yyyyMMdd") + ".qvk";
        if (package && FileIO::writePrivateFileSafely(copy, *package))
            removeOldestCopies(folder, s);
    }
    QFile::remove(packagePath);
}
