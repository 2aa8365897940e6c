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
    QByteArray out;
    out.reserve(qsizetype(rows) * 4);
    for (int i = 1; i <= rows && i < noteList.size(); ++i)
        appendNoteRow(out, noteList.at(i));
    return out;
}

void appendNoteRow(QByteArray& out, const QString& text) {
    // Most rows are empty and a full ledger has 30000: only the rows with text are encoded,
    // each on its own (the encoding has no state, so the bytes are those of the whole text).
    out += '"';
    if (!text.isEmpty()) out += Ansi::encode(escapeNoteRow(text));
    out += "\"\r\n";
}

bool writesBackUnchanged(QByteArrayView quotedField) {
    if (!Ansi::encodesBack(quotedField)) return false;
    // Reading turns "%22" and "%E2%80%9D" into their quotes and writing turns them back; a
    // right double quote typed in the field itself would be written escaped.
    static const QByteArray rightQuote = Ansi::encode(kRightQuote);
    if (rightQuote.size() != 2) return false;
    const auto lead = static_cast<unsigned char>(rightQuote[0]);
    const auto trail = static_cast<unsigned char>(rightQuote[1]);
    const auto* p = reinterpret_cast<const unsigned char*>(quotedField.data());
    for (qsizetype i = 0; i < quotedField.size(); ++i) {
        if (p[i] < 0x80) continue;
        if (p[i] == lead && p[i + 1] == trail) return false;
        ++i;
    }
    return true;
}

void appendStoredNoteRow(QByteArray& out, QByteArrayView quotedField) {
    out += '"';
    out += quotedField;
    out += "\"\r\n";
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
