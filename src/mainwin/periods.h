#pragma once
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

// Period rules of the main window's tree totals and entry list.
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

} // namespace Periods
