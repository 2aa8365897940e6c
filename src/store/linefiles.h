#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Text forms of the ledger's line files that are not plain lines.
namespace LineFiles {

// Main3.qvd escapes. Writing: '"' -> "%22", then '”' -> "%E2%80%9D". Reading a non-empty
// field: "%22" -> '"', then "%E2%80%9D" -> '”'. '%' itself is not escaped, so a note
// holding the text %22 reads back with a double quote (files rely on this).
QString escapeNoteRow(const QString& text);
QString unescapeNoteRow(const QString& field);

// Main3.qvd: one quoted field per line for rows 1 .. rows.
QByteArray noteRowsFile(const QStringList& noteList, int rows);
// One line of Main3.qvd: the text escaped, encoded and quoted, with its line end.
void appendNoteRow(QByteArray& out, const QString& text);
// A quoted field read from Main3.qvd that appendNoteRow writes back as the same bytes (its
// characters encode back, and it holds no right double quote, which writing escapes).
bool writesBackUnchanged(QByteArrayView quotedField);
// Such a field, quoted, with its line end.
void appendStoredNoteRow(QByteArray& out, QByteArrayView quotedField);
// The fields of Main3.qvd, unescaped, in order (index 0 = row 1).
QStringList readNoteRows(const QByteArray& file);

// Boolean line file: "True" or "False" per line, CR LF.
QByteArray boolLinesFile(const QList<bool>& values);
// One entry per line; a line that does not read as a Boolean gives nullopt.
QList<std::optional<bool>> readBoolLines(const QByteArray& file);

} // namespace LineFiles
