// The budget table's figures: the hidden columns (budget) and what the user reads
// (BudgetShow).
#include "reports/budgetshowform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <numeric>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "reports/budgetfigures.h"
#include "rules/reports/budgetcells.h"
#include "rules/reports/reportfigures.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/periods.h"
#include "store/treefigures.h"

namespace {

// Hidden figures are exact number texts of hundredths.
QString figureText(double v) {
    return QString::number(v, 'g', 17);
}

} // namespace

double BudgetShowForm::BudgetShowCnv(int index) const {
    return index >= 1 && size_t(index) < m_actuals.size() ? m_actuals[size_t(index)] : 0;
}

void BudgetShowForm::budget() {
    const QDate today = m_ctx.services.clock().today();
    const std::optional<int> typed = Periods::yearFromText(Text1->text());
    if (!typed) Text1->setText(QString::number(today.year()));
    const int year = typed.value_or(today.year());
    const int sel = choice();
    const SettingMirrors& set = m_ctx.session.Setting;
    const Periods::ReportPeriod period = Periods::reportPeriod(
        sel == 0 ? Periods::WholeYear : Periods::FirstMonth + sel - 1, year, set, today);
    m_actuals =
        BudgetFigures::actuals(m_ctx.ledger, m_ctx.session, period.start, period.end, *m_cache);

    // Own figures, then the roll-up within each kind along the "." of names.
    const int n = Liv1->topLevelItemCount();
    QHash<QString, QList<ReportFigures::RollUpRow>> actualRows;
    QHash<QString, QList<ReportFigures::RollUpRow>> budgetRows;
    QHash<QString, QList<int>> rowsOfKind;
    for (int r = 0; r < n - 3; ++r) {
        QTreeWidgetItem* row = Liv1->topLevelItem(r);
        ShownRow& shown = m_rows[size_t(r)];
        if (shown.separator) continue;
        const int i = shown.index;
        const AccountRecord* account = BudgetCells::target(m_ctx.ledger, i);
        const double actual = BudgetShowCnv(i);
        const TaggedNumber cell = account ? account->Budget[size_t(sel)] : TaggedNumber();
        shown.ownActual = actual;
        shown.ownBudget = cell.isEmpty() ? 0 : cell.value();
        row->setText(ColOwnActual, figureText(actual));
        row->setText(ColOwnBudget, cell.isEmpty() ? QString() : figureText(cell.value()));
        actualRows[shown.prefix].append({shown.name, actual, actual});
        budgetRows[shown.prefix].append({shown.name, cell.value(), cell.value()});
        rowsOfKind[shown.prefix].append(r);
    }
    for (auto it = rowsOfKind.cbegin(); it != rowsOfKind.cend(); ++it) {
        QList<ReportFigures::RollUpRow>& actuals = actualRows[it.key()];
        QList<ReportFigures::RollUpRow>& budgets = budgetRows[it.key()];
        ReportFigures::RollUpSubAccounts(actuals);
        ReportFigures::RollUpSubAccounts(budgets);
        for (int k = 0; k < it.value().size(); ++k) {
            const int r = it.value()[k];
            m_rows[size_t(r)].rolledActual = actuals[k].withSubAccounts;
            m_rows[size_t(r)].rolledBudget = budgets[k].withSubAccounts;
            QTreeWidgetItem* row = Liv1->topLevelItem(r);
            row->setText(ColRolledActual, figureText(actuals[k].withSubAccounts));
            row->setText(ColRolledBudget, figureText(budgets[k].withSubAccounts));
        }
    }
}

void BudgetShowForm::fitColumns(bool measure) {
    QTreeWidget* list = Liv1;
    if (measure) {
        const int amount =
            std::max({list->columnWidth(ColActual), list->columnWidth(ColBudget),
                      ColumnTextWidth(list, ColActual), ColumnTextWidth(list, ColBudget)});
        list->setColumnWidth(ColActual, amount);
        list->setColumnWidth(ColBudget, amount);
        // Names are measured all: a short name of wide characters may be the widest.
        QList<int> rows(list->topLevelItemCount());
        std::iota(rows.begin(), rows.end(), 0);
        m_textColumns->setNeeds(ColName, 2 * amount, 0, ColumnTextWidth(list, ColName, rows));
        m_textColumns->setNeeds(ColProgress, 2 * amount, ColumnTextWidth(list, ColProgress));
    }
    m_textColumns->keepInView();
}

