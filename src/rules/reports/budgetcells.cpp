#include "rules/reports/budgetcells.h"

#include <QLocale>
#include <cmath>

#include "rules/entry/entryrules.h"

namespace BudgetCells {

AccountRecord* target(Ledger& ledger, int bi) {
    return const_cast<AccountRecord*>(target(std::as_const(ledger), bi));
}

const AccountRecord* target(const Ledger& ledger, int bi) {
    if (bi >= 1 && bi < ledger.AccountCount && size_t(bi) < ledger.Accounts.size())
        return &ledger.Accounts[size_t(bi)];
    if (bi == IncomeTotal || bi == ExpenseTotal) return &ledger.KindTotals[size_t(-bi)];
    return nullptr;
}

double value(const AccountRecord& record, int cell) {
    if (cell < 0 || cell >= CellCount) return 0;
    return record.Budget[size_t(cell)].value();
}

QString boxText(const TaggedNumber& cell) {
    const double c = cell.value();
    // Whole hundredths are written digit by digit, so that large budgets keep their last
    // hundredth (15 significant digits would round them).
    if (std::isfinite(c) && c == std::trunc(c) && std::fabs(c) <= EntryRules::MaxHundredths) {
        const qint64 h = qint64(c);
        const qint64 a = h < 0 ? -h : h;
        QString text = QString::number(a / 100);
        const qint64 cents = a % 100;
        if (cents != 0) {
            text += u'.' + QStringLiteral("%1").arg(cents, 2, 10, QChar(u'0'));
            if (text.endsWith(u'0')) text.chop(1);
        }
        return h < 0 ? u'-' + text : text;
    }
    return EntryRules::numberText(c / 100);
}

std::optional<double> typedValue(const QString& text) {
    const std::optional<double> v = EntryRules::typedNumber(text);
    if (!v || !hundredths(*v)) return std::nullopt;
    return std::fabs(*v);
}

std::optional<double> hundredths(double v) {
    return EntryRules::amountHundredths(std::fabs(v), 1);
}

QString normalisedText(double v) {
    const double a = std::fabs(v);
    const QString text = EntryRules::numberText(a);
    // 15 significant digits are what the boxes show; a value they cannot hold is written
    // in full, so that the stored cell is the one typed.
    if (text.toDouble() == a) return text;
    return QString::number(a, 'f', QLocale::FloatingPointShortest);
}

void store(AccountRecord& record, const std::array<double, CellCount>& cells) {
    for (int i = 0; i < CellCount; ++i)
        record.Budget[size_t(i)] = TaggedNumber::fromDouble(cells[size_t(i)]);
}

void clearCell(AccountRecord& record, int cell) {
    if (cell < 0 || cell >= CellCount) return;
    record.Budget[size_t(cell)] = TaggedNumber::fromInt16(0);
}

} // namespace BudgetCells
