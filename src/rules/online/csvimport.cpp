#include "rules/online/csvimport.h"

#include "platform/codec.h"
#include "platform/runtime.h"

namespace CsvImport {

QStringList SplitCsvLine(const QString& line) {
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        QString field;
        if (i < n && line.at(i) == u'"') {
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (line.at(j) == u'"') {
                    if (j + 1 < n && line.at(j + 1) == u'"') {
                        field += u'"';
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                field += line.at(j++);
            }
            if (!closed) {
                // No closing quote: the quote was an ordinary character after all.
                field = line.mid(i, line.indexOf(u',', i) < 0 ? -1 : line.indexOf(u',', i) - i);
                j = i + field.size();
            } else {
                // Text after the closing quote up to the comma belongs to the field.
                const qsizetype comma = line.indexOf(u',', j);
                field += line.mid(j, comma < 0 ? -1 : comma - j);
                j = comma < 0 ? n : comma;
            }
            i = j;
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            field = line.mid(i, comma < 0 ? -1 : comma - i);
            i = comma < 0 ? n : comma;
        }
        fields.append(field);
        if (i >= n) break;
        ++i; // past the comma: one more field follows, empty at the line end
        if (i == n) {
            fields.append(QString());
            break;
        }
    }
    return fields;
}

static OnlineService::StagedRow rowOf(const QStringList& fields) {
    const auto date = Runtime::parseDate(fields.value(0));
    QStringList cells{date ? Runtime::dateText(*date) : fields.value(0)};
    for (int k = 1; k < OnlineService::StagedColumns; ++k)
        cells.append(OnlineService::UnescapeEntities(fields.value(k)));
    return OnlineService::StagedRow::fromCells(cells);
}

namespace {

// Calls `take` with every line of `text` after the first `skipped`, as a view into it. At
// anyBreak, lines end at CR LF, CR or LF; otherwise at LF, one CR before it dropped.
template <typename Take>
void forEachLine(QStringView text, bool anyBreak, qsizetype skipped, Take take) {
    qsizetype pos = 0;
    for (qsizetype index = 0; pos <= text.size(); ++index) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\n' && !(anyBreak && text[end] == u'\r'))
            ++end;
        QStringView line = text.sliced(pos, end - pos);
        qsizetype next = end + 1;
        if (anyBreak && end < text.size() && text[end] == u'\r' && next < text.size() &&
            text[next] == u'\n')
            ++next;
        if (!anyBreak && line.endsWith(u'\r')) line.chop(1);
        if (index >= skipped) take(line);
        pos = next;
    }
}

// The rows of the lines that are not blank: counted first, built only when they fit.
OnlineService::Staging rowsOf(QStringView text, bool anyBreak, qsizetype skipped, qsizetype room) {
    OnlineService::Staging staging;
    auto blank = [](QStringView line) { return line.trimmed().isEmpty(); };
    forEachLine(text, anyBreak, skipped, [&](QStringView line) {
        if (!blank(line)) ++staging.total;
    });
    if (staging.total > room) return staging;
    staging.rows.reserve(staging.total);
    forEachLine(text, anyBreak, skipped, [&](QStringView line) {
        if (!blank(line)) staging.rows.append(rowOf(SplitCsvLine(line.toString())));
    });
    return staging;
}

} // namespace

OnlineService::Staging ImportCsvFile(const QByteArray& bytes, qsizetype room) {
    return rowsOf(Ansi::decode(bytes), true, 0, room);
}

OnlineService::Staging TavrixCsvFile(const QByteArray& bytes, qsizetype room) {
    return rowsOf(QString::fromUtf8(bytes), false, 1, room);
}

} // namespace CsvImport
