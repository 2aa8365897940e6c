#include "rules/reports/reportfigures.h"

#include <QHash>

#include <cmath>

namespace ReportFigures {

QString FormatShare(double amount, double total) {
    if (total == 0) return QStringLiteral("0%");
    if (amount == total) return QStringLiteral("100%");
    const double p = amount / total * 100;
    if (p < 0.1) return p < 0.05 ? QStringLiteral("0.0%") : QStringLiteral("0.1%");
    // A cut to four characters would drop digits of the whole part from 10000 on.
    if (p >= 10000) return QString::number(std::floor(p), 'f', 0) + QLatin1Char('%');
    const QString text = QString::number(p, 'g', 15);
    return text.left(p < 10 ? 3 : 4) + QLatin1Char('%');
}

namespace {
// First row of each name, as a search from the start of the table finds it.
QHash<QString, int> firstRows(const QStringList& names) {
    QHash<QString, int> first;
    first.reserve(names.size());
    for (int i = 0; i < names.size(); ++i)
        if (!first.contains(names[i])) first.insert(names[i], i);
    return first;
}

// Calls f(prefix) for every proper prefix of the name ending before a ".", longest first.
template <typename F> void forEachParentPrefix(const QString& name, F f) {
    for (qsizetype p = name.lastIndexOf(QLatin1Char('.')); p >= 0;
         p = p > 0 ? name.lastIndexOf(QLatin1Char('.'), p - 1) : -1)
        f(name.left(p));
}
} // namespace

void RollUpSubAccounts(QList<RollUpRow>& rows) {
    QStringList names;
    names.reserve(rows.size());
    for (const RollUpRow& r : rows)
        names.append(r.name);
    const QHash<QString, int> first = firstRows(names);
    for (const RollUpRow& r : rows) {
        forEachParentPrefix(r.name, [&](const QString& prefix) {
            const auto it = first.constFind(prefix);
            if (it != first.constEnd()) rows[*it].withSubAccounts += r.own;
        });
    }
}

QList<bool> TopLevelRows(const QStringList& names) {
    const QHash<QString, int> first = firstRows(names);
    QList<bool> top;
    top.reserve(names.size());
    for (const QString& name : names) {
        bool isTop = true;
        forEachParentPrefix(
            name, [&](const QString& prefix) { isTop = isTop && !first.contains(prefix); });
        top.append(isTop);
    }
    return top;
}

} // namespace ReportFigures
