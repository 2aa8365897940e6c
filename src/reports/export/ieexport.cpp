// 匯出 of the daily window: every day of the shown month.
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "reports/ieform.h"
#include "rules/reports/reportwriter.h"
#include "store/appcontext.h"

void IEForm::Command1_Click() {
    const QString name = m_ctx.session.LedgerName + u'_' + Text1->text() + QStringLiteral("年") +
                         Combo1->currentText() + QStringLiteral("_每日收支");
    ReportWriter writer(m_ctx.services.prompts(), m_ctx.services.clock());
    const std::optional<QString> path = writer.PickExportFile(name, ReportWriter::SaveTitle);
    if (!path) return;
    writer.OpenReport(*path);
    if (writer.isCsv()) {
        writer.WriteReportLine(QStringLiteral("日期,收入,支出,結餘"));
        for (int r = 0; r < Liv1->topLevelItemCount(); ++r) {
            const QTreeWidgetItem* row = Liv1->topLevelItem(r);
            writer.WriteCsvRow({row->text(0), ReportWriter::StripCommas(row->text(1)),
                                ReportWriter::StripCommas(row->text(2)),
                                ReportWriter::StripCommas(row->text(3))});
        }
    } else {
        writer.WritePageHead(name, 80, 3, name);
        writer.WriteReportLine(QStringLiteral("<table><tr><th width=25%>日期</th><th "
                                              "width=25%>收入</th><th width=25%>支出</th><th "
                                              "width=25%>結餘</th></tr>"));
        for (int r = 0; r < Liv1->topLevelItemCount(); ++r) {
            const QTreeWidgetItem* row = Liv1->topLevelItem(r);
            writer.WritePageRow({row->text(0), row->text(1), row->text(2), row->text(3)});
        }
        writer.WriteReportLine(QStringLiteral("</table>"));
        writer.WritePageFoot(QString(), 4);
    }
    writer.CloseReport();
}
