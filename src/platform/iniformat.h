#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>
#include <utility>
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
// read from the file stay in its bytes until asked for.
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
        qint32 section = 0; // the section it is written in
        qint32 own = -1;    // else the entry of m_own that holds its key and text
    };
    // A table of the keys of one group (up to their first "/"), by open addressing, at most
    // half full.
    struct Slot {
        quint32 at = 0; // 1 + the place of a record, 0 for none
        quint32 tag = 0;
    };
    struct Table {
        std::vector<Slot> cells;
        size_t count = 0;
    };

    struct Place {
        qint32 table = 0;
        size_t slot = 0;
        quint32 tag = 0;
    };

    // The place of the record of `key`, -1 for none.
    qsizetype placeOf(QStringView key) const;
    QString keyOf(const Record& r) const;
    QByteArrayView nameOf(const Record& r) const;
    QByteArrayView rawOf(const Record& r) const;
    qint32 sectionOf(QStringView section);
    static quint32 tagOf(QStringView key);
    static size_t firstSlot(quint32 tag, size_t mask);
    // The slot of `table` that holds `key`, or the empty one where it would go.
    size_t slotOf(qint32 table, QStringView key, quint32 tag) const;
    // The table and slot for `key`, with room for one more.
    Place place(QStringView key);
    // Gives `r` the key and text of `entry`, in the room of the entry at `p` if it had one.
    void own(Record& r, const Place& p, Entry entry);
    // Puts `record` at `p`, in the place of the one there or after the last; its place.
    size_t settle(const Place& p, const Record& record);

    QByteArray m_file;
    std::vector<QString> m_sections; // "name/", or empty for the keys outside any section
    QHash<QString, qint32> m_sectionAt;
    std::vector<Record> m_records;
    std::vector<Entry> m_own;
    std::vector<Table> m_tables;
    QHash<QString, qint32> m_tableAt;
    QString m_lastGroup; // the group of the key last placed, and its table
    qint32 m_lastTable = -1;
};

// The entries of a file; a key given twice keeps its first place and its last value, as
// QSettings does.
Entries parse(const QByteArray& file);

// An entry for a text the program stores, escaped as QSettings escapes it.
Entry entry(const QString& key, const QString& text);

// The file: one "[section]" block per section in order of first appearance, keys in their
// order, LF line ends. A key stays in the section it was read from.
QByteArray write(const Entries& entries);

} // namespace IniFormat
