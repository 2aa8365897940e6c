// 匯出 of the yearly window: the shown tab's lists as displayed.
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "reports/yearform.h"
#include "rules/reports/reportwriter.h"
#include "store/appcontext.h"

namespace {
QList<QStringList> rowsOf(const QTreeWidget* list, int cells) {
    QList<QStringList> rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList row;
        for (int c = 0; c < cells; ++c)
            row.append(list->topLevelItem(r)->text(c));
        rows.append(row);
    }
    return rows;
}

// Amount fields lose their grouping; the first field (the month) and the fields from
// `keepFrom` on stay as shown.
QStringList csvFields(const QStringList& cells, int keepFrom) {
    QStringList fields;
    for (int c = 0; c < cells.size(); ++c)
        fields.append(c == 0 || c >= keepFrom ? cells[c] : ReportWriter::StripCommas(cells[c]));
    return fields;
}
} // namespace

void YearForm::Command1_Click() {
    static const char16_t* const words[] = {u"_各項科目統計", u"_資產負債統計", u"_收入支出統計"};
    const int tab = SelectedTab();
    const QString name = m_ctx.session.LedgerName + u'_' + Text1->text() + QStringLiteral("年") +
                         QString::fromUtf16(words[tab - 1]);
    ReportWriter writer(m_ctx.services.prompts(), m_ctx.services.clock());
    const std::optional<QString> path = writer.PickExportFile(name, ReportWriter::SaveTitle);
    if (!path) return;
    writer.OpenReport(*path);
    const bool csv = writer.isCsv();
    if (!csv) writer.WritePageHead(name, 80, 1, name);

    if (tab == 1) {
        const QString header = QStringLiteral("<table><tr><th width=20%>月份</th><th "
                                              "width=20%>金額</th><th width=20%>預算</th><th "
                                              "width=40%></th></tr>");
        for (int i = 0; i < 2; ++i) {
            const QString account = Combo1[size_t(i)]->currentText();
            if (i == 1 && account.isEmpty()) break;
            const QList<QStringList> rows = rowsOf(Liv1[size_t(i)], 4);
            if (csv) {
                writer.WriteCsvRow({account});
                writer.WriteReportLine(QStringLiteral("月份,金額,預算"));
                for (const QStringList& row : rows)
                    writer.WriteCsvRow(csvFields(row, 4));
            } else {
                writer.WriteReportLine(QStringLiteral("<h4>") + ReportWriter::PageText(account) +
                                       QStringLiteral("</h4>"));
                writer.WriteReportLine(header);
                for (const QStringList& row : rows)
                    writer.WritePageRow(row);
                writer.WriteReportLine(QStringLiteral("</table>"));
            }
        }
    } else if (tab == 2) {
        const QList<QStringList> rows = rowsOf(Liv1[0], 4);
        if (csv) {
            writer.WriteReportLine(QStringLiteral("月份,資產,負債,財產淨值"));
            for (const QStringList& row : rows)
                writer.WriteCsvRow(csvFields(row, 4));
        } else {
            writer.WriteReportLine(
                QStringLiteral("<table><tr><th width=25%>月份</th><th width=25%>資產</th><th "
                               "width=25%>負債</th><th width=25%>財產淨值</th></tr>"));
            for (const QStringList& row : rows)
                writer.WritePageRow(row);
            writer.WriteReportLine(QStringLiteral("</table>"));
        }
    } else {
        const QList<QStringList> rows = rowsOf(Liv1[0], 5);
        if (csv) {
            writer.WriteReportLine(QStringLiteral("月份,收入,支出,結餘,結餘比例"));
            for (const QStringList& row : rows)
                writer.WriteCsvRow(csvFields(row, 4));
        } else {
            writer.WriteReportLine(QStringLiteral(
                "<table><tr><th width=12%>月份</th><th width=25%>收入</th><th "
                "width=25%>支出</th><th width=25%>結餘</th><th width=13%>結餘比例</th></tr>"));
            for (const QStringList& row : rows)
                writer.WritePageRow(row);
            writer.WriteReportLine(QStringLiteral("</table>"));
        }
    }
    if (!csv) writer.WritePageFoot(QString(), 4);
    writer.CloseReport();
}
