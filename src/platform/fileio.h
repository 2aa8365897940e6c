#pragma once
#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// File helpers shared by every file format of the program.
namespace FileIO {

// The one way the program rewrites a file: a temporary file beside the target, then a
// rename over it. Every step (write, flush, sync, rename) is checked; on failure the old
// file is left whole and false is returned. A link at the path is replaced by the new
// file, never written through: nothing outside the target's folder is touched.
[[nodiscard]] bool writeFileSafely(const QString& path, const QByteArray& bytes);

// The same for a file only its owner may read (a remembered password): the temporary is
// made owner-only before any byte goes in, so the file is never readable by others, not
// even for a moment, and an older file with wider rights is replaced by a private one.
[[nodiscard]] bool writePrivateFileSafely(const QString& path, const QByteArray& bytes);

// Renames the entry at `from` (a link itself, not what it points to) to `to`, replacing a
// file there; false when the system refused.
[[nodiscard]] bool renameEntry(const QString& from, const QString& to);

// Flushes a written file and asks the system to put it on disk; false when either fails.
[[nodiscard]] bool syncToDisk(QFileDevice& file);

// The largest line file or backup package the program reads; real ones stay far below it.
inline constexpr qint64 LargestTextFile = qint64(1) << 30;

// Reads a whole regular file (a link is followed to one); nullopt when it cannot be opened,
// is no regular file (a device, a named pipe, a folder) or holds more than `limit` bytes.
std::optional<QByteArray> readFile(const QString& path, qint64 limit = LargestTextFile);

// Fixed-slot record files: record n (from 1) at (n - 1) * slot. A partial last slot is
// not a record.
int recordCount(const QByteArray& file, int slot);
QByteArrayView record(const QByteArray& file, int slot, int n);

// cp950 line files with CR LF.
QStringList splitLines(const QByteArray& file); // decoded lines; a last line without CR LF counts
QByteArray joinLines(const QStringList& lines); // encoded, every line ending with CR LF

// Quoted-field line files ("a","b"): a field that begins with a double quote runs to the
// next double quote (commas and line breaks inside belong to the text); unquoted fields
// end at a comma or line end; blanks before a field are skipped. A comma that ends a line
// (or the file) is followed by one empty field.
class QuotedFieldReader {
public:
    explicit QuotedFieldReader(const QByteArray& file);
    bool atEnd() const;
    // The next field (decoded); nullopt at the end of the file.
    std::optional<QString> next();

private:
    QString m_text;
    qsizetype m_pos = 0;
    bool m_afterComma = false; // a separator was read: one more field belongs to this line
};
QByteArray quotedRecord(const QStringList& fields); // "a","b" + CR LF, encoded

// Where a field of a quoted-field file lies: its text is mid(start, length) of the file,
// with blanks around it removed when it was not quoted.
struct QuotedFieldSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool quoted = false;
};
// The fields QuotedFieldReader reads, found on the file's bytes without decoding them. Only
// for bytes whose characters above ASCII are whole two-byte pairs (Ansi::hasWholePairs):
// otherwise a decoder may join a byte to a separator and the fields differ.
std::vector<QuotedFieldSpan> quotedFieldSpans(QByteArrayView bytes);

// Folders are written with a trailing "/" (so that a file name can follow directly); the
// system's dialogs and calls take them without one.
QString withTrailingSlash(const QString& folder);    // "/" added when missing
QString withoutTrailingSlash(const QString& folder); // every trailing "/" removed; "/" stays
QString subFolder(const QString& folder, const QString& name); // folder & name & "/"

// Creates one folder level readable by its owner only (user data and backups hold
// secrets); true when a folder stands at the path afterwards. An existing folder is kept
// as it is.
bool makePrivateFolder(const QString& path);

// Folder listing in listing order; hidden entries are those whose name starts with ".".
QStringList subFolders(const QString& folder);
QStringList plainFiles(const QString& folder);

} // namespace FileIO
