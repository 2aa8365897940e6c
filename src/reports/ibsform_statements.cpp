// The balance sheet and the income statement: computing the tables and showing them.
#include "reports/ibsform.h"

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/runtime.h"
#include "reports/reportchart.h"
#include "rules/reports/reportwriter.h"
#include "rules/reports/statementbalances.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "windowparts/imagelist.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

void IBSForm::buildTables(StatementTable& a, StatementTable& b) {
    // Rebuilt from the account table at every computation, so that a row never shows one
    // account's name with another's figure after the accounts changed meanwhile.
    for (StatementTable* t : {&a, &b}) {
        t->index.clear();
        t->rows.clear();
        t->share1.clear();
        t->share2.clear();
    }
    const Ledger& ledger = m_ctx.ledger;
    for (int i = 1; i < ledger.AccountCount; ++i) {
        const AccountRecord& account = ledger.Accounts[size_t(i)];
        StatementTable* t = account.Kind == a.kind ? &a : account.Kind == b.kind ? &b : nullptr;
        if (!t) continue;
        t->index.append(i);
        t->rows.append({Runtime::trimBlanks(account.Name.trimmed()).mid(2), 0, 0});
    }
}

void IBSForm::fillTable(StatementTable& table, const std::vector<double>& figure) {
    table.total = 0;
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const double a = figure[size_t(table.index[r])];
        table.rows[r].own = a;
        table.rows[r].withSubAccounts = a;
        table.total += a;
    }
    table.totalText = FormatAmount(table.total, m_ctx.session);
    ReportFigures::RollUpSubAccounts(table.rows);
    for (const ReportFigures::RollUpRow& row : table.rows) {
        table.share1.append(ReportFigures::FormatShare(row.own, table.total));
        table.share2.append(ReportFigures::FormatShare(row.withSubAccounts, table.total));
    }
}

void IBSForm::BScal(const QString& date1) {
    BalanceDate = date1;
    buildTables(ListView1a, ListView2a);
    const std::vector<double> balance =
        AllAccountBalances(m_ctx.ledger, m_ctx.session, date1, true, m_cache);
    fillTable(ListView1a, balance);
    fillTable(ListView2a, balance);
    NetWorth = ListView1a.total - ListView2a.total;
}

void IBSForm::IScal(const QString& date1, const QString& date2) {
    IncomeStart = date1;
    IncomeEnd = date2;
    buildTables(ListView3a, ListView4a);
    std::vector<double> figure;
    if (date1.isEmpty()) {
        figure = AllAccountBalances(m_ctx.ledger, m_ctx.session, date2, true, m_cache);
    } else if (date1 <= date2) {
        // Both dates from one reading of the entries.
        std::vector<std::vector<double>> at = AllAccountBalancesAt(
            m_ctx.ledger, m_ctx.session, {{date2, true}, {date1, false}}, m_cache);
        figure = std::move(at[0]);
        const std::vector<double>& before = at[1];
        for (size_t i = 0; i < figure.size(); ++i)
            figure[i] -= before[i];
    } else {
        // A start after the end: every figure 0.
        figure.assign(size_t(std::max(m_ctx.ledger.AccountCount, 1)), 0.0);
    }
    fillTable(ListView3a, figure);
    fillTable(ListView4a, figure);
    Surplus = ListView3a.total - ListView4a.total;
}

void IBSForm::showTable(const StatementTable& table, QTreeWidget* list, ReportChart* chart,
                        const QString& pieLabel) {
    const bool rollUp = View_Add->isChecked();
    const bool hideZero = View_Zero->isChecked();
    const QIcon icon = ImageList2::icon(table.image);
    QStringList names;
    for (const ReportFigures::RollUpRow& row : table.rows)
        names.append(row.name);
    // With sub-accounts added in, the top-level rows: those whose parent is no row, so an
    // account whose parent does not exist still shows with its amount.
    const QList<bool> top = rollUp ? ReportFigures::TopLevelRows(names) : QList<bool>();

    QList<QTreeWidgetItem*> items;
    QStringList sliceLabels;
    QList<double> sliceValues;
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        if (rollUp && !top[r]) continue;
        const double amount = rollUp ? table.rows[r].withSubAccounts : table.rows[r].own;
        const QString amountText = FormatAmount(amount, m_ctx.session);
        const bool zero = Runtime::leadingNumber(ReportWriter::StripCommas(amountText)) == 0;
        if (hideZero && zero) continue;
        const QString share = rollUp ? table.share2[r] : table.share1[r];
        auto* item = new QTreeWidgetItem({table.rows[r].name, amountText, share});
        item->setIcon(0, icon);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
        if (!zero) {
            sliceLabels.append(table.rows[r].name + QLatin1Char(' ') + share);
            sliceValues.append(amount / 100); // in currency units
        }
    }
    items.append(new QTreeWidgetItem({QStringLiteral("---")}));
    auto* total = new QTreeWidgetItem({table.totalName, table.totalText, QStringLiteral("100%")});
    total->setIcon(0, icon);
    total->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    total->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    items.append(total);
    list->setUpdatesEnabled(false);
    list->clear();
    list->addTopLevelItems(items);
    const int figuresBefore = list->columnWidth(1) + list->columnWidth(2);
    FitColumnsToTexts(list, {1, 2});
    // The name gives way to the width the figures gained (down to its header), so that a
    // widened 金額 keeps 比例 in view; widths the user chose are otherwise left as they are.
    const int gained = list->columnWidth(1) + list->columnWidth(2) - figuresBefore;
    if (gained > 0)
        NarrowColumnsToRoom(
            list,
            {{0, std::max(list->header()->sectionSizeHint(0), list->columnWidth(0) - gained)}},
            ColumnRoom(list, IBSForm::ListWidth));
    list->setUpdatesEnabled(true);
    chart->ShowPie(pieLabel, sliceLabels, sliceValues);
}

void IBSForm::BSshow() {
    const QString day = shortDate(DTPicker1->date());
    showTable(ListView1a, ListView1, MSChart1, day + QStringLiteral(" 資產狀況"));
    showTable(ListView2a, ListView2, MSChart2, day + QStringLiteral(" 負債狀況"));
}

void IBSForm::ISshow() {
    const QString period = Combo1->currentIndex() == 0
                               ? Combo1->currentText()
                               : Text1->text() + QStringLiteral("年") + Combo1->currentText();
    showTable(ListView3a, ListView3, MSChart3, period + QStringLiteral("收入"));
    showTable(ListView4a, ListView4, MSChart4, period + QStringLiteral("支出"));
}

void IBSForm::View_Add_Click() {
    // The action has ticked or unticked itself; the last figures are shown again.
    if (ListView1->topLevelItemCount() == 0) return;
    BSshow();
    ISshow();
}

void IBSForm::View_Zero_Click() {
    if (ListView1->topLevelItemCount() == 0) return;
    BSshow();
    ISshow();
}
