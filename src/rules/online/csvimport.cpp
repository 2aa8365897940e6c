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

static QList<OnlineService::StagedRow> rowsOf(const QStringList& lines) {
    QList<OnlineService::StagedRow> rows;
    for (const QString& line : lines) {
        if (line.isEmpty()) continue;
        rows.append(rowOf(SplitCsvLine(line)));
    }
    return rows;
}

QList<OnlineService::StagedRow> ImportCsvFile(const QByteArray& bytes) {
    QString text = Ansi::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return rowsOf(text.split(u'\n'));
}

QList<OnlineService::StagedRow> TavrixCsvFile(const QByteArray& bytes) {
    QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    lines.removeFirst();
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    return rowsOf(lines);
}

} // namespace CsvImport
