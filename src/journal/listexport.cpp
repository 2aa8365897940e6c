#include "journal/listexport.h"

#include "platform/clock.h"
#include "rules/journal/exportcells.h"
#include "rules/reports/reportwriter.h"
#include "store/appcontext.h"
#include "store/ledger.h"
#include "windowparts/mainview.h"

QString ListExportTitle(const QString& ledgerName, const QString& nodeKey,
                        const QString& periodText) {
    QString key = nodeKey;
    key.replace(QLatin1Char('.'), QLatin1Char('-'));
    return TrimFixed(ledgerName + QLatin1Char('_') + key) + QLatin1Char('_') + periodText;
}

void ListExport(MainView& main) {
    AppContext& ctx = main.context();
    const QString title =
        ListExportTitle(ctx.session.LedgerName, main.SelectedNodeKey(), main.PeriodText());
    ReportWriter writer(ctx.services.prompts(), ctx.services.clock());
    const auto path = writer.PickExportFile(title, ReportWriter::ExportTitle);
    if (!path) return;

    const QList<QStringList> rows = main.ListedRows();
    writer.OpenReport(*path);
    if (writer.isCsv()) {
        writer.WriteReportLine(QStringLiteral("日期,類別,金額,累計,明細,備註,發票"));
        for (const QStringList& shown : rows)
            writer.WriteCsvRow(ExportCells::mainListCsvRow(shown));
    } else {
        writer.WritePageHead(title, 95, 3, title);
        writer.WriteReportLine(QStringLiteral(
            "<table><tr><th width=9%>日期</th><th width=15%>類別</th><th width=10%>金額</th>"
            "<th width=10%>累計</th><th width=24%>明細</th><th width=23%>備註</th>"
            "<th width=8%>發票</th></tr>"));
        for (const QStringList& shown : rows)
            writer.WritePageRow(ExportCells::pageRow(shown));
        writer.WritePageFoot(QStringLiteral("</table>"), 4);
    }
    writer.CloseReport();
}
