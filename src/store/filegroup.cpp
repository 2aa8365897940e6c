#include "store/filegroup.h"

#include "platform/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Work files are hidden names beside their targets, so that no folder listing, ledger list
// or backup package ever picks them up.
const QString kNewEnding = QStringLiteral(".qvnew");
const QString kOldEnding = QStringLiteral(".qvold");
const QString kJournal = QStringLiteral(".qvcommit");
// The temporaries of the safe writer of single files, left where their removal failed.
const QString kSafeWriteEnding = QStringLiteral(".qvtmp");

fs::path fsPath(const QString& path) {
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

QString besideTarget(const QString& target, const QString& ending) {
    const QFileInfo info(target);
    return info.path() + QStringLiteral("/.") + info.fileName() + ending;
}
QString temporaryOf(const QString& target) {
    return besideTarget(target, kNewEnding);
}
QString oldCopyOf(const QString& target) {
    return besideTarget(target, kOldEnding);
}

// There is something at the path, a dangling symbolic link included.
bool present(const QString& path) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(fsPath(path), ec);
    return !ec && status.type() != fs::file_type::not_found;
}

// Removes the entry itself (a link, not what it points to); true when nothing is left.
bool removeEntry(const QString& path) {
    std::error_code ec;
    fs::remove(fsPath(path), ec);
    return !ec && !present(path);
}

bool renameOver(const QString& from, const QString& to) {
    std::error_code ec;
    fs::rename(fsPath(from), fsPath(to), ec);
    return !ec;
}

// A new file written and synced whole; whatever stood at the path (a stale file or a link
// placed there) is removed first, and the file is created afresh, never opened through it.
bool writeNewFile(const QString& path, const QByteArray& bytes, bool ownerOnly = false) {
    if (!removeEntry(path)) return false;
    QFile file(path);
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::NewOnly;
    if (!(ownerOnly ? file.open(mode, QFile::ReadOwner | QFile::WriteOwner) : file.open(mode)))
        return false;
    bool ok = file.write(bytes) == bytes.size() && FileIO::syncToDisk(file);
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    if (!ok) removeEntry(path);
    return ok;
}

// The old file kept aside under its old-copy name: a second name for the same file where
// the file system allows it, else a copy (a link stays a link).
bool keepOldFile(const QString& target) {
    const QString old = oldCopyOf(target);
    if (!removeEntry(old)) return false;
    std::error_code ec;
    fs::create_hard_link(fsPath(target), fsPath(old), ec);
    if (!ec) return true;
    const QFileInfo info(target);
    if (info.isSymLink()) {
        fs::create_symlink(fs::read_symlink(fsPath(target), ec), fsPath(old), ec);
        return !ec;
    }
    const auto bytes = FileIO::readFile(target);
    return bytes && writeNewFile(old, *bytes);
}

struct JournalEntry {
    QString path; // absolute
    bool existed = false;
};

QByteArray journalBytes(const QString& folder, const QList<JournalEntry>& entries) {
    const QDir dir(folder);
    QByteArray out;
    for (const JournalEntry& e : entries) {
        out.append(e.existed ? "1 " : "0 ");
        out.append(dir.relativeFilePath(e.path).toUtf8());
        out.append('\n');
    }
    return out;
}

QList<JournalEntry> journalEntries(const QString& folder, const QByteArray& bytes) {
    QList<JournalEntry> entries;
    const QDir dir(folder);
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.size() < 3 || (line.at(0) != '0' && line.at(0) != '1') || line.at(1) != ' ')
            continue;
        const QString relative = QString::fromUtf8(line.mid(2));
        // Only files of the folder and its sub-folders belong to one of its commits.
        if (QDir::isAbsolutePath(relative) || relative.split(u'/').contains(QStringLiteral("..")))
            continue;
        entries.append({dir.filePath(relative), line.at(0) == '1'});
    }
    return entries;
}