void BudgetShowForm::BudgetShow() {
    const Session& session = m_ctx.session;
    const bool zeroHidden = session.Setting.ZeroState == QLatin1String("1");
    const bool rolled = Check1->isChecked();
    const int sel = choice();
    const int n = Liv1->topLevelItemCount();

    // With sub-accounts added into their parents, the top-level rows are those whose name
    // has no parent row of their kind; they are bold and they alone make the totals, so
    // every amount counts once even where a parent account is missing.
    QHash<QString, QStringList> namesOfKind;
    QHash<QString, QList<int>> indexOfKind;
    for (int r = 0; r < n - 3; ++r) {
        const ShownRow& shown = m_rows[size_t(r)];
        if (shown.separator) continue;
        namesOfKind[shown.prefix].append(shown.name);
        indexOfKind[shown.prefix].append(r);
    }
    std::vector<char> topLevel(size_t(std::max(n, 0)), 0);
    for (auto it = namesOfKind.cbegin(); it != namesOfKind.cend(); ++it) {
        const QList<bool> top = ReportFigures::TopLevelRows(it.value());
        const QList<int>& rows = indexOfKind[it.key()];
        for (int k = 0; k < rows.size(); ++k)
            topLevel[size_t(rows[k])] = top[k];
    }

    double incomeActual = 0, incomeBudget = 0, expenseActual = 0, expenseBudget = 0;
    for (int r = 0; r < n - 3; ++r) {
        QTreeWidgetItem* row = Liv1->topLevelItem(r);
        const bool bold = rolled && topLevel[size_t(r)];
        for (int c : {ColName, ColActual, ColBudget}) {
            QFont f = row->font(c);
            f.setBold(bold);
            row->setFont(c, f);
        }
        const ShownRow& shown = m_rows[size_t(r)];
        if (shown.separator) continue;
        const double a = rolled ? shown.rolledActual : shown.ownActual;
        const double b = rolled ? shown.rolledBudget : shown.ownBudget;
        const int index = shown.index;
        const int kind = index >= 1 && index < m_ctx.ledger.AccountCount
                             ? m_ctx.ledger.Accounts[size_t(index)].Kind
                             : 0;
        row->setText(ColActual, FormatAmount(a, session));
        const bool noBudget = b == 0 && zeroHidden;
        row->setText(ColBudget, noBudget ? QStringLiteral("--") : FormatAmount(b, session));
        const BudgetFigures::Progress p = noBudget
                                              ? BudgetFigures::Progress{}
                                              : BudgetFigures::accountProgress(kind, a, b, session);
        row->setText(ColProgress, p.text);
        row->setForeground(ColProgress, p.colour);
        if (rolled && !bold) continue;
        if (kind == 3) {
            incomeActual += a;
            incomeBudget += b;
        } else if (kind == 4) {
            expenseActual += a;
            expenseBudget += b;
        }
    }

    auto totalRow = [&](int r, int kindRow, double a, double sum, bool income) {
        QTreeWidgetItem* row = Liv1->topLevelItem(r);
        if (!row) return;
        const double stored = m_ctx.ledger.KindTotals[size_t(kindRow)].Budget[size_t(sel)].value();
        const double b = stored != 0 ? stored : sum;
        const bool noBudget = b == 0 && zeroHidden;
        row->setText(ColActual, FormatAmount(a, session));
        row->setText(ColBudget, noBudget ? QStringLiteral("--") : FormatAmount(b, session));
        BudgetFigures::Progress p;
        if (!noBudget)
            p = income ? BudgetFigures::incomeTotalProgress(a, b, session)
                       : BudgetFigures::expenseTotalProgress(a, b, session);
        row->setText(ColProgress, p.text);
        row->setForeground(ColProgress, p.colour);
    };
    totalRow(n - 2, 3, incomeActual, incomeBudget, true);
    totalRow(n - 1, 4, expenseActual, expenseBudget, false);

    fitColumns(true);
    Liv1->clearSelection();
    Command3->setText(sel == 0 ? QStringLiteral("清除整年預算") : QStringLiteral("清除本月預算"));
}
