#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// The text of the settings file: the INI form that QSettings reads and writes, so that the
// files of earlier versions read here and ours read there. A key is the full path
// "section/name" (a key outside any section has no "/"); a value is the text QSettings
// gives for it (a list of several values joined by ", ").
namespace IniFormat {

struct Entry {
    QString key;
    QString text; // as read
    // Its text in the file, written back unchanged when the value stays; a text that would
    // not read back alone as the value (a file cut inside a quote, say) is written anew.
    QByteArray raw;
    bool valid = true;           // false for "@Invalid()": present, but reads as absent
    qsizetype sectionLength = 0; // the length of the key's "[section]" part with its "/"
};

// The entries of a file in file order; a key given twice keeps its first place and its
// last value, as QSettings does.
std::vector<Entry> parse(QByteArrayView file);

// An entry for a text the program stores, escaped as QSettings escapes it.
Entry entry(const QString& key, const QString& text);

// The file: one "[section]" block per section in order of first appearance, keys in their
// order, LF line ends. A key stays in the section it was read from.
QByteArray write(const std::vector<Entry>& entries);

} // namespace IniFormat
