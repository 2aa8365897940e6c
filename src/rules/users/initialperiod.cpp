#include "rules/users/initialperiod.h"

#include "platform/runtime.h"

InitialPeriod ChooseInitialPeriod(int entryCount, const QString& lastEntryDate, const QDate& today,
                                  const QString& monState, const QString& dayState) {
    if (entryCount <= 1) return {0, today.year()};
    const auto last = Runtime::parseDate(lastEntryDate.trimmed());
    // Loading drops entries without a valid date, so this only guards odd tables.
    if (!last) return {0, today.year()};
    if (last->year() != today.year()) return {0, last->year()};
    if (monState != u"1") return {1, today.year()};
    int month = today.month();
    int year = today.year();
    if (today.day() < Runtime::leadingNumber(dayState)) {
        --month;
        if (month == 0) {
            month = 12;
            --year;
        }
    }
    return {month + 1, year};
}
