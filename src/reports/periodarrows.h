#pragma once
#include <QDate>
#include <QList>
#include <QString>

class QComboBox;
class QLineEdit;

// The year and month arrows of every report window. They act on the year box and period
// list the window hands them and compute nothing: the window recomputes afterwards.
namespace PeriodArrows {

// Year arrows: a year box that holds no year (Periods::yearFromText) first becomes the
// current year. Up goes forward unless yearState is "1"; down goes back only when
// yearState is "0". The year stays within 1601..9999.
void StepYear(QLineEdit* yearBox, bool up, const QString& yearState, const QDate& today);

// Where a window's period list keeps its months and which entries wrap to the year before.
struct PeriodList {
    int firstMonth;       // index of "01月"
    int lastMonth;        // index of "12月"
    QList<int> wrapsBack; // entries whose back arrow goes to "12月" of the year before
};
extern const PeriodList StatementsList; // "全部", "整年", "01月".."12月"
extern const PeriodList BudgetList;     // "整年", "01月".."12月"
extern const PeriodList DailyList;      // "01月".."12月"

// Month arrows: down steps forward (from "12月" to "01月" of the next year; with no entry
// selected to the first entry), up steps back (from a wrap entry to "12月" of the year
// before; with no entry selected nothing happens). A wrap that would leave 1601..9999 does
// nothing. Returns whether the selection or the year changed.
bool StepMonth(QComboBox* list, QLineEdit* yearBox, bool down, const PeriodList& layout,
               const QDate& today);

} // namespace PeriodArrows
