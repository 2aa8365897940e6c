#pragma once
#include <QString>
#include <QStringList>

class QComboBox;

// The choices the recurring-records editor and the memo book offer for a schedule's time.
namespace ScheduleChoices {
// "星期日" to "星期六", by the digit 0 to 6 of a weekly schedule.
const QStringList& Weekdays();
// The day "32" of a monthly schedule, as the lists show it.
inline const QString MonthEnd = QStringLiteral("月底");
// Two-digit numbers from `from` to `to` ("01", "02", ...).
QStringList TwoDigitNumbers(int from, int to);
// Replaces a drop-down list's items and selects the first.
void Refill(QComboBox* combo, const QStringList& items);
// Makes the time box at least as wide as its widest choice of any period (a weekday, 月底, a
// number) needs, so that 星期五 reads whole whichever period the box was first shown with
// and the line does not jump when the period changes. Leaves the box empty.
void FitTimeBox(QComboBox* combo);
} // namespace ScheduleChoices
