#pragma once
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

struct SettingMirrors;

// Period rules of the main window (tree totals, entry list) and of the report windows.
namespace Periods {

// Index of the period choice Combo1.
enum : int { All = 0, WholeYear = 1, FirstMonth = 2, LastMonth = 13 };

// A year typed into the year box, when it is a whole number from 1601 to 9999; any other
// text (empty, "0", "12345", "2024.5", letters) is no year.
std::optional<int> yearFromText(const QString& text);

// The month start day DayState limited to 1 to 28 (text that is no number counts as 1).
int monthStartDay(const QString& dayState);

// "yyyymmdd" of a date.
QString dateKey(const QDate& date);

// The date key of a stored "yyyy/mm/dd" as the number yyyymmdd, for fast comparisons
// over the whole entry table (dates are plain ASCII); 0 when the field holds no such date.
quint32 dateNumber(QByteArrayView stored);
quint32 dateNumber(const QString& key); // of a "yyyymmdd" key; 0 when it is none

// Bounds of a period as date keys, both included; start empty for "全部".
struct Bounds {
    QString start;
    QString end;
    // First day of the following period, excluded: the list compares stored date texts
    // against it, so a date no calendar has still falls where its text sorts.
    QString next;
    QDate first; // first day (invalid for "全部")
};

// The period of choice index for year y. The whole year always runs from January;
// months start in the month before when monthBefore (DayState2 not "0").
// For "全部" the end and next are "99999999".
Bounds periodBounds(int index, int year, int startDay, bool monthBefore);

// Budget cell of a period: 0 for the whole year, m for month m; -1 for "全部".
int budgetCell(int index);

// ---- Report periods ---------------------------------------------------------------------

// First and last day of a report period as "yyyymmdd"; first empty for "全部".
struct Span {
    QString first;
    QString last;
};

// Report month m (1..12) of year y: starts on day startDay of month m, or of the month
// before when monthBefore; ends the day before the next report month starts.
Span MonthPeriod(int year, int month, int startDay, bool monthBefore);
// Report year: y/01/startDay to the day before (y+1)/01/startDay, whatever monthBefore.
Span YearPeriod(int year, int startDay);
// "全部" of the reports: from the first entry on, up to today whatever AftState says.
Span AllPeriod(const QDate& today);
// An end after today becomes today when AftState is "0".
QString ClampToToday(const QString& end, const QString& aftState, const QDate& today);

// The year of a report window's year box: its year, or the current year when the text is
// no year (see yearFromText).
int reportYear(const QString& yearText, const QDate& today);

// The period of a choice of the report period lists ("全部", "整年", "01月".."12月").
struct ReportPeriod {
    QString start;     // handed to the computation ("" for "全部")
    QString end;       // handed to the computation, after ClampToToday
    QString lastShown; // the end before clamping (what the date pickers show)
};
// choice: the statements window's list index (0 "全部", 1 "整年", 2..13 the months).
ReportPeriod reportPeriod(int choice, int year, const SettingMirrors& setting, const QDate& today);

} // namespace Periods
