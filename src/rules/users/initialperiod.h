#pragma once
#include <QDate>
#include <QString>

// The period the main window shows first for a freshly opened ledger: the item of the
// period combo (0 "全部", 1 "整年", 2..13 "01月".."12月") and the year of the year box.
struct InitialPeriod {
    int item = 0;
    int year = 0;
    bool operator==(const InitialPeriod&) const = default;
};

// Decided by the date of the last entry in table order (not the latest date): another year
// shows everything of that year, the current year the whole year or, with MonState "1",
// the current accounting month (a month starts on day DayState).
InitialPeriod ChooseInitialPeriod(int entryCount, const QString& lastEntryDate, const QDate& today,
                                  const QString& monState, const QString& dayState);
