#pragma once
#include <QDate>
#include <QString>
#include <vector>

struct MemoBook;
struct FixedMemoRecord;

// One row of the memo reminders: first the due one-off memos, then the due recurring ones.
struct MemoReminderRow {
    QString date;     // the one-off memo's date, or the recurrence text
    QString text;     // the memo, blanks around removed
    int clock = 0;    // 1 a one-off memo whose reminder is on, 0 otherwise
    int clockDay = 0; // the memo's lead days
    int index = 0;    // the one-off memo's 1-based position; 0 for a recurring memo
};

// "每年 05/06", "每月 05 日", "每月 月底", "每週六".
QString RecurrenceText(const FixedMemoRecord& m);
// "日" for Sunday, "一" to "六" for Monday to Saturday.
QString WeekdayCharacter(const QDate& d);

// The memos due on `today`: a one-off memo with its reminder on from its date minus its lead
// days to the date; a recurring memo by its occurrence in today's own year or month only.
std::vector<MemoReminderRow> DueMemoReminders(const MemoBook& book, const QDate& today);
