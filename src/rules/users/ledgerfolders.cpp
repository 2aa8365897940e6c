#include "rules/users/ledgerfolders.h"

#include "platform/fileio.h"
#include "rules/users/userfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

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

namespace {

// Work folders of the user folder: a ledger being deleted is first moved aside, a ledger being
// made is built beside its place. Their hidden names never show in a folder listing.
const QString kDeletedEnding = QStringLiteral(".qvdel");
const QString kBuildingEnding = QStringLiteral(".qvbuild");

QString hiddenBeside(const QString& folder, const QString& ending) {
    const QFileInfo info(FileIO::withoutTrailingSlash(folder));
    return info.path() + QStringLiteral("/.") + info.fileName() + u'.' +
           QString::number(QRandomGenerator::global()->generate(), 36) + ending;
}

// Files first, then the folder; a folder inside is left (and reported).
bool removeFolder(const QString& folder) {
    QDir dir(folder);
    bool ok = true;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        ok = dir.remove(name) && ok;
    return QDir().rmdir(folder) && ok;
}

} // namespace

QString buildingFolder(const QString& ledgerFolder) {
    return FileIO::withTrailingSlash(hiddenBeside(ledgerFolder, kBuildingEnding));
}

bool placeBuiltLedger(const QString& builtFolder, const QString& ledgerFolder) {
    const QString target = FileIO::withoutTrailingSlash(ledgerFolder);
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) return false;
    return FileIO::renameEntry(FileIO::withoutTrailingSlash(builtFolder), target);
}

void removeLeftovers(const QString& userFolder) {
    const QDir dir(userFolder);
    const QStringList names = dir.entryList(
        {QStringLiteral(".*") + kDeletedEnding, QStringLiteral(".*") + kBuildingEnding},
        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& name : names)
        removeFolder(dir.filePath(name));
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
    // A folder inside is not the program's: refused before anything changes.
    if (!QDir(ledgerFolder)
             .entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
             .isEmpty())
        return false;
    // One rename takes the whole ledger away; what follows only clears the moved folder,
    // and what it leaves is cleared the next time.
    const QString aside = hiddenBeside(ledgerFolder, kDeletedEnding);
    if (!FileIO::renameEntry(path, aside)) return false;
    removeFolder(aside);
    return true;
}

} // namespace LedgerFolders
