#pragma once
#include <QColor>
#include <QString>
#include <vector>

class EntryAccountCache;
struct Ledger;
struct Session;

// The figures of the budget table, without widgets.
namespace BudgetFigures {

// The actual figure of every account (slot 0 unused) for the period start..end
// ("yyyymmdd", end already held back to today where the settings say so), from one pass
// over the entries for each of the two days:
// asset and liability accounts their balance at the end, every other account the total
// of the period, 0 when the end lies before the start.
std::vector<double> actuals(const Ledger& ledger, const Session& session, const QString& start,
                            const QString& end, EntryAccountCache& cache);

// The progress text of a budget row and its colour.
struct Progress {
    QString text;
    QColor colour = Qt::black;
};

// How far an actual figure a is from a budget b (hundredths; budgets are never negative)
// for an account of kind 1 asset, 2 liability, 3 income or 4 expense: the percentage
// reached below the budget ("未達目標", "尚可花費" and what is left), what lies beyond it
// ("負債超過", "支出超過"), "支出已達預算" on it. Red for 未達目標 and 超過, dark green for
// 尚可花費, black otherwise. The caller leaves out a zero budget when ZeroState is "1".
Progress accountProgress(int kind, double a, double b, const Session& session);
// The income and expense total rows: only the shortfall (red), resp. what is left (dark
// green) or the overrun (red); a total on its budget shows nothing.
Progress incomeTotalProgress(double a, double b, const Session& session);
Progress expenseTotalProgress(double a, double b, const Session& session);
// The percentage reached of a below b: "0%" for nothing reached, else the share text.
QString percentReached(double a, double b);

} // namespace BudgetFigures
