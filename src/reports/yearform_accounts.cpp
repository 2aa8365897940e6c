// Tab 1 of the yearly window: one or two chosen accounts month by month against their
// budgets, with notes, total and average rows and the surplus of an income and expense pair.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "platform/clock.h"
#include "reports/reportchart.h"
#include "reports/yearform.h"
#include "rules/entry/entryrules.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "store/treefigures.h"

namespace {
const QColor Red(255, 0, 0);

QString monthLabel(int m) {
    return QStringLiteral("%1月").arg(m, 2, 10, QChar(u'0'));
}

// The note of an amount against its budget; nothing without a budget.
QString budgetNote(int kind, double a, double b, const Session& session) {
    if (b <= 0) return QString();
    if (a < b) {
        if (kind == 1) return QStringLiteral("比預算少 ") + FormatAmount(b - a, session);
        if (kind == 3) return QStringLiteral("未達目標 ") + FormatAmount(b - a, session);
    } else if (a > b) {
        if (kind == 2) return QStringLiteral("負債超過 ") + FormatAmount(a - b, session);
        if (kind == 4) return QStringLiteral("支出超過 ") + FormatAmount(a - b, session);
    }
    return QString();
}
} // namespace

void YearForm::setSeries(int series, const YearFigures::Months& values) {
    const ReportChart::Hold once(*MSChart1);
    for (int m = 1; m <= 12; ++m) {
        MSChart1->SetRowText(m, QStringLiteral("%1月").arg(m));
        MSChart1->SetValue(m, series, values[size_t(m)] / 100);
    }
    nameSeries();
}

void YearForm::clearSeries(int series) {
    const ReportChart::Hold once(*MSChart1);
    for (int m = 1; m <= 12; ++m)
        MSChart1->SetValue(m, series, 0);
    nameSeries();
}

void YearForm::nameSeries() {
    // The legend names the chosen accounts; an empty second chooser has no bars to name.
    auto chosen = [this](int i) {
        const QComboBox* c = Combo1[size_t(i)];
        return c->currentIndex() >= 0 ? c->currentText() : QString();
    };
    MSChart1->SetSeriesNames(chosen(0), chosen(1));
}

void YearForm::Combo1_Click(int index) {
    syncChoosers();
    QComboBox* chooser = Combo1[size_t(index)];
    QTreeWidget* list = Liv1[size_t(index)];
    if (index == 1 && chooser->currentIndex() < 0) {
        clearSeries(2);
        return;
    }
    const int k = chooser->currentIndex() + 1;
    const Ledger& ledger = m_ctx.ledger;
    if (k < 1 || k >= ledger.AccountCount) return;
    const AccountRecord& account = ledger.Accounts[size_t(k)];
    if (account.Kind == 0) {
        // Equity has no months of its own: an empty list and a zero series, so that
        // nothing shown or exported under its name belongs to another account.
        list->clear();
        m_hasAmounts[size_t(index)] = false;
        clearSeries(index + 1);
        return;
    }
    const int year = checkedYear();
    const QDate today = m_ctx.services.clock().today();
    const Session& session = m_ctx.session;

    QTreeWidgetItem* header = list->headerItem();
    header->setText(1, QStringLiteral("金額"));
    header->setText(2, QStringLiteral("預算"));
    header->setText(3, QString());
    header->setTextAlignment(3, Qt::AlignLeft | Qt::AlignVCenter);
    Liv1[0]->headerItem()->setText(4, QString());
    Liv1[0]->setColumnHidden(4, true);
    Liv1[1]->setColumnHidden(4, true);
    list->clear();

    const std::vector<YearFigures::Months> months =
        YearFigures::accountMonths(ledger, session, year, today, *m_cache);
    YearFigures::Months a = months[size_t(k)];
    std::array<double, 13> b{};
    for (int c = 0; c <= 12; ++c)
        b[size_t(c)] = account.Budget[size_t(c)].value();
    if (Check1->isChecked()) {
        const QString parent = chooser->itemText(k - 1) + u'.';
        for (int j = 0; j < chooser->count(); ++j) {
            if (j == k - 1 || !chooser->itemText(j).startsWith(parent)) continue;
            const AccountRecord& sub = ledger.Accounts[size_t(j + 1)];
            for (int m = 1; m <= 12; ++m) {
                a[size_t(m)] += months[size_t(j + 1)][size_t(m)];
                b[size_t(m)] += sub.Budget[size_t(m)].value();
            }
            b[0] += sub.Budget[0].value();
        }
    }
    setSeries(index + 1, a);

    const bool zeroHidden = session.Setting.ZeroState == QLatin1String("1");
    auto budgetText = [&](double v) {
        return v == 0 && zeroHidden ? QStringLiteral("--") : FormatAmount(v, session);
    };
    auto addRow = [&](const QString& label, double amount, double budgetValue) {
        auto* row = new QTreeWidgetItem(list);
        row->setText(0, label);
        row->setText(1, FormatAmount(amount, session));
        row->setText(2, budgetText(budgetValue));
        const QString note = budgetNote(account.Kind, amount, budgetValue, session);
        row->setText(3, note);
        if (!note.isEmpty())
            for (int c = 1; c <= 3; ++c)
                row->setForeground(c, Red);
        return row;
    };
    double sum = 0;
    for (int m = 1; m <= 12; ++m) {
        addRow(monthLabel(m), a[size_t(m)], b[size_t(m)]);
        sum += a[size_t(m)];
    }
    a[0] = sum;
    auto* separator = new QTreeWidgetItem(list);
    for (int c = 0; c <= 2; ++c)
        separator->setText(c, QStringLiteral("--"));
    if (account.Kind == 3 || account.Kind == 4) addRow(QStringLiteral("總合"), sum, b[0]);
    const int n = YearFigures::averageMonths(year, today);
    if (n > 0) {
        double counted = 0;
        for (int m = 1; m <= n; ++m)
            counted += a[size_t(m)];
        auto* row = new QTreeWidgetItem(list);
        row->setText(0, QStringLiteral("平均"));
        row->setText(1, FormatAmount(YearFigures::averageOf(counted, n), session));
    }
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        for (int c = 1; c <= 2; ++c)
            list->topLevelItem(r)->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    m_amounts[size_t(index)] = a;
    m_hasAmounts[size_t(index)] = true;
    showSurplus();
    fitLists();
}

void YearForm::showSurplus() {
    if (PrefixKindCode(Combo1[0]->currentText()) != KindIncome ||
        PrefixKindCode(Combo1[1]->currentText()) != KindExpense)
        return;
    // From the month amounts of both lists; a list not yet refilled (fewer than 14 rows)
    // waits for its own computation, which fills the column.
    QTreeWidget* list = Liv1[1];
    if (!m_hasAmounts[0] || !m_hasAmounts[1] || Liv1[0]->topLevelItemCount() < 14 ||
        list->topLevelItemCount() < 14)
        return;
    list->setColumnHidden(4, false);
    list->setColumnWidth(4, 100);
    auto put = [&](int r, int slot) {
        const double v = (m_amounts[0][size_t(slot)] - m_amounts[1][size_t(slot)]) / 100;
        QTreeWidgetItem* row = list->topLevelItem(r);
        row->setText(4, EntryRules::numberText(v));
        row->setForeground(4, v < 0 ? QBrush(Red) : QBrush());
    };
    for (int m = 1; m <= 12; ++m)
        put(m - 1, m);
    list->topLevelItem(12)->setText(4, QStringLiteral("--"));
    put(13, 0);
}