// Puts every target back as it was before the commit: a kept old file over it, or no file
// where there was none. True when everything is back (the journal is then removed).
bool rollBack(const QString& folder, const QList<JournalEntry>& entries) {
    bool ok = true;
    for (const JournalEntry& e : entries) {
        const QString old = oldCopyOf(e.path);
        if (e.existed) {
            // Missing only when an earlier roll-back already put it back.
            if (present(old)) ok = renameOver(old, e.path) && ok;
        } else {
            ok = removeEntry(e.path) && ok;
        }
        removeEntry(temporaryOf(e.path));
    }
    if (ok) ok = removeEntry(FileIO::withTrailingSlash(folder) + kJournal);
    return ok;
}

// Work files of commits that ended (or never got as far as their journal), and of single
// writes that failed.
void removeLeftovers(const QString& folder) {
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral(".*") + kNewEnding, QStringLiteral(".*") + kOldEnding,
                       QStringLiteral(".*") + kSafeWriteEnding},
                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        removeEntry(dir.filePath(name));
}

bool hasJournal(const QString& folder) {
    return present(FileIO::withTrailingSlash(folder) + kJournal);
}

} // namespace

FileGroup::FileGroup(QString folder) : m_folder(FileIO::withTrailingSlash(folder)) {}

void FileGroup::put(Item item) {
    for (Item& earlier : m_items) {
        if (earlier.path == item.path) {
            earlier = std::move(item);
            return;
        }
    }
    m_items.append(std::move(item));
}

void FileGroup::write(const QString& path, const QByteArray& bytes, bool ownerOnly) {
    put({path, bytes, false, ownerOnly, false});
}

void FileGroup::remove(const QString& path) {
    put({path, QByteArray(), true, false, false});
}

bool FileGroup::contains(const QString& path) const {
    for (const Item& item : m_items)
        if (item.path == path) return !item.removal;
    return false;
}

bool FileGroup::commit() {
    if (!Recover(m_folder)) return false;

    QList<JournalEntry> entries;
    auto discard = [&] {
        for (const Item& item : std::as_const(m_items)) {
            removeEntry(temporaryOf(item.path));
            removeEntry(oldCopyOf(item.path));
        }
        return false;
    };

    // Every new content on disk first: a full disk shows before any target is touched. The
    // targets' folders must exist.
    for (const Item& item : std::as_const(m_items)) {
        if (item.removal) continue;
        if (!writeNewFile(temporaryOf(item.path), item.bytes, item.ownerOnly)) return discard();
    }
    for (Item& item : m_items) {
        item.existed = present(item.path);
        if (item.existed && !keepOldFile(item.path)) return discard();
        entries.append({item.path, item.existed});
    }
    if (!FileIO::writeFileSafely(m_folder + kJournal, journalBytes(m_folder, entries)))
        return discard();

    for (const Item& item : std::as_const(m_items)) {
        const bool done = item.removal ? !item.existed || removeEntry(item.path)
                                       : renameOver(temporaryOf(item.path), item.path);
        if (!done) {
            // When even the roll-back fails, the journal stays and the next opening retries.
            if (rollBack(m_folder, entries)) discard();
            return false;
        }
    }
    // The journal's removal is the moment the new files count; without it the next
    // opening would put the old ones back, so the commit is undone now instead.
    if (!removeEntry(m_folder + kJournal)) {
        if (rollBack(m_folder, entries)) discard();
        return false;
    }
    for (const Item& item : std::as_const(m_items))
        removeEntry(oldCopyOf(item.path));
    return true;
}

bool FileGroup::Recover(const QString& folder) {
    const QString root = FileIO::withTrailingSlash(folder);
    if (hasJournal(root)) {
        const auto bytes = FileIO::readFile(root + kJournal);
        if (!bytes || !rollBack(root, journalEntries(root, *bytes))) return false;
    }
    // Inside a folder whose own commit was cut short, the work files are that commit's.
    if (!hasJournal(QFileInfo(root + QStringLiteral("..")).absoluteFilePath()))
        removeLeftovers(root);
    const QDir dir(root);
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        // A sub-folder's own commit is its own to recover.
        if (!hasJournal(root + sub)) removeLeftovers(root + sub);
    }
    return true;
}
