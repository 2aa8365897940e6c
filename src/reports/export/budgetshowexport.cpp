// 匯出 of the budget table: the account rows and separators as shown, without the last
// separator and the two total rows.
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "reports/budgetshowform.h"
#include "rules/reports/reportwriter.h"
#include "store/appcontext.h"
#include "store/figures.h"

namespace {
QString rightTrimmed(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == u' ')
        --n;
    return text.left(n);
}
} // namespace

void BudgetShowForm::Command1_Click() {
    const Session& session = m_ctx.session;
    const QString name = session.LedgerName + u'_' + Text1->text() + QStringLiteral("年") +
                         Combo1->currentText() + QStringLiteral("預算表");
    ReportWriter writer(m_ctx.services.prompts(), m_ctx.services.clock());
    const std::optional<QString> path = writer.PickExportFile(name, ReportWriter::SaveTitle);
    if (!path) return;
    writer.OpenReport(*path);

    // The first cell of an account row is its full name: the kind prefix of the account
    // the row names, then the row text.
    QList<QStringList> rows;
    const int n = Liv1->topLevelItemCount();
    for (int r = 0; r < n - 3; ++r) {
        const QTreeWidgetItem* row = Liv1->topLevelItem(r);
        const ShownRow& shown = m_rows[size_t(r)];
        QString first = shown.name;
        if (!shown.separator) {
            const int index = shown.index;
            const int kind = index >= 1 && index < m_ctx.ledger.AccountCount
                                 ? m_ctx.ledger.Accounts[size_t(index)].Kind
                                 : 0;
            if (kind >= KindAsset && kind <= KindExpense) first = KindPrefix(kind) + first;
        }
        rows.append({first, row->text(ColActual), row->text(ColBudget), row->text(ColProgress)});
    }

    if (writer.isCsv()) {
        writer.WriteReportLine(QStringLiteral("科目,實際,預算,"));
        for (const QStringList& cells : rows)
            writer.WriteCsvRow({rightTrimmed(cells[0]),
                                rightTrimmed(ReportWriter::StripCommas(cells[1])),
                                rightTrimmed(ReportWriter::StripCommas(cells[2])),
                                rightTrimmed(ReportWriter::StripCommas(cells[3]))});
    } else {
        writer.WritePageHead(session.LedgerName + QStringLiteral(" 預算表"), 95, 1, name);
        writer.WriteReportLine(QStringLiteral("<table><tr><th width=33%>科目</th><th "
                                              "width=17%>實際</th><th width=17%>預算</th><th "
                                              "width=33%></th></tr>"));
        for (const QStringList& cells : rows)
            writer.WritePageRow(cells);
        writer.WritePageFoot(QStringLiteral("</table>"), 3);
    }
    writer.CloseReport();
}
