// Tabs 2 and 3 of the yearly window: month-end assets and liabilities, monthly income and
// expense.
#include <QTreeWidget>

#include "platform/clock.h"
#include "reports/reportchart.h"
#include "reports/yearform.h"
#include "rules/reports/reportfigures.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/treefigures.h"

namespace {
const QColor Red(255, 0, 0);

// Headers of columns 2 to 5 and the width of column 5 (0: hidden).
void setColumns(QTreeWidget* list, const QStringList& captions, int fifthWidth) {
    QTreeWidgetItem* header = list->headerItem();
    for (int c = 0; c < 4; ++c)
        header->setText(c + 1, captions.value(c));
    header->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    list->setColumnHidden(4, fifthWidth == 0);
    if (fifthWidth > 0) list->setColumnWidth(4, fifthWidth);
}

QTreeWidgetItem* addRow(QTreeWidget* list, const QString& label, const QStringList& cells) {
    auto* row = new QTreeWidgetItem(list);
    row->setText(0, label);
    for (int c = 0; c < cells.size(); ++c) {
        row->setText(c + 1, cells[c]);
        row->setTextAlignment(c + 1, Qt::AlignRight | Qt::AlignVCenter);
    }
    return row;
}

void redWhenNegative(QTreeWidgetItem* row, double v) {
    if (v < 0) row->setForeground(3, Red);
}

QString monthLabel(int m) {
    return QStringLiteral("%1月").arg(m, 2, 10, QChar(u'0'));
}
} // namespace

void YearForm::ShowAL() {
    const ReportChart::Hold once(*MSChart1);
    const int year = checkedYear();
    const QDate today = m_ctx.services.clock().today();
    const Session& session = m_ctx.session;
    const YearFigures::AssetsLiabilities f =
        YearFigures::assetsLiabilities(m_ctx.ledger, session, year, today, *m_cache);

    QTreeWidget* list = Liv1[0];
    setColumns(
        list,
        {QStringLiteral("資產"), QStringLiteral("負債"), QStringLiteral("財產淨值"), QString()}, 0);
    MSChart1->SetSeriesNames(QStringLiteral("資產"), QStringLiteral("負債"));
    list->clear();
    Liv1[1]->clear();
    m_hasAmounts = {false, false};
    auto fa = [&](double v) { return FormatAmount(v, session); };
    for (int m = 1; m <= 12; ++m) {
        const double a = f.assets[size_t(m)];
        const double l = f.liabilities[size_t(m)];
        MSChart1->SetRowText(m, QStringLiteral("%1月").arg(m));
        MSChart1->SetValue(m, 1, a / 100);
        MSChart1->SetValue(m, 2, l / 100);
        redWhenNegative(addRow(list, monthLabel(m), {fa(a), fa(l), fa(a - l)}), a - l);
    }
    addRow(list, QStringLiteral("--"),
           {QStringLiteral("--"), QStringLiteral("--"), QStringLiteral("--")});
    const int n = YearFigures::averageMonths(year, today);
    if (n > 0) {
        double assets = 0, liabilities = 0;
        for (int m = 1; m <= n; ++m) {
            assets += f.assets[size_t(m)];
            liabilities += f.liabilities[size_t(m)];
        }
        const double net = YearFigures::averageOf(assets - liabilities, n);
        redWhenNegative(addRow(list, QStringLiteral("平均"),
                               {fa(YearFigures::averageOf(assets, n)),
                                fa(YearFigures::averageOf(liabilities, n)), fa(net)}),
                        net);
    }
    fitLists();
}

void YearForm::ShowIE() {
    const ReportChart::Hold once(*MSChart1);
    const int year = checkedYear();
    const QDate today = m_ctx.services.clock().today();
    const Session& session = m_ctx.session;
    const YearFigures::IncomeExpense f =
        YearFigures::incomeExpense(m_ctx.ledger, session, year, today);

    QTreeWidget* list = Liv1[0];
    setColumns(list,
               {QStringLiteral("收入"), QStringLiteral("支出"), QStringLiteral("結餘"),
                QStringLiteral("結餘比例")},
               100);
    MSChart1->SetSeriesNames(QStringLiteral("收入"), QStringLiteral("支出"));
    list->clear();
    Liv1[1]->clear();
    m_hasAmounts = {false, false};
    auto fa = [&](double v) { return FormatAmount(v, session); };
    double income = 0, expense = 0;
    for (int m = 1; m <= 12; ++m) {
        const double i = f.income[size_t(m)];
        const double e = f.expense[size_t(m)];
        MSChart1->SetRowText(m, QStringLiteral("%1月").arg(m));
        MSChart1->SetValue(m, 1, i / 100);
        MSChart1->SetValue(m, 2, e / 100);
        redWhenNegative(addRow(list, monthLabel(m),
                               {fa(i), fa(e), fa(i - e), ReportFigures::FormatShare(i - e, i)}),
                        i - e);
        income += i;
        expense += e;
    }
    addRow(list, QStringLiteral("--"),
           {QStringLiteral("--"), QStringLiteral("--"), QStringLiteral("--"), QString()});
    redWhenNegative(
        addRow(list, QStringLiteral("總合"), {fa(income), fa(expense), fa(income - expense)}),
        income - expense);
    const int n = YearFigures::averageMonths(year, today);
    if (n > 0) {
        double counted = 0, spent = 0;
        for (int m = 1; m <= n; ++m) {
            counted += f.income[size_t(m)];
            spent += f.expense[size_t(m)];
        }
        const double net = YearFigures::averageOf(counted - spent, n);
        redWhenNegative(addRow(list, QStringLiteral("平均"),
                               {fa(YearFigures::averageOf(counted, n)),
                                fa(YearFigures::averageOf(spent, n)), fa(net)}),
                        net);
    }
    fitLists();
}
