// Export of the statements window: the shown statement as a page or a CSV file.
#include "reports/ibsform.h"

#include "platform/clock.h"
#include "rules/reports/reportwriter.h"
#include "store/appcontext.h"

#include <QLabel>
#include <QTabBar>
#include <QTreeWidget>

namespace {
// The rows of a shown list as written: every row but the "---" before the total row.
QList<QStringList> writtenRows(const QTreeWidget* list) {
    QList<QStringList> rows;
    const int n = list->topLevelItemCount();
    for (int r = 0; r < n; ++r) {
        if (r == n - 2) continue;
        const QTreeWidgetItem* item = list->topLevelItem(r);
        rows.append({item->text(0), item->text(1), item->text(2)});
    }
    return rows;
}
} // namespace

void IBSForm::Command2_Click() {
    const bool balance = TabStrip1->currentIndex() == 0;
    const QString name = balance ? BalanceSheetTitle : IncomeStatementTitle;
    const QString kinds[2] = {balance ? QStringLiteral("資產") : QStringLiteral("收入"),
                              balance ? QStringLiteral("負債") : QStringLiteral("支出")};
    const QTreeWidget* lists[2] = {balance ? ListView1 : ListView3,
                                   balance ? ListView2 : ListView4};
    const QString status = StatusBar1->text();

    ReportWriter w(m_ctx.services.prompts(), m_ctx.services.clock());
    const std::optional<QString> path = w.PickExportFile(name, ReportWriter::SaveTitle);
    if (!path) return;
    w.OpenReport(*path);
    if (w.isCsv()) {
        for (int k = 0; k < 2; ++k) {
            w.WriteCsvRow({kinds[k], QStringLiteral("金額"), QStringLiteral("比例")});
            for (const QStringList& row : writtenRows(lists[k]))
                w.WriteCsvRow({row[0], ReportWriter::StripCommas(row[1]), row[2]});
        }
        w.WriteCsvRow({ReportWriter::StripCommas(status)});
    } else {
        w.WritePageHead(name, 80, 3, name);
        for (int k = 0; k < 2; ++k) {
            w.WriteReportLine(
                QStringLiteral("<table><tr><th width=30%>") + ReportWriter::PageText(kinds[k]) +
                QStringLiteral("</th><th width=13%>金額</th><th width=7%>比例</th></tr>"));
            for (const QStringList& row : writtenRows(lists[k]))
                w.WritePageRow(row);
            if (k == 0) w.WriteReportLine(QStringLiteral("</table><p>"));
        }
        w.WriteReportLine(QStringLiteral("</table><p><table><tr><td>") +
                          ReportWriter::PageText(status) + QStringLiteral("</td></tr></table>"));
        w.WritePageFoot(QString(), 4);
    }
    w.CloseReport();
}
