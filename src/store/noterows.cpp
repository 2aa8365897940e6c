#include "store/noterows.h"

#include "platform/codec.h"
#include "platform/fileio.h"
#include "store/linefiles.h"

#include <algorithm>
#include <utility>

NoteRows::NoteRows() {
    clear();
}

void NoteRows::clear() {
    m_rows.assign(1, Row());
    m_file.clear();
}

QString NoteRows::at(int i) const {
    if (i < 0 || i >= size()) return QString();
    Row& r = m_rows[size_t(i)];
    if (!r.decoded) {
        const QString field = Ansi::decode(QByteArrayView(m_file).sliced(r.start, r.length));
        r.text = LineFiles::unescapeNoteRow(r.quoted ? field : field.trimmed());
        r.decoded = true;
    }
    return r.text;
}

void NoteRows::grow(int i) {
    if (i >= size()) m_rows.resize(size_t(i) + 1);
}

void NoteRows::set(int i, const QString& text) {
    grow(i);
    m_rows[size_t(i)] = Row{text};
}

void NoteRows::copy(int from, int to) {
    grow(std::max(from, to));
    m_rows[size_t(to)] = m_rows[size_t(from)];
}

void NoteRows::swap(int a, int b) {
    grow(std::max(a, b));
    std::swap(m_rows[size_t(a)], m_rows[size_t(b)]);
}

void NoteRows::read(const QByteArray& file, int rows) {
    if (!Ansi::hasWholePairs(file)) {
        // Bytes that are no whole characters: decoded at once, as a whole, like any file.
        const QStringList fields = LineFiles::readNoteRows(file);
        const int n = std::min(rows, int(fields.size()));
        for (int k = 0; k < n; ++k)
            set(k + 1, fields.at(k));
        return;
    }
    // Rows still pointing into an earlier file are decoded and keep no stored bytes.
    for (int i = 0; i < size(); ++i) {
        if (m_rows[size_t(i)].length < 0) continue;
        at(i);
        m_rows[size_t(i)].length = -1;
    }
    m_file = file;
    const std::vector<FileIO::QuotedFieldSpan> spans = FileIO::quotedFieldSpans(m_file);
    const int n = std::min(rows, int(spans.size()));
    grow(n);
    for (int k = 0; k < n; ++k) {
        const FileIO::QuotedFieldSpan& s = spans[size_t(k)];
        m_rows[size_t(k) + 1] = Row{QString(), s.start, s.length, s.quoted, false};
    }
}

QStringList NoteRows::texts(int rows) const {
    QStringList list;
    const int n = std::min(rows + 1, size());
    list.reserve(n);
    for (int i = 0; i < n; ++i)
        list.append(at(i));
    return list;
}

QByteArray NoteRows::fileBytes(int rows) const {
    QByteArray out;
    const int n = std::min(rows, size() - 1);
    out.reserve(qsizetype(std::max(n, 0)) * 4 + m_file.size());
    // Rows that stand in the file as whole lines ("field" CR LF), one after the other, are
    // copied as one stretch.
    const QByteArrayView file(m_file);
    qsizetype runStart = 0;
    qsizetype runEnd = 0;
    auto flush = [&] {
        out += file.sliced(runStart, runEnd - runStart);
        runStart = runEnd = 0;
    };
    for (int i = 1; i <= n; ++i) {
        Row& r = m_rows[size_t(i)];
        if (r.length >= 0 && r.quoted) {
            const QByteArrayView field = file.sliced(r.start, r.length);
            if (r.writesBack == 0) r.writesBack = LineFiles::writesBackUnchanged(field) ? 1 : 2;
            if (r.writesBack == 1) {
                const qsizetype lineStart = r.start - 1; // the opening quote
                const qsizetype lineEnd = r.start + r.length + 3;
                if (lineEnd <= file.size() && file.sliced(lineEnd - 3, 3) == "\"\r\n") {
                    if (runEnd != lineStart) flush();
                    if (runStart == runEnd) runStart = lineStart;
                    runEnd = lineEnd;
                    continue;
                }
                flush();
                LineFiles::appendStoredNoteRow(out, field);
                continue;
            }
        }
        flush();
        LineFiles::appendNoteRow(out, at(i));
    }
    flush();
    return out;
}

qint64 NoteRows::heldBytes() const {
    qint64 bytes = qint64(m_rows.capacity() * sizeof(Row)) + m_file.capacity();
    for (const Row& r : m_rows)
        bytes += qint64(r.text.capacity()) * 2 + (r.text.isNull() ? 0 : 32);
    return bytes;
}
