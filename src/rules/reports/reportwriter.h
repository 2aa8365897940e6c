#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class Prompts;
class Clock;

// The one writer of every export (report windows, journal, main list): the save dialog,
// then an HTML page or a CSV file, chosen by the end of the file name alone. Lines are
// collected and written at CloseReport through the safe writer, so a failed export leaves
// an existing file as it was.
//
//   ReportWriter w(prompts, clock);
//   const auto path = w.PickExportFile(name, ReportWriter::SaveTitle);
//   if (!path) return;            // cancelled: nothing written, nothing shown
//   w.OpenReport(*path);
//   if (w.isCsv()) { w.WriteCsvRow(...); } else { w.WritePageHead(...); w.WritePageRow(...); }
//   w.CloseReport();              // warns "匯出檔案發生錯誤!" on failure
class ReportWriter {
public:
    enum class Kind { Page, Csv };

    // Dialog titles: the report windows' and the journal's / main list's.
    static const QString SaveTitle;   // "儲存檔案"
    static const QString ExportTitle; // "匯出檔案"
    static const QString Filter;      // "網頁檔案(*.Htm)|*.htm|CSV檔案|*.csv"
    static const QString FailureText; // "匯出檔案發生錯誤!"

    ReportWriter(Prompts& prompts, const Clock& clock);

    // The save dialog with the default name; nullopt when cancelled. A name chosen without an
    // extension gets that of the file type chosen in the dialog; one with an extension keeps it.
    std::optional<QString> PickExportFile(const QString& defaultName, const QString& dialogTitle);

    // CSV when the path's last three characters are "csv" in any case; a page otherwise.
    static Kind kindOf(const QString& path);
    // Starts a new report for the path (nothing is touched on disk before CloseReport).
    void OpenReport(const QString& path);
    Kind kind() const { return m_kind; }
    bool isCsv() const { return m_kind == Kind::Csv; }

    // One line as given (the caller's own markup; escape texts with PageText).
    void WriteReportLine(const QString& line);
    // Lines 1 to 21 of the page: widthPercent 80 or 95, headingLevel 1 or 3.
    void WritePageHead(const QString& title, int widthPercent, int headingLevel,
                       const QString& heading);
    // "<tr>", the cells, "</tr>"; cell texts escaped, never trimmed.
    void WritePageRow(const QStringList& cells);
    // The fields joined by ",", each quoted where it needs it (CsvField).
    void WriteCsvRow(const QStringList& fields);
    // The page's last line: lead, then "<hN>", today's date, " 匯出</hN></center></body></html>".
    void WritePageFoot(const QString& lead, int level);
    // Writes the file (cp950, CR LF after every line) through the safe writer. A failure shows
    // the warning FailureText and leaves an existing file as it was; returns success.
    bool CloseReport();

    // The text with every "," removed (amount texts in CSV rows, the statements' status line).
    static QString StripCommas(const QString& text);
    // & < > " as &amp; &lt; &gt; &quot;, so a text never turns into markup.
    static QString PageText(const QString& text);
    // A field holding a comma, a double quote or a line break in double quotes, inner quotes
    // doubled; any other field unchanged.
    static QString CsvField(const QString& text);

private:
    Prompts& m_prompts;
    const Clock& m_clock;
    QString m_path;
    Kind m_kind = Kind::Page;
    QStringList m_lines;
};
