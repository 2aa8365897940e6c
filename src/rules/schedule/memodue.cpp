#include "rules/schedule/memodue.h"

#include "rules/schedule/memofiles.h"

namespace {

const QString kWeekdays = QStringLiteral("日一二三四五六");

bool withinLead(const QDate& day, int leadDays, const QDate& today) {
    if (!day.isValid() || leadDays < 0) return false;
    const qint64 ahead = today.daysTo(day);
    return ahead >= 0 && ahead <= leadDays;
}

QDate parseDate(const QString& text) {
    return QDate::fromString(text.trimmed(), QStringLiteral("yyyy/MM/dd"));
}

bool fixedMemoDue(const FixedMemoRecord& m, const QDate& today) {
    const QString year = QStringLiteral("%1").arg(today.year(), 4, 10, QLatin1Char('0'));
    const QString month = QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0'));
    switch (m.Period) {
    case 1:
        return withinLead(parseDate(year + QLatin1Char('/') + m.When.trimmed()), m.RemindDays,
                          today);
    case 2:
        if (m.When.startsWith(QLatin1String("32"))) {
            const QDate end(today.year(), today.month(), today.daysInMonth());
            return withinLead(end, m.RemindDays, today);
        }
        return withinLead(
            parseDate(year + QLatin1Char('/') + month + QLatin1Char('/') + m.When.left(2)),
            m.RemindDays, today);
    case 3: {
        const QChar c = m.When.isEmpty() ? QChar() : m.When.at(0);
        return c.isDigit() && c.digitValue() == today.dayOfWeek() % 7;
    }
    default:
        return false;
    }
}

} // namespace

QString WeekdayCharacter(const QDate& d) {
    return kWeekdays.mid(d.dayOfWeek() % 7, 1);
}

QString RecurrenceText(const FixedMemoRecord& m) {
    switch (m.Period) {
    case 1:
        return QStringLiteral("每年 ") + m.When.trimmed();
    case 2:
        if (m.When.startsWith(QLatin1String("32"))) return QStringLiteral("每月 月底");
        return QStringLiteral("每月 ") + m.When.left(2) + QStringLiteral(" 日");
    case 3: {
        const QChar c = m.When.isEmpty() ? QChar() : m.When.at(0);
        const int d = c.isDigit() ? c.digitValue() : -1;
        return QStringLiteral("每週") + (d >= 0 && d <= 6 ? kWeekdays.mid(d, 1) : QString());
    }
    default:
        return {};
    }
}

std::vector<MemoReminderRow> DueMemoReminders(const MemoBook& book, const QDate& today) {
    std::vector<MemoReminderRow> rows;
    for (int i = 1; i < book.MemoCount; ++i) {
        const MemoRecord& m = book.Memos[i];
        if (m.RemindOn == 0 || !withinLead(parseDate(m.Date), m.RemindDays, today)) continue;
        rows.push_back({m.Date.trimmed(), m.Text.trimmed(), 1, m.RemindDays, i});
    }
    for (int i = 1; i < book.FixedMemoCount; ++i) {
        const FixedMemoRecord& m = book.FixedMemos[i];
        if (!fixedMemoDue(m, today)) continue;
        rows.push_back({RecurrenceText(m), m.Text.trimmed(), 0, m.RemindDays, 0});
    }
    return rows;
}
