#include "platform/fileio.h"

#include "platform/codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace FileIO {

bool renameEntry(const QString& from, const QString& to) {
    std::error_code ec;
    fs::rename(fs::path(from.toStdU16String()), fs::path(to.toStdU16String()), ec);
    return !ec;
}

bool syncToDisk(QFileDevice& file) {
    if (!file.flush()) return false;
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    if (fd >= 0 && ::fsync(fd) != 0) return false;
#endif
    return true;
}

namespace {

// A new hidden file beside the target, created afresh (never opened through anything that
// stood at its name), with the given rights before any byte goes in.
bool openTemporary(QFile& file, const QString& target, QFileDevice::Permissions rights) {
    const QFileInfo info(target);
    const QString stem = info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".");
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(stem + QString::number(QRandomGenerator::global()->generate(), 36) +
                         QStringLiteral(".qvtmp"));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, rights)) return true;
        if (!file.exists()) return false; // not a name clash: the folder takes no new file
    }
    return false;
}

bool writeSafely(const QString& path, const QByteArray& bytes, bool ownerOnly) {
    // The temporary lies beside the path itself and its rename replaces whatever stands
    // there, a link included: a write never goes through a link to a file elsewhere.
    // An existing plain file keeps its rights; a new one gets the usual rights.
    const QFileInfo old(path);
    const bool keepRights = !ownerOnly && !old.isSymLink() && old.isFile();
    const QFileDevice::Permissions privateRights = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QFileDevice::Permissions rights =
        ownerOnly || keepRights ? privateRights
                                : privateRights | QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                      QFileDevice::ReadOther | QFileDevice::WriteOther;
    QFile file;
    if (!openTemporary(file, path, rights)) return false;
    bool ok = !keepRights || file.setPermissions(old.permissions());
    // Every step is checked before the rename, so a full disk never replaces the old file.
    ok = ok && file.write(bytes) == bytes.size() && syncToDisk(file);
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    // The rename replaces the entry at the path itself (a link, not what it points to).
    if (!ok || !renameEntry(file.fileName(), path)) {
        file.remove();
        return false;
    }
    return true;
}

} // namespace

bool writeFileSafely(const QString& path, const QByteArray& bytes) {
    return writeSafely(path, bytes, false);
}

bool writePrivateFileSafely(const QString& path, const QByteArray& bytes) {
    return writeSafely(path, bytes, true);
}

std::optional<QByteArray> readFile(const QString& path, qint64 limit) {
    // A device would never end and a named pipe would block: regular files only, and no
    // larger than any valid file of the kind.
    if (!QFileInfo(path).isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit) return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > limit) return std::nullopt;
    return bytes;
}

int recordCount(const QByteArray& file, int slot) {
    if (slot <= 0) return 0;
    return int(file.size() / slot);
}

QByteArrayView record(const QByteArray& file, int slot, int n) {
    if (n < 1 || n > recordCount(file, slot)) return {};
    return QByteArrayView(file).sliced(qsizetype(n - 1) * slot, slot);
}

QStringList splitLines(const QByteArray& file) {
    // Lines are split on the decoded text: a trail byte may look like any ASCII letter.
    const QString text = Ansi::decode(file);
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QByteArray joinLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out.append(Ansi::encode(line));
        out.append("\r\n");
    }
    return out;
}

