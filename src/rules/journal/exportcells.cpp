#include "rules/journal/exportcells.h"

#include "platform/runtime.h"
#include "rules/reports/reportwriter.h"
#include "store/ledger.h"

namespace ExportCells {

namespace {
QString cell(const QStringList& shown, int i) {
    return i < shown.size() ? shown.at(i) : QString();
}

// A cell the writer will wrap in quotes keeps its blanks; any other loses them both sides.
QString trimUnlessQuoted(const QString& text) {
    return ReportWriter::CsvField(text) != text ? text : Runtime::trimBlanks(text);
}
} // namespace

QString breaksToBlanks(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

QStringList journalCsvRow(const QStringList& shown) {
    // The CSV import reads these rows back and splits at every comma: detail and note lose
    // quotes and commas, and no cell may break its line.
    auto plainText = [](QString t) {
        t = breaksToBlanks(t);
        t.remove(QLatin1Char('"'));
        t.replace(QLatin1Char(','), QLatin1Char(' '));
        return TrimFixed(t);
    };
    return {
        breaksToBlanks(cell(shown, 0)),
        TrimFixed(breaksToBlanks(cell(shown, 1))),
        TrimFixed(breaksToBlanks(cell(shown, 2))),
        ReportWriter::StripCommas(breaksToBlanks(cell(shown, 3))),
        plainText(cell(shown, 4)),
        plainText(cell(shown, 5)),
        TrimFixed(breaksToBlanks(cell(shown, 6))),
    };
}

QStringList mainListCsvRow(const QStringList& shown) {
    QString note = cell(shown, 5);
    note.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    return {
        cell(shown, 0),
        trimUnlessQuoted(cell(shown, 1)),
        ReportWriter::StripCommas(cell(shown, 2)),
        ReportWriter::StripCommas(cell(shown, 3)),
        trimUnlessQuoted(cell(shown, 4)),
        trimUnlessQuoted(note),
        trimUnlessQuoted(cell(shown, 6)),
    };
}

QStringList pageRow(const QStringList& shown) {
    return {cell(shown, 0),
            cell(shown, 1),
            cell(shown, 2),
            cell(shown, 3),
            TrimFixed(cell(shown, 4)),
            TrimFixed(cell(shown, 5)),
            TrimFixed(cell(shown, 6))};
}

} // namespace ExportCells
