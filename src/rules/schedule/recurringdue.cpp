#include "rules/schedule/recurringdue.h"

#include "store/ledger.h"

#include <algorithm>
#include <cstring>

namespace {

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString dateText(const QDate& d) {
    return d.toString(QStringLiteral("yyyy/MM/dd"));
}

// The day text DD of a month, moved to the month's last day when the month is shorter
// (a missed occurrence on the 31st of a 30-day month is booked on the 30th, so that it
// can be posted at all). Texts that are no day number stay as they are.
QString dayInMonth(int year, int month, const QString& dd) {
    bool ok = false;
    const int day = dd.toInt(&ok);
    if (!ok || dd.size() != 2 || day < 1 || month < 1 || month > 12) return dd;
    const int last = QDate(year, month, 1).daysInMonth();
    return day > last ? twoDigits(last) : dd;
}

QString joinDate(int year, const QString& mm, const QString& dd) {
    return QStringLiteral("%1/%2/%3").arg(year, 4, 10, QLatin1Char('0')).arg(mm, dd);
}

// The three steps of a monthly record in the current month.
std::optional<QString> monthlyOccurrence(const QString& dd, bool overdue, const QDate& today) {
    const QString tday = twoDigits(today.day());
    if (tday == dd) return dateText(today);
    if (dd == QLatin1String("32")) {
        if (today.addDays(1).day() == 1) return dateText(today);
        return std::nullopt; // a month-end record has no missed occurrence
    }
    if (dd < tday && overdue) return joinDate(today.year(), twoDigits(today.month()), dd);
    return std::nullopt;
}

// The previous month's occurrence of a record for every other month.
QString previousMonthOccurrence(const QString& dd, const QDate& today) {
    const QDate first(today.year(), today.month(), 1);
    if (dd == QLatin1String("32")) return dateText(first.addDays(-1));
    const QDate prev = first.addMonths(-1);
    return joinDate(prev.year(), twoDigits(prev.month()),
                    dayInMonth(prev.year(), prev.month(), dd));
}

QString occurrenceText(const RecurringRecord& r, const QDate& today, bool& found) {
    found = true;
    const QString when = r.When.text();
    const bool overdue = r.Overdue == 1;
    const QString dd = when.left(2);
    switch (r.Period) {
    case 0: { // yearly, MM/DD
        const QString mm = when.left(2);
        const QString day = when.right(2);
        const QString tmd = twoDigits(today.month()) + twoDigits(today.day());
        if (mm + day == tmd) return dateText(today);
        if (overdue && mm + day < tmd) {
            bool ok = false;
            const int month = mm.toInt(&ok);
            return joinDate(today.year(), mm,
                            ok && mm.size() == 2 ? dayInMonth(today.year(), month, day) : day);
        }
        break;
    }
    case 1:
        if (auto d = monthlyOccurrence(dd, overdue, today)) return *d;
        break;
    case 2: { // weekly, Sunday 0 to Saturday 6
        const QChar c = when.isEmpty() ? QChar() : when.at(0);
        const int d = c.isDigit() ? c.digitValue() : 0;
        const int w = today.dayOfWeek() % 7;
        if (d == w) return dateText(today);
        if (d < w && overdue) return dateText(today.addDays(-(w - d)));
        break;
    }
    case 3:
        return dateText(today);
    case 4:
    case 5: {
        const bool ownMonth = (today.month() % 2 == 1) == (r.Period == 4);
        if (ownMonth) {
            if (auto d = monthlyOccurrence(dd, overdue, today)) return *d;
        } else if (overdue) {
            return previousMonthOccurrence(dd, today);
        }
        break;
    }
    default:
        break;
    }
    found = false;
    return {};
}

QByteArray keyOf(const QString& dateText) {
    QByteArray key = dateText.toLatin1();
    key.remove(7, 1);
    key.remove(4, 1);
    return key;
}

// A stored text as the posted test compares it: cut at the first NUL, blanks trimmed.
// Bytes are compared directly: cp950 trail bytes are never a blank or a NUL.
QByteArrayView comparable(QByteArrayView b) {
    const qsizetype nul = b.indexOf('\0');
    if (nul >= 0) b = b.first(nul);
    while (!b.isEmpty() && b.front() == ' ')
        b = b.sliced(1);
    while (!b.isEmpty() && b.back() == ' ')
        b.chop(1);
    return b;
}

} // namespace

std::optional<QString> RecurringOccurrence(const RecurringRecord& r, const QDate& today) {
    bool found = false;
    QString text = occurrenceText(r, today, found);
    if (!found) return std::nullopt;
    return text;
}

namespace {
std::optional<quint64> dayNumber(QByteArrayView eightBytes) {
    if (eightBytes.size() != 8) return std::nullopt;
    quint64 n = 0;
    std::memcpy(&n, eightBytes.data(), sizeof n);
    return n;
}
} // namespace

PostedIndex::PostedIndex(const Ledger& ledger) : m_ledger(ledger) {
    m_byDay.reserve(size_t(std::max(ledger.EntryCount - 1, 0)));
    for (int j = 1; j < ledger.EntryCount; ++j) {
        const QByteArrayView d = ledger.Entries[j].Date.bytes();
        char key[8];
        std::memcpy(key, d.data(), 4);
        std::memcpy(key + 4, d.data() + 5, 2);
        std::memcpy(key + 6, d.data() + 8, 2);
        m_byDay.emplace_back(*dayNumber(QByteArrayView(key, 8)), j);
    }
    std::sort(m_byDay.begin(), m_byDay.end());
}

bool PostedIndex::isPosted(const QString& dateKey, const RecurringRecord& r) const {
    const auto day = dayNumber(dateKey.toLatin1());
    if (!day) return false;
    auto it = std::lower_bound(m_byDay.begin(), m_byDay.end(), std::pair<quint64, int>(*day, 0));
    for (; it != m_byDay.end() && it->first == *day; ++it) {
        const EntryCore& e = m_ledger.Entries[it->second];
        if (comparable(e.Account1.bytes()) == comparable(r.Account1.bytes()) &&
            comparable(e.Account2.bytes()) == comparable(r.Account2.bytes()) &&
            comparable(e.Detail.bytes()) == comparable(r.Detail.bytes()) &&
            e.Amount.value() == r.Amount.value())
            return true;
    }
    return false;
}

bool RecurringAlreadyPosted(const Ledger& ledger, const QString& dateKey, int recordIndex) {
    return PostedIndex(ledger).isPosted(dateKey, ledger.RecurringRecords[recordIndex]);
}

std::vector<DueOccurrence> DueRecurring(const Ledger& ledger, const QDate& today) {
    std::vector<DueOccurrence> rows;
    if (ledger.RecurringCount <= 1) return rows;
    // Built when the first record is due: most days none is, and the index reads every entry.
    std::optional<PostedIndex> posted;
    for (int i = 1; i < ledger.RecurringCount; ++i) {
        const RecurringRecord& r = ledger.RecurringRecords[i];
        const auto date = RecurringOccurrence(r, today);
        if (!date) continue;
        if (!posted) posted.emplace(ledger);
        if (posted->isPosted(QString::fromLatin1(keyOf(*date)), r)) continue;
        rows.push_back({*date, i});
    }
    return rows;
}