namespace {

char16_t unitAt(QStringView text, qsizetype i) {
    return text[i].unicode();
}
char16_t unitAt(QByteArrayView bytes, qsizetype i) {
    return static_cast<unsigned char>(bytes[i]);
}

// The next field of a quoted-field text, from pos on (which it moves past the field and its
// separator). The same steps run over decoded text and over the bytes of a file whose
// characters above ASCII are whole two-byte pairs: a trail byte is never one of the
// separators, blanks or quotes looked for here.
template <typename View>
std::optional<QuotedFieldSpan> nextField(View text, qsizetype& pos, bool& afterComma) {
    const qsizetype n = text.size();
    // Blanks before a field are skipped; so are line ends, unless a comma before them
    // promised a field on this line (an empty one, then).
    const bool comma = std::exchange(afterComma, false);
    while (pos < n) {
        const char16_t c = unitAt(text, pos);
        if (c == u'\r' || c == u'\n') {
            if (comma) return QuotedFieldSpan{pos, 0, true};
        } else if (c != u' ' && c != u'\t') {
            break;
        }
        ++pos;
    }
    if (pos >= n)
        return comma ? std::optional<QuotedFieldSpan>(QuotedFieldSpan{n, 0, true}) : std::nullopt;

    if (unitAt(text, pos) == u'"') {
        const qsizetype close = text.indexOf('"', pos + 1);
        if (close < 0) {
            const QuotedFieldSpan field{pos + 1, n - pos - 1, true};
            pos = n;
            return field;
        }
        const QuotedFieldSpan field{pos + 1, close - pos - 1, true};
        pos = close + 1;
        // Anything up to the separator after the closing quote is dropped.
        while (pos < n) {
            const char16_t c = unitAt(text, pos);
            if (c == u',') {
                ++pos;
                afterComma = true;
                break;
            }
            if (c == u'\r' || c == u'\n') break;
            ++pos;
        }
        return field;
    }

    qsizetype end = pos;
    while (end < n) {
        const char16_t c = unitAt(text, end);
        if (c == u',' || c == u'\r' || c == u'\n') break;
        ++end;
    }
    const QuotedFieldSpan field{pos, end - pos, false};
    pos = end;
    if (pos < n && unitAt(text, pos) == u',') {
        ++pos;
        afterComma = true;
    }
    return field;
}

} // namespace

QuotedFieldReader::QuotedFieldReader(const QByteArray& file) : m_text(Ansi::decode(file)) {}

bool QuotedFieldReader::atEnd() const {
    if (m_afterComma) return false;
    qsizetype p = m_pos;
    while (p < m_text.size()) {
        const QChar c = m_text.at(p);
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') return false;
        ++p;
    }
    return true;
}

std::optional<QString> QuotedFieldReader::next() {
    const auto span = nextField(QStringView(m_text), m_pos, m_afterComma);
    if (!span) return std::nullopt;
    if (span->length == 0) return QString();
    const QString field = m_text.mid(span->start, span->length);
    return span->quoted ? field : field.trimmed();
}

std::vector<QuotedFieldSpan> quotedFieldSpans(QByteArrayView bytes) {
    std::vector<QuotedFieldSpan> spans;
    qsizetype pos = 0;
    bool afterComma = false;
    while (auto span = nextField(bytes, pos, afterComma))
        spans.push_back(*span);
    return spans;
}

QByteArray quotedRecord(const QStringList& fields) {
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) out.append(',');
        out.append('"');
        out.append(Ansi::encode(fields.at(i)));
        out.append('"');
    }
    out.append("\r\n");
    return out;
}

namespace {
QStringList listEntries(const QString& folder, QDir::Filters kind) {
    QDir dir(folder);
    // By name, letter case ignored: a stable order on every file system.
    QStringList names =
        dir.entryList(kind | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList visible;
    for (const QString& name : names)
        if (!name.startsWith(u'.')) visible.append(name);
    return visible;
}
} // namespace

QString withTrailingSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString withoutTrailingSlash(const QString& folder) {
    QString path = folder;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString subFolder(const QString& folder, const QString& name) {
    return folder + name + u'/';
}

bool makePrivateFolder(const QString& path) {
    if (!QFileInfo(path).isDir())
        QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QFileInfo(path).isDir();
}

QStringList subFolders(const QString& folder) {
    return listEntries(folder, QDir::Dirs);
}

QStringList plainFiles(const QString& folder) {
    return listEntries(folder, QDir::Files);
}

} // namespace FileIO
