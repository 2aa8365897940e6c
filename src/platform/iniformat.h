#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>
#include <vector>

// The text of the settings file: the INI form that QSettings reads and writes, so that the
// files of earlier versions read here and ours read there. A key is the full path
// "section/name" (a key outside any section has no "/"); a value is the text QSettings
// gives for it (a list of several values joined by ", ").
namespace IniFormat {

struct Entry {
    QString key;
    // Its text in the file, written back unchanged when the value stays; a text that would
    // not read back alone as the value (a file cut inside a quote, say) is written anew.
    QByteArray raw;
    qsizetype sectionLength = 0; // the length of the key's "[section]" part with its "/"
};

// The text an entry gives, as QSettings reads it; nullopt for "@Invalid()", a key present
// that reads as absent. Decoded when asked: a large file keeps only its raw values.
std::optional<QString> textOf(const Entry& entry);

// The entries of a file in file order, each key once, found by key without a search; those
// read from the file stay in its bytes until asked for, and the keys of a group (the part of
// a key up to its first "/": a section, mostly) are read when one of them is asked for.
class Entries {
public:
    std::optional<Entry> find(QStringView key) const;
    // Takes the place of the entry of the same key, or comes after the last.
    void put(Entry entry);
    void remove(QStringView key);

private:
    friend Entries parse(const QByteArray& file);
    friend QByteArray write(const Entries& entries);

    struct Record {
        qsizetype name = 0; // where its name and its value's text are in the file
        qsizetype nameLength = 0;
        qsizetype raw = 0;
        qsizetype rawLength = 0;
        qint32 section = 0; // the section it is written in; -1 once removed or given again
        qint32 own = -1;    // else the entry of m_own that holds its key and text
        qint32 next = -1;   // the next record of its group
    };
    struct Slot {
        quint32 at = 0; // 1 + the place of a record, 0 for none
        quint32 tag = 0;
    };
    // The records of a group in file order and, once one of them is asked for, a table of
    // their keys by open addressing, at most half full.
    struct Group {
        qint32 first = -1;
        qint32 last = -1;
        bool indexed = false;
        size_t count = 0;
        std::vector<Slot> cells;
    };

    // The place of the record of `key`, -1 for none.
    qsizetype placeOf(QStringView key) const;
    QString keyOf(const Record& r) const;
    QByteArrayView nameOf(const Record& r) const;
    QByteArrayView rawOf(const Record& r) const;
    // Gives `r` the key and text of `entry`, in its own room if it had one.
    void own(Record& r, Entry entry);
    qint32 sectionOf(QStringView section);
    QStringView sectionName(qint32 section) const; // without its "/"
    qint32 groupAt(QStringView name) const;        // -1 for none
    qint32 groupFor(QStringView name);             // made when missing
    // Puts `r` after the last record, and after the last of its group.
    void link(qint32 group, const Record& r);
    // The group with its table, made when first asked for.
    Group& indexed(qint32 group) const;
    static void makeRoom(Group& group);
    static quint32 tagOf(QStringView key);
    static size_t firstSlot(quint32 tag, size_t mask);
    // The slot of `group` that holds `key`, or the empty one where it would go.
    size_t slotOf(const Group& group, QStringView key, quint32 tag) const;

    QByteArray m_file;
    std::vector<QString> m_sections; // "name/", or empty for the keys outside any section
    QHash<QString, qint32> m_sectionAt;
    // The tables of the groups are made on reading: a record given again is then taken
    // out, its value going to the first of its key.
    mutable std::vector<Record> m_records;
    mutable std::vector<Group> m_groups;
    std::vector<Entry> m_own;
    QHash<QString, qint32> m_groupAt;
    QString m_lastGroupName; // the group last asked for
    qint32 m_lastGroup = -1;
};

// The entries of a file; a key given twice keeps its first place and the value QSettings
// reads for it.
Entries parse(const QByteArray& file);

// An entry for a text the program stores, escaped as QSettings escapes it.
Entry entry(const QString& key, const QString& text);

// The file: one "[section]" block per section in order of first appearance, keys in their
// order, LF line ends. A key stays in the section it was read from.
QByteArray write(const Entries& entries);

} // namespace IniFormat
