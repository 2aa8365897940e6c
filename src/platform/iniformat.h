#pragma once
#include <QByteArray>
#include <QByteArrayView>
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

// The entries of a file in file order, each key once, found by key without a search.
class Entries {
public:
    const Entry* find(QStringView key) const;
    // Takes the place of the entry of the same key, or comes after the last.
    void put(Entry entry);
    void remove(QStringView key);
    const std::vector<Entry>& list() const { return m_list; }

private:
    // Open addressing, at most half full.
    struct Slot {
        quint32 at = 0; // 1 + the place of an entry in m_list, 0 for none
        quint32 tag = 0;
    };
    static quint64 tagOf(QStringView key);
    // The slot that holds `key`, or the empty one where it would go.
    size_t slotOf(QStringView key, quint64 tag) const;
    void index(size_t capacity);

    std::vector<Entry> m_list;
    std::vector<Slot> m_slots;
};

// The entries of a file; a key given twice keeps its first place and its last value, as
// QSettings does.
Entries parse(QByteArrayView file);

// An entry for a text the program stores, escaped as QSettings escapes it.
Entry entry(const QString& key, const QString& text);

// The file: one "[section]" block per section in order of first appearance, keys in their
// order, LF line ends. A key stays in the section it was read from.
QByteArray write(const Entries& entries);

} // namespace IniFormat
