// 匯出全部 and 匯出選擇的部份: the journal's rows as shown, as a page or a CSV file.
#include <QTreeView>

#include "journal/diaryform.h"
#include "journal/journalmodel.h"
#include "platform/clock.h"
#include "rules/journal/exportcells.h"
#include "rules/reports/reportwriter.h"
#include "store/appcontext.h"

void DiaryForm::Export_All_Click() {
    // Rows of a listing the tables have moved away from are listed again first.
    rowsCurrent();
    exportRows(false);
}

void DiaryForm::Export_Sel_Click() {
    if (!rowsCurrent()) return;
    exportRows(true);
}

void DiaryForm::exportRows(bool selectedOnly) {
    QList<int> rows;
    if (selectedOnly) {
        rows = SelectedRows();
    } else {
        for (int r = 0; r < RowCount(); ++r)
            rows << r;
    }
    // The sums line and the rows as they are now, before the dialog.
    const QString sums = StatusText();
    auto cells = [this](int row) {
        QStringList texts;
        for (int c = JournalModel::DateColumn; c <= JournalModel::InvoiceColumn; ++c)
            texts << m_model->cellText(row, c);
        return texts;
    };

    ReportWriter writer(m_ctx.services.prompts(), m_ctx.services.clock());
    const auto path = writer.PickExportFile(ListingTitle, ReportWriter::SaveTitle);
    if (!path) return;
    writer.OpenReport(*path);
    if (writer.isCsv()) {
        writer.WriteReportLine(QStringLiteral("日期,分類,科目,金額,明細,備註,發票"));
        for (int row : rows)
            writer.WriteCsvRow(ExportCells::journalCsvRow(cells(row)));
    } else {
        writer.WritePageHead(m_ctx.session.LedgerName + QStringLiteral(" 記錄總覽"), 95, 3,
                             ListingTitle);
        writer.WriteReportLine(QStringLiteral(
            "<table><tr><th width=7%>日期</th><th width=15%>分類</th><th width=15%>科目</th>"
            "<th width=7%>金額</th><th width=24%>明細</th><th width=24%>備註</th>"
            "<th width=8%>發票</th></tr>"));
        for (int row : rows)
            writer.WritePageRow(ExportCells::pageRow(cells(row)));
        const QString date = shortDate(m_ctx.services.clock().today());
        const QString sumsPart =
            selectedOnly
                ? QString()
                : QStringLiteral("<p>") + ReportWriter::PageText(sums) + QStringLiteral("</p>");
        writer.WriteReportLine(QStringLiteral("</table>") + sumsPart +
                               QStringLiteral("<p style='font-size:9p; color:#555'>- ") + date +
                               QStringLiteral(" -</p></center></body></html>"));
    }
    writer.CloseReport();
}
