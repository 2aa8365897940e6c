#include "rules/users/ledgerfolders.h"

#include "platform/fileio.h"
#include "rules/users/userfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace LedgerFolders {

const QStringList& ledgerFileNames() {
    static const QStringList names = {
        QStringLiteral("Main.qvd"),      QStringLiteral("Main1.qvd"),
        QStringLiteral("Main2.qvd"),     QStringLiteral("Main2a.qvd"),
        QStringLiteral("Main3.qvd"),     QStringLiteral("Accounts.qvd"),
        QStringLiteral("Accounts2.qvd"), QStringLiteral("Favorites.qvd"),
        QStringLiteral("Expanded.qvd"),  QStringLiteral("Note.qvd"),
        QStringLiteral("Fixure.qvd"),    QStringLiteral("DotState.qvd"),
    };
    return names;
}

bool nameTaken(const QString& userFolder, const QString& name) {
    return QFileInfo::exists(userFolder + name);
}

QString copyTargetName(const QString& userFolder, const QString& name) {
    QString target = name + QStringLiteral("-Copy");
    for (int i = 1; nameTaken(userFolder, target); ++i)
        target = name + QStringLiteral("-Copy") + QString::number(i);
    return target;
}

bool copyFile(const QString& source, const QString& target) {
    const auto bytes = FileIO::readFile(source);
    return bytes && FileIO::writeFileSafely(target, *bytes);
}

bool copyLedger(const QString& sourceFolder, const QString& targetFolder) {
    if (!UserFiles::makePrivateFolder(targetFolder)) return false;
    for (const QString& name : ledgerFileNames()) {
        if (!QFileInfo(sourceFolder + name).isFile()) continue;
        if (!copyFile(sourceFolder + name, targetFolder + name)) return false;
    }
    return true;
}

bool deleteLedger(const QString& ledgerFolder) {
    // A ledger "folder" that is a link to another folder: only the link goes, never the
    // files of the folder it points to.
    const QString path = FileIO::withoutTrailingSlash(ledgerFolder);
    const QFileInfo link(path);
    if (link.isSymLink()) return QFile::remove(path);
    const QFileInfo info(ledgerFolder);
    if (!info.exists()) return true;
    if (!info.isDir()) return false;
    QDir dir(ledgerFolder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!dir.remove(name)) return false;
    }
    // rmdir refuses a folder that still holds a sub-folder: that is reported, not forced.
    return QDir().rmdir(ledgerFolder);
}

} // namespace LedgerFolders
