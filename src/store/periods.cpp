#include "store/periods.h"

#include "store/session.h"

#include <QRegularExpression>

namespace Periods {

std::optional<int> yearFromText(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^\\s*\\d{1,9}\\s*$"));
    if (!digits.match(text).hasMatch()) return std::nullopt;
    const int y = text.trimmed().toInt();
    if (y < 1601 || y > 9999) return std::nullopt;
    return y;
}

int monthStartDay(const QString& dayState) {
    bool ok = false;
    const int d = dayState.trimmed().toInt(&ok);
    if (!ok) return 1;
    return std::clamp(d, 1, 28);
}

QString dateKey(const QDate& date) {
    return date.toString(QStringLiteral("yyyyMMdd"));
}

quint32 dateNumber(QByteArrayView stored) {
    if (stored.size() < 10 || stored[4] != '/' || stored[7] != '/') return 0;
    quint32 n = 0;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        const char c = stored[i];
        if (c < '0' || c > '9') return 0;
        n = n * 10 + quint32(c - '0');
    }
    return n;
}

quint32 dateNumber(const QString& key) {
    bool ok = false;
    const uint n = key.toUInt(&ok);
    return ok && key.size() == 8 ? n : 0;
}

Bounds periodBounds(int index, int year, int startDay, bool monthBefore) {
    Bounds b;
    if (index <= All || index > LastMonth) {
        b.end = QStringLiteral("99999999");
        b.next = b.end;
        return b;
    }
    QDate first;
    QDate next;
    if (index == WholeYear) {
        first = QDate(year, 1, startDay);
        next = QDate(year + 1, 1, startDay);
    } else {
        const int m = index - 1;
        first = QDate(year, m, startDay);
        if (monthBefore) first = first.addMonths(-1);
        next = first.addMonths(1);
    }
    b.first = first;
    b.start = dateKey(first);
    const QDate last = next.addDays(-1);
    // Stored dates have four-digit years, so an end past 9999 is the end of 9999.
    b.end = last.year() > 9999 ? QStringLiteral("99991231") : dateKey(last);
    b.next = next.year() > 9999 ? QStringLiteral("99999999") : dateKey(next);
    return b;
}

int budgetCell(int index) {
    if (index == WholeYear) return 0;
    if (index >= FirstMonth && index <= LastMonth) return index - 1;
    return -1;
}

Span MonthPeriod(int year, int month, int startDay, bool monthBefore) {
    const Bounds b = periodBounds(FirstMonth + month - 1, year, startDay, monthBefore);
    return {b.start, b.end};
}

Span YearPeriod(int year, int startDay) {
    const Bounds b = periodBounds(WholeYear, year, startDay, false);
    return {b.start, b.end};
}

Span AllPeriod(const QDate& today) {
    return {QString(), dateKey(today)};
}

QString ClampToToday(const QString& end, const QString& aftState, const QDate& today) {
    const QString todayKey = dateKey(today);
    if (aftState == QLatin1String("0") && end > todayKey) return todayKey;
    return end;
}

int reportYear(const QString& yearText, const QDate& today) {
    return yearFromText(yearText).value_or(today.year());
}

ReportPeriod reportPeriod(int choice, int year, const SettingMirrors& setting, const QDate& today) {
    if (choice <= All || choice > LastMonth) {
        const Span all = AllPeriod(today);
        return {all.first, all.last, all.last};
    }
    const int day = monthStartDay(setting.DayState);
    const Span span = choice == WholeYear
                          ? YearPeriod(year, day)
                          : MonthPeriod(year, choice - 1, day, setting.DayState2 != "0");
    return {span.first, ClampToToday(span.last, setting.AftState, today), span.last};
}

} // namespace Periods
