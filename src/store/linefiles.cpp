#include "store/linefiles.h"

#include "platform/codec.h"
#include "platform/fileio.h"
#include "platform/runtime.h"

namespace LineFiles {

namespace {
const QString kQuote = QStringLiteral("\"");
const QString kRightQuote = QString(QChar(0x201D));
const QString kQuoteEscape = QStringLiteral("%22");
const QString kRightQuoteEscape = QStringLiteral("%E2%80%9D");
} // namespace

QString escapeNoteRow(const QString& text) {
    if (!text.contains(kQuote.front()) && !text.contains(kRightQuote.front())) return text;
    QString t = text;
    t.replace(kQuote, kQuoteEscape);
    t.replace(kRightQuote, kRightQuoteEscape);
    return t;
}

QString unescapeNoteRow(const QString& field) {
    if (field.isEmpty()) return field;
    QString t = field;
    t.replace(kQuoteEscape, kQuote);
    t.replace(kRightQuoteEscape, kRightQuote);
    return t;
}

QByteArray noteRowsFile(const QStringList& noteList, int rows) {
    // Most rows are empty and a full ledger has 30000: only the rows with text are encoded,
    // each on its own (the encoding has no state, so the bytes are those of the whole text).
    QByteArray out;
    out.reserve(qsizetype(rows) * 4);
    for (int i = 1; i <= rows && i < noteList.size(); ++i) {
        const QString& text = noteList.at(i);
        out += '"';
        if (!text.isEmpty()) out += Ansi::encode(escapeNoteRow(text));
        out += "\"\r\n";
    }
    return out;
}

QStringList readNoteRows(const QByteArray& file) {
    QStringList rows;
    FileIO::QuotedFieldReader reader(file);
    while (auto field = reader.next())
        rows.append(unescapeNoteRow(*field));
    return rows;
}

QByteArray boolLinesFile(const QList<bool>& values) {
    QStringList lines;
    lines.reserve(values.size());
    for (bool v : values)
        lines.append(Runtime::boolText(v));
    return FileIO::joinLines(lines);
}

QList<std::optional<bool>> readBoolLines(const QByteArray& file) {
    QList<std::optional<bool>> values;
    for (const QString& line : FileIO::splitLines(file))
        values.append(Runtime::toBool(line.trimmed()));
    return values;
}

} // namespace LineFiles
