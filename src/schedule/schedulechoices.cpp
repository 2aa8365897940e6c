#include "schedule/schedulechoices.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace ScheduleChoices {

const QStringList& Weekdays() {
    static const QStringList names = {QStringLiteral("星期日"), QStringLiteral("星期一"),
                                      QStringLiteral("星期二"), QStringLiteral("星期三"),
                                      QStringLiteral("星期四"), QStringLiteral("星期五"),
                                      QStringLiteral("星期六")};
    return names;
}

QStringList TwoDigitNumbers(int from, int to) {
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return items;
}

void Refill(QComboBox* combo, const QStringList& items) {
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(0);
}

void FitTimeBox(QComboBox* combo) {
    // The box measures the items it holds; it is measured once holding every choice.
    const QSignalBlocker quiet(combo);
    const QComboBox::SizeAdjustPolicy policy = combo->sizeAdjustPolicy();
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->addItems(QStringList(Weekdays()) << MonthEnd << TwoDigitNumbers(1, 31));
    combo->setMinimumWidth(combo->sizeHint().width());
    combo->clear();
    combo->setSizeAdjustPolicy(policy);
}

} // namespace ScheduleChoices
