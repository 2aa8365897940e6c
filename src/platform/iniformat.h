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
    QString text;      // as read
    QByteArray raw;    // its text in the file, written back unchanged when the value stays
    bool valid = true; // false for "@Invalid()": present, but reads as absent
};

// The entries of a file in file order; a key given twice keeps its first place and its
// last value, as QSettings does.
std::vector<Entry> parse(QByteArrayView file);

// An entry for a text the program stores, escaped as QSettings escapes it.
Entry entry(const QString& key, const QString& text);

// The file: one "[section]" block per section in order of first appearance, keys in their
// order, LF line ends.
QByteArray write(const std::vector<Entry>& entries);

} // namespace IniFormat
