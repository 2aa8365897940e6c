#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// Replaces several files together, all or nothing. Every new content is first written,
// flushed and synced to a temporary file beside its target; only when all of them were
// written are the old files kept aside (hard links, or copies where the file system has
// none) and the temporaries renamed over their targets. When a rename or a removal fails
// part-way, the old files are put back; when the program dies part-way, the journal left in
// the group's folder lets the next Recover() put them back. A symbolic link standing at a
// target is replaced itself, never the file it points to.
class FileGroup {
public:
    // folder: where the journal of a running commit is kept; every target lies in it or in
    // one of its sub-folders.
    explicit FileGroup(QString folder);

    // A later write or removal of the same path replaces an earlier one. An owner-only file
    // is readable by its owner alone from its first byte.
    void write(const QString& path, const QByteArray& bytes, bool ownerOnly = false);
    void remove(const QString& path);

    // The group writes (not removes) this path.
    bool contains(const QString& path) const;

    // True when every file was put in place and every removal done; false when nothing
    // changed (a failure that could not even be undone leaves the journal for Recover()).
    [[nodiscard]] bool commit();

    // Puts back the old files of a commit in `folder` that was cut short, and clears the
    // leftovers of earlier commits there and in its sub-folders. False when files of an
    // interrupted commit could not be put back (its journal then stays for the next try).
    [[nodiscard]] static bool Recover(const QString& folder);

private:
    struct Item {
        QString path;
        QByteArray bytes;
        bool removal = false;
        bool ownerOnly = false;
        bool existed = false; // the target was there before: its old file is kept aside
    };
    QString m_folder;
    QList<Item> m_items;

    void put(Item item);
};
