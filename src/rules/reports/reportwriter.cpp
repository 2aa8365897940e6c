#include "rules/reports/reportwriter.h"

#include <QFileInfo>

#include "platform/clock.h"
#include "platform/fileio.h"
#include "platform/prompts.h"

const QString ReportWriter::SaveTitle = QStringLiteral("儲存檔案");
const QString ReportWriter::ExportTitle = QStringLiteral("匯出檔案");
const QString ReportWriter::Filter = QStringLiteral("網頁檔案(*.Htm)|*.htm|CSV檔案|*.csv");
const QString ReportWriter::FailureText = QStringLiteral("匯出檔案發生錯誤!");

namespace {
// Lines 2 to 20 of the page, except the width line (line 8).
const char* const styleBefore[] = {"<style type='text/css'>",
                                   "table {",
                                   "color:#222222;",
                                   "font-size:11pt;",
                                   "border:1px solid #DBDBDB;",
                                   "border-collapse: collapse;"};
const char* const styleAfter[] = {"}",
                                  "th,td {",
                                  "border-right:1px solid #DBDBDB;",
                                  "border-bottom:1px solid #DBDBDB;",
                                  "padding:4px;",
                                  "}",
                                  "th {",
                                  "background: #EFEFEF;",
                                  "font-weight:bold;",
                                  "}",
                                  "-->",
                                  "</style>"};
} // namespace

ReportWriter::ReportWriter(Prompts& prompts, const Clock& clock)
    : m_prompts(prompts), m_clock(clock) {}

std::optional<QString> ReportWriter::PickExportFile(const QString& defaultName,
                                                    const QString& dialogTitle) {
    QString type;
    QString path = m_prompts.saveFile(dialogTitle, Filter, defaultName, &type);
    if (path.isEmpty()) return std::nullopt;
    // The content follows the extension: a name without one would hold a page whatever type
    // the user chose. The desktop dialog names the file so itself, before it asks about
    // replacing one; the same rule (no dot in the name) keeps it from being added twice.
    const QString extension = Prompts::typeExtension(type);
    if (!QFileInfo(path).fileName().contains(u'.') && !extension.isEmpty())
        path += u'.' + extension;
    return path;
}

ReportWriter::Kind ReportWriter::kindOf(const QString& path) {
    return path.right(3).toLower() == QLatin1String("csv") ? Kind::Csv : Kind::Page;
}

void ReportWriter::OpenReport(const QString& path) {
    m_path = path;
    m_kind = kindOf(path);
    m_lines.clear();
}

void ReportWriter::WriteReportLine(const QString& line) {
    m_lines.append(line);
}

void ReportWriter::WritePageHead(const QString& title, int widthPercent, int headingLevel,
                                 const QString& heading) {
    m_lines.append(QStringLiteral("<html><head><meta http-equiv=Content-Type content=text/html; "
                                  "charset=big5><title>") +
                   PageText(title) + QStringLiteral("</title>"));
    for (const char* line : styleBefore)
        m_lines.append(QString::fromLatin1(line));
    m_lines.append(QStringLiteral("width: %1%;").arg(widthPercent));
    for (const char* line : styleAfter)
        m_lines.append(QString::fromLatin1(line));
    const QString h = QStringLiteral("h%1").arg(headingLevel);
    m_lines.append(QStringLiteral("</head><body><center><") + h + QLatin1Char('>') +
                   PageText(heading) + QStringLiteral("</") + h + QLatin1Char('>'));
}

void ReportWriter::WritePageRow(const QStringList& cells) {
    QString line = QStringLiteral("<td>");
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0) line += QStringLiteral("</td><td>");
        line += PageText(cells[i]);
    }
    line += QStringLiteral("</td>");
    m_lines.append(QStringLiteral("<tr>"));
    m_lines.append(line);
    m_lines.append(QStringLiteral("</tr>"));
}

void ReportWriter::WriteCsvRow(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& f : fields)
        quoted.append(CsvField(f));
    m_lines.append(quoted.join(QLatin1Char(',')));
}

void ReportWriter::WritePageFoot(const QString& lead, int level) {
    const QString h = QStringLiteral("h%1").arg(level);
    m_lines.append(lead + QLatin1Char('<') + h + QLatin1Char('>') + shortDate(m_clock.today()) +
                   QStringLiteral(" 匯出</") + h + QStringLiteral("></center></body></html>"));
}

bool ReportWriter::CloseReport() {
    const bool ok = FileIO::writeFileSafely(m_path, FileIO::joinLines(m_lines));
    m_lines.clear();
    if (!ok) m_prompts.warning(FailureText);
    return ok;
}

QString ReportWriter::StripCommas(const QString& text) {
    QString out = text;
    out.remove(QLatin1Char(','));
    return out;
}

QString ReportWriter::PageText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QStringLiteral("&amp;");
            break;
        case '<':
            out += QStringLiteral("&lt;");
            break;
        case '>':
            out += QStringLiteral("&gt;");
            break;
        case '"':
            out += QStringLiteral("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString ReportWriter::CsvField(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    bool needs = false;
    for (const QChar c : text)
        needs = needs || special.contains(c);
    if (!needs) return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}
