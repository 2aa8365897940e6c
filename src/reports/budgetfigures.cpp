#include "reports/budgetfigures.h"

#include "rules/reports/reportfigures.h"
#include "rules/reports/statementbalances.h"
#include "store/amounts.h"
#include "store/ledger.h"
#include "store/session.h"
#include "store/treefigures.h"

namespace BudgetFigures {

std::vector<double> actuals(const Ledger& ledger, const Session& session, const QString& start,
                            const QString& end, EntryAccountCache& cache) {
    std::vector<std::vector<double>> at =
        AllAccountBalancesAt(ledger, session, {{end, true}, {start, false}}, cache);
    std::vector<double> figures = std::move(at[0]);
    const std::vector<double>& before = at[1];
    const bool ordered = start <= end;
    for (size_t i = 1; i < figures.size(); ++i) {
        const int kind = ledger.Accounts[i].Kind;
        if (kind == 1 || kind == 2) continue;
        figures[i] = ordered ? figures[i] - before[i] : 0;
    }
    return figures;
}

} // namespace BudgetFigures

namespace BudgetFigures {

namespace {
const QColor Red(255, 0, 0);
const QColor DarkGreen(0, 112, 0);
const QColor Black(0, 0, 0);

Progress coloured(const QString& text) {
    if (text.contains(QStringLiteral("未達目標")) || text.contains(QStringLiteral("負債超過")) ||
        text.contains(QStringLiteral("支出超過")))
        return {text, Red};
    if (text.contains(QStringLiteral("尚可花費"))) return {text, DarkGreen};
    return {text, Black};
}
} // namespace

QString percentReached(double a, double b) {
    return a == 0 ? QStringLiteral("0%") : ReportFigures::FormatShare(a, b);
}

Progress accountProgress(int kind, double a, double b, const Session& session) {
    auto fa = [&](double v) { return FormatAmount(v, session); };
    QString text;
    if (a >= 0 && a < b) {
        const QString p = percentReached(a, b);
        switch (kind) {
        case 1:
        case 3:
            text = p + QStringLiteral(" 未達目標 ") + fa(b - a);
            break;
        case 2:
            text = p;
            break;
        case 4:
            text = p + QStringLiteral(" 尚可花費 ") + fa(b - a);
            break;
        default:
            break;
        }
    } else if (a > b && a >= 0) {
        if (kind == 2) text = QStringLiteral("負債超過 ") + fa(a - b);
        if (kind == 4) text = QStringLiteral("支出超過 ") + fa(a - b);
    } else if (a == b && a >= 0 && kind == 4) {
        text = QStringLiteral("支出已達預算");
    }
    return coloured(text);
}

Progress incomeTotalProgress(double a, double b, const Session& session) {
    if (a >= 0 && a < b)
        return {percentReached(a, b) + QStringLiteral(" 未達目標 ") + FormatAmount(b - a, session),
                Red};
    return {};
}

Progress expenseTotalProgress(double a, double b, const Session& session) {
    if (a >= 0 && a < b)
        return {percentReached(a, b) + QStringLiteral(" 尚可花費 ") + FormatAmount(b - a, session),
                DarkGreen};
    if (a > b) return {QStringLiteral("支出超過 ") + FormatAmount(a - b, session), Red};
    return {};
}

} // namespace BudgetFigures
