#include "reports/periodarrows.h"

#include "store/periods.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace PeriodArrows {

const PeriodList StatementsList{2, 13, {2, 0}};
const PeriodList BudgetList{1, 12, {1, 0}};
const PeriodList DailyList{0, 11, {0}};

namespace {
constexpr int FirstYear = 1601;
constexpr int LastYear = 9999;
} // namespace

void StepYear(QLineEdit* yearBox, bool up, const QString& yearState, const QDate& today) {
    const int year = Periods::reportYear(yearBox->text(), today);
    const bool forward = up ? yearState != QLatin1String("1") : yearState != QLatin1String("0");
    const int next = forward ? std::min(year + 1, LastYear) : std::max(year - 1, FirstYear);
    yearBox->setText(QString::number(next));
}

bool StepMonth(QComboBox* list, QLineEdit* yearBox, bool down, const PeriodList& layout,
               const QDate& today) {
    const int index = list->currentIndex();
    if (down) {
        if (index == layout.lastMonth) {
            const int year = Periods::reportYear(yearBox->text(), today);
            if (year >= LastYear) return false;
            yearBox->setText(QString::number(year + 1));
            list->setCurrentIndex(layout.firstMonth);
            return true;
        }
        if (index + 1 >= list->count()) return false;
        list->setCurrentIndex(std::max(index, -1) + 1);
        return true;
    }
    if (index < 0) return false;
    if (layout.wrapsBack.contains(index)) {
        const int year = Periods::reportYear(yearBox->text(), today);
        if (year <= FirstYear) return false;
        yearBox->setText(QString::number(year - 1));
        list->setCurrentIndex(layout.lastMonth);
        return true;
    }
    list->setCurrentIndex(index - 1);
    return true;
}

} // namespace PeriodArrows
